/* The ids of the strings in Textpack's string table, named once for every library that loads
 * them. Plain C; safe to include from C and C++. Templates take the printf argument named
 * beside them. TEXTPACK_STRING_IDS lists every id, so that the table can be checked against
 * it. */
#ifndef TEXTPACK_STRING_IDS_H
#define TEXTPACK_STRING_IDS_H

#define TEXTPACK_STRING_IDS(X)                                                                     \
    X(TEXT_ID_CAPTION, 101)              /* caption of the plug-ins' message boxes */              \
    X(TEXT_ID_NO_RATE, 102)              /* the one entry of a rate list with nothing to choose */ \
    X(TEXT_ID_UNSUPPORTED_TAG, 103)      /* template: the format tag (%d) */                       \
    X(TEXT_ID_ZERO_RATE, 104)            /* a sound or a VOX open with 0 samples per second */     \
    X(TEXT_ID_NOT_RIFF_WAVE, 106)        /* a WAV file without the RIFF WAVE header */             \
    X(TEXT_ID_UNSUPPORTED_ENCODING, 107) /* a WAV file's tag and bits are not accepted */          \
    X(TEXT_ID_NOT_MONO, 108)             /* a WAV file with more than one channel */               \
    X(TEXT_ID_FILE_ZERO_RATE, 110)       /* a WAV file with 0 samples per second */                \
    X(TEXT_ID_EMPTY_FILE, 111)           /* a VOX file of 0 bytes */                               \
    X(TEXT_ID_SHORT_READ, 112)           /* a read returned fewer bytes than asked */              \
    X(TEXT_ID_NO_SAMPLES, 113)           /* a WAV file's "data" chunk is empty */                  \
    X(TEXT_ID_SHORT_WRITE, 114)          /* a write wrote fewer bytes than asked */                \
    X(TEXT_ID_OUT_OF_MEMORY, 115)        /* appended to the message text */                        \
    X(TEXT_ID_TOO_LARGE, 116)            /* the sound does not fit the file format's sizes */      \
    X(TEXT_ID_UNEXPECTED, 117)           /* something unforeseen escaped an export */              \
    X(TEXT_ID_SELECTION_INVALID, 200)    /* the selection does not fit the sound */                \
    X(TEXT_ID_TRIM_PARAMS_INVALID, 201)  /* the silence-trimming parameters */                     \
    X(TEXT_ID_RATES_DIFFER, 202)         /* two sounds to be mixed */                              \
    X(TEXT_ID_TOO_SHORT_TO_RESAMPLE, 203) /* fewer than 100 samples */                             \
    X(TEXT_ID_NO_DEVICE, 400)             /* the playback device does not exist */                 \
    X(TEXT_ID_UNKNOWN_DEVICE_ERROR, 401)  /* the platform has no text for the device's error */    \
    X(TEXT_ID_PLAYBACK_FAILED, 402)       /* template: the device's text (%s) */                   \
    X(TEXT_ID_NO_PLUGIN, 502)             /* no plug-in handles the file's extension */            \
    X(TEXT_ID_NO_ENTRY_POINT, 503)        /* template: the format name (%s) */                     \
    X(TEXT_ID_PLUGIN_NOT_LOADED, 504)     /* template: the library name (%s) */

#define TEXTPACK_STRING_ID_ENUMERATOR(name, id) name = id,
enum TextpackStringId { TEXTPACK_STRING_IDS(TEXTPACK_STRING_ID_ENUMERATOR) };
#undef TEXTPACK_STRING_ID_ENUMERATOR

#endif
