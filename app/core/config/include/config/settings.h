#pragma once
// The single-key settings of section "Startup", one field per key, named after the key. A
// default-constructed Settings holds every key's default (the key table in setting_keys.h is
// where the defaults are written down).

#include "config/output_formats.h"

#include <string>
#include <string_view>

namespace shell {

struct Settings {
    Settings();

    // Selected index of cboFormat (kOutputFormats); -1 when the stored value is out of range
    // (no selection).
    int VoxFormat;
    // Selected index of cboPriority (kPriorityTexts); -1 when out of range.
    int Priority;
    std::string DictatorID;
    bool EnableSched;
    int ConvertInterval;
    bool ShowErrors;
    bool AppendSource;
    bool MoveOutputText;
    bool AppendDate;
    bool ShowTips;
    bool SpeechRec;
    std::string SpeechInput;
    std::string SpeechOutput;
    std::string Interface;
    int Height;
    int Width;
    int Top;
    int Left;
};

} // namespace shell

namespace shell {

// The scheduler's interval as the settings dialog takes it: at least a minute (a count of 0 or
// less would never start a run while the status bar promises one) and at most a day.
inline constexpr int kMinConvertInterval = 1;
inline constexpr int kMaxConvertInterval = 1440;

constexpr bool IsValidConvertInterval(int minutes) {
    return minutes >= kMinConvertInterval && minutes <= kMaxConvertInterval;
}

// The default dictator ID's rule: exactly four characters, each an ASCII digit "0" to "9"
// (digits of other scripts, blanks and signs are refused).
bool IsValidDictatorID(std::string_view text);

} // namespace shell
