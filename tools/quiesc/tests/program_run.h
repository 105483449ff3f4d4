// Running the quiesc program as a user would, with its output captured.
#pragma once

#include <string>
#include <vector>

namespace quiesc_tool_test {

struct ProgramRun {
    int exitCode = -1;
    std::string standardOutput;
    std::string standardError;
};

// Runs the built program with these arguments (no shell) and waits for it.
ProgramRun runQuiesc(const std::vector<std::string>& arguments);

} // namespace quiesc_tool_test
