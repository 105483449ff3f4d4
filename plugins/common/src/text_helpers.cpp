#include "common/text_helpers.h"

#include <cstring>

namespace common {

const char* findExtension(const char* path) {
    if (path == nullptr || path[0] == '\0') {
        return nullptr;
    }
    const char* dot = std::strrchr(path + 1, '.');
    return dot ? dot + 1 : nullptr;
}

int lastBackslash(const char* text) {
    if (text == nullptr) {
        return -1;
    }
    const char* found = std::strrchr(text, '\\');
    return found ? static_cast<int>(found - text) : -1;
}

} // namespace common
