// The kinds of sound file the tool reads and writes, and the toolkit plug-in behind each. The
// toolkit chooses its plug-in by the name's extension (.vox or .wav); a headerless file with
// another name (.ul, .al, .raw) goes to the VOX plug-in with the encoding its type implies.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace quiesc_tool {

struct FileType {
    const char* name;            // the -t value, and the extension that implies the type
    const char* pluginExtension; // the extension the toolkit knows: "vox" or "wav"
    bool headerless;             // the file carries neither encoding nor rate
    // The encoding of a headerless file unless --in-format or --out-format say otherwise;
    // nothing when the command line must say it (raw).
    std::optional<uint32_t> formatCode;
};

// Headerless telephony files are read and written at this rate unless options say otherwise.
inline constexpr uint32_t headerlessRate = 8000;

// The type named by -t (any case), or null.
const FileType* findFileType(const std::string& name);
// The type the file name's extension implies (any case), or null.
const FileType* typeOfFileName(const std::string& fileName);
// The -t values, separated by blanks, for messages.
std::string fileTypeNames();

} // namespace quiesc_tool
