#pragma once
// The error log "errorlog.txt" in the working folder: one line per reported error, appended,
// never read back by the program.

#include <cstddef>
#include <string>
#include <string_view>

namespace convert {

inline constexpr const char* kErrorLogFileName = "errorlog.txt";
inline constexpr std::size_t kLogTimeStampWidth = 24;
inline constexpr std::size_t kLogTextWidth = 100;

// "%.24s: Error:  %.100s\r\n".
std::string ErrorLogLine(std::string_view timeStamp, std::string_view text);

class ErrorLogFile {
public:
    // storedPath is a stored path, resolved at each access.
    explicit ErrorLogFile(std::string storedPath = kErrorLogFileName);

    const std::string& storedPath() const { return storedPath_; }

    // Appends the bytes as they are (created when missing). False, with errno set, when the
    // file could not be opened or the bytes did not all reach it; a FIFO without a reader in
    // the log's place is refused rather than waited on.
    bool Append(std::string_view bytes) const;

    // Truncates the file to zero length, creating it when missing. False when it cannot be
    // opened for writing.
    bool Truncate() const;

private:
    std::string storedPath_;
};

} // namespace convert
