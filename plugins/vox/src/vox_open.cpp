#include "vox/vox_plugin.h"

#include "vox/vox_lists.h"
#include "vox_messages.h"
#include "vox_options_dialog.h"

#include "codecs/adpcm.h"
#include "codecs/expand.h"
#include "common/call_frame.h"
#include "common/memory.h"
#include "common/message_sink.h"
#include "common/plugin_file.h"

#include <cstddef>
#include <limits>

namespace vox {
namespace {

struct Encoding {
    uint16_t formatTag;
    uint32_t sampleRate;
};

// With useHeaderFormat the caller names encoding and rate; otherwise the user picks them,
// starting where the caller's record says (or at the defaults when that is out of range).
bool settleEncoding(const SoundHeader& header, PluginOptions& options, Encoding& encoding) {
    if (options.useHeaderFormat) {
        encoding = {header.formatTag, header.sampleRate};
        return true;
    }
    VoxSelection selection{
        options.formatIndex < voxFormats.size() ? options.formatIndex : defaultFormatIndex,
        options.rateIndex < voxRates.size() ? options.rateIndex : defaultRateIndex};
    if (!runVoxOptions(DialogMode::Open, selection, options)) {
        return false;
    }
    encoding = {voxFormats[selection.formatIndex].formatTag,
                voxRates[selection.rateIndex].sampleRate};
    return true;
}

// ADPCM holds two samples per byte: from 2^31 bytes on the count no longer fits 32 bits.
uint64_t samplesInFile(const VoxFormat& format, uint32_t fileSize) {
    return uint64_t{fileSize} * 8 / format.bitsPerSample;
}

bool decodeBody(int16_t* body, uint32_t fileSize, const SoundHeader& header) {
    switch (header.formatTag) {
    case FORMAT_TAG_PCM:
        codecs::expandInPlace(body, fileSize, codecs::pcm8Table);
        return true;
    case FORMAT_TAG_ALAW:
        codecs::expandInPlace(body, fileSize, codecs::alawTable);
        return true;
    case FORMAT_TAG_MULAW:
        codecs::expandInPlace(body, fileSize, codecs::ulawTable);
        return true;
    default:
        return codecs::decodeAdpcm(body, header.sampleCount);
    }
}

bool readBody(common::PluginFile& file, SoundHeader& header, const Encoding& encoding,
              int16_t** body) {
    const VoxFormat* format = findVoxFormat(encoding.formatTag);
    if (format == nullptr) {
        return reportUnsupportedTag(file.fileName(), encoding.formatTag);
    }
    if (encoding.sampleRate == 0) {
        return reportFailure(file.fileName(), zeroRateTextId);
    }
    uint32_t fileSize = 0;
    if (!file.size(fileSize)) {
        return false;
    }
    if (fileSize == 0) {
        return reportFailure(file.fileName(), emptyFileTextId);
    }
    const uint64_t sampleCount = samplesInFile(*format, fileSize);
    if (sampleCount > std::numeric_limits<uint32_t>::max()) {
        return reportFailure(file.fileName(), tooLargeTextId);
    }
    header.formatTag = format->formatTag;
    header.sampleRate = encoding.sampleRate;
    header.sampleCount = static_cast<uint32_t>(sampleCount);
    header.bitsPerSample = format->bitsPerSample;

    void* block = nullptr;
    if (!common::allocateBuffer(&block, static_cast<std::size_t>(sampleCount) * 2)) {
        return common::reportOutOfMemory();
    }
    auto* samples = static_cast<int16_t*>(block);
    if (!file.read(samples, fileSize) || !decodeBody(samples, fileSize, header)) {
        common::freeBuffer(samples);
        return false;
    }
    *body = samples;
    return true;
}

} // namespace

bool openVox(const char* fileName, SoundHeader* header, int16_t** body, PluginOptions* options) {
    common::CallFrame frame(options);
    PluginOptions& callOptions = frame.options();
    if (header == nullptr || body == nullptr) {
        return false;
    }
    common::PluginFile file(fileName, true);
    if (!file.isOpen()) {
        return false;
    }
    Encoding encoding{};
    if (!settleEncoding(*header, callOptions, encoding)) {
        return false;
    }
    *body = nullptr;
    return readBody(file, *header, encoding, body);
}

} // namespace vox
