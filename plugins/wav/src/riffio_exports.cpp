// The exports of the WAV plug-in Riffio. Nothing else leaves the library.
#include "wav/wav_plugin.h"

#include "common/guarded_export.h"
#include "common/message_sink.h"

// The caption of message boxes comes from Textpack once, when the library is loaded.
__attribute__((constructor)) static void loadCaptionAtLoad() {
    common::loadCaption();
}

/* Reads the mono RIFF WAVE file `fileName` into a new body; options->useHeaderFormat is
 * ignored. `header` (out: all four fields) and `body` (out: the address of the caller's body
 * pointer) belong to the caller. On success (1) *body holds header->sampleCount samples
 * allocated with malloc, owned by the caller from then on; on failure (0) nothing is left
 * allocated and the message is in options->errorText, or shown when that is null. */
extern "C" PLUGIN_EXPORT uint8_t OpenWav(const char* fileName, SoundHeader* header, int16_t** body,
                                         PluginOptions* options) {
    return common::guardedEntry(options, [&]() -> uint8_t {
        return wav::openWav(fileName, header, body, options) ? 1 : 0;
    });
}

/* Writes header->sampleCount samples of `body` (read only, the caller's; may be null when there
 * are none) to `fileName` as a canonical 44-byte-header WAV file in the encoding of
 * header->formatTag and bitsPerSample (useHeaderFormat) or the user's choice in "WAVOPTIONS".
 * The file is replaced only once the new one is complete. Returns 1 with formatTag and
 * bitsPerSample set to what was written, or 0 with the header unchanged, the message reported as
 * for OpenWav, and any earlier file at `fileName` untouched. A cancelled dialog returns 0 before
 * the file is touched. */
extern "C" PLUGIN_EXPORT uint8_t SaveWav(const char* fileName, SoundHeader* header,
                                         const int16_t* body, PluginOptions* options) {
    return common::guardedEntry(options, [&]() -> uint8_t {
        return wav::saveWav(fileName, header, body, options) ? 1 : 0;
    });
}

/* Shows the about dialog "WAVABOUT" modally, owned by the dialog owner. Returns the command that
 * closed it (1 or 2), or 0 when it cannot be shown (no Qt application object). */
extern "C" PLUGIN_EXPORT intptr_t About(void) {
    return common::guardedExport(intptr_t{0}, [] { return wav::showWavAbout(); });
}
