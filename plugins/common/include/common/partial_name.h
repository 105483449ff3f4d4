// The name under which a save writes its file until the file is complete.
#pragma once

#include <string>
#include <string_view>

namespace common {

// ".<name>.<pid>-<token>.part" in the folder of `target`: the leading "." and the ".part"
// ending keep every job rule of the application from taking the file for a dictation or an
// output, and the process id and the token keep two saves from sharing one name.
std::string partialPathFor(const std::string& target, unsigned token);

// True for a file name (without folder) of that form.
bool isPartialName(std::string_view name);

} // namespace common
