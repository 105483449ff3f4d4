#include "config/settings.h"

#include <array>

namespace shell {

namespace {

constexpr std::array<const char*, kVoxFormatCount> kFormatStatusTexts = {
    "Format:  PCM 8 KHz", "Format:  ADPCM 8 KHz", "Format:  WAV", "Format:  Original"};

} // namespace

int OutputFormatCode(int voxFormatIndex) {
    return voxFormatIndex == kVoxFormatAdpcm ? 23 : 7;
}

std::string FormatStatusText(int voxFormatIndex) {
    if (voxFormatIndex < 0 || voxFormatIndex >= kVoxFormatCount) {
        return kFormatStatusTexts.back();
    }
    return kFormatStatusTexts[static_cast<std::size_t>(voxFormatIndex)];
}

} // namespace shell
