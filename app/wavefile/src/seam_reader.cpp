#include "seam_reader.h"

#include "wavefile/file_access.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace wavefile {
namespace {

constexpr std::size_t kBlockBytes = 64 * 1024;

} // namespace

SeamReader::SeamReader(files::UniqueFd file, WaveFileIo& io)
    : file_(std::move(file))
    , io_(io) {
    const off_t at = ::lseek(file_.get(), 0, SEEK_CUR);
    position_ = filePosition_ = blockStart_ = at < 0 ? 0 : at;
    block_.reserve(kBlockBytes);
}

ssize_t SeamReader::Read(void* buffer, std::size_t size) {
    auto* out = static_cast<unsigned char*>(buffer);
    std::size_t done = 0;
    while (done < size) {
        const int64_t blockEnd = blockStart_ + static_cast<int64_t>(block_.size());
        if (position_ < blockStart_ || position_ >= blockEnd) {
            if (!fill())
                return -1;
            if (block_.empty())
                break;
            continue;
        }
        const auto offset = static_cast<std::size_t>(position_ - blockStart_);
        const std::size_t count = std::min(size - done, block_.size() - offset);
        std::memcpy(out + done, block_.data() + offset, count);
        done += count;
        position_ += static_cast<int64_t>(count);
    }
    return static_cast<ssize_t>(done);
}

// Reads the block that starts at the position; an empty block at the end of the file.
bool SeamReader::fill() {
    if (filePosition_ != position_) {
        if (::lseek(file_.get(), position_, SEEK_SET) < 0) {
            readError_ = readError_ != 0 ? readError_ : errno;
            return false;
        }
        filePosition_ = position_;
    }
    block_.resize(kBlockBytes);
    const ssize_t got = ReadFully(io_, file_.get(), block_.data(), block_.size());
    if (got < 0) {
        readError_ = readError_ != 0 ? readError_ : errno;
        block_.clear();
        filePosition_ = -1; // unknown after a failed read
        return false;
    }
    block_.resize(static_cast<std::size_t>(got));
    blockStart_ = position_;
    filePosition_ = position_ + got;
    return true;
}

int64_t SeamReader::Seek(int64_t offset, int whence) {
    int64_t base = 0;
    if (whence == SEEK_CUR)
        base = position_;
    else if (whence == SEEK_END && (base = Size()) < 0)
        return -1;
    if (base + offset < 0) {
        errno = EINVAL;
        return -1;
    }
    position_ = base + offset;
    return position_;
}

int64_t SeamReader::Size() const {
    struct stat status {};
    if (::fstat(file_.get(), &status) != 0)
        return -1;
    return status.st_size;
}

} // namespace wavefile
