#include "input_options.h"

#include "command.h"
#include "formats.h"

#include <cstdio>

namespace quiesc_tool {
namespace {

bool namedType(const std::string* option, const std::string& fileName, const FileType*& type,
               std::string& error) {
    if (option == nullptr) {
        type = typeOfFileName(fileName);
        return true;
    }
    type = findFileType(*option);
    if (type == nullptr) {
        error = "unknown file type \"" + *option + "\" (known: " + fileTypeNames() + ")";
        return false;
    }
    return true;
}

std::optional<uint32_t> formatOption(const Arguments& arguments, const char* name,
                                     std::string& error) {
    const std::string* format = arguments.option(name);
    if (format == nullptr) {
        return std::nullopt;
    }
    const auto code = parseFormatCode(*format);
    if (!code) {
        error = "unknown encoding \"" + *format + "\"";
    }
    return code;
}

} // namespace

std::optional<SoundInput> describeInput(const Arguments& arguments, const std::string& fileName,
                                        std::string& error) {
    SoundInput input{fileName, nullptr, {0, 0}};
    if (!namedType(arguments.option("--type"), fileName, input.type, error)) {
        return std::nullopt;
    }
    if (input.type != nullptr && input.type->headerless) {
        input.encoding = {input.type->formatCode.value_or(0), headerlessRate};
    }
    if (const auto code = formatOption(arguments, "--in-format", error)) {
        input.encoding.formatCode = *code;
    } else if (!error.empty()) {
        return std::nullopt;
    } else if (input.type != nullptr && input.type->headerless && !input.type->formatCode) {
        error = "a " + std::string(input.type->name) + " file needs --in-format";
        return std::nullopt;
    }
    if (const std::string* rate = arguments.option("--in-rate")) {
        const auto value = parseRate(*rate);
        if (!value) {
            error = "the sample rate \"" + *rate + "\" is not a number of samples per second";
            return std::nullopt;
        }
        input.encoding.rate = *value;
    }
    return input;
}

bool describeOutputType(const Arguments& arguments, const std::string& fileName,
                        const FileType*& type, std::string& error) {
    formatOption(arguments, "--out-format", error); // checked before any file is opened
    return error.empty() && namedType(arguments.option("--out-type"), fileName, type, error);
}

std::optional<uint32_t> outputFormatCode(const Arguments& arguments, const FileType* outputType,
                                         const SoundInput& input, const SoundHeader& inputHeader,
                                         std::string& error) {
    if (const auto code = formatOption(arguments, "--out-format", error)) {
        return code;
    }
    if (!error.empty()) {
        return std::nullopt;
    }
    if (outputType != nullptr && outputType->headerless) {
        if (!outputType->formatCode) {
            error = "a " + std::string(outputType->name) + " file needs --out-format";
            return std::nullopt;
        }
        return *outputType->formatCode;
    }
    if (input.type != nullptr && input.type->headerless) {
        return uint32_t{QC_FORMAT_PCM16};
    }
    return formatCodeOf(inputHeader);
}

void warnAboutHeaderlessRate(const std::string& fileName, const FileType* type, uint32_t rate) {
    if (type == nullptr || !type->headerless || rate == 6000 || rate == 8000) {
        return;
    }
    std::fprintf(stderr,
                 "quiesc: warning: %s stores no sample rate and will be read at 8000 (or 6000) "
                 "samples per second, but its samples are at %u; give --rate 8000 to resample\n",
                 fileName.c_str(), rate);
}

int usageError(const char* command, const std::string& error) {
    std::fprintf(stderr, "quiesc %s: %s\nTry 'quiesc %s --help'.\n", command, error.c_str(),
                 command);
    return exitUsage;
}

} // namespace quiesc_tool
