// The one file a plug-in reads or writes. Every failure is reported through the message sink
// with the file name, and the operation returns false.
#pragma once

#include <cstddef>
#include <cstdint>

namespace common {

enum class SeekMethod { Begin, Current, End };

class PluginFile {
public:
    // Reading opens an existing file; writing creates the file or truncates it.
    PluginFile(const char* fileName, bool forReading);
    ~PluginFile();
    PluginFile(const PluginFile&) = delete;
    PluginFile& operator=(const PluginFile&) = delete;

    bool isOpen() const { return handle_ >= 0; }
    const char* fileName() const { return fileName_; }

    // Exactly n bytes or failure (string 112 for a short read, 114 for a short write).
    bool read(void* buffer, std::size_t n);
    bool write(const void* buffer, std::size_t n);
    bool seek(int32_t distance, SeekMethod method);
    // The file's size. False without a message when it cannot be queried; a size that does
    // not fit 32 bits is reported as too large.
    bool size(uint32_t& out);
    void close();

private:
    int handle_ = -1;
    const char* fileName_; // the caller's string, referred to, not copied
};

} // namespace common
