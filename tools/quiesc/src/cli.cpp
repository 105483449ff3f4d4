#include "cli.h"

#include "command.h"

#include <cstdio>
#include <cstring>

namespace quiesc_tool {
namespace {

bool isHelp(const char* argument) {
    return std::strcmp(argument, "--help") == 0 || std::strcmp(argument, "-h") == 0 ||
           std::strcmp(argument, "help") == 0;
}

void printProgramHelp(std::FILE* out) {
    std::fprintf(out, "Usage: quiesc COMMAND ARGUMENTS\n"
                      "Converts and describes telephony sound files (.wav, .vox) through the\n"
                      "Quiesc toolkit and its format plug-ins.\n\nCommands:\n");
    int count = 0;
    const Command* commands = commandTable(count);
    for (int i = 0; i < count; ++i) {
        std::fprintf(out, "  %-8s %s\n", commands[i].name, commands[i].summary);
    }
    std::fprintf(
        out,
        "\nFile types: the name's extension, or -t TYPE (--type) for an input and --out-type\n"
        "TYPE for an output whose name does not tell it:\n"
        "  wav  RIFF WAVE; the file names its encoding and rate\n"
        "  vox  headerless Dialogic ADPCM at 8000 Hz unless --in-format/--out-format and\n"
        "       --in-rate say otherwise, for reading and writing alike\n"
        "  ul   headerless u-law at 8000 Hz;  al  headerless A-law at 8000 Hz\n"
        "  raw  headerless; the encoding comes from --in-format or --out-format\n"
        "16-bit headerless files (.sln, signed linear) are not read or written: the VOX\n"
        "plug-in holds 8-bit encodings and ADPCM only.\n"
        "Encodings F: ulaw, alaw, adpcm (Dialogic ADPCM), pcm8, pcm16, or a toolkit format\n"
        "code (a number; 0x8000 and 0x8001 are 8- and 16-bit PCM, any other value is a WAVE\n"
        "format tag).\n"
        "Dialogic ADPCM here follows the shift-and-add rule: each difference is built from\n"
        "the step shifted right by 3, 2, 1 and 0 bits and added, never by multiplying the\n"
        "step. Decoders that multiply (sox among them) drift slowly when they read our\n"
        "files, and we drift on theirs; convert with quiesc on both ends for exact results.\n"
        "'--' ends the options: what follows are file names, even when they begin with '-'.\n"
        "Exit status: 0 done, 1 the toolkit failed (its message is printed), 2 bad\n"
        "arguments. 'quiesc COMMAND --help' describes a command; --version names the version.\n"
        "The format plug-ins are found beside the toolkit library, or first in the\n"
        "folder named by the environment variable QUIESC_PLUGIN_DIR.\n");
}

void printCommandHelp(const Command& command) {
    std::printf("Usage: quiesc %s %s\n%s", command.name, command.synopsis, command.details);
}

bool asksForHelp(int argc, char** argv) {
    for (int i = 2; i < argc && std::strcmp(argv[i], "--") != 0; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            return true;
        }
    }
    return false;
}

} // namespace

int runCommandLine(int argc, char** argv) {
    if (argc < 2) {
        printProgramHelp(stderr);
        return exitUsage;
    }
    if (isHelp(argv[1])) {
        printProgramHelp(stdout);
        return exitSuccess;
    }
    if (std::strcmp(argv[1], "--version") == 0) {
        std::printf("quiesc %s\n", QUIESC_TOOL_VERSION);
        return exitSuccess;
    }
    const Command* command = findCommand(argv[1]);
    if (command == nullptr) {
        std::fprintf(stderr, "quiesc: unknown command \"%s\"\nTry 'quiesc --help'.\n", argv[1]);
        return exitUsage;
    }
    if (asksForHelp(argc, argv)) {
        printCommandHelp(*command);
        return exitSuccess;
    }
    std::string error;
    const auto arguments = Arguments::parse(argc, argv, 2, command->rules, error);
    if (!arguments) {
        std::fprintf(stderr, "quiesc %s: %s\nUsage: quiesc %s %s\n", command->name, error.c_str(),
                     command->name, command->synopsis);
        return exitUsage;
    }
    return command->run(*arguments);
}

} // namespace quiesc_tool
