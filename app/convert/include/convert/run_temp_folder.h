#pragma once
// The temporary folder of one conversion run: a private folder below the temporary-files
// folder ("<tmp>/quorvel-import-<user id>/run-<process id>/"), so that no other user can place
// or read a run's files and two runs never share a name. Folders that ended runs left behind
// (a crash, a kill) are removed when the next run starts; the run's own folder is removed when
// the run ends. A folder of that name that is a link, not a folder, or another user's is never
// used.

#include <string>

namespace convert {

class RunTempFolder {
public:
    // baseFolder is native and ends with "/"; by default the temporary-files folder.
    explicit RunTempFolder(std::string baseFolder = DefaultBase());
    ~RunTempFolder();
    RunTempFolder(const RunTempFolder&) = delete;
    RunTempFolder& operator=(const RunTempFolder&) = delete;

    // False when the folder could not be made private to this user; path() is then empty and
    // failure() says why ("/tmp/quorvel-import-1000 is a symbolic link").
    bool ready() const { return !path_.empty(); }
    // Native, ending with "/".
    const std::string& path() const { return path_; }
    const std::string& failure() const { return failure_; }

    static std::string DefaultBase();

private:
    std::string path_;
    std::string failure_;
};

} // namespace convert
