#include "config/output_formats.h"

namespace shell {

const OutputFormat& OutputFormatAt(int voxFormatIndex) {
    if (voxFormatIndex < 0 || voxFormatIndex >= kVoxFormatCount) {
        return kOutputFormats.back();
    }
    return kOutputFormats[static_cast<std::size_t>(voxFormatIndex)];
}

int OutputFormatCode(int voxFormatIndex) {
    return OutputFormatAt(voxFormatIndex).formatCode;
}

std::string FormatStatusText(int voxFormatIndex) {
    return OutputFormatAt(voxFormatIndex).statusText;
}

} // namespace shell
