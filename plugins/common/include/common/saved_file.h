// The file a plug-in's save writes. The bytes go to a partial file beside the target
// (files/partial_file.h), which replaces the target only once it is complete and on the storage
// device. A save that fails, or is abandoned, removes the partial file and leaves any earlier
// file at the target untouched.
//
// A target that exists and cannot be replaced by a rename (a device, a pipe, an anonymous file
// reached through /proc/self/fd) is written directly, as before. A symbolic link to a file keeps
// the link: the file it names is replaced.
#pragma once

#include "common/plugin_file.h"

#include <optional>
#include <string>

namespace common {

class SavedFile {
public:
    // Creates the partial file; a failure is reported as the system's text with `targetName`,
    // which the object refers to, not copies.
    explicit SavedFile(const char* targetName);
    ~SavedFile();
    SavedFile(const SavedFile&) = delete;
    SavedFile& operator=(const SavedFile&) = delete;

    bool isOpen() const { return file_.has_value() && file_->isOpen(); }
    // Where the bytes go; its failures are reported with the target's name.
    PluginFile& file() { return *file_; }

    // Flushes and closes the file and moves it over the target. False (reported with the
    // target's name) when any step fails; the partial file is then gone and the target as it was.
    bool commit();

private:
    bool openPartial(const std::string& published);
    void discardPartial();

    const char* targetName_;
    std::string publishedPath_; // the file the complete partial file replaces
    std::string partialPath_;   // empty when the target is written directly
    std::optional<PluginFile> file_;
};

} // namespace common
