#pragma once
// The folder and the name of a native path ("/" separates).

#include <string>
#include <string_view>

namespace files {

// The folder without its trailing "/": "." for a bare name, "/" for a name in the root.
std::string folderOf(std::string_view nativePath);

// The part after the last "/" (the whole path when there is none).
std::string nameOf(std::string_view nativePath);

} // namespace files
