#include "batch_options.h"

#ifndef QUORVEL_VERSION
#define QUORVEL_VERSION "0.1"
#endif

namespace batch {

Options ParseOptions(const std::vector<std::string>& arguments) {
    Options options;
    int modes = 0;
    for (const std::string& argument : arguments) {
        if (argument == "--help" || argument == "-h") {
            return {Mode::Help, {}};
        } else if (argument == "--version") {
            return {Mode::Version, {}};
        } else if (argument == "--dry-run" || argument == "-n") {
            options.mode = Mode::DryRun;
            ++modes;
        } else if (argument == "--watch" || argument == "-w") {
            options.mode = Mode::Watch;
            ++modes;
        } else if (argument.starts_with("-")) {
            options.error = "unknown option " + argument;
            return options;
        } else {
            options.error = "unexpected argument " + argument;
            return options;
        }
    }
    if (modes > 1)
        options.error = "--dry-run and --watch cannot be combined";
    return options;
}

std::string UsageText() {
    return "Usage: import-batch [--dry-run | --watch]\n"
           "\n"
           "Converts the waiting dictations of the configuration in the current folder\n"
           "(import.ini, its directory table and settings) as Convert All does in the program's\n"
           "window, without a window. Prints one line per job: the input, then the output and\n"
           "its size, or the job's error and, in brackets, why. Errors are also logged when\n"
           "\"Create error log\" is on.\n"
           "\n"
           "  -n, --dry-run  list each waiting job and the output name it would get; changes "
           "nothing\n"
           "  -w, --watch    convert now and then every ConvertInterval minutes until SIGINT or\n"
           "                 SIGTERM, which end it after the current job\n"
           "  -h, --help     show this text\n"
           "      --version  show the version\n"
           "\n"
           "A run waits while another conversion of this folder (the window's or another\n"
           "import-batch) is going on. A dictation still being written, or converted by\n"
           "another run at the time, is left for a later run; that is no error. Exit status: 0\n"
           "when no job failed, 1 when any job failed (in any round of --watch), 2 for bad\n"
           "usage or a folder without import.ini.\n";
}

std::string VersionText() {
    return std::string("import-batch (Quorvel Import Utility) ") + QUORVEL_VERSION + "\n";
}

} // namespace batch
