#include "convert/pcm16_wave_writer.h"

#include "file_access.h"

#include "platform/safe_files.h"

#include <bit>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <unistd.h>

namespace convert {

using steps::SystemErrorText;
using steps::WriteFully;
namespace {

static_assert(std::endian::native == std::endian::little,
              "16-bit samples are written in memory order");

// The data chunk's size must leave the RIFF size (data + 36) within 32 bits.
constexpr uint64_t kLargestDataBytes = std::numeric_limits<uint32_t>::max() - 36 - 1;

void putLe16(unsigned char* p, uint16_t value) {
    p[0] = static_cast<unsigned char>(value);
    p[1] = static_cast<unsigned char>(value >> 8);
}

void putLe32(unsigned char* p, uint32_t value) {
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<unsigned char>(value >> (8 * i));
}

} // namespace

std::array<unsigned char, kCanonicalHeaderBytes> Pcm16MonoHeader(uint32_t sampleRate,
                                                                 uint32_t dataBytes) {
    std::array<unsigned char, kCanonicalHeaderBytes> header{};
    unsigned char* p = header.data();
    std::memcpy(p, "RIFF", 4);
    putLe32(p + 4, 36 + dataBytes + (dataBytes & 1u));
    std::memcpy(p + 8, "WAVEfmt ", 8);
    putLe32(p + 16, 16);
    putLe16(p + 20, 1);              // PCM
    putLe16(p + 22, 1);              // mono
    putLe32(p + 24, sampleRate);     // samples per second
    putLe32(p + 28, sampleRate * 2); // bytes per second
    putLe16(p + 32, 2);              // block align
    putLe16(p + 34, 16);             // bits per sample
    std::memcpy(p + 36, "data", 4);
    putLe32(p + 40, dataBytes);
    return header;
}

Pcm16WaveWriter::Pcm16WaveWriter(std::string nativeDestination, uint32_t sampleRate, WaveFileIo& io)
    : io_(io)
    , destination_(std::move(nativeDestination))
    , sampleRate_(sampleRate) {}

Pcm16WaveWriter::~Pcm16WaveWriter() {
    Abandon();
}

bool Pcm16WaveWriter::Open() {
    partial_ = platform::partialPathFor(destination_);
    fd_ = ::open(partial_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd_ < 0) {
        const int error = errno;
        partial_.clear();
        return fail("Cannot create " + destination_ + ": " + SystemErrorText(error));
    }
    buffer_.reserve(kWriteBufferBytes);
    const auto header = Pcm16MonoHeader(sampleRate_, 0);
    buffer_.assign(header.begin(), header.end());
    return true;
}

bool Pcm16WaveWriter::Append(const int16_t* samples, std::size_t count) {
    if (fd_ < 0)
        return fail(error_.empty() ? "The destination is not open" : error_);
    const std::size_t bytes = count * sizeof(int16_t);
    if (dataBytes_ + bytes > kLargestDataBytes)
        return fail("The converted sound is too large for a wave file");
    if (const auto room = io_.FreeBytes(fd_);
        room && *room < bytes + kWriteBufferBytes + kDiskReserveBytes)
        return fail("Not enough room on the disk for " + destination_);
    const auto* data = reinterpret_cast<const unsigned char*>(samples);
    if (buffer_.size() + bytes > kWriteBufferBytes && !flushBuffer())
        return false;
    if (bytes > kWriteBufferBytes) {
        if (!WriteFully(io_, fd_, data, bytes))
            return fail("Cannot write " + destination_ + ": " + SystemErrorText(errno));
    } else {
        buffer_.insert(buffer_.end(), data, data + bytes);
    }
    dataBytes_ += bytes;
    return true;
}

bool Pcm16WaveWriter::Commit() {
    if (fd_ < 0)
        return fail(error_.empty() ? "The destination is not open" : error_);
    if (!flushBuffer())
        return false;
    const auto header = Pcm16MonoHeader(sampleRate_, static_cast<uint32_t>(dataBytes_));
    if (::lseek(fd_, 0, SEEK_SET) < 0 || !WriteFully(io_, fd_, header.data(), header.size()))
        return fail("Cannot write " + destination_ + ": " + SystemErrorText(errno));
    // The odd byte count never happens for 16-bit data, so no pad byte is needed.
    if (!closeFile())
        return fail("Cannot write " + destination_ + ": " + SystemErrorText(errno));
    const auto published = platform::publishFile(partial_, destination_, true);
    partial_.clear();
    if (published != platform::PublishResult::Published)
        return fail("Cannot write " + destination_ + ": " + SystemErrorText(errno));
    committed_ = true;
    return true;
}

void Pcm16WaveWriter::Abandon() {
    closeFile();
    if (!partial_.empty() && !committed_)
        ::unlink(partial_.c_str());
    partial_.clear();
}

bool Pcm16WaveWriter::flushBuffer() {
    if (buffer_.empty())
        return true;
    if (!WriteFully(io_, fd_, buffer_.data(), buffer_.size()))
        return fail("Cannot write " + destination_ + ": " + SystemErrorText(errno));
    buffer_.clear();
    return true;
}

bool Pcm16WaveWriter::closeFile() {
    if (fd_ < 0)
        return true;
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
}

bool Pcm16WaveWriter::fail(std::string text) {
    error_ = std::move(text);
    closeFile();
    return false;
}

} // namespace convert
