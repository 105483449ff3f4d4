#include "config/setting_keys.h"

#include "config/config_store.h"

namespace shell {

namespace {

using K = SettingKind;
using W = SettingWriter;

int selectorIndex(int stored, int count) {
    return (stored >= 0 && stored < count) ? stored : -1;
}

int parsedInteger(const SettingKey& key, const char* stored) {
    const int fallback = ParseStoredInteger(key.defaultValue, 0);
    const int value = stored != nullptr ? ParseStoredInteger(stored, fallback) : fallback;
    return key.kind == K::Selector ? selectorIndex(value, key.selectorCount) : value;
}

} // namespace

const std::array<SettingKey, 19> kSettingKeys = {{
    {"VoxFormat", &Settings::VoxFormat, K::Selector, "3", W::SettingsDialog, kVoxFormatCount},
    {"Priority", &Settings::Priority, K::Selector, "0", W::SettingsDialog, kPriorityCount},
    {"DictatorID", &Settings::DictatorID, K::Text, "9999", W::SettingsDialog},
    {"EnableSched", &Settings::EnableSched, K::Boolean, "0", W::SettingsDialog},
    {"ConvertInterval", &Settings::ConvertInterval, K::Integer, "30", W::SettingsDialog},
    {"ShowErrors", &Settings::ShowErrors, K::Boolean, "0", W::SettingsDialog},
    {"MoveOutputText", &Settings::MoveOutputText, K::Boolean, "0", W::SettingsDialog},
    {"AppendSource", &Settings::AppendSource, K::Boolean, "0", W::SettingsDialog},
    {"AppendDate", &Settings::AppendDate, K::Boolean, "0", W::SettingsDialog},
    {"SpeechRec", &Settings::SpeechRec, K::Boolean, "0", W::SettingsDialog},
    {"SpeechInput", &Settings::SpeechInput, K::Text, "C:\\Dragon\\Input", W::SettingsDialog},
    {"SpeechOutput", &Settings::SpeechOutput, K::Text, "C:\\Dragon\\Output", W::SettingsDialog},
    {"Interface", &Settings::Interface, K::Text, "", W::SettingsDialog},
    {"ShowTips", &Settings::ShowTips, K::Boolean, "1", W::TipsWindow},
    {"Height", &Settings::Height, K::Integer, "307", W::Geometry},
    {"Width", &Settings::Width, K::Integer, "500", W::Geometry},
    {"Top", &Settings::Top, K::Integer, "200", W::Geometry},
    {"Left", &Settings::Left, K::Integer, "200", W::Geometry},
    {"SettleSeconds", &Settings::SettleSeconds, K::Integer, "3", W::ByHand},
}};

Settings::Settings() {
    for (const SettingKey& key : kSettingKeys) {
        ApplyStoredText(key, nullptr, *this);
    }
}

std::string StoredText(const SettingKey& key, const Settings& settings) {
    struct Visitor {
        const Settings& s;
        std::string operator()(int Settings::*field) const { return std::to_string(s.*field); }
        std::string operator()(bool Settings::*field) const { return s.*field ? "1" : "0"; }
        std::string operator()(std::string Settings::*field) const { return s.*field; }
    };
    return std::visit(Visitor{settings}, key.holder);
}

void ApplyStoredText(const SettingKey& key, const char* stored, Settings& settings) {
    struct Visitor {
        const SettingKey& key;
        const char* stored;
        Settings& s;
        void operator()(int Settings::*field) const { s.*field = parsedInteger(key, stored); }
        void operator()(bool Settings::*field) const { s.*field = parsedInteger(key, stored) != 0; }
        void operator()(std::string Settings::*field) const {
            s.*field = stored != nullptr ? stored : key.defaultValue;
        }
    };
    std::visit(Visitor{key, stored, settings}, key.holder);
}

} // namespace shell

namespace shell {

void CopyKeysOf(SettingWriter writer, const Settings& from, Settings& to) {
    for (const SettingKey& key : kSettingKeys) {
        if (key.writer == writer) {
            std::visit([&](auto field) { to.*field = from.*field; }, key.holder);
        }
    }
}

} // namespace shell
