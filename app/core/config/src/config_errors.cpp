#include "config/config_store.h"

#include <system_error>

namespace shell {

ConfigWriteError::ConfigWriteError(const std::string& storedPath, const std::string& reason)
    : std::runtime_error("Unable to write to " + storedPath + ": " + reason) {}

ConfigWriteError::ConfigWriteError(const std::string& storedPath, int errorNumber)
    : ConfigWriteError(storedPath, std::generic_category().message(errorNumber)) {}

ConfigValueError::ConfigValueError(const std::string& value)
    : std::runtime_error("'" + value + "' is not a valid integer value") {}

} // namespace shell
