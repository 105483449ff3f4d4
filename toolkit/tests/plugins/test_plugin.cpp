// Stand-ins for the format plug-ins, built under the real plug-ins' file names in folders of
// their own: one that records its arguments, one that fails every call after scribbling on the
// header, and one without entry points.
#include "recorded_call.h"

#include "common/dialog_owner.h"
#include "common/memory.h"
#include "common/message_sink.h"

#include <cstdio>
#include <cstring>

#if TEST_PLUGIN_HAS_ENTRIES
namespace {

void beginCall(PluginOptions* options) {
    common::setDialogOwner(options->ownerWindow);
    if (options->errorText != nullptr) {
        common::setMessageTarget(options->errorText);
    }
}

RecordedCall describe(const char* entry, const SoundHeader* header, const void* third,
                      const PluginOptions* options) {
    RecordedCall call{};
    std::snprintf(call.library, sizeof call.library, "%s", TEST_PLUGIN_LIBRARY);
    std::snprintf(call.entry, sizeof call.entry, "%s", entry);
    call.header = *header;
    call.third = reinterpret_cast<uintptr_t>(third);
    call.errorText = reinterpret_cast<uintptr_t>(options->errorText);
    call.ownerWindow = reinterpret_cast<uintptr_t>(options->ownerWindow);
    call.useHeaderFormat = options->useHeaderFormat;
    call.formatIndex = options->formatIndex;
    call.rateIndex = options->rateIndex;
    return call;
}

bool writeRecord(const char* fileName, const RecordedCall& call) {
    std::FILE* file = std::fopen(fileName, "wb");
    if (file == nullptr) {
        return common::reportSystemError(fileName);
    }
    const bool written = std::fwrite(&call, sizeof call, 1, file) == 1;
    return std::fclose(file) == 0 && written;
}

void scribble(SoundHeader* header) {
    *header = SoundHeader{0xEEEE, 0xEEEEEEEE, 0xEEEEEEEE, 0xEEEE};
}

uint8_t open(const char* entry, const char* fileName, SoundHeader* header, int16_t** body,
             PluginOptions* options) {
    beginCall(options);
    *body = nullptr;
    if (TEST_PLUGIN_FAILS) {
        int16_t* allocated = nullptr;
        common::allocateSamples(&allocated, 16);
        common::freeBuffer(allocated);
        scribble(header);
        return common::reportWithName(fileName, common::loadText(112));
    }
    if (!writeRecord(fileName, describe(entry, header, body, options))) {
        return 0;
    }
    if (!common::allocateSamples(body, recorderOpenedHeader.sampleCount)) {
        return 0;
    }
    std::memcpy(*body, recorderOpenedSamples, sizeof recorderOpenedSamples);
    *header = recorderOpenedHeader;
    ++options->formatIndex;
    ++options->rateIndex;
    return 1;
}

uint8_t save(const char* entry, const char* fileName, SoundHeader* header, const int16_t* body,
             PluginOptions* options) {
    beginCall(options);
    if (TEST_PLUGIN_FAILS) {
        scribble(header);
        return common::reportWithName(fileName, common::loadText(114));
    }
    RecordedCall call = describe(entry, header, body, options);
    call.firstSample = header->sampleCount > 0 ? body[0] : 0;
    if (!writeRecord(fileName, call)) {
        return 0;
    }
    header->bitsPerSample = recorderSavedBits;
    ++options->formatIndex;
    ++options->rateIndex;
    return 1;
}

} // namespace

extern "C" PLUGIN_EXPORT uint8_t OpenVox(const char* fileName, SoundHeader* header, int16_t** body,
                                         PluginOptions* options) {
    return open("OpenVox", fileName, header, body, options);
}
extern "C" PLUGIN_EXPORT uint8_t OpenWav(const char* fileName, SoundHeader* header, int16_t** body,
                                         PluginOptions* options) {
    return open("OpenWav", fileName, header, body, options);
}
extern "C" PLUGIN_EXPORT uint8_t SaveVox(const char* fileName, SoundHeader* header,
                                         const int16_t* body, PluginOptions* options) {
    return save("SaveVox", fileName, header, body, options);
}
extern "C" PLUGIN_EXPORT uint8_t SaveWav(const char* fileName, SoundHeader* header,
                                         const int16_t* body, PluginOptions* options) {
    return save("SaveWav", fileName, header, body, options);
}
#else
// Something to export, so the library is a valid plug-in file without the entry points.
extern "C" PLUGIN_EXPORT int About() {
    return 0;
}
#endif
