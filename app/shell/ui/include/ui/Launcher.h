// Opening files and addresses with the desktop's default handler, behind a seam so that tests
// see what would be opened without starting a browser. Where the desktop has no application
// for a file, the help and the text files fall back to the program's own viewers.
#pragma once

#include <functional>
#include <string>

class QWidget;

namespace ui {

using OpenHandler = std::function<bool(const std::string& pathOrUrl)>;

// Opens a native path or URL; the result tells whether a handler could be started.
bool openExternally(const std::string& pathOrUrl);
// Replaces the opener (an empty handler restores the desktop's default handler). A replaced
// opener answers at once whether the file was opened.
void setOpenHandler(OpenHandler handler);

// Opens a native path or URL; when no desktop application opens it (the opener cannot be
// started, or it ends with a failure), runs `fallback` on the user-interface thread, unless
// `owner` is gone by then.
void openOrFallBack(const std::string& pathOrUrl, QWidget* owner, std::function<void()> fallback);

// The help page "Import.html" beside the program's executable, or, for an installed program,
// in the package's documentation folder (share/doc/quorvel-import beside bin/).
std::string helpFilePath();

// "&Help" / "&Contents": the help page in the browser, else in the program's help viewer.
void openHelp(QWidget* owner);
// A text file (error log, report) in the desktop's editor, else in a read-only text window.
void openTextDocument(const std::string& nativePath, QWidget* owner);

} // namespace ui
