#include "sound_file.h"

#include "wave_diagnosis.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace quiesc_tool {
namespace {

// A WAV file the plug-in refused: what it holds, for the user to see what is not supported.
std::string waveDetail(const SoundInput& input) {
    const bool wave = input.type != nullptr && !input.type->headerless;
    return wave ? describeWaveFormat(input.fileName) : std::string();
}

} // namespace

bool SoundFile::open(const SoundInput& input) {
    FreeSoundBody(body_);
    body_ = nullptr;
    fileName_ = input.fileName;
    const ToolkitPath path(input.fileName, input.type, ToolkitPath::Use::Read);
    if (OpenSoundFileEx(path.path().c_str(), &header_, &body_, input.encoding.formatCode,
                        input.encoding.rate) != QC_OK) {
        body_ = nullptr; // a failed open leaves nothing the caller may use or free
        printToolkitError(input.fileName, &path, waveDetail(input));
        return false;
    }
    return true;
}

bool SoundFile::resample(uint32_t rate) {
    if (ResampleSound(&header_, &body_, rate) != QC_OK) {
        printToolkitError(fileName_);
        return false;
    }
    return true;
}

bool SoundFile::save(const std::string& fileName, const FileType* type, uint32_t formatCode) {
    ToolkitPath path(fileName, type, ToolkitPath::Use::Write);
    if (SaveSoundFileEx(path.path().c_str(), &header_, &body_, formatCode) != QC_OK) {
        printToolkitError(fileName, &path);
        return false;
    }
    if (!path.publish()) {
        std::fprintf(stderr, "quiesc: %s (\"%s\").\n", std::strerror(errno), fileName.c_str());
        return false;
    }
    return true;
}

void printToolkitError(const std::string& fileName, const ToolkitPath* path,
                       const std::string& detail) {
    char text[QC_ERROR_TEXT_SIZE];
    GetLastQcErrorText(text);
    std::string message = path != nullptr ? path->realNames(text) : std::string(text);
    if (!detail.empty()) {
        message += " [" + detail + "]";
    }
    if (message.find(fileName) == std::string::npos) {
        std::fprintf(stderr, "quiesc: %s:%s%s\n", fileName.c_str(),
                     message.rfind(' ', 0) == 0 ? "" : " ", message.c_str());
    } else {
        std::fprintf(stderr, "quiesc: %s\n", message.c_str());
    }
}

} // namespace quiesc_tool
