// A quiesc command: one row of the command table, implemented in a file of its own.
#pragma once

#include "arguments.h"

namespace quiesc_tool {

// Exit codes of the program.
inline constexpr int exitSuccess = 0;
inline constexpr int exitToolkitFailure = 1; // the toolkit's message went to standard error
inline constexpr int exitUsage = 2;

struct Command {
    const char* name;
    const char* synopsis; // the arguments after the command name
    const char* summary;  // one line for the command list
    const char* details;  // the command's own help text
    ArgumentRules rules;
    int (*run)(const Arguments& arguments);
};

// The command table: every command the program knows, in the order the help lists them.
const Command* commandTable(int& count);
const Command* findCommand(const char* name);

// The commands' functions (one file each).
int runConvert(const Arguments& arguments);
int runInfo(const Arguments& arguments);
int runProcess(const Arguments& arguments);
int runMix(const Arguments& arguments);
int runPlay(const Arguments& arguments);

} // namespace quiesc_tool
