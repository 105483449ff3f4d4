#include "toolkit_path.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace quiesc_tool {
namespace {

bool choosesPlugin(const std::string& fileName, const FileType& type) {
    const FileType* named = typeOfFileName(fileName);
    return named != nullptr && std::string(named->name) == type.pluginExtension;
}

std::string absolutePath(const std::string& fileName) {
    char folder[PATH_MAX];
    if (fileName.rfind('/', 0) == 0 || ::getcwd(folder, sizeof folder) == nullptr) {
        return fileName;
    }
    return std::string(folder) + "/" + fileName;
}

std::string temporaryFolder() {
    const char* folder = std::getenv("TMPDIR");
    return folder != nullptr && *folder != '\0' ? folder : "/tmp";
}

} // namespace

ToolkitPath::ToolkitPath(const std::string& fileName, const FileType* type, Use use)
    : fileName_(fileName) {
    if (type == nullptr || choosesPlugin(fileName, *type)) {
        path_ = fileName;
        return;
    }
    standsIn_ = true;
    const std::string extension = std::string(".") + type->pluginExtension;
    if (use == Use::Write) {
        const std::size_t slash = fileName.rfind('/');
        const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
        path_ = fileName.substr(0, nameStart) + "." + fileName.substr(nameStart) + "." +
                std::to_string(::getpid()) + ".part" + extension;
        return;
    }
    std::string pattern = temporaryFolder() + "/quiesc-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) {
        path_ = fileName;
        standsIn_ = false;
        return;
    }
    linkFolder_ = pattern;
    path_ = linkFolder_ + "/input" + extension;
    // A link to a missing file opens as missing, and the message then names the real file.
    if (::symlink(absolutePath(fileName).c_str(), path_.c_str()) != 0) {
        path_ = fileName;
        standsIn_ = false;
    }
}

ToolkitPath::~ToolkitPath() {
    if (!standsIn_) {
        return;
    }
    ::unlink(path_.c_str()); // the link, or the file of a save that could not be published
    if (!linkFolder_.empty()) {
        ::rmdir(linkFolder_.c_str());
    }
}

bool ToolkitPath::publish() {
    if (!standsIn_ || !linkFolder_.empty()) {
        return true;
    }
    return std::rename(path_.c_str(), fileName_.c_str()) == 0;
}

std::string ToolkitPath::realNames(std::string message) const {
    if (!standsIn_) {
        return message;
    }
    for (std::size_t at = message.find(path_); at != std::string::npos;
         at = message.find(path_, at + fileName_.size())) {
        message.replace(at, path_.size(), fileName_);
    }
    return message;
}

} // namespace quiesc_tool
