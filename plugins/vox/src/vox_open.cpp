#include "vox/vox_plugin.h"

#include "vox/vox_lists.h"
#include "vox_messages.h"
#include "vox_options_dialog.h"

#include "common/call_frame.h"
#include "common/memory.h"
#include "common/message_sink.h"
#include "common/plugin_file.h"
#include "sample_io/file_samples.h"

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

bool readBody(common::PluginFile& file, SoundHeader& header, const Encoding& encoding,
              int16_t** body) {
    const VoxFormat* format = findVoxFormat(encoding.formatTag);
    if (format == nullptr) {
        return reportUnsupportedTag(file.fileName(), encoding.formatTag);
    }
    if (encoding.sampleRate == 0) {
        return reportFailure(file.fileName(), TEXT_ID_ZERO_RATE);
    }
    uint32_t fileSize = 0;
    if (!file.size(fileSize)) {
        return false;
    }
    if (fileSize == 0) {
        return reportFailure(file.fileName(), TEXT_ID_EMPTY_FILE);
    }
    const uint64_t sampleCount = samplesInFile(*format, fileSize);
    if (sampleCount > std::numeric_limits<uint32_t>::max()) {
        return reportFailure(file.fileName(), TEXT_ID_TOO_LARGE);
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
    if (!file.read(samples, fileSize)) {
        common::freeBuffer(samples);
        return false;
    }
    sample_io::decodeFileBytes(header.formatTag, header.bitsPerSample, samples, fileSize,
                               header.sampleCount);
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
