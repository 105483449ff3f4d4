#include "vox/vox_plugin.h"

#include "vox/vox_lists.h"
#include "vox_messages.h"
#include "vox_options_dialog.h"

#include "common/call_frame.h"
#include "common/saved_file.h"
#include "sample_io/encoded_writer.h"

namespace vox {
namespace {

// Settled before the file is touched: a cancelled dialog leaves any existing file as it is.
bool settleFormatTag(const SoundHeader& header, PluginOptions& options, uint16_t& formatTag) {
    if (options.useHeaderFormat) {
        formatTag = header.formatTag;
        return true;
    }
    VoxSelection selection{formatIndexOfTag(header.formatTag), 0};
    if (!runVoxOptions(DialogMode::Save, selection, options)) {
        return false;
    }
    formatTag = voxFormats[selection.formatIndex].formatTag;
    return true;
}

} // namespace

bool saveVox(const char* fileName, SoundHeader* header, const int16_t* body,
             PluginOptions* options) {
    common::CallFrame frame(options);
    PluginOptions& callOptions = frame.options();
    if (header == nullptr) {
        return false;
    }
    uint16_t formatTag = 0;
    if (!settleFormatTag(*header, callOptions, formatTag)) {
        return false;
    }
    // Everything that can be checked is checked before the file system is touched.
    const VoxFormat* format = findVoxFormat(formatTag);
    if (format == nullptr) {
        return reportUnsupportedTag(fileName, formatTag);
    }
    if (body == nullptr && header->sampleCount != 0) {
        return false;
    }
    common::SavedFile saved(fileName);
    if (!saved.isOpen() ||
        !sample_io::writeEncodedBlocks(saved.file(), body, header->sampleCount, formatTag) ||
        !saved.commit()) {
        return false;
    }
    header->formatTag = formatTag;
    header->bitsPerSample = format->bitsPerSample;
    return true;
}

} // namespace vox
