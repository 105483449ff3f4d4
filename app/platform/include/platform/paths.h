#pragma once
// Stored paths are kept as the user typed them (`\` or `/`, drive letters); these functions turn
// them into native paths at the file-system boundary and join them in their own style.

#include <string>
#include <string_view>

namespace platform {

// The folder that stands for the drive letters: $IMPORT_DRIVE_ROOT, else
// $XDG_DATA_HOME/quorvel-import/drives, else ~/.local/share/quorvel-import/drives.
std::string driveRoot();

// Turns a stored path into a native one. A drive letter ("C:\x", "c:/x", "C:") maps to
// driveRoot()/c/x; both separators split components; a component that does not exist with its
// exact case is replaced by the directory entry that matches it ignoring case; components that
// do not exist in any case stay as written. Relative paths stay relative to the working folder.
std::string resolvePath(std::string_view stored);

// True when a stored path with a drive letter climbs with ".." above its drive's folder
// ("C:\Convert\..\..\x"): resolved, it would lie outside the drive root or on another drive.
// Paths without a drive letter are never counted: they name native folders as they are.
bool leavesItsDrive(std::string_view stored);

// Joins a folder and a name in the folder's own style: `\` for a folder written with `\` or a
// drive letter, `/` otherwise; no doubled separator when the folder already ends in one. An
// empty folder yields the name.
std::string joinPath(std::string_view folder, std::string_view name);

// True when the stored path is written in the backslash style (a `\` or a drive letter).
bool usesBackslashStyle(std::string_view stored);

// The temporary-files folder: $TMPDIR, else /tmp, always ending in '/'.
std::string tempFolder();

// The folder of the running executable, ending in '/' (empty when it cannot be found).
std::string executableFolder();

// True when the stored path names an existing file or folder.
bool pathExists(std::string_view stored);

// True when the stored path names an existing folder.
bool isDirectory(std::string_view stored);

} // namespace platform
