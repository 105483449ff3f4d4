#pragma once
// A file read through the wave files' seam in large blocks: the decoders' many small reads are
// served from memory, and the position is kept here, so that a read costs neither a system call
// nor a seek. The first failed read is remembered, so that a decoder that takes it for the end
// of the data cannot hide it.

#include "files/unique_fd.h"
#include "wavefile/wave_file_io.h"

#include <cstdint>
#include <sys/types.h>
#include <vector>

namespace wavefile {

class SeamReader {
public:
    SeamReader(files::UniqueFd file, WaveFileIo& io);

    // Up to size bytes from the position on; fewer only at the end of the file. -1 when the
    // seam fails (errno and ReadError() tell why).
    ssize_t Read(void* buffer, std::size_t size);
    // As lseek: the new position, or -1 (EINVAL) for a position before the start.
    int64_t Seek(int64_t offset, int whence);
    int64_t Position() const { return position_; }
    // The file's size, or -1 with errno.
    int64_t Size() const;

    // errno of the first failed read; 0 when none failed.
    int ReadError() const { return readError_; }
    int fd() const { return file_.get(); }

private:
    bool fill();

    files::UniqueFd file_;
    WaveFileIo& io_;
    std::vector<unsigned char> block_;
    int64_t blockStart_ = 0; // the file offset of block_[0]
    int64_t position_ = 0;
    int64_t filePosition_ = 0; // where the descriptor stands
    int readError_ = 0;
};

} // namespace wavefile
