/* The one definition of a sound's description, shared by the toolkit's public header
 * (Quiesc.h) and the plug-in contract (common/plugin_contract.h), and the format tags of the
 * encodings the libraries know. Plain C; safe to include from C and C++. */
#ifndef ABI_SOUND_HEADER_H
#define ABI_SOUND_HEADER_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* WAVE format tags of the encodings the plug-ins read and write. */
enum {
    FORMAT_TAG_PCM = 1,            /* linear PCM, 8 bits unsigned or 16 bits signed */
    FORMAT_TAG_ALAW = 6,           /* G.711 A-law, 8 bits */
    FORMAT_TAG_MULAW = 7,          /* G.711 u-law, 8 bits */
    FORMAT_TAG_DIALOGIC_ADPCM = 23 /* Dialogic OKI ADPCM, 4 bits */
};

/* How a sound is encoded in its file, how fast it is sampled and how many samples it has.
 * In memory a sound is always signed 16-bit mono; bitsPerSample describes the file (0: not
 * specified). */
typedef struct SoundHeader {
    uint16_t formatTag;
    uint32_t sampleRate;
    uint32_t sampleCount;
    uint16_t bitsPerSample;
} SoundHeader;

#ifdef __cplusplus
}
#endif

#endif
