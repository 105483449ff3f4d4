#pragma once
// Opening a text file for the user, in the desktop's default handler. A seam, so that tests
// see what would be opened without starting a program.

#include <functional>
#include <string>

namespace convert {

// Given a native path; returns false when no handler could be started (callers ignore it).
using DocumentOpener = std::function<bool(const std::string& nativePath)>;

// The desktop's default handler (xdg-open on Linux), given the absolute form of the path.
DocumentOpener DefaultDocumentOpener();

// The native, absolute form of a stored path (resolved as every stored path is).
std::string NativeAbsolutePath(const std::string& storedPath);

} // namespace convert
