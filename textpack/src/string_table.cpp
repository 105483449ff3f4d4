#include "textpack/Textpack.h"
#include "textpack/string_ids.h"

#include "textpack_guard.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace {

struct StringEntry {
    unsigned id;
    const char* text;
};

// Sorted by id. Templates take printf arguments (string_ids.h names them).
constexpr StringEntry stringTable[] = {
    {TEXT_ID_CAPTION, "Sound File"},
    {TEXT_ID_NO_RATE, "(not applicable)"},
    {TEXT_ID_UNSUPPORTED_TAG, "The format tag %d is not supported"},
    {TEXT_ID_ZERO_RATE, "The sample rate is zero"},
    {TEXT_ID_NOT_RIFF_WAVE, "The file is not a RIFF WAVE file"},
    {TEXT_ID_UNSUPPORTED_ENCODING, "The encoding of the file is not supported"},
    {TEXT_ID_NOT_MONO, "The sound is not mono"},
    {TEXT_ID_FILE_ZERO_RATE, "The sample rate of the file is zero"},
    {TEXT_ID_EMPTY_FILE, "The file is empty"},
    {TEXT_ID_SHORT_READ, "Unexpected end of file"},
    {TEXT_ID_NO_SAMPLES, "The file holds no samples"},
    {TEXT_ID_SHORT_WRITE, "Not all of the data could be written"},
    {TEXT_ID_OUT_OF_MEMORY, " Not enough memory."},
    {TEXT_ID_TOO_LARGE, "The sound is too large for this file format"},
    {TEXT_ID_UNEXPECTED, "An unexpected error stopped the operation"},
    {TEXT_ID_SELECTION_INVALID, "The selection is not valid for this sound"},
    {TEXT_ID_TRIM_PARAMS_INVALID, "The silence trimming settings are not valid"},
    {TEXT_ID_RATES_DIFFER, "The two sounds have different sample rates"},
    {TEXT_ID_TOO_SHORT_TO_RESAMPLE, "The sound is too short to resample"},
    {TEXT_ID_NO_DEVICE, "The playback device does not exist"},
    {TEXT_ID_UNKNOWN_DEVICE_ERROR, "Unknown playback device error"},
    {TEXT_ID_PLAYBACK_FAILED, "Playback could not start: %s"},
    {TEXT_ID_NO_PLUGIN, "No plug-in handles this kind of file"},
    {TEXT_ID_NO_ENTRY_POINT, "The %s plug-in lacks its entry point"},
    {TEXT_ID_PLUGIN_NOT_LOADED, "The plug-in library %s could not be loaded"},
};

constexpr bool tableHolds(unsigned id) {
    for (const StringEntry& entry : stringTable) {
        if (entry.id == id) {
            return true;
        }
    }
    return false;
}

constexpr bool sortedById() {
    for (std::size_t i = 1; i < std::size(stringTable); ++i) {
        if (stringTable[i - 1].id >= stringTable[i].id) {
            return false;
        }
    }
    return true;
}

#define TEXTPACK_CHECK_ID_HAS_TEXT(name, id)                                                       \
    static_assert(tableHolds(name), "string " #id " (" #name ") has no text");
TEXTPACK_STRING_IDS(TEXTPACK_CHECK_ID_HAS_TEXT)
#undef TEXTPACK_CHECK_ID_HAS_TEXT
static_assert(sortedById(), "the table is searched by halves");

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
