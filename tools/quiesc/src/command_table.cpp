#include "command.h"

#include <cstring>
#include <iterator>

namespace quiesc_tool {
namespace {

const Command commands[] = {
    {"convert",
     "IN OUT [-t TYPE] [--out-type TYPE] [--in-format F] [--in-rate R] [--out-format F]\n"
     "       [--rate R]",
     "convert a sound file to another file or encoding",
     "Reads IN and writes its samples to OUT; the types (see below) choose the file formats.\n"
     "  --in-format F   encoding of a headerless input (default: its type's, adpcm for .vox);\n"
     "                  ignored for .wav input, which names its own encoding\n"
     "  --in-rate R     sample rate of a headerless input in Hz (default 8000)\n"
     "  --out-format F  encoding to write. Default: a headerless output's own (adpcm for\n"
     "                  .vox, so that a round trip through VOX is faithful), pcm16 for a .wav\n"
     "                  made from a headerless input, else the input's encoding. A .vox file\n"
     "                  holds ulaw, alaw, adpcm or pcm8 (pcm16 is written as pcm8); a .wav\n"
     "                  file any of the five\n"
     "  --rate R        resample to R samples per second before writing. A headerless output\n"
     "                  stores no rate and is read at 8000 (or 6000): any other rate is\n"
     "                  written with a warning\n",
     {2, {"--type", "--out-type", "--in-format", "--in-rate", "--out-format", "--rate"}},
     runConvert},
    {"info",
     "FILE [-t TYPE] [--in-format F] [--in-rate R]",
     "print a sound file's encoding, bits, rate, samples and duration",
     "Opens FILE and describes it. A headerless file carries neither encoding nor rate: they\n"
     "come from its type (Dialogic ADPCM at 8000 Hz for .vox) or from --in-format and\n"
     "--in-rate.\n",
     {1, {"--type", "--in-format", "--in-rate"}},
     runInfo},
    {"process",
     "IN OUT [--cut|--crop|--validate-only --start S --end S] [--trim [--lead S] [--trail S]\n"
     "       [--threshold T] [--min-run N]] [--resample RATE] [--amplify DB]\n"
     "       [-t TYPE] [--out-type TYPE] [--in-format F] [--in-rate R] [--out-format F]",
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
     "  -t, --out-type, --in-format, --in-rate, --out-format as for convert\n",
     {2,
      {"--start", "--end", "--resample", "--amplify", "--lead", "--trail", "--threshold",
       "--min-run", "--type", "--out-type", "--in-format", "--in-rate", "--out-format"},
      {"--cut", "--crop", "--validate-only", "--trim"}},
     runProcess},
    {"mix",
     "A B OUT [--weight W] [-t TYPE] [--out-type TYPE] [--in-format F] [--in-rate R]\n"
     "       [--out-format F]",
     "mix two sound files of one rate into a third",
     "Removes each input's constant offset and writes (1 - W) * A + W * B to OUT; the shorter\n"
     "input continues as silence. W defaults to 0.5. -t, --in-format and --in-rate apply to\n"
     "both inputs; --out-format defaults as for convert, from A.\n",
     {3, {"--weight", "--type", "--out-type", "--in-format", "--in-rate", "--out-format"}},
     runMix},
    {"play",
     "FILE [--from S] [--to S] [-t TYPE] [--in-format F] [--in-rate R]",
     "play a sound file, or a part of it, on the default output device",
     "Plays FILE from --from to --to seconds (defaults: the whole sound) and shows the time\n"
     "played; Ctrl+C stops playback.\n",
     {1, {"--from", "--to", "--type", "--in-format", "--in-rate"}},
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
