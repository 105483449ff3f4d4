#pragma once
// The output formats of the settings dialog's selector cboFormat, in selector order. One table
// drives the selector's texts, the format tag of a VOX output, the output file's extension and
// the status bar's format text.

#include <array>
#include <string>

namespace shell {

// Where an output file's extension comes from.
enum class OutputExtensionRule {
    Vox,             // ".vox"
    Wav,             // ".wav"
    SourceExtension, // the input file's own extension (the file is copied unchanged)
};

struct OutputFormat {
    const char* selectorText;
    int formatCode; // the format tag a VOX output is written with
    OutputExtensionRule extension;
    const char* statusText; // status panel 2
};

inline constexpr std::array<OutputFormat, 4> kOutputFormats = {{
    {"PCM 8 KHz (vox)", 7, OutputExtensionRule::Vox, "Format:  PCM 8 KHz"},
    {"ADPCM 8 KHz (vox)", 23, OutputExtensionRule::Vox, "Format:  ADPCM 8 KHz"},
    {"WAV", 7, OutputExtensionRule::Wav, "Format:  WAV"},
    {"Original Format", 7, OutputExtensionRule::SourceExtension, "Format:  Original"},
}};

inline constexpr int kVoxFormatCount = static_cast<int>(kOutputFormats.size());

// The format of a selected index; without a selection (or out of range) the output counts as
// "Original Format".
const OutputFormat& OutputFormatAt(int voxFormatIndex);

// The format tag a VOX output is written with: 23 for "ADPCM 8 KHz (vox)", otherwise 7.
int OutputFormatCode(int voxFormatIndex);

// The text of status panel 2 for an output format index ("Format:  Original" for 3 or none).
std::string FormatStatusText(int voxFormatIndex);

// The priorities of the selector cboPriority ("Priority status:"), in selector order.
inline constexpr std::array<const char*, 2> kPriorityTexts = {"Normal", "Stat"};
inline constexpr int kPriorityCount = static_cast<int>(kPriorityTexts.size());

} // namespace shell
