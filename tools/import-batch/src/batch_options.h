// The command line of import-batch.
#pragma once

#include <string>
#include <vector>

namespace batch {

enum class Mode { Run, DryRun, Watch, Check, Help, Version };

struct Options {
    Mode mode = Mode::Run;
    std::string error; // not empty: bad usage, with this explanation
};

Options ParseOptions(const std::vector<std::string>& arguments);

std::string UsageText();
std::string VersionText();

} // namespace batch
