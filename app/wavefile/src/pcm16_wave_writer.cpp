#include "wavefile/pcm16_wave_writer.h"

#include "abi/sound_header.h"
#include "abi/wave_header.h"
#include "files/partial_file.h"
#include "files/publish.h"
#include "wavefile/file_access.h"

#include <bit>
#include <cerrno>
#include <cstdio>
#include <limits>
#include <unistd.h>
#include <utility>

namespace wavefile {
namespace {

static_assert(std::endian::native == std::endian::little,
              "16-bit samples are written in memory order");

constexpr uint16_t kBitsPerSample = 16;
// The data chunk's size must leave the RIFF size (data + 36) within 32 bits.
constexpr uint64_t kLargestDataBytes = std::numeric_limits<uint32_t>::max() - 36 - 1;

abi::CanonicalWaveHeader pcm16MonoHeader(uint32_t sampleRate, uint32_t dataBytes) {
    return abi::canonicalWaveHeader(FORMAT_TAG_PCM, kBitsPerSample, sampleRate, dataBytes);
}

} // namespace

Pcm16WaveWriter::Pcm16WaveWriter(std::string nativeDestination, uint32_t sampleRate, WaveFileIo& io,
                                 Publication publication)
    : io_(io)
    , publication_(publication)
    , destination_(std::move(nativeDestination))
    , sampleRate_(sampleRate) {}

Pcm16WaveWriter::~Pcm16WaveWriter() {
    Abandon();
}

bool Pcm16WaveWriter::Open() {
    files::PartialFile partial = files::createPartial(destination_, 0644);
    if (!partial.fd) {
        const int error = errno;
        return fail("Cannot create " + destination_ + ": " + SystemErrorText(error));
    }
    file_ = std::move(partial.fd);
    partial_ = std::move(partial.path);
    buffer_.reserve(kWriteBufferBytes);
    const auto header = pcm16MonoHeader(sampleRate_, 0);
    buffer_.assign(header.begin(), header.end());
    return true;
}

bool Pcm16WaveWriter::Append(const int16_t* samples, std::size_t count) {
    if (!file_)
        return fail(error_.empty() ? "The destination is not open" : error_);
    const std::size_t bytes = count * sizeof(int16_t);
    if (dataBytes_ + bytes > kLargestDataBytes)
        return fail("The converted sound is too large for a wave file");
    const auto* data = reinterpret_cast<const unsigned char*>(samples);
    if (buffer_.size() + bytes > kWriteBufferBytes && !flushBuffer())
        return false;
    if (bytes > kWriteBufferBytes) {
        if (!writeToDisk(data, bytes))
            return false;
    } else {
        buffer_.insert(buffer_.end(), data, data + bytes);
    }
    dataBytes_ += bytes;
    return true;
}

bool Pcm16WaveWriter::Commit() {
    if (!file_)
        return fail(error_.empty() ? "The destination is not open" : error_);
    if (!flushBuffer())
        return false;
    const auto header = pcm16MonoHeader(sampleRate_, static_cast<uint32_t>(dataBytes_));
    if (::lseek(file_.get(), 0, SEEK_SET) < 0 ||
        !WriteFully(io_, file_.get(), header.data(), header.size()))
        return fail("Cannot write " + destination_ + ": " + SystemErrorText(errno));
    // The odd byte count never happens for 16-bit data, so no pad byte is needed.
    if (!file_.close())
        return fail("Cannot write " + destination_ + ": " + SystemErrorText(errno));
    if (!publish())
        return fail("Cannot write " + destination_ + ": " + SystemErrorText(errno));
    committed_ = true;
    return true;
}

bool Pcm16WaveWriter::publish() {
    const std::string partial = std::exchange(partial_, {});
    if (publication_ == Publication::Durable)
        return files::publish(partial, destination_, true) == files::PublishResult::Published;
    if (::rename(partial.c_str(), destination_.c_str()) == 0)
        return true;
    const int error = errno;
    ::unlink(partial.c_str());
    errno = error;
    return false;
}

void Pcm16WaveWriter::Abandon() {
    file_.reset();
    if (!partial_.empty() && !committed_)
        ::unlink(partial_.c_str());
    partial_.clear();
}

bool Pcm16WaveWriter::flushBuffer() {
    if (buffer_.empty())
        return true;
    if (!writeToDisk(buffer_.data(), buffer_.size()))
        return false;
    buffer_.clear();
    return true;
}

// The room is checked once per write to the disk, not per block appended: a system call per
// 4 KB of sound costs more than the whole check is worth.
bool Pcm16WaveWriter::writeToDisk(const unsigned char* bytes, std::size_t size) {
    if (const auto room = io_.FreeBytes(file_.get());
        room && *room < size + kWriteBufferBytes + kDiskReserveBytes)
        return fail("Not enough room on the disk for " + destination_);
    if (!WriteFully(io_, file_.get(), bytes, size))
        return fail("Cannot write " + destination_ + ": " + SystemErrorText(errno));
    return true;
}

bool Pcm16WaveWriter::fail(std::string text) {
    error_ = std::move(text);
    file_.reset();
    return false;
}

} // namespace wavefile
