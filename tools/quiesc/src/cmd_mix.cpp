#include "command.h"
#include "formats.h"
#include "input_options.h"
#include "number_options.h"
#include "sound_file.h"
#include "toolkit_path.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace quiesc_tool {

int runMix(const Arguments& arguments) {
    const std::string& output = arguments.operand(2);
    std::string error;
    const auto first = describeInput(arguments, arguments.operand(0), error);
    const auto second =
        first ? describeInput(arguments, arguments.operand(1), error) : std::nullopt;
    const auto weight = second ? numberOption(arguments, "--weight", 0.5, error) : std::nullopt;
    const FileType* outputType = nullptr;
    if (!weight || !describeOutputType(arguments, output, outputType, error)) {
        return usageError("mix", error);
    }
    // The mix is written in the encoding the first file's own would give.
    SoundFile probe;
    if (!probe.open(*first)) {
        return exitToolkitFailure;
    }
    const auto code = outputFormatCode(arguments, outputType, *first, probe.header(), error);
    if (!code) {
        return usageError("mix", error);
    }
    warnAboutHeaderlessRate(output, outputType, probe.header().sampleRate);

    const ToolkitPath firstPath(first->fileName, first->type, ToolkitPath::Use::Read);
    const ToolkitPath secondPath(second->fileName, second->type, ToolkitPath::Use::Read);
    ToolkitPath outputPath(output, outputType, ToolkitPath::Use::Write);
    const QcResult result = MixSoundFiles(firstPath.path().c_str(), secondPath.path().c_str(),
                                          first->encoding.formatCode, first->encoding.rate,
                                          outputPath.path().c_str(), *code, *weight);
    if (result != QC_OK) {
        const ToolkitPath& named = result == QC_SAVE_FAILED ? outputPath : secondPath;
        printToolkitError(result == QC_SAVE_FAILED ? output : second->fileName, &named);
        return exitToolkitFailure;
    }
    if (!outputPath.publish()) {
        std::fprintf(stderr, "quiesc: %s (\"%s\").\n", std::strerror(errno), output.c_str());
        return exitToolkitFailure;
    }
    return exitSuccess;
}

} // namespace quiesc_tool
