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
        } else if (argument == "--check") {
            options.mode = Mode::Check;
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
        options.error = "--dry-run, --watch and --check cannot be combined";
    return options;
}

std::string UsageText() {
    return "Usage: import-batch [--dry-run | --watch | --check]\n"
           "\n"
           "Converts the waiting dictations of the configuration in the current folder\n"
           "(import.ini, its directory table and settings) as Convert All does in the program's\n"
           "window, without a window. Prints one line per job: the input, then the output and\n"
           "its size, or the job's error and, in brackets, why. Errors are also logged when\n"
           "\"Create error log\" is on.\n"
           "\n"
           "  -n, --dry-run  list each waiting job and the output name it would get; changes "
           "nothing\n"
           "  -w, --watch    convert now and then every ConvertInterval minutes (1 to 1440)\n"
           "                 until SIGINT or SIGTERM\n"
           "      --check    check import.ini, every table row's folders, the drive root, the\n"
           "                 temporary folder and the speech folders; print each problem\n"
           "  -h, --help     show this text\n"
           "      --version  show the version\n"
           "\n"
           "A run waits while another conversion of this folder (the window's or another\n"
           "import-batch) is going on. A dictation still being written, or converted by\n"
           "another run at the time, is left for a later run; that is no error. SIGINT or\n"
           "SIGTERM ends every wait at once: the job under way is undone (a DSS converter is\n"
           "killed) and its dictation stays waiting, and the program ends saying how many\n"
           "dictations are still waiting. Dictconv may run 30 seconds plus 2 seconds per\n"
           "megabyte of the dictation (IMPORT_DICTCONV_TIME_LIMIT=SECONDS changes the 30).\n"
           "\n"
           "Exit status: 0 when no job failed, 1 when any job failed, 2 for bad usage or an\n"
           "import.ini that cannot be used (missing, unreadable, not a regular file, no\n"
           "[Startup] section, no directory row, a folder outside the drive root, or for\n"
           "--watch a ConvertInterval outside 1 to 1440; for --check any problem), 3 when\n"
           "SIGINT or SIGTERM stopped it.\n";
}

std::string VersionText() {
    return std::string("import-batch (Quorvel Import Utility) ") + QUORVEL_VERSION + "\n";
}

} // namespace batch
