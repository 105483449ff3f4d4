#include "convert/error_log_file.h"

#include "convert/text_cut.h"
#include "platform/paths.h"

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
    // Binary mode keeps the CR LF line ends exactly as composed.
    std::FILE* file = std::fopen(platform::resolvePath(storedPath_).c_str(), "ab");
    if (file == nullptr) {
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const bool closed = std::fclose(file) == 0;
    return written && closed;
}

bool ErrorLogFile::Truncate() const {
    std::FILE* file = std::fopen(platform::resolvePath(storedPath_).c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    return std::fclose(file) == 0;
}

} // namespace convert
