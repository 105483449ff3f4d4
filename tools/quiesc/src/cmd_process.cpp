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
namespace {

// What the command line asks of ProcessSoundFile.
struct ProcessRequest {
    uint32_t flags = 0;
    SoundSelection selection{};
    uint32_t newRate = 0;
    double gainDb = 0.0;
    QuiescenceParams params{0.0, 0.0, 0.01, 1};
};

std::optional<uint32_t> selectionStep(const Arguments& arguments, std::string& error) {
    const bool cut = arguments.option("--cut") != nullptr;
    const bool crop = arguments.option("--crop") != nullptr;
    const bool validate = arguments.option("--validate-only") != nullptr;
    if (cut + crop + validate > 1) {
        error = "give only one of --cut, --crop and --validate-only";
        return std::nullopt;
    }
    if (cut) {
        return uint32_t{QC_STEP_CUT};
    }
    if (crop) {
        return uint32_t{QC_STEP_CROP};
    }
    return validate ? uint32_t{QC_STEP_VALIDATE_ONLY} : 0u;
}

// The selection; its end defaults to the end of the sound, which needs the sound's duration.
bool readSelection(const Arguments& arguments, double duration, ProcessRequest& request,
                   std::string& error) {
    const auto start = numberOption(arguments, "--start", 0.0, error);
    const auto end = start ? numberOption(arguments, "--end", duration, error) : std::nullopt;
    if (!end) {
        return false;
    }
    request.selection = SoundSelection{*start, *end};
    return true;
}

bool readTrim(const Arguments& arguments, ProcessRequest& request, std::string& error) {
    const auto lead = numberOption(arguments, "--lead", request.params.leadSeconds, error);
    const auto trail = lead ? numberOption(arguments, "--trail", request.params.trailSeconds, error)
                            : std::nullopt;
    const auto threshold =
        trail ? numberOption(arguments, "--threshold", request.params.threshold, error)
              : std::nullopt;
    if (!threshold) {
        return false;
    }
    request.params.leadSeconds = *lead;
    request.params.trailSeconds = *trail;
    request.params.threshold = *threshold;
    if (const std::string* run = arguments.option("--min-run")) {
        const auto count = parseCount(*run);
        if (!count) {
            error = "the minimum run \"" + *run + "\" is not a number of samples";
            return false;
        }
        request.params.minLoudRun = *count;
    }
    return true;
}

bool readSteps(const Arguments& arguments, ProcessRequest& request, std::string& error) {
    if (const std::string* rate = arguments.option("--resample")) {
        const auto value = parseRate(*rate);
        if (!value) {
            error = "the sample rate \"" + *rate + "\" is not a number of samples per second";
            return false;
        }
        request.flags |= QC_STEP_RESAMPLE;
        request.newRate = *value;
    }
    if (arguments.option("--amplify") != nullptr) {
        const auto gain = numberOption(arguments, "--amplify", 0.0, error);
        if (!gain) {
            return false;
        }
        request.flags |= QC_STEP_AMPLIFY;
        request.gainDb = *gain;
    }
    if (arguments.option("--trim") != nullptr) {
        request.flags |= QC_STEP_TRIM;
        return readTrim(arguments, request, error);
    }
    return true;
}

} // namespace

int runProcess(const Arguments& arguments) {
    const std::string& output = arguments.operand(1);
    std::string error;
    ProcessRequest request;
    const auto input = describeInput(arguments, arguments.operand(0), error);
    const auto step = input ? selectionStep(arguments, error) : std::nullopt;
    const FileType* outputType = nullptr;
    if (!step || !readSteps(arguments, request, error) ||
        !describeOutputType(arguments, output, outputType, error)) {
        return usageError("process", error);
    }
    request.flags |= *step;

    // A first look at the input gives the defaults that depend on it: the encoding to write and
    // the end of the selection.
    SoundFile probe;
    if (!probe.open(*input)) {
        return exitToolkitFailure;
    }
    const SoundHeader& header = probe.header();
    const double duration =
        header.sampleRate == 0 ? 0.0 : static_cast<double>(header.sampleCount) / header.sampleRate;
    if (*step != 0 && !readSelection(arguments, duration, request, error)) {
        return usageError("process", error);
    }
    const auto code = outputFormatCode(arguments, outputType, *input, header, error);
    if (!code) {
        return usageError("process", error);
    }
    const bool resampled = (request.flags & QC_STEP_RESAMPLE) != 0;
    warnAboutHeaderlessRate(output, outputType, resampled ? request.newRate : header.sampleRate);

    const ToolkitPath inputPath(input->fileName, input->type, ToolkitPath::Use::Read);
    ToolkitPath outputPath(output, outputType, ToolkitPath::Use::Write);
    const QcResult result =
        ProcessSoundFile(inputPath.path().c_str(), input->encoding.formatCode, input->encoding.rate,
                         outputPath.path().c_str(), *code, request.newRate, &request.selection,
                         request.gainDb, &request.params, request.flags);
    if (result != QC_OK) {
        const bool saving = result == QC_SAVE_FAILED;
        printToolkitError(saving ? output : input->fileName, saving ? &outputPath : &inputPath);
        return exitToolkitFailure;
    }
    if (!outputPath.publish()) {
        std::fprintf(stderr, "quiesc: %s (\"%s\").\n", std::strerror(errno), output.c_str());
        return exitToolkitFailure;
    }
    if (*step == QC_STEP_CUT || *step == QC_STEP_CROP) {
        std::printf("%s: %.6f s after the %s\n", output.c_str(), request.selection.endSeconds,
                    *step == QC_STEP_CUT ? "cut" : "crop");
    }
    return exitSuccess;
}

} // namespace quiesc_tool
