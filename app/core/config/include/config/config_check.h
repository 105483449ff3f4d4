#pragma once
// The checks a conversion without a window makes before it converts anything, so that a
// configuration it cannot use is an error with a reason rather than "no dictation is waiting".
// (The window keeps its first-run rule for a missing file.)

#include "config/config_store.h"

#include <optional>
#include <string>

namespace shell {

// Why the configuration file cannot drive a conversion: it is missing, cannot be read, is not a
// regular file, has no [Startup] section (UTF-16 text is named as such), names no input folder
// in its directory table, or has a table row that leads outside the drive root. nullopt when it
// can. The texts name the file ("import.ini has no [Startup] section").
std::optional<std::string> ConfigFileProblem(const std::string& storedPath = kConfigFileName);

} // namespace shell
