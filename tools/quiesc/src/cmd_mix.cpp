#include "command.h"
#include "formats.h"
#include "input_options.h"
#include "number_options.h"
#include "sound_file.h"

namespace quiesc_tool {

int runMix(const Arguments& arguments) {
    const std::string& first = arguments.operand(0);
    const std::string& second = arguments.operand(1);
    const std::string& output = arguments.operand(2);
    std::string error;
    const auto encoding = inputEncoding(arguments, first, error);
    const auto weight = encoding ? numberOption(arguments, "--weight", 0.5, error) : std::nullopt;
    if (!weight) {
        return usageError("mix", error);
    }
    std::optional<uint32_t> outputCode;
    if (const std::string* format = arguments.option("--out-format")) {
        outputCode = parseFormatCode(*format);
        if (!outputCode) {
            return usageError("mix", "unknown encoding \"" + *format + "\"");
        }
    }
    if (!outputCode) {
        // Without --out-format the mix is written in the first file's encoding.
        SoundFile probe;
        if (!probe.open(first, encoding->formatCode, encoding->rate)) {
            return exitToolkitFailure;
        }
        outputCode = formatCodeOf(probe.header());
    }
    if (MixSoundFiles(first.c_str(), second.c_str(), encoding->formatCode, encoding->rate,
                      output.c_str(), *outputCode, *weight) != QC_OK) {
        printToolkitError();
        return exitToolkitFailure;
    }
    return exitSuccess;
}

} // namespace quiesc_tool
