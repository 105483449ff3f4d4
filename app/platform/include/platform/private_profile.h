#pragma once
// A private-profile (INI) file with the semantics of the Windows profile calls: section and
// key names ignore case, the first matching key of the first matching section wins, values are
// trimmed of blanks and one pair of surrounding double quotes on reading, a write replaces the
// key's line in place or appends the key to its section or appends the section (creating the
// file), CRLF is written and LF or CRLF read, and lines that are not keys survive every write.

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace platform {

// The buffer size the application reads strings with: at most 2047 characters come back.
inline constexpr std::size_t kProfileBufferSize = 2048;

// Reads key by key from the file at each call, and writes each key to the file at once.
class PrivateProfile {
public:
    // storedPath is a stored path (resolved at each access with resolvePath).
    explicit PrivateProfile(std::string storedPath);

    const std::string& path() const { return storedPath_; }

    // The value of the key, or the default when the file, section or key is missing. The
    // result is cut to bufferSize - 1 characters (bufferSize 0 yields an empty text).
    std::string readString(std::string_view section, std::string_view key,
                           std::string_view defaultValue,
                           std::size_t bufferSize = kProfileBufferSize) const;

    // Stores the value; true when the file was written. Fails (false) for names or values that
    // cannot be stored in a line (line breaks, '=' or leading '[' / ';' in a key, ']' in a
    // section, empty names) and when the file cannot be written.
    bool writeString(std::string_view section, std::string_view key, std::string_view value) const;

private:
    std::string storedPath_;
};

// False for a value that no write can store (one holding a line break or a NUL), so that a
// caller can refuse a set of values before writing the first of them.
bool isStorableProfileValue(std::string_view value);

// A snapshot of a profile file parsed once; its reads give exactly what PrivateProfile's
// key-by-key reads give on the file as it was when loaded. Used where many keys are read in one
// go (the directory table of every scan).
class ProfileReader {
public:
    // Loads and parses the file; a missing or unreadable file reads as empty.
    explicit ProfileReader(std::string_view storedPath);
    ~ProfileReader();
    ProfileReader(ProfileReader&&) noexcept;
    ProfileReader& operator=(ProfileReader&&) noexcept;

    bool fileExisted() const;
    // Why the file could not be loaded (an errno value: ENOENT when missing, EISDIR or EINVAL
    // for what is not a regular file); 0 when it was.
    int loadError() const;
    // True when the file has a section of this name (ASCII case ignored).
    bool hasSection(std::string_view section) const;

    std::string readString(std::string_view section, std::string_view key,
                           std::string_view defaultValue,
                           std::size_t bufferSize = kProfileBufferSize) const;

private:
    struct Index;
    std::unique_ptr<Index> index_;
};

} // namespace platform
