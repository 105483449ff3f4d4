// A test's working folder and drive root: the configuration file lies in the working folder,
// and stored drive paths such as C:\Dict\Type1 land below the drive root.
#pragma once

#include "platform_test/test_folder.h"

#include <QString>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace ui_test {

class Workspace {
public:
    Workspace()
        : driveRoot_("IMPORT_DRIVE_ROOT", (folder_.path() / "drives").string())
        , working_((folder_.makeFolder("work"))) {}

    std::filesystem::path root() const { return folder_.path(); }
    std::filesystem::path workFolder() const { return folder_.path() / "work"; }
    std::filesystem::path configFile() const { return workFolder() / "import.ini"; }

    // A file below the drive root, e.g. ("c/Dict/Type1/abc.wav", 1000 bytes).
    std::filesystem::path addDriveFile(const std::string& relative, std::size_t size) const {
        return folder_.writeFile(std::filesystem::path("drives") / relative,
                                 std::string(size, 'x'));
    }

    void addDriveFolder(const std::string& relative) const {
        folder_.makeFolder(std::filesystem::path("drives") / relative);
    }

    // A file anywhere below the workspace, e.g. ("desktop/a.wav", "RIFF").
    std::filesystem::path addFile(const std::string& relative, const std::string& content) const {
        return folder_.writeFile(relative, content);
    }

    // Writes import.ini with these [Startup] lines (CRLF).
    void writeConfig(const std::vector<std::string>& lines) const {
        std::string text = "[Startup]\r\n";
        for (const std::string& line : lines)
            text += line + "\r\n";
        folder_.writeFile("work/import.ini", text);
    }

    std::string configText() const { return platform_test::readFileBytes(configFile()); }

    // The keys of import.ini in file order, with their values.
    std::vector<std::pair<std::string, std::string>> configEntries() const {
        std::vector<std::pair<std::string, std::string>> entries;
        std::string text = configText();
        std::size_t start = 0;
        while (start < text.size()) {
            std::size_t end = text.find('\n', start);
            if (end == std::string::npos)
                end = text.size();
            std::string line = text.substr(start, end - start);
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            const std::size_t equals = line.find('=');
            if (equals != std::string::npos && !line.starts_with('['))
                entries.emplace_back(line.substr(0, equals), readValue(line.substr(equals + 1)));
            start = end + 1;
        }
        return entries;
    }

    std::map<std::string, std::string> configMap() const {
        std::map<std::string, std::string> keys;
        for (const auto& [key, value] : configEntries())
            keys.emplace(key, value);
        return keys;
    }

private:
    // A value as the profile layer reads it: blanks trimmed, then one pair of quotes removed.
    static std::string readValue(std::string value) {
        const std::size_t first = value.find_first_not_of(" \t");
        const std::size_t last = value.find_last_not_of(" \t");
        value = first == std::string::npos ? std::string() : value.substr(first, last - first + 1);
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        return value;
    }

    platform_test::TestFolder folder_;
    platform_test::ScopedEnv driveRoot_;
    platform_test::ScopedWorkingFolder working_;
};

} // namespace ui_test
