#include "config/config_store.h"

namespace shell {

ConfigWriteError::ConfigWriteError(const std::string& storedPath)
    : std::runtime_error("Unable to write to " + storedPath) {}

ConfigValueError::ConfigValueError(const std::string& value)
    : std::runtime_error("'" + value + "' is not a valid integer value") {}

} // namespace shell
