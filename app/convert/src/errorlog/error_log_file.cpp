#include "convert/error_log_file.h"

#include "convert/text_cut.h"
#include "files/full_write.h"
#include "files/unique_fd.h"
#include "platform/paths.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

namespace convert {

std::string ErrorLogLine(std::string_view timeStamp, std::string_view text) {
    std::string line(CutText(timeStamp, kLogTimeStampWidth));
    line += ": Error:  ";
    line += CutText(text, kLogTextWidth);
    line += "\r\n";
    return line;
}

ErrorLogFile::ErrorLogFile(std::string storedPath)
    : storedPath_(std::move(storedPath)) {}

bool ErrorLogFile::Append(std::string_view bytes) const {
    files::UniqueFd file(::open(platform::resolvePath(storedPath_).c_str(),
                                O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC | O_NONBLOCK, 0666));
    if (!file) {
        return false;
    }
    // Only the open had to be non-blocking: a reader of a FIFO gets every byte.
    ::fcntl(file.get(), F_SETFL, O_APPEND);
    const int fd = file.get();
    const bool written = files::writeFully(
        [fd](const void* data, std::size_t size) { return ::write(fd, data, size); }, bytes.data(),
        bytes.size());
    return file.close() && written;
}

bool ErrorLogFile::Truncate() const {
    std::FILE* file = std::fopen(platform::resolvePath(storedPath_).c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    return std::fclose(file) == 0;
}

} // namespace convert
