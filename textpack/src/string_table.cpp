#include "textpack/Textpack.h"

#include "textpack_guard.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace {

struct StringEntry {
    unsigned id;
    const char* text;
};

// Sorted by id. Templates (103, 402, 503, 504) take printf arguments: 103 an int, the others a
// string.
constexpr StringEntry stringTable[] = {
    {101, "Sound File"},
    {102, "(not applicable)"},
    {103, "The format tag %d is not supported"},
    {104, "The sample rate is zero"},
    {106, "The file is not a RIFF WAVE file"},
    {107, "The encoding of the file is not supported"},
    {108, "The sound is not mono"},
    {110, "The sample rate of the file is zero"},
    {111, "The file is empty"},
    {112, "Unexpected end of file"},
    {113, "The file holds no samples"},
    {114, "Not all of the data could be written"},
    {115, " Not enough memory."},
    {116, "The sound is too large for this file format"},
    {117, "An unexpected error stopped the operation"},
    {200, "The selection is not valid for this sound"},
    {201, "The silence trimming settings are not valid"},
    {202, "The two sounds have different sample rates"},
    {203, "The sound is too short to resample"},
    {400, "The playback device does not exist"},
    {401, "Unknown playback device error"},
    {402, "Playback could not start: %s"},
    {502, "No plug-in handles this kind of file"},
    {503, "The %s plug-in lacks its entry point"},
    {504, "The plug-in library %s could not be loaded"},
};

const char* findString(unsigned id) {
    const auto* end = std::end(stringTable);
    const auto* it =
        std::lower_bound(std::begin(stringTable), end, id,
                         [](const StringEntry& e, unsigned key) { return e.id < key; });
    return (it != end && it->id == id) ? it->text : nullptr;
}

} // namespace

extern "C" int LoadResLib(void) {
    return 1;
}

extern "C" int TextpackLoadString(unsigned id, char* buffer, int bufferSize) {
    return textpack::guardedExport(0, [&] {
        if (buffer == nullptr || bufferSize < 1) {
            return 0;
        }
        const char* text = findString(id);
        if (text == nullptr) {
            buffer[0] = '\0';
            return 0;
        }
        const size_t length = std::min(std::strlen(text), static_cast<size_t>(bufferSize - 1));
        std::memcpy(buffer, text, length);
        buffer[length] = '\0';
        return static_cast<int>(length);
    });
}
