#include "riff_wave_scan.h"

#include "abi/little_endian.h"
#include "wavefile/file_access.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace convert::steps {
namespace {

constexpr std::size_t kChunkHeaderBytes = 8;
constexpr std::size_t kFormatFieldBytes = 16;
// cbSize, valid bits, channel mask and the first two bytes of the sub-format GUID.
constexpr std::size_t kExtensibleFieldBytes = kFormatFieldBytes + 2 + 2 + 4 + 2;
// What a recorder that streams its file, or loses power before it can write the size, leaves
// in the data chunk's size field.
constexpr uint32_t kStreamingPlaceholder = 0xFFFFFFFF;
// The largest even size a data chunk of a placeholder can be given.
constexpr uint64_t kLargestStreamedSize = 0xFFFFFFFE;

class ChunkWalker {
public:
    ChunkWalker(wavefile::WaveFileIo& io, int fd, uint64_t fileSize, std::string& error)
        : io_(io)
        , fd_(fd)
        , fileSize_(fileSize)
        , error_(error) {}

    bool readAt(uint64_t offset, void* buffer, std::size_t size) {
        if (::lseek(fd_, static_cast<off_t>(offset), SEEK_SET) < 0)
            return fail("Cannot read the source: " + wavefile::SystemErrorText(errno));
        const ssize_t got = wavefile::ReadFully(io_, fd_, buffer, size);
        if (got < 0)
            return fail("Cannot read the source: " + wavefile::SystemErrorText(errno));
        if (static_cast<std::size_t>(got) < size)
            return fail("The source is truncated");
        return true;
    }

    bool fail(std::string text) {
        error_ = std::move(text);
        return false;
    }

    uint64_t fileSize() const { return fileSize_; }

private:
    wavefile::WaveFileIo& io_;
    int fd_;
    uint64_t fileSize_;
    std::string& error_;
};

bool readFormat(ChunkWalker& walker, uint64_t offset, uint32_t size, RiffWaveInfo& info) {
    if (size < kFormatFieldBytes)
        return walker.fail("The source's format chunk is too short");
    unsigned char fields[kExtensibleFieldBytes] = {};
    const std::size_t wanted =
        size >= kExtensibleFieldBytes ? kExtensibleFieldBytes : kFormatFieldBytes;
    if (!walker.readAt(offset, fields, wanted))
        return false;
    info.formatTag = abi::readLe16(fields);
    info.channels = abi::readLe16(fields + 2);
    info.sampleRate = abi::readLe32(fields + 4);
    info.avgBytesPerSec = abi::readLe32(fields + 8);
    info.blockAlign = abi::readLe16(fields + 12);
    info.bitsPerSample = abi::readLe16(fields + 14);
    if (info.formatTag == kTagExtensible && wanted == kExtensibleFieldBytes)
        info.formatTag = abi::readLe16(fields + 24);
    if (info.channels == 0 || info.sampleRate == 0)
        return walker.fail("The source's format names no channels or no sample rate");
    return true;
}

} // namespace

std::optional<RiffWaveInfo> ScanRiffWave(wavefile::WaveFileIo& io, int fd, std::string& error) {
    struct stat status {};
    if (::fstat(fd, &status) != 0) {
        error = "Cannot read the source: " + wavefile::SystemErrorText(errno);
        return std::nullopt;
    }
    if (!S_ISREG(status.st_mode)) {
        error = "The source is not a file";
        return std::nullopt;
    }
    ChunkWalker walker(io, fd, static_cast<uint64_t>(status.st_size), error);
    unsigned char riff[12];
    if (walker.fileSize() < sizeof riff) {
        error = walker.fileSize() == 0 ? "The source is empty" : "Not a RIFF wave file";
        return std::nullopt;
    }
    if (!walker.readAt(0, riff, sizeof riff))
        return std::nullopt;
    if (std::memcmp(riff, "RIFF", 4) != 0 || std::memcmp(riff + 8, "WAVE", 4) != 0) {
        error = "Not a RIFF wave file";
        return std::nullopt;
    }

    RiffWaveInfo info;
    bool haveFormat = false;
    uint64_t offset = sizeof riff;
    while (offset + kChunkHeaderBytes <= walker.fileSize()) {
        unsigned char header[kChunkHeaderBytes];
        if (!walker.readAt(offset, header, sizeof header))
            return std::nullopt;
        const uint32_t size = abi::readLe32(header + 4);
        const uint64_t body = offset + kChunkHeaderBytes;
        if (std::memcmp(header, "fmt ", 4) == 0) {
            if (!readFormat(walker, body, size, info))
                return std::nullopt;
            haveFormat = true;
        } else if (std::memcmp(header, "data", 4) == 0) {
            if (!haveFormat) {
                error = "The source has no format chunk before its data";
                return std::nullopt;
            }
            info.dataOffset = body;
            info.streamedSize = size == 0 || size == kStreamingPlaceholder;
            if (info.streamedSize) {
                info.dataSize = static_cast<uint32_t>(
                    std::min<uint64_t>(walker.fileSize() - body, kLargestStreamedSize));
                return info;
            }
            if (body + size > walker.fileSize()) {
                error = "The source is truncated";
                return std::nullopt;
            }
            info.dataSize = size;
            return info;
        }
        offset = body + size + (size & 1u);
    }
    error = haveFormat ? "The source has no data chunk" : "The source has no format chunk";
    return std::nullopt;
}

} // namespace convert::steps
