#include "config/config_store.h"

#include "config/setting_keys.h"
#include "platform/paths.h"
#include "platform/private_profile.h"

#include <cerrno>

namespace shell {

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
    errno = 0;
    if (!platform::PrivateProfile(storedPath_).writeString(kConfigSection, key, value)) {
        // A refused name or value fails before any system call could set errno.
        throw ConfigWriteError(storedPath_, errno != 0 ? errno : EINVAL);
    }
}

void ConfigStore::WriteInteger(std::string_view key, int value) const {
    WriteString(key, std::to_string(value));
}

void ConfigStore::WriteBoolean(std::string_view key, bool value) const {
    WriteString(key, value ? "1" : "0");
}

Settings ConfigStore::LoadSettings() const {
    Settings settings;
    for (const SettingKey& key : kSettingKeys) {
        // A text key that is present but empty stays empty; a number reads as its default.
        const std::string stored =
            ReadString(key.name, key.kind == SettingKind::Text ? key.defaultValue : "");
        ApplyStoredText(key, stored.c_str(), settings);
    }
    return settings;
}

void ConfigStore::WriteKeysOf(SettingWriter writer, const Settings& settings) const {
    for (const SettingKey& key : kSettingKeys) {
        if (key.writer == writer) {
            WriteString(key.name, StoredText(key, settings));
        }
    }
}

void ConfigStore::SaveSettings(const Settings& settings) const {
    WriteKeysOf(SettingWriter::SettingsDialog, settings);
}

void ConfigStore::SaveGeometry(int height, int width, int top, int left) const {
    Settings geometry;
    geometry.Height = height;
    geometry.Width = width;
    geometry.Top = top;
    geometry.Left = left;
    WriteKeysOf(SettingWriter::Geometry, geometry);
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
