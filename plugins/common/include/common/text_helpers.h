// Small text helpers shared by the toolkit and the plug-ins.
#pragma once

namespace common {

// The text after the last '.' of the path, searching from its second character, or null when
// there is none. The dot may lie in a directory name.
const char* findExtension(const char* path);
// The index of the last backslash in the text, or -1.
int lastBackslash(const char* text);

} // namespace common
