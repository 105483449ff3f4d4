#pragma once
// The DSS converter behind the program Dictconv: one DSS file in, its audio as a 16-bit mono
// PCM wave file at the decoder's rate out, written under a partial name beside the result and
// moved into place only when complete.

#include <cstdio>
#include <string>

namespace dictconv {

// The fixed result file of the converter contract, a stored path.
inline constexpr const char* kResultPath = "c:\\tmp.wav";

enum class ExitCode { Converted = 0, Failed = 1, Usage = 2 };

struct Conversion {
    bool converted = false;
    std::string message; // why it failed, naming the file
};

class PcmSink;

// Checks the file's layout and decodes its audio into the sink (native path).
Conversion DecodeDssFile(const std::string& nativeInput, PcmSink& sink);

// Both paths are native. The result is replaced only when the conversion succeeds.
Conversion ConvertDssFile(const std::string& nativeInput, const std::string& nativeResult);

// The program: arguments as main receives them; messages go to the given streams.
int RunDictconv(int argc, const char* const* argv, std::FILE* out, std::FILE* err);

} // namespace dictconv
