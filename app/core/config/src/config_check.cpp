#include "config/config_check.h"

#include "config/directory_table.h"
#include "platform/paths.h"
#include "platform/private_profile.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace shell {
namespace {

std::string FileNameOf(const std::string& storedPath) {
    const std::size_t separator = storedPath.find_last_of("\\/");
    return separator == std::string::npos ? storedPath : storedPath.substr(separator + 1);
}

bool StartsWithUtf16Mark(const std::string& storedPath) {
    std::ifstream file(platform::resolvePath(storedPath), std::ios::binary);
    char mark[2] = {};
    return file.read(mark, sizeof mark) &&
           ((mark[0] == '\xFF' && mark[1] == '\xFE') || (mark[0] == '\xFE' && mark[1] == '\xFF'));
}

std::optional<std::string> LoadProblem(int error, const std::string& name) {
    switch (error) {
    case 0:
        return std::nullopt;
    case ENOENT: {
        std::error_code ignored;
        return "no " + name + " in " + std::filesystem::current_path(ignored).string();
    }
    case EISDIR:
    case EINVAL:
        return name + " is not a regular file";
    default:
        return name + " cannot be read (" + std::strerror(error) + ")";
    }
}

} // namespace

std::optional<std::string> ConfigFileProblem(const std::string& storedPath) {
    const std::string name = FileNameOf(storedPath);
    const platform::ProfileReader profile(storedPath);
    if (auto problem = LoadProblem(profile.loadError(), name))
        return problem;
    if (!profile.hasSection(kConfigSection)) {
        if (StartsWithUtf16Mark(storedPath))
            return name + " is UTF-16 text, which is not read: save it as UTF-8";
        return name + " has no [" + kConfigSection + "] section";
    }
    const DirectoryTable table = ReadDirectoryTable(profile);
    bool namesAFolder = false;
    for (int row = 1; row <= table.tableRowCount; ++row) {
        const DirectoryRow& read = table.rowsRead[static_cast<std::size_t>(row - 1)];
        if (auto refusal = DirectoryRowRefusal(read, row))
            return name + ", directory " + *refusal;
        namesAFolder = namesAFolder || !IsBlankFolder(read.inputDir());
    }
    if (!namesAFolder)
        return name + " has no directory row with an input folder";
    return std::nullopt;
}

} // namespace shell
