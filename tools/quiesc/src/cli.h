// The program's command line: "quiesc COMMAND ARGUMENTS", help and usage errors.
#pragma once

namespace quiesc_tool {

// Runs the command named by argv[1] and returns the program's exit code.
int runCommandLine(int argc, char** argv);

} // namespace quiesc_tool
