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
    // A handle the caller opened (a negative one counts as not open), reported as `fileName`.
    struct OpenHandle {
        int descriptor;
    };
    PluginFile(const char* fileName, OpenHandle handle);
    ~PluginFile();
    PluginFile(const PluginFile&) = delete;
    PluginFile& operator=(const PluginFile&) = delete;

    bool isOpen() const { return handle_ >= 0; }
    int handle() const { return handle_; }
    const char* fileName() const { return fileName_; }

    // Exactly n bytes or failure (string 112 for a short read, 114 for a short write). Every
    // few megabytes written are handed to the storage device at once, so that flush() waits
    // for the last of them only.
    bool read(void* buffer, std::size_t n);
    bool write(const void* buffer, std::size_t n);
    bool seek(int32_t distance, SeekMethod method);
    // The file's size. False without a message when it cannot be queried; a size that does
    // not fit 32 bits is reported as too large.
    bool size(uint32_t& out);
    // Waits until the written bytes are on the storage device.
    bool flush();
    // Closes the file and reports a failure: a write the system deferred may fail only here.
    bool closeReporting();
    void close();

private:
    void startWriteback(std::size_t written);

    int handle_ = -1;
    const char* fileName_;     // the caller's string, referred to, not copied
    uint64_t writtenUpTo_ = 0; // where the writes stand, from the file's start
    uint64_t handedOver_ = 0;  // up to where the device was asked to write them
};

} // namespace common
