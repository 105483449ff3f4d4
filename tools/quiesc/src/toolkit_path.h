// The name under which the toolkit sees a file whose own name does not choose the plug-in of
// its type (a .ul file, a file named by -t). Reading goes through a link with the plug-in's
// extension in a private folder; writing goes to a hidden partial name with that extension
// beside the target, renamed onto the target once the toolkit's save succeeded.
#pragma once

#include "file_types.h"

#include <string>

namespace quiesc_tool {

class ToolkitPath {
public:
    enum class Use { Read, Write };
    // A null type leaves the name as it is: the toolkit then reports what it cannot handle.
    ToolkitPath(const std::string& fileName, const FileType* type, Use use);
    ~ToolkitPath();
    ToolkitPath(const ToolkitPath&) = delete;
    ToolkitPath& operator=(const ToolkitPath&) = delete;

    // The name to give the toolkit.
    const std::string& path() const { return path_; }
    // After a successful save: moves the written file onto the real name. False (errno set)
    // when that fails.
    bool publish();
    // The toolkit's message with the stand-in name replaced by the real one.
    std::string realNames(std::string message) const;

private:
    std::string fileName_;
    std::string path_;
    std::string linkFolder_; // the private folder of a read link
    bool standsIn_ = false;
};

} // namespace quiesc_tool
