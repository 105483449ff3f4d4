#pragma once
// The line grammar shared by the profile reader and writer.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::detail {

enum class ProfileLineKind { Section, Key, Other };

struct ProfileLine {
    ProfileLineKind kind = ProfileLineKind::Other;
    std::string_view name;  // section or key name, blanks trimmed
    std::string_view value; // key value, blanks trimmed, quotes kept
};

// Classifies one line (without its line break): "[name]" is a section, "name=value" a key,
// anything else (comments, blank lines, text without '=') is kept but never matched.
ProfileLine classifyProfileLine(std::string_view line);

// Splits file content into lines, accepting LF and CRLF; a UTF-8 byte order mark is dropped.
std::vector<std::string> splitProfileLines(std::string_view content);

// The value as a read returns it: one pair of surrounding double quotes removed.
std::string_view unquoteProfileValue(std::string_view value);

// The value as it must be stored so that a read returns it unchanged: values with blanks at
// either end, or already wrapped in double quotes, are wrapped in one more pair of quotes.
std::string quoteProfileValue(std::string_view value);

// What a read returns: the found value (unquoted) or the default with trailing blanks removed,
// cut to bufferSize - 1 characters.
std::string profileReadResult(std::optional<std::string_view> found, std::string_view defaultValue,
                              std::size_t bufferSize);

// Reads a whole regular file; nullopt with errno set when it does not exist, is not a regular
// file (never blocking on a FIFO) or cannot be read.
std::optional<std::string> readWholeFile(const std::string& nativePath);

// Replaces the file's content so that readers see either the old or the new file, never a
// partly written one; false when it could not be written.
bool replaceFileContent(const std::string& nativePath, std::string_view content);

} // namespace platform::detail
