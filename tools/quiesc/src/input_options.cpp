#include "input_options.h"

#include "command.h"
#include "formats.h"

#include <cstdio>

namespace quiesc_tool {

std::optional<InputEncoding> inputEncoding(const Arguments& arguments, const std::string& fileName,
                                           std::string& error) {
    const bool vox = isVoxName(fileName);
    InputEncoding encoding{vox ? defaultVoxFormatCode : 0, vox ? defaultVoxRate : 0};
    if (const std::string* format = arguments.option("--in-format")) {
        const auto code = parseFormatCode(*format);
        if (!code) {
            error = "unknown encoding \"" + *format + "\"";
            return std::nullopt;
        }
        encoding.formatCode = *code;
    }
    if (const std::string* rate = arguments.option("--in-rate")) {
        const auto value = parseRate(*rate);
        if (!value) {
            error = "the sample rate \"" + *rate + "\" is not a number of samples per second";
            return std::nullopt;
        }
        encoding.rate = *value;
    }
    return encoding;
}

int usageError(const char* command, const std::string& error) {
    std::fprintf(stderr, "quiesc %s: %s\nTry 'quiesc %s --help'.\n", command, error.c_str(),
                 command);
    return exitUsage;
}

} // namespace quiesc_tool
