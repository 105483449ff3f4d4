#pragma once
// The single keys of section "Startup" as one table: the key name, the Settings field that
// holds its value while the program runs, how it is stored, its default and who writes it.
// Loading, saving and the defaults of Settings all walk this table.

#include "config/settings.h"

#include <array>
#include <string>
#include <variant>

namespace shell {

enum class SettingKind {
    Integer,  // decimal; hexadecimal after "0x" on reading
    Selector, // an integer that is a selector's index; out of range reads as -1 (no selection)
    Boolean,  // "1" / "0"; any integer but 0 reads as true
    Text,
};

enum class SettingWriter {
    SettingsDialog, // written by the settings dialog's OK, in table order
    TipsWindow,     // written by the tips window itself
    Geometry,       // written when the main window closes, in table order
    ByHand,         // never written by the program: set in import.ini by hand
};

using SettingHolder = std::variant<int Settings::*, bool Settings::*, std::string Settings::*>;

struct SettingKey {
    const char* name;
    SettingHolder holder;
    SettingKind kind;
    const char* defaultValue; // as it would be stored
    SettingWriter writer;
    int selectorCount = 0; // the number of entries of a Selector
};

// In the order the settings dialog writes its keys (reading order is not observable).
extern const std::array<SettingKey, 19> kSettingKeys;

// The value of a key's field as it is stored ("1"/"0" for booleans, decimal integers).
std::string StoredText(const SettingKey& key, const Settings& settings);

// Sets a key's field from a stored value (missing values are passed as nullptr): unreadable
// or missing values yield the key's default.
void ApplyStoredText(const SettingKey& key, const char* stored, Settings& settings);

} // namespace shell

namespace shell {

// Copies the fields of the keys that `writer` writes from one Settings to another.
void CopyKeysOf(SettingWriter writer, const Settings& from, Settings& to);

} // namespace shell
