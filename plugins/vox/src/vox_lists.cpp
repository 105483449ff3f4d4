#include "vox/vox_lists.h"

namespace vox {

const VoxFormat* findVoxFormat(uint16_t formatTag) {
    for (const VoxFormat& format : voxFormats) {
        if (format.formatTag == formatTag) {
            return &format;
        }
    }
    return nullptr;
}

uint16_t formatIndexOfTag(uint16_t formatTag) {
    for (uint16_t index = 0; index < voxFormats.size(); ++index) {
        if (voxFormats[index].formatTag == formatTag) {
            return index;
        }
    }
    return defaultFormatIndex;
}

} // namespace vox
