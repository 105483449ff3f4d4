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
    {"process",
     "IN OUT [--cut|--crop|--validate-only --start S --end S] [--trim [--lead S] [--trail S]\n"
     "       [--threshold T] [--min-run N]] [--resample RATE] [--amplify DB]\n"
     "       [--in-format F] [--in-rate R] [--out-format F]",
     "edit, trim, resample or amplify a sound file into another",
     "Reads IN, applies the steps asked for in this order and writes OUT:\n"
     "  --cut, --crop    remove, or keep only, the selection from --start to --end seconds\n"
     "                   (defaults: 0 and the end of the sound)\n"
     "  --validate-only  only check that the selection fits the sound\n"
     "  --trim           replace the quiet stretches around the sound by --lead and --trail\n"
     "                   seconds of silence (default 0); a sample is loud at --threshold of\n"
     "                   full scale (default 0.01), sound starts with --min-run loud samples\n"
     "                   in a row (default 1)\n"
     "  --resample RATE  convert to RATE samples per second\n"
     "  --amplify DB     change the level by DB decibels (saturating)\n"
     "  --in-format, --in-rate, --out-format as for convert (default: the input's encoding)\n",
     {2,
      {"--start", "--end", "--resample", "--amplify", "--lead", "--trail", "--threshold",
       "--min-run", "--in-format", "--in-rate", "--out-format"},
      {"--cut", "--crop", "--validate-only", "--trim"}},
     runProcess},
    {"mix",
     "A B OUT [--weight W] [--in-format F] [--in-rate R] [--out-format F]",
     "mix two sound files of one rate into a third",
     "Removes each input's constant offset and writes (1 - W) * A + W * B to OUT; the shorter\n"
     "input continues as silence. W defaults to 0.5. --in-format and --in-rate apply to both\n"
     "inputs; --out-format defaults to A's encoding.\n",
     {3, {"--weight", "--in-format", "--in-rate", "--out-format"}},
     runMix},
    {"play",
     "FILE [--from S] [--to S] [--in-format F] [--in-rate R]",
     "play a sound file, or a part of it, on the default output device",
     "Plays FILE from --from to --to seconds (defaults: the whole sound) and shows the time\n"
     "played; Ctrl+C stops playback.\n",
     {1, {"--from", "--to", "--in-format", "--in-rate"}},
     runPlay},
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
