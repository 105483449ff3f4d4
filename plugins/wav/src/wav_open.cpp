#include "wav/wav_plugin.h"

#include "abi/little_endian.h"
#include "chunk_reader.h"
#include "wav/wav_formats.h"
#include "wav_messages.h"

#include "common/call_frame.h"
#include "common/memory.h"
#include "common/message_sink.h"
#include "common/plugin_file.h"
#include "sample_io/file_samples.h"

#include <bit>
#include <cstddef>
#include <cstring>

namespace wav {
namespace {

static_assert(std::endian::native == std::endian::little,
              "16-bit samples are taken from the file unchanged");

// The size a streaming writer leaves in the "data" chunk header (besides 0).
constexpr uint32_t streamingPlaceholder = 0xFFFFFFFF;

// From 2^29 bytes on, data size x 8 no longer fits 32 bits: such files are refused whole.
constexpr uint32_t largestDataSize = (uint32_t{1} << 29) - 1;

struct FormatFields {
    uint16_t formatTag;
    uint16_t channels;
    uint32_t sampleRate;
    uint16_t bitsPerSample;
};

bool readRiffHeader(ChunkReader& reader, const char* fileName) {
    unsigned char bytes[12];
    if (!reader.read(bytes, sizeof bytes)) {
        return false;
    }
    if (std::memcmp(bytes, "RIFF", 4) != 0 || std::memcmp(bytes + 8, "WAVE", 4) != 0) {
        return reportFailure(fileName, TEXT_ID_NOT_RIFF_WAVE);
    }
    return true;
}

bool readFormatChunk(ChunkReader& reader, const char* fileName, FormatFields& fields) {
    uint32_t size = 0;
    if (!reader.findChunk("fmt ", size)) {
        return false;
    }
    if (size < 16) {
        return reportFailure(fileName, TEXT_ID_SHORT_READ);
    }
    unsigned char bytes[16];
    if (!reader.read(bytes, sizeof bytes)) {
        return false;
    }
    // Average bytes per second and block align (bytes 8 to 13) follow from the rest.
    fields = {abi::readLe16(bytes), abi::readLe16(bytes + 2), abi::readLe32(bytes + 4),
              abi::readLe16(bytes + 14)};
    return reader.skipRestOfChunk(size, sizeof bytes);
}

const WavFormat* acceptedFormat(const FormatFields& fields, const char* fileName) {
    if (fields.channels != 1) {
        reportFailure(fileName, TEXT_ID_NOT_MONO);
        return nullptr;
    }
    const WavFormat* format = findWavFormat(fields.formatTag, fields.bitsPerSample);
    if (format == nullptr) {
        reportFailure(fileName, TEXT_ID_UNSUPPORTED_ENCODING);
        return nullptr;
    }
    if (fields.sampleRate == 0) {
        reportFailure(fileName, TEXT_ID_FILE_ZERO_RATE);
        return nullptr;
    }
    return format;
}

// The header describes the file from here on, even when a later step fails: the byte count
// of the "data" chunk gives the sample count, in 32 bits as the header holds it.
void fillHeader(SoundHeader& header, const FormatFields& fields, const WavFormat& format,
                uint32_t dataSize) {
    header.formatTag = format.formatTag;
    header.sampleRate = fields.sampleRate;
    header.sampleCount = static_cast<uint32_t>(dataSize * 8u) / format.bitsPerSample;
    header.bitsPerSample = format.bitsPerSample;
}

// Checked before anything is allocated: a size the file cannot hold is a truncated file.
bool checkDataSize(const ChunkReader& reader, uint32_t dataSize, uint32_t sampleCount,
                   const char* fileName) {
    if (dataSize > reader.bytesLeft()) {
        return reportFailure(fileName, TEXT_ID_SHORT_READ);
    }
    if (dataSize > largestDataSize) {
        return reportFailure(fileName, TEXT_ID_TOO_LARGE);
    }
    // One lone byte of 16-bit data is not a sample.
    if (sampleCount == 0) {
        return reportFailure(fileName, TEXT_ID_NO_SAMPLES);
    }
    return true;
}

bool readSamples(ChunkReader& reader, const char* fileName, const FormatFields& fields,
                 const WavFormat& format, SoundHeader& header, int16_t** body) {
    uint32_t dataSize = 0;
    if (!reader.findChunk("data", dataSize)) {
        return false;
    }
    // A recorder that writes to a pipe, or was interrupted, leaves its placeholder in the size:
    // the samples then run to the end of the file.
    if (dataSize == 0 || dataSize == streamingPlaceholder) {
        dataSize = reader.bytesLeft();
    }
    if (dataSize == 0) {
        return reportFailure(fileName, TEXT_ID_NO_SAMPLES);
    }
    fillHeader(header, fields, format, dataSize);
    const uint32_t sampleCount = header.sampleCount;
    if (!checkDataSize(reader, dataSize, sampleCount, fileName)) {
        return false;
    }

    void* block = nullptr;
    if (!common::allocateBuffer(&block, std::size_t{sampleCount} * 2)) {
        return common::reportOutOfMemory();
    }
    auto* samples = static_cast<int16_t*>(block);
    // The odd last byte of 16-bit data belongs to no sample and is left unread.
    const uint32_t bytesToRead = format.bitsPerSample == 16 ? sampleCount * 2 : dataSize;
    if (!reader.read(samples, bytesToRead)) {
        common::freeBuffer(samples);
        return false;
    }
    sample_io::decodeFileBytes(format.formatTag, format.bitsPerSample, samples, bytesToRead,
                               sampleCount);
    *body = samples;
    return true;
}

bool readFile(common::PluginFile& file, SoundHeader& header, int16_t** body) {
    uint32_t fileSize = 0;
    if (!file.size(fileSize)) {
        return false;
    }
    ChunkReader reader(file, fileSize, 0);
    FormatFields fields{};
    if (!readRiffHeader(reader, file.fileName()) ||
        !readFormatChunk(reader, file.fileName(), fields)) {
        return false;
    }
    const WavFormat* format = acceptedFormat(fields, file.fileName());
    return format != nullptr && readSamples(reader, file.fileName(), fields, *format, header, body);
}

} // namespace

bool openWav(const char* fileName, SoundHeader* header, int16_t** body, PluginOptions* options) {
    const common::CallFrame frame(options);
    if (header == nullptr || body == nullptr) {
        return false;
    }
    common::PluginFile file(fileName, true);
    if (!file.isOpen()) {
        return false;
    }
    *body = nullptr;
    return readFile(file, *header, body);
}

} // namespace wav
