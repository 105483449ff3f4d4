// A sound opened through the toolkit, freed when the object goes.
#pragma once

#include "Quiesc.h"

#include <string>

namespace quiesc_tool {

class SoundFile {
public:
    SoundFile() = default;
    ~SoundFile() { FreeSoundBody(body_); }
    SoundFile(const SoundFile&) = delete;
    SoundFile& operator=(const SoundFile&) = delete;

    // OpenSoundFileEx; on failure prints the toolkit's message and returns false.
    bool open(const std::string& fileName, uint32_t formatCode, uint32_t rate);
    // SaveSoundFileEx; on failure prints the toolkit's message and returns false.
    bool save(const std::string& fileName, uint32_t formatCode);

    const SoundHeader& header() const { return header_; }

private:
    SoundHeader header_{};
    int16_t* body_ = nullptr;
};

// Prints the toolkit's last-error text to standard error, as "quiesc: TEXT".
void printToolkitError();

} // namespace quiesc_tool
