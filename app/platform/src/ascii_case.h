#pragma once
// Case folding of the file system and the profile layer: ASCII letters only, so that names in
// other scripts compare byte for byte and never change meaning with the locale.

#include <string>
#include <string_view>

namespace platform::detail {

inline char asciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}

inline bool asciiEqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (asciiLower(a[i]) != asciiLower(b[i])) {
            return false;
        }
    }
    return true;
}

inline std::string asciiLowered(std::string_view text) {
    std::string result(text);
    for (char& c : result) {
        c = asciiLower(c);
    }
    return result;
}

inline bool isPathSeparator(char c) {
    return c == '/' || c == '\\';
}

inline bool hasDriveLetter(std::string_view stored) {
    if (stored.size() < 2 || stored[1] != ':') {
        return false;
    }
    const char letter = asciiLower(stored[0]);
    return letter >= 'a' && letter <= 'z';
}

} // namespace platform::detail
