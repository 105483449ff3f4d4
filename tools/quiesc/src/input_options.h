// What the command line says about the files: their types (-t, --out-type, or the name's
// extension), the encoding and rate to assume for a headerless input, and the encoding to write.
#pragma once

#include "arguments.h"
#include "file_types.h"

#include "Quiesc.h"

#include <cstdint>
#include <optional>
#include <string>

namespace quiesc_tool {

struct InputEncoding {
    uint32_t formatCode;
    uint32_t rate;
};

// An input file as the command line describes it. `type` is null when neither -t nor the
// name tell it: the toolkit then gets the name as it is and reports what it cannot handle.
struct SoundInput {
    std::string fileName;
    const FileType* type;
    InputEncoding encoding;
};

// The input's type and encoding. A headerless file is read as its type's encoding at 8000 Hz
// unless --in-format and --in-rate say otherwise; a WAV file names its own. A value that does
// not parse, an unknown type, or a raw file without --in-format gives nothing and a usage error
// in `error`.
std::optional<SoundInput> describeInput(const Arguments& arguments, const std::string& fileName,
                                        std::string& error);

// The output's type from --out-type or the name, or null (the toolkit then reports the name).
// An unknown --out-type, or an --out-format that does not parse, gives false and a usage error
// in `error`.
bool describeOutputType(const Arguments& arguments, const std::string& fileName,
                        const FileType*& type, std::string& error);

// The format code to write: --out-format when given; otherwise a headerless output's own
// encoding (Dialogic ADPCM for VOX), 16-bit PCM for a WAV file made from a headerless input,
// and else the input's own encoding. Gives nothing (usage error in `error`) when --out-format
// does not parse or a raw output names no encoding.
std::optional<uint32_t> outputFormatCode(const Arguments& arguments, const FileType* outputType,
                                         const SoundInput& input, const SoundHeader& inputHeader,
                                         std::string& error);

// Warns on standard error when a headerless output, which stores no rate, is written at a
// rate that readers of such files do not assume (6000 or 8000 Hz).
void warnAboutHeaderlessRate(const std::string& fileName, const FileType* type, uint32_t rate);

// Reports a usage error on standard error and returns the usage exit code.
int usageError(const char* command, const std::string& error);

} // namespace quiesc_tool
