#include "command.h"
#include "formats.h"
#include "input_options.h"
#include "sound_file.h"

namespace quiesc_tool {

int runConvert(const Arguments& arguments) {
    const std::string& output = arguments.operand(1);
    std::string error;
    const auto input = describeInput(arguments, arguments.operand(0), error);
    const FileType* outputType = nullptr;
    if (!input || !describeOutputType(arguments, output, outputType, error)) {
        return usageError("convert", error);
    }
    std::optional<uint32_t> rate;
    if (const std::string* text = arguments.option("--rate")) {
        rate = parseRate(*text);
        if (!rate) {
            return usageError("convert", "the sample rate \"" + *text +
                                             "\" is not a number of samples per second");
        }
    }

    SoundFile sound;
    if (!sound.open(*input)) {
        return exitToolkitFailure;
    }
    const auto code = outputFormatCode(arguments, outputType, *input, sound.header(), error);
    if (!code) {
        return usageError("convert", error);
    }
    if (rate && *rate != sound.header().sampleRate && !sound.resample(*rate)) {
        return exitToolkitFailure;
    }
    warnAboutHeaderlessRate(output, outputType, sound.header().sampleRate);
    return sound.save(output, outputType, *code) ? exitSuccess : exitToolkitFailure;
}

} // namespace quiesc_tool
