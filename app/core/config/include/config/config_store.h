#pragma once
// The configuration store: ".\import.ini", section "Startup", read and written key by key.
// Failed writes raise ConfigWriteError ("Unable to write to <file>: <reason>") and abandon the
// operation.

#include "config/directory_table.h"
#include "config/setting_keys.h"
#include "config/settings.h"

#include <stdexcept>
#include <string>
#include <string_view>

namespace shell {

inline constexpr const char* kConfigFileName = ".\\import.ini";
inline constexpr const char* kConfigSection = "Startup";

// "Unable to write to <file>", followed by why: a message without its reason leaves the user
// guessing between a full disk, a read-only folder and a file that is a folder.
class ConfigWriteError : public std::runtime_error {
public:
    ConfigWriteError(const std::string& storedPath, const std::string& reason);
    // The reason is the system's text for the error number.
    ConfigWriteError(const std::string& storedPath, int errorNumber);
};

// A stored value that the tips window cannot convert to an integer.
class ConfigValueError : public std::runtime_error {
public:
    explicit ConfigValueError(const std::string& value);
};

// Integer and boolean reading rules: decimal, or hexadecimal after "0x"/"0X" (longer than two
// characters); missing, non-numeric or out-of-range values yield the default. Booleans are
// integers, any value other than 0 is true.
int ParseStoredInteger(std::string_view value, int defaultValue);
bool ParseStoredBoolean(std::string_view value, bool defaultValue);

class ConfigStore {
public:
    explicit ConfigStore(std::string storedPath = kConfigFileName);

    const std::string& path() const { return storedPath_; }
    bool exists() const;

    // The first run: when the file does not exist, writes the 404 directory keys (rows 1-101,
    // InputDir, OutputDir, UserID, Loc row by row). Returns true when it wrote them.
    bool EnsureFirstRun() const;
    void WriteFirstRunTable() const;

    // Every single-key setting, in table order, with its default.
    Settings LoadSettings() const;

    // The settings dialog's OK: VoxFormat, Priority, DictatorID, EnableSched, ConvertInterval,
    // ShowErrors, MoveOutputText, AppendSource, AppendDate, SpeechRec, SpeechInput,
    // SpeechOutput, Interface, in this order.
    void SaveSettings(const Settings& settings) const;

    // Closing the main window: Height, Width, Top, Left.
    void SaveGeometry(int height, int width, int top, int left) const;

    // The tips window reads ShowTips itself with a 2-character buffer (so only its first
    // character, default "1") and converts it to an integer: throws ConfigValueError when that
    // character is not a number. True when it equals 1.
    bool ReadTipsCheckBox() const;
    // Stores ShowTips as "1" or "0".
    void WriteTipsFlag(bool show) const;

    DirectoryTable ReadDirectoryTable() const;

    // The directories dialog's Save: for grid rows 1 to 100 (gridRows[i] is grid row i + 1;
    // rows beyond the vector are empty) writes InputDir, OutputDir, UserID and Loc as
    // SavedRowValues gives them, then creates the row's output folder as typed (one level,
    // failures ignored). A failed write raises ConfigWriteError; rows written before it stay.
    void SaveDirectoryTable(const std::vector<DirectoryRow>& gridRows) const;

    std::string ReadString(std::string_view key, std::string_view defaultValue) const;
    // Throws ConfigWriteError when the value could not be written.
    void WriteString(std::string_view key, std::string_view value) const;
    void WriteInteger(std::string_view key, int value) const;
    void WriteBoolean(std::string_view key, bool value) const;

private:
    void WriteKeysOf(SettingWriter writer, const Settings& settings) const;

    std::string storedPath_;
};

} // namespace shell
