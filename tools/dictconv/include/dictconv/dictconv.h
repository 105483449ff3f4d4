#pragma once
// The DSS converter behind the program Dictconv: one DSS file in, its audio as a 16-bit mono
// PCM wave file at the decoder's rate out, decoded through the program's one reader of
// recordings and written under a partial name beside the result, moved into place only when
// complete.

#include <cstdio>
#include <string>

namespace dictconv {

// The fixed result file of the converter contract, a stored path.
inline constexpr const char* kResultPath = "c:\\tmp.wav";

enum class ExitCode { Converted = 0, Failed = 1, Usage = 2 };

struct Conversion {
    bool converted = false;
    std::string reason; // why it failed: "not a DSS file: ...", "a DSS variant ...", ...
};

// Both paths are native. The result is replaced only when the conversion succeeds.
Conversion ConvertDssFile(const std::string& nativeInput, const std::string& nativeResult);

// The program: arguments as main receives them; messages go to the given streams. A failure is
// said on `err` as "Dictconv: <input>: <reason>", and the reason alone is left beside the
// result for the conversion step that ran the converter (wavefile/converter_reason.h).
int RunDictconv(int argc, const char* const* argv, std::FILE* out, std::FILE* err);

} // namespace dictconv
