#include "config/config_store.h"

#include "platform/paths.h"
#include "platform/private_profile.h"

namespace shell {

namespace {

int selectorIndex(int stored, int count) {
    return (stored >= 0 && stored < count) ? stored : -1;
}

} // namespace

ConfigStore::ConfigStore(std::string storedPath)
    : storedPath_(std::move(storedPath)) {}

bool ConfigStore::exists() const {
    return platform::pathExists(storedPath_);
}

bool ConfigStore::EnsureFirstRun() const {
    if (exists()) {
        return false;
    }
    WriteFirstRunTable();
    return true;
}

void ConfigStore::WriteFirstRunTable() const {
    for (int row = 1; row <= kMaxTableRows; ++row) {
        for (int column = 0; column < kDirectoryColumnCount; ++column) {
            WriteString(DirectoryKey(column, row), FirstRunCell(column, row));
        }
    }
}

std::string ConfigStore::ReadString(std::string_view key, std::string_view defaultValue) const {
    return platform::PrivateProfile(storedPath_).readString(kConfigSection, key, defaultValue);
}

void ConfigStore::WriteString(std::string_view key, std::string_view value) const {
    if (!platform::PrivateProfile(storedPath_).writeString(kConfigSection, key, value)) {
        throw ConfigWriteError(storedPath_);
    }
}

void ConfigStore::WriteInteger(std::string_view key, int value) const {
    WriteString(key, std::to_string(value));
}

void ConfigStore::WriteBoolean(std::string_view key, bool value) const {
    WriteString(key, value ? "1" : "0");
}

Settings ConfigStore::LoadSettings() const {
    const Settings defaults;
    Settings s;
    auto integer = [this](const char* key, int fallback) {
        return ParseStoredInteger(ReadString(key, ""), fallback);
    };
    auto boolean = [this](const char* key, bool fallback) {
        return ParseStoredBoolean(ReadString(key, ""), fallback);
    };
    s.VoxFormat = selectorIndex(integer("VoxFormat", defaults.VoxFormat), kVoxFormatCount);
    s.Priority = selectorIndex(integer("Priority", defaults.Priority), kPriorityCount);
    s.DictatorID = ReadString("DictatorID", defaults.DictatorID);
    s.EnableSched = boolean("EnableSched", defaults.EnableSched);
    s.ConvertInterval = integer("ConvertInterval", defaults.ConvertInterval);
    s.ShowErrors = boolean("ShowErrors", defaults.ShowErrors);
    s.AppendSource = boolean("AppendSource", defaults.AppendSource);
    s.MoveOutputText = boolean("MoveOutputText", defaults.MoveOutputText);
    s.AppendDate = boolean("AppendDate", defaults.AppendDate);
    s.ShowTips = boolean("ShowTips", defaults.ShowTips);
    s.SpeechRec = boolean("SpeechRec", defaults.SpeechRec);
    s.SpeechInput = ReadString("SpeechInput", defaults.SpeechInput);
    s.SpeechOutput = ReadString("SpeechOutput", defaults.SpeechOutput);
    s.Interface = ReadString("Interface", defaults.Interface);
    s.Height = integer("Height", defaults.Height);
    s.Width = integer("Width", defaults.Width);
    s.Top = integer("Top", defaults.Top);
    s.Left = integer("Left", defaults.Left);
    return s;
}

void ConfigStore::SaveSettings(const Settings& s) const {
    WriteInteger("VoxFormat", s.VoxFormat);
    WriteInteger("Priority", s.Priority);
    WriteString("DictatorID", s.DictatorID);
    WriteBoolean("EnableSched", s.EnableSched);
    WriteInteger("ConvertInterval", s.ConvertInterval);
    WriteBoolean("ShowErrors", s.ShowErrors);
    WriteBoolean("MoveOutputText", s.MoveOutputText);
    WriteBoolean("AppendSource", s.AppendSource);
    WriteBoolean("AppendDate", s.AppendDate);
    WriteBoolean("SpeechRec", s.SpeechRec);
    WriteString("SpeechInput", s.SpeechInput);
    WriteString("SpeechOutput", s.SpeechOutput);
    WriteString("Interface", s.Interface);
}

void ConfigStore::SaveGeometry(int height, int width, int top, int left) const {
    WriteInteger("Height", height);
    WriteInteger("Width", width);
    WriteInteger("Top", top);
    WriteInteger("Left", left);
}

bool ConfigStore::ReadTipsCheckBox() const {
    const std::string first =
        platform::PrivateProfile(storedPath_).readString(kConfigSection, "ShowTips", "1", 2);
    if (first.size() != 1 || first[0] < '0' || first[0] > '9') {
        throw ConfigValueError(first);
    }
    return first == "1";
}

void ConfigStore::WriteTipsFlag(bool show) const {
    WriteString("ShowTips", show ? "1" : "0");
}

DirectoryTable ConfigStore::ReadDirectoryTable() const {
    return shell::ReadDirectoryTable(platform::ProfileReader(storedPath_));
}

} // namespace shell
