// A sound opened through the toolkit, freed when the object goes.
#pragma once

#include "file_types.h"
#include "input_options.h"
#include "toolkit_path.h"

#include "Quiesc.h"

#include <string>

namespace quiesc_tool {

class SoundFile {
public:
    SoundFile() = default;
    ~SoundFile() { FreeSoundBody(body_); }
    SoundFile(const SoundFile&) = delete;
    SoundFile& operator=(const SoundFile&) = delete;

    // OpenSoundFileEx with the input's encoding; on failure prints the toolkit's message and
    // returns false.
    bool open(const SoundInput& input);
    // ResampleSound; on failure prints the toolkit's message and returns false.
    bool resample(uint32_t rate);
    // SaveSoundFileEx to `fileName` as `type` (null: as the name says); on failure prints the
    // toolkit's message and returns false.
    bool save(const std::string& fileName, const FileType* type, uint32_t formatCode);

    const SoundHeader& header() const { return header_; }

private:
    SoundHeader header_{};
    int16_t* body_ = nullptr;
    std::string fileName_;
};

// Prints the toolkit's last-error text to standard error as "quiesc: TEXT", with the names the
// toolkit saw replaced by the real ones and `detail` in brackets after it; a text that does not
// name the file (running out of memory) is preceded by the file's name.
void printToolkitError(const std::string& fileName, const ToolkitPath* path = nullptr,
                       const std::string& detail = {});

} // namespace quiesc_tool
