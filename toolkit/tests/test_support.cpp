#include "test_support.h"

#include "Quiesc.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace toolkit_test {

PluginFolder::PluginFolder(const std::string& folder) {
    if (const char* current = std::getenv("QUIESC_PLUGIN_DIR")) {
        previous_ = current;
    }
    ::setenv("QUIESC_PLUGIN_DIR", folder.c_str(), 1);
}

PluginFolder::~PluginFolder() {
    if (previous_) {
        ::setenv("QUIESC_PLUGIN_DIR", previous_->c_str(), 1);
    } else {
        ::unsetenv("QUIESC_PLUGIN_DIR");
    }
}

std::string PluginFolder::standIn(const char* behaviour) {
    return std::string(TEST_PLUGIN_ROOT) + "/" + behaviour;
}

std::string lastError() {
    char buffer[QC_ERROR_TEXT_SIZE];
    return GetLastQcErrorText(buffer);
}

std::optional<RecordedCall> readRecord(const std::string& fileName) {
    std::ifstream in(fileName, std::ios::binary);
    RecordedCall call{};
    if (!in.read(reinterpret_cast<char*>(&call), sizeof call)) {
        return std::nullopt;
    }
    return call;
}

void writeFile(const std::string& fileName, const std::string& bytes) {
    std::ofstream(fileName, std::ios::binary) << bytes;
}

std::string readFile(const std::string& fileName) {
    std::ifstream in(fileName, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace toolkit_test
