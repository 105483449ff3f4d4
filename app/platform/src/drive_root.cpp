#include "platform/paths.h"

#include <cstdlib>

namespace platform {

namespace {

std::string environmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::string(value) : std::string();
}

} // namespace

std::string driveRoot() {
    if (std::string root = environmentValue("IMPORT_DRIVE_ROOT"); !root.empty()) {
        return root;
    }
    if (std::string data = environmentValue("XDG_DATA_HOME"); !data.empty()) {
        return data + "/quorvel-import/drives";
    }
    return environmentValue("HOME") + "/.local/share/quorvel-import/drives";
}

std::string tempFolder() {
    std::string folder = environmentValue("TMPDIR");
    if (folder.empty()) {
        folder = "/tmp";
    }
    if (folder.back() != '/') {
        folder += '/';
    }
    return folder;
}

} // namespace platform
