#pragma once
// Writes 16-bit mono PCM as a RIFF WAVE file with the canonical 44-byte header. The file is
// written under a partial name in the destination's folder and moved into place only when it
// is complete and on disk, so that nobody (the speech engine, the toolkit) sees half a file,
// and a failure leaves nothing behind.

#include "files/unique_fd.h"
#include "wavefile/wave_file_io.h"

#include <cstdint>
#include <string>
#include <vector>

namespace wavefile {

// Bytes the writer collects before each write to the disk.
inline constexpr std::size_t kWriteBufferBytes = 64 * 1024;
// Kept free on the destination's disk beyond the block and the buffer.
inline constexpr uint64_t kDiskReserveBytes = 10240;

class Pcm16WaveWriter {
public:
    // nativeDestination is the final path; nothing exists there until Commit.
    Pcm16WaveWriter(std::string nativeDestination, uint32_t sampleRate,
                    WaveFileIo& io = SystemWaveFileIo());
    // Removes the partial file unless Commit succeeded.
    ~Pcm16WaveWriter();
    Pcm16WaveWriter(const Pcm16WaveWriter&) = delete;
    Pcm16WaveWriter& operator=(const Pcm16WaveWriter&) = delete;

    // Creates the partial file and writes the header's place. False with Error() set.
    bool Open();
    // Appends one block, after checking that the disk has room for the block, the buffer and
    // the reserve. False with Error() set; nothing more is written then.
    bool Append(const int16_t* samples, std::size_t count);
    // Writes what is buffered, fills in the header's sizes, flushes the file to disk and moves
    // it to the destination, replacing any file there.
    bool Commit();
    // Drops the partial file.
    void Abandon();

    const std::string& Error() const { return error_; }
    uint64_t DataBytes() const { return dataBytes_; }

private:
    bool flushBuffer();
    bool fail(std::string text);

    WaveFileIo& io_;
    std::string destination_;
    std::string partial_;
    uint32_t sampleRate_;
    files::UniqueFd file_;
    std::vector<unsigned char> buffer_;
    uint64_t dataBytes_ = 0;
    bool committed_ = false;
    std::string error_;
};

} // namespace wavefile
