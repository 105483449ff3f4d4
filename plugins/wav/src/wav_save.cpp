#include "wav/wav_plugin.h"

#include "abi/wave_header.h"
#include "wav/wav_formats.h"
#include "wav_messages.h"
#include "wav_options_dialog.h"

#include "common/call_frame.h"
#include "common/saved_file.h"
#include "sample_io/encoded_writer.h"

#include <bit>
#include <limits>

namespace wav {
namespace {

static_assert(std::endian::native == std::endian::little,
              "16-bit samples are written from the body unchanged");

// Settled before the file is touched: a cancelled dialog leaves any existing file as it is.
// An unknown tag gives no format; it is refused before the file is touched too.
bool settleEncoding(const SoundHeader& header, const PluginOptions& options,
                    const WavFormat*& format) {
    if (options.useHeaderFormat) {
        format = formatToWrite(header.formatTag, header.bitsPerSample);
        return true;
    }
    format = runWavOptions(preselectedIndex(header.formatTag, header.bitsPerSample));
    return format != nullptr;
}

uint64_t dataSizeFor(const WavFormat& format, uint32_t sampleCount) {
    return (uint64_t{sampleCount} * format.bitsPerSample + 7) / 8;
}

// The header goes out in its four parts, each with one write.
bool writeHeader(common::PluginFile& file, const abi::CanonicalWaveHeader& header) {
    const unsigned char* at = header.data();
    using namespace abi;
    return file.write(at, kRiffHeaderBytes) &&
           file.write(at + kRiffHeaderBytes, kChunkHeaderBytes) &&
           file.write(at + kRiffHeaderBytes + kChunkHeaderBytes, kFormatFieldBytes) &&
           file.write(at + kRiffHeaderBytes + kChunkHeaderBytes + kFormatFieldBytes,
                      kChunkHeaderBytes);
}

bool writeSamples(common::PluginFile& file, const WavFormat& format, const int16_t* body,
                  uint32_t sampleCount, uint32_t dataSize) {
    const bool written =
        format.bitsPerSample == 16
            ? file.write(body, dataSize)
            : sample_io::writeEncodedBlocks(file, body, sampleCount, format.formatTag);
    if (!written) {
        return false;
    }
    // RIFF pads every chunk of odd size to an even length; the RIFF size counts the pad.
    const unsigned char pad = 0;
    return (dataSize & 1u) == 0 || file.write(&pad, 1);
}

} // namespace

bool saveWav(const char* fileName, SoundHeader* header, const int16_t* body,
             PluginOptions* options) {
    common::CallFrame frame(options);
    PluginOptions& callOptions = frame.options();
    if (header == nullptr) {
        return false;
    }
    const WavFormat* format = nullptr;
    if (!settleEncoding(*header, callOptions, format)) {
        return false;
    }
    // Everything that can be checked is checked before the file system is touched.
    if (format == nullptr) {
        return reportUnsupportedTag(fileName, header->formatTag);
    }
    const uint64_t dataSize = dataSizeFor(*format, header->sampleCount);
    if (abi::riffSizeFor(dataSize) > std::numeric_limits<uint32_t>::max()) {
        return reportFailure(fileName, TEXT_ID_TOO_LARGE);
    }
    // A file of zero samples per second is one this plug-in refuses to read.
    if (header->sampleRate == 0) {
        return reportFailure(fileName, TEXT_ID_ZERO_RATE);
    }
    if (body == nullptr && header->sampleCount != 0) {
        return false;
    }
    const auto size = static_cast<uint32_t>(dataSize);
    common::SavedFile saved(fileName);
    if (!saved.isOpen() ||
        !writeHeader(saved.file(),
                     abi::canonicalWaveHeader(format->formatTag, format->bitsPerSample,
                                              header->sampleRate, size)) ||
        !writeSamples(saved.file(), *format, body, header->sampleCount, size) || !saved.commit()) {
        return false;
    }
    header->formatTag = format->formatTag;
    header->bitsPerSample = format->bitsPerSample;
    return true;
}

} // namespace wav
