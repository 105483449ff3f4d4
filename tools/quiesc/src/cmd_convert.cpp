#include "command.h"
#include "formats.h"
#include "input_options.h"
#include "sound_file.h"

namespace quiesc_tool {

int runConvert(const Arguments& arguments) {
    const std::string& input = arguments.operand(0);
    const std::string& output = arguments.operand(1);
    std::string error;
    const auto encoding = inputEncoding(arguments, input, error);
    if (!encoding) {
        return usageError("convert", error);
    }
    std::optional<uint32_t> outputCode;
    if (const std::string* format = arguments.option("--out-format")) {
        outputCode = parseFormatCode(*format);
        if (!outputCode) {
            return usageError("convert", "unknown encoding \"" + *format + "\"");
        }
    }

    SoundFile sound;
    if (!sound.open(input, encoding->formatCode, encoding->rate)) {
        return exitToolkitFailure;
    }
    const uint32_t code = outputCode ? *outputCode : formatCodeOf(sound.header());
    return sound.save(output, code) ? exitSuccess : exitToolkitFailure;
}

} // namespace quiesc_tool
