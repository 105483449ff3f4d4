#include "dialog_templates.h"

#include <array>
#include <cstring>

namespace textpack {
namespace {

constexpr int idOk = 1;
constexpr int idCancel = 2;
constexpr int idFormatList = 100;
constexpr int idRateList = 101;

constexpr ControlTemplate optionsControls[] = {
    {ControlKind::Combo, idFormatList, "&Format:"},
    {ControlKind::Combo, idRateList, "Sample &rate:"},
    {ControlKind::Button, idOk, "OK"},
    {ControlKind::Button, idCancel, "Cancel"},
};

constexpr ControlTemplate voxAboutControls[] = {
    {ControlKind::Text, 0, "VOX sound file plug-in"},
    {ControlKind::Text, 0,
     "Reads and writes headerless telephony sound files in u-Law, A-Law, Dialogic ADPCM and "
     "8-bit PCM at any sample rate."},
    {ControlKind::Button, idOk, "OK"},
};

constexpr ControlTemplate wavAboutControls[] = {
    {ControlKind::Text, 0, "WAV sound file plug-in"},
    {ControlKind::Text, 0,
     "Reads and writes mono RIFF WAVE files in 16-bit and 8-bit PCM, u-Law, A-Law and "
     "Dialogic ADPCM."},
    {ControlKind::Button, idOk, "OK"},
};

constexpr std::array<DialogTemplate, 4> dialogTemplates = {{
    {"VOXOPTIONS", "VOX File Options", optionsControls},
    {"VOXABOUT", "About the VOX Plug-in", voxAboutControls},
    {"WAVOPTIONS", "WAV File Options", optionsControls},
    {"WAVABOUT", "About the WAV Plug-in", wavAboutControls},
}};

} // namespace

const DialogTemplate* findDialogTemplate(const char* name) {
    if (name == nullptr) {
        return nullptr;
    }
    for (const DialogTemplate& candidate : dialogTemplates) {
        if (std::strcmp(candidate.name, name) == 0) {
            return &candidate;
        }
    }
    return nullptr;
}

} // namespace textpack
