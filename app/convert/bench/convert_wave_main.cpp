// convert_wave SOURCE DESTINATION RATE: one ConvertWaveFile call, for the benchmark script that
// compares the chain with sox. Prints the time the call took and exits non-zero on failure.

#include "convert/progress_view.h"
#include "convert/wave_conversion.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: convert_wave SOURCE DESTINATION RATE\n");
        return 2;
    }
    convert::TaskQueueLoop loop;
    convert::SilentProgressView progress;
    convert::WaveConverter converter(loop, progress);
    const auto rate = static_cast<uint32_t>(std::strtoul(argv[3], nullptr, 10));
    const auto start = std::chrono::steady_clock::now();
    const bool converted =
        converter.ConvertWaveFile(argv[1], argv[2], convert::WaveFormat::pcm16Mono(rate));
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    if (!converted) {
        std::fprintf(stderr, "convert_wave: %s\n", converter.LastError().c_str());
        return 1;
    }
    std::printf("%.3f\n", took.count());
    return 0;
}
