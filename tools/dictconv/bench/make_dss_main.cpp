// make_dss FILE SECONDS [sp|lp]: a synthetic DSS dictation of about that length, for the
// benchmark that times Dictconv against the ffmpeg program.

#include "dss_test/dss_writer.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: make_dss FILE SECONDS [sp|lp]\n");
        return 2;
    }
    const double seconds = std::strtod(argv[2], nullptr);
    dss_test::DssShape shape;
    shape.codec = argc > 3 && std::strcmp(argv[3], "lp") == 0 ? dss_test::Codec::LongPlay
                                                              : dss_test::Codec::StandardPlay;
    // DSS SP gives 264 samples at 11025 per frame, DSS LP 240 at 8000.
    shape.frames = static_cast<std::size_t>(shape.codec == dss_test::Codec::StandardPlay
                                                ? seconds * 11025 / 264
                                                : seconds * 8000 / 240);
    std::ofstream out(argv[1], std::ios::binary);
    out << dss_test::DssFile(shape);
    return out ? 0 : 1;
}
