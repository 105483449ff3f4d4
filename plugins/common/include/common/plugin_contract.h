/* The contract between the sound toolkit and a format plug-in: the records an entry point
 * receives and the signatures of the entry points. Plain C; safe to include from C and C++. */
#ifndef COMMON_PLUGIN_CONTRACT_H
#define COMMON_PLUGIN_CONTRACT_H

#include "abi/sound_header.h"

#include <stdint.h>

#if defined(_WIN32)
#define PLUGIN_EXPORT __declspec(dllexport)
#else
#define PLUGIN_EXPORT __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* The options of one Open or Save call; owned by the caller for the duration of the call. */
typedef struct PluginOptions {
    uint8_t useHeaderFormat; /* non-zero: no dialog, the encoding comes from the header */
    char* errorText;         /* null: messages are shown; else a buffer of at least 512 bytes */
    void* ownerWindow;       /* owner of the plug-in's dialogs, or null */
    uint16_t formatIndex;    /* remembered position in the VOX format list */
    uint16_t rateIndex;      /* remembered position in the VOX rate list */
} PluginOptions;

/* Nothing is thrown out of an entry point: whatever escapes its work fails the call (0) with
 * string 115 appended to the message (no memory) or string 117.
 *
 * Open: fills header, stores a new body (malloc'ed, owned by the caller on success) at *body.
 * Returns 1 on success, 0 on failure (reported through the message sink, nothing left allocated).
 */
typedef uint8_t (*PluginOpenEntry)(const char* fileName, SoundHeader* header, int16_t** body,
                                   PluginOptions* options);
/* Save: writes header->sampleCount samples of body (read only) to a partial file that replaces
 * the target only when complete; on success formatTag and bitsPerSample hold what was written.
 * Returns 1 or 0; on failure the header and any earlier file at the target are unchanged. */
typedef uint8_t (*PluginSaveEntry)(const char* fileName, SoundHeader* header, const int16_t* body,
                                   PluginOptions* options);
/* About: shows the plug-in's about dialog modally; returns the dialog's result (0: not shown). */
typedef intptr_t (*PluginAboutEntry)(void);

#ifdef __cplusplus
}
#endif

#endif
