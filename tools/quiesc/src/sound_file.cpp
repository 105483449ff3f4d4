#include "sound_file.h"

#include <cstdio>

namespace quiesc_tool {

bool SoundFile::open(const std::string& fileName, uint32_t formatCode, uint32_t rate) {
    FreeSoundBody(body_);
    body_ = nullptr;
    if (OpenSoundFileEx(fileName.c_str(), &header_, &body_, formatCode, rate) != QC_OK) {
        body_ = nullptr; // a failed open leaves nothing the caller may use or free
        printToolkitError();
        return false;
    }
    return true;
}

bool SoundFile::save(const std::string& fileName, uint32_t formatCode) {
    if (SaveSoundFileEx(fileName.c_str(), &header_, &body_, formatCode) != QC_OK) {
        printToolkitError();
        return false;
    }
    return true;
}

void printToolkitError() {
    char text[QC_ERROR_TEXT_SIZE];
    std::fprintf(stderr, "quiesc: %s\n", GetLastQcErrorText(text));
}

} // namespace quiesc_tool
