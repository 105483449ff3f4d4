#pragma once
// Writes 16-bit mono PCM as a RIFF WAVE file with the canonical 44-byte header: the one wave
// writer of the conversion chain and of Dictconv. The file is written under a partial name in
// the destination's folder and moved into place only when it is complete, and on disk unless it
// is private, so that nobody (the speech engine, the toolkit) sees half a file, and a failure
// leaves nothing behind.

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

// Whether the finished file must reach the disk before it is moved into place. A file that
// another program picks up (the DSS converter's result, the speech engine's copy) must; a file
// in the run's private temporary folder, read back at once and removed, need not: a crash
// leaves nothing there that a later run reads.
enum class Publication { Durable, Private };

class Pcm16WaveWriter {
public:
    // nativeDestination is the final path; nothing exists there until Commit.
    Pcm16WaveWriter(std::string nativeDestination, uint32_t sampleRate,
                    WaveFileIo& io = SystemWaveFileIo(),
                    Publication publication = Publication::Durable);
    // Removes the partial file unless Commit succeeded.
    ~Pcm16WaveWriter();
    Pcm16WaveWriter(const Pcm16WaveWriter&) = delete;
    Pcm16WaveWriter& operator=(const Pcm16WaveWriter&) = delete;

    // Creates the partial file and writes the header's place. False with Error() set.
    bool Open();
    // Appends one block. Before the buffer goes to the disk, the disk must have room for it,
    // another buffer and the reserve. False with Error() set; nothing more is written then.
    bool Append(const int16_t* samples, std::size_t count);
    // Writes what is buffered, fills in the header's sizes, flushes a durable file to disk and
    // moves it to the destination, replacing any file there.
    bool Commit();
    // Drops the partial file.
    void Abandon();

    const std::string& Error() const { return error_; }
    uint64_t DataBytes() const { return dataBytes_; }

private:
    bool flushBuffer();
    bool writeToDisk(const unsigned char* bytes, std::size_t size);
    bool publish();
    bool fail(std::string text);

    WaveFileIo& io_;
    Publication publication_;
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
