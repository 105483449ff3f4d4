#pragma once
// What a folder holds, for checks that a step left no stray file behind.

#include <algorithm>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace platform_test {

// The names of the entries of `folder`, sorted; empty when it cannot be read.
inline std::vector<std::string> folderEntries(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace platform_test
