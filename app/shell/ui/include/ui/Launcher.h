// Opening files and addresses with the desktop's default handler, behind a seam so that tests
// see what would be opened without starting a browser.
#pragma once

#include <functional>
#include <string>

namespace ui {

using OpenHandler = std::function<bool(const std::string& pathOrUrl)>;

// Opens a native path or URL; the result tells whether a handler could be started.
bool openExternally(const std::string& pathOrUrl);
// Replaces the opener (an empty handler restores the desktop's default handler).
void setOpenHandler(OpenHandler handler);

// The help page beside the program's executable: "Import.html".
std::string helpFilePath();

} // namespace ui
