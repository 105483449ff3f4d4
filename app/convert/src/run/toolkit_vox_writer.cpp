#include "convert/toolkit_vox_writer.h"

#include "Quiesc.h"

namespace convert {

namespace {

bool Failed(std::string* error) {
    if (error != nullptr) {
        char text[QC_ERROR_TEXT_SIZE];
        *error = GetLastQcErrorText(text);
    }
    return false;
}

} // namespace

bool WriteVoxWithToolkit(const std::string& pcmPath, const std::string& voxPath,
                         uint16_t formatCode, std::string* error) {
    SoundHeader header{};
    int16_t* body = nullptr;
    // Format code 0 and rate 0: the wave file's own header tells both.
    if (OpenSoundFileEx(pcmPath.c_str(), &header, &body, 0, 0) != QC_OK)
        return Failed(error);
    const QcResult saved = SaveSoundFileEx(voxPath.c_str(), &header, &body, formatCode);
    FreeSoundBody(body);
    return saved == QC_OK || Failed(error);
}

} // namespace convert
