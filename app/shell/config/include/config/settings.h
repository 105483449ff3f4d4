#pragma once
// The single-key settings of section "Startup", one field per key, named after the key, with
// the defaults used when a key is missing or unreadable.

#include <string>

namespace shell {

struct Settings {
    // Selected index of cboFormat: 0 "PCM 8 KHz (vox)", 1 "ADPCM 8 KHz (vox)", 2 "WAV",
    // 3 "Original Format"; -1 when the stored value is out of range (no selection).
    int VoxFormat = 3;
    // Selected index of cboPriority: 0 "Normal", 1 "Stat"; -1 when out of range.
    int Priority = 0;
    std::string DictatorID = "9999";
    bool EnableSched = false;
    int ConvertInterval = 30;
    bool ShowErrors = false;
    bool AppendSource = false;
    bool MoveOutputText = false;
    bool AppendDate = false;
    bool ShowTips = true;
    bool SpeechRec = false;
    std::string SpeechInput = "C:\\Dragon\\Input";
    std::string SpeechOutput = "C:\\Dragon\\Output";
    std::string Interface;
    int Height = 307;
    int Width = 500;
    int Top = 200;
    int Left = 200;
};

// Number of entries of the two selectors.
inline constexpr int kVoxFormatCount = 4;
inline constexpr int kPriorityCount = 2;
inline constexpr int kVoxFormatAdpcm = 1;

// The format tag a VOX output is written with: 23 for "ADPCM 8 KHz (vox)", otherwise 7.
int OutputFormatCode(int voxFormatIndex);

// The text of status panel 2 for an output format index ("Format:  Original" for 3 or none).
std::string FormatStatusText(int voxFormatIndex);

} // namespace shell
