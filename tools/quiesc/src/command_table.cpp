#include "command.h"

#include <cstring>
#include <iterator>

namespace quiesc_tool {
namespace {

const Command commands[] = {
    {"convert",
     "IN OUT [--in-format F] [--in-rate R] [--out-format F]",
     "convert a sound file to another file or encoding",
     "Reads IN and writes its samples to OUT; the extensions (.wav or .vox) choose the file\n"
     "formats.\n"
     "  --in-format F   encoding of a .vox input (default ulaw); ignored for .wav input,\n"
     "                  which names its own encoding\n"
     "  --in-rate R     sample rate of a .vox input in Hz (default 8000)\n"
     "  --out-format F  encoding to write (default: the input's encoding). A .vox file holds\n"
     "                  ulaw, alaw, adpcm or pcm8 (pcm16 is written as pcm8); a .wav file\n"
     "                  any of the five\n",
     {2, {"--in-format", "--in-rate", "--out-format"}},
     runConvert},
    {"info",
     "FILE [--in-format F] [--in-rate R]",
     "print a sound file's encoding, bits, rate, samples and duration",
     "Opens FILE and describes it. A .vox file carries neither encoding nor rate: give them\n"
     "with --in-format and --in-rate (defaults ulaw and 8000 Hz).\n",
     {1, {"--in-format", "--in-rate"}},
     runInfo},
};

} // namespace

const Command* commandTable(int& count) {
    count = static_cast<int>(std::size(commands));
    return commands;
}

const Command* findCommand(const char* name) {
    for (const Command& command : commands) {
        if (std::strcmp(command.name, name) == 0) {
            return &command;
        }
    }
    return nullptr;
}

} // namespace quiesc_tool
