// The encoding and rate to assume for an input file, from --in-format and --in-rate.
#pragma once

#include "arguments.h"

#include <cstdint>
#include <optional>
#include <string>

namespace quiesc_tool {

struct InputEncoding {
    uint32_t formatCode;
    uint32_t rate;
};

// Defaults: u-law at 8000 Hz for a .vox file, 0 and 0 for any other (a WAV file names its
// own encoding). A value that does not parse gives nothing and a usage error in `error`.
std::optional<InputEncoding> inputEncoding(const Arguments& arguments, const std::string& fileName,
                                           std::string& error);

// Reports a usage error on standard error and returns the usage exit code.
int usageError(const char* command, const std::string& error);

} // namespace quiesc_tool
