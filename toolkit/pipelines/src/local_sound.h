// A sound that lives only for the duration of one pipeline call: its body is freed on every
// path out of the call.
#pragma once

#include "Quiesc.h"

namespace pipelines {

struct LocalSound {
    SoundHeader header{};
    int16_t* body = nullptr;

    LocalSound() = default;
    ~LocalSound() { FreeSoundBody(body); }
    LocalSound(const LocalSound&) = delete;
    LocalSound& operator=(const LocalSound&) = delete;

    // After a failed open the body pointer holds nothing that may be freed.
    bool open(const char* fileName, uint32_t formatCode, uint32_t rate) {
        if (OpenSoundFileEx(fileName, &header, &body, formatCode, rate) != QC_OK) {
            body = nullptr;
            return false;
        }
        return true;
    }
};

} // namespace pipelines
