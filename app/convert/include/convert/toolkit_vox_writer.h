#pragma once
// The VOX output through the sound toolkit: OpenSoundFileEx of the intermediate PCM wave file,
// SaveSoundFileEx in the output encoding, FreeSoundBody.

#include <cstdint>
#include <string>

namespace convert {

// Both paths native. True only when the open and the save both succeeded; any other result of
// either is a failure, and the toolkit's text for it goes to *error when error is not null. The
// body is freed whatever the save's result.
bool WriteVoxWithToolkit(const std::string& pcmPath, const std::string& voxPath,
                         uint16_t formatCode, std::string* error = nullptr);

} // namespace convert
