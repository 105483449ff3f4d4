#pragma once
// Publishing a complete partial file: on disk first, then moved into place, then the move
// itself on disk, so that a crash at any moment leaves either no file at the target or the
// whole one.

#include <string>

namespace files {

enum class PublishResult {
    Published,    // the target now holds the complete file
    TargetExists, // refused: a file of that name exists and must not be replaced
    Failed,       // an error (errno tells); nothing is left at the partial path
};

// Flushes a closed file to the storage device. False with errno set.
bool syncFile(const std::string& nativePath);

// Flushes a folder's entries (a rename, a creation) to the storage device. A failure loses
// nothing that is not already in place, so callers may ignore it.
bool syncFolder(const std::string& nativeFolder);

// Renames a file, failing (errno EEXIST) rather than replacing a file of the new name.
bool moveWithoutReplacing(const std::string& nativeFrom, const std::string& nativeTo);

// The same for entries of folders open as descriptors (AT_FDCWD for the working folder): each
// name is one entry of its folder, never a path that leads elsewhere.
bool moveWithoutReplacingAt(int fromFolder, const std::string& fromName, int toFolder,
                            const std::string& toName);

// Moves a partial file that is already on disk to its target and flushes the target's folder.
// Without replace an existing target is never replaced, not even one that appears meanwhile.
// On any result but Published the partial file is removed.
PublishResult moveIntoPlace(const std::string& nativePartial, const std::string& nativeTarget,
                            bool replace);

// syncFile, then moveIntoPlace; a partial file that cannot be flushed is removed (Failed).
PublishResult publish(const std::string& nativePartial, const std::string& nativeTarget,
                      bool replace);

} // namespace files
