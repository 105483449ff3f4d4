/* Quiesc: the sound toolkit. A sound lives in memory as a SoundHeader and a body of signed
 * 16-bit mono samples; files are opened and saved through format plug-ins chosen by the file
 * name's extension. Plain C exports; safe to include from C and C++.
 *
 * Every export runs on the caller's thread and expects one call at a time. A failing export
 * returns a non-zero result code and leaves its message in the library's last-error text
 * (GetLastQcErrorText); a success does not clear it. Nothing is thrown out of an export: a
 * failure inside one that nothing else reports (no memory for the library's own bookkeeping)
 * gives the export's failure code with the out-of-memory text appended, or string 117.
 *
 * The plug-ins (Adpcmio.so for .vox, Riffio.so for .wav) are loaded for each open or save and
 * unloaded after it. They are looked for in the folder named by the environment variable
 * QUIESC_PLUGIN_DIR when it is set, then beside the toolkit library, then by the platform's
 * normal library search. */
#ifndef QUIESC_QUIESC_H
#define QUIESC_QUIESC_H

#include "abi/sound_header.h"

#include <stdint.h>

#if defined(_WIN32)
#define QUIESC_API __declspec(dllexport)
#else
#define QUIESC_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* A stretch of a sound in seconds from its start; covers the samples from the index of
 * startSeconds up to, not including, the index of endSeconds (index = rate * t + 0.5, truncated).
 */
typedef struct SoundSelection {
    double startSeconds;
    double endSeconds;
} SoundSelection;

/* The parameters of silence trimming. */
typedef struct QuiescenceParams {
    double leadSeconds;
    double trailSeconds;
    double threshold;
    uint32_t minLoudRun;
} QuiescenceParams;

/* Result codes shared by all exports. */
typedef int32_t QcResult;
enum {
    QC_OK = 0,
    QC_OPEN_FAILED = 1,
    QC_SAVE_FAILED = 2,
    QC_RESAMPLE_FAILED = 3,
    QC_TRIM_FAILED = 4,
    QC_SELECTION_INVALID = 5,
    QC_TRIM_PARAMS_INVALID = 6,
    QC_PLAYBACK_FAILED = 7,
    QC_OUT_OF_MEMORY = 8,
    QC_MIX_FAILED = 9
};

/* Format codes of the open and save exports: only the low 16 bits count. These two name PCM
 * with its bits; any other value v names format tag v (1 PCM, 6 A-law, 7 u-law, 23 Dialogic
 * ADPCM) with bitsPerSample 0. */
enum { QC_FORMAT_PCM8 = 0x8000, QC_FORMAT_PCM16 = 0x8001 };

/* The size of the last-error text: 511 characters and the terminator. */
enum { QC_ERROR_TEXT_SIZE = 512 };

/* Allocates a body of sampleCount samples (contents undefined) and stores it at *body; the
 * caller owns it and frees it with FreeSoundBody. body must not be null. On failure stores null,
 * appends the out-of-memory text to the last-error text and returns QC_OUT_OF_MEMORY. */
QUIESC_API QcResult AllocateSoundBody(int16_t** body, uint32_t sampleCount);

/* Frees a body allocated by this library or by a plug-in's open; null is accepted and ignored.
 * The body must not be used afterwards. */
QUIESC_API void FreeSoundBody(int16_t* body);

/* Copies the last-error text into buffer, which must hold QC_ERROR_TEXT_SIZE characters: exactly
 * that many are written (the text, zero fill, a terminator at position 511). Returns buffer; a
 * null buffer writes nothing and returns null. */
QUIESC_API char* GetLastQcErrorText(char* buffer);

/* Remembers window (null: none, then the active window at each call is used) as the owner of
 * plug-in dialogs, and returns it. The window is not owned; it must stay valid while set. */
QUIESC_API void* SetQcParent(void* window);

/* Opens fileName through the plug-in for its extension, which may ask the user for the encoding
 * (the choice is remembered while the library is loaded). On QC_OK header is filled and *body
 * holds a new body the caller owns (free it with FreeSoundBody). On QC_OPEN_FAILED *body holds
 * nothing to use or free. header and body must not be null. */
QUIESC_API QcResult OpenSoundFile(const char* fileName, SoundHeader* header, int16_t** body);

/* As OpenSoundFile, without asking the user: the header is first set from formatCode and
 * sampleRate (the encoding and rate to assume for files that do not carry them; 0 and 0 for a
 * WAV file). Returns QC_OK or QC_OPEN_FAILED; on failure the header may have been changed. */
QUIESC_API QcResult OpenSoundFileEx(const char* fileName, SoundHeader* header, int16_t** body,
                                    uint32_t formatCode, uint32_t sampleRate);

/* Saves header->sampleCount samples of *body (read only, still owned by the caller) to fileName
 * through the plug-in for its extension, which may ask the user for the encoding. On QC_OK the
 * header holds the encoding and bits written; on QC_SAVE_FAILED the plug-in left it unchanged. */
QUIESC_API QcResult SaveSoundFile(const char* fileName, SoundHeader* header, int16_t** body);

/* As SaveSoundFile, without asking the user: the file is written in the encoding of formatCode
 * at the header's own rate. On QC_OK the header holds the encoding and bits written; on
 * QC_SAVE_FAILED it is exactly as before the call. */
QUIESC_API QcResult SaveSoundFileEx(const char* fileName, SoundHeader* header, int16_t** body,
                                    uint32_t formatCode);

/* ---- Editing, silence trimming, resampling, playback and file pipelines ---- */

/* Sets selection to the whole sound: 0 to sampleCount / sampleRate seconds. Neither pointer may
 * be null; nothing is reported. */
QUIESC_API void GetWholeSoundSelection(const SoundHeader* header, SoundSelection* selection);

/* Keeps only the selected samples. The body shrinks in place (*body may move and is updated);
 * header->sampleCount and the selection then describe the whole new sound. QC_OK, or
 * QC_SELECTION_INVALID (nothing changed). The caller keeps owning the body. */
QUIESC_API QcResult CropSound(SoundHeader* header, int16_t** body, SoundSelection* selection);

/* Removes the selected samples (a cut of the whole sound leaves one sample of 0). Body, count
 * and selection are updated as by CropSound. QC_OK or QC_SELECTION_INVALID (nothing changed). */
QUIESC_API QcResult CutSelectionFromSound(SoundHeader* header, int16_t** body,
                                          SoundSelection* selection);

/* Multiplies the selected samples by 10^(gainDb / 20), saturating at the 16-bit limits for gains
 * above 0 dB; a gain that is not a number changes nothing. QC_OK or QC_SELECTION_INVALID. */
QUIESC_API QcResult AmplifySound(SoundHeader* header, int16_t** body, SoundSelection* selection,
                                 double gainDb);

/* Mixes two sounds of one rate into a new body stored at *outBody (owned by the caller, free it
 * with FreeSoundBody) and fills *outHeader; each input's mean is removed first and weight is the
 * share of the second sound. The inputs are not changed. QC_OK, or QC_MIX_FAILED (different
 * rates or no memory; *outBody is then null or untouched, *outHeader untouched). */
QUIESC_API QcResult MixSounds(const SoundHeader* firstHeader, int16_t** firstBody,
                              const SoundHeader* secondHeader, int16_t** secondBody,
                              SoundHeader* outHeader, int16_t** outBody, double weight);

/* Replaces the quiet stretches around the loud part of the selection by leadSeconds and
 * trailSeconds of digital silence. *body may move (updated); sampleCount and endSeconds follow.
 * The result may be an empty body (sampleCount 0), which FreeSoundBody accepts. QC_OK,
 * QC_SELECTION_INVALID, QC_TRIM_PARAMS_INVALID, or QC_TRIM_FAILED (no memory, nothing changed). */
QUIESC_API QcResult Quiescence(SoundHeader* header, int16_t** body, SoundSelection* selection,
                               const QuiescenceParams* params);

/* Converts the sound to newRate (octave steps through a half-band filter, then linear
 * interpolation). *body is replaced (updated); the old pointer must not be used. QC_OK or
 * QC_RESAMPLE_FAILED: fewer than 100 samples, a rate of 0, or no memory (then the sound is
 * unchanged, or at the rate and length of the octave steps when only the last step failed). */
QUIESC_API QcResult ResampleSound(SoundHeader* header, int16_t** body, uint32_t newRate);

/* Playback notifications, with the values of the wave-output messages they stand for. */
enum { QC_PLAYBACK_OPEN = 0x3BB, QC_PLAYBACK_CLOSE = 0x3BC, QC_PLAYBACK_DONE = 0x3BD };

/* Receives a notification. OPEN and CLOSE arrive on the caller's thread inside PlayMemorySound
 * and CloseMemorySound; DONE arrives on the audio system's thread, must return quickly and must
 * not call the playback exports. */
typedef void (*QcPlaybackCallback)(void* context, int32_t message);

/* Where playback notifications go; copied by PlayMemorySound, so it need not outlive the call. */
typedef struct QcPlaybackNotifier {
    QcPlaybackCallback callback;
    void* context;
} QcPlaybackNotifier;

/* Plays the selected samples on the default output device as one buffer, straight from the
 * caller's body: header, *body and selection must stay unchanged until CloseMemorySound. notifier
 * may be null. QC_OK; QC_SELECTION_INVALID; QC_PLAYBACK_FAILED when a player exists already (no
 * message) or the device refused (the device text inside the playback message). */
QUIESC_API QcResult PlayMemorySound(const QcPlaybackNotifier* notifier, const SoundHeader* header,
                                    int16_t** body, const SoundSelection* selection);

/* Pauses playing playback, or resumes paused playback. Without a player does nothing. */
QUIESC_API void PauseMemorySound(void);

/* Stops playback at once (DONE follows); the device stays open until CloseMemorySound. Without a
 * player does nothing. */
QUIESC_API void StopMemorySound(void);

/* Stops playback if it still plays, closes the device (CLOSE) and releases the player; the body
 * may be freed afterwards. Without a player does nothing. */
QUIESC_API void CloseMemorySound(void);

/* Step flags of ProcessSoundFile; the low two bits choose the selection step. */
enum {
    QC_STEP_CUT = 1,
    QC_STEP_CROP = 2,
    QC_STEP_VALIDATE_ONLY = 3,
    QC_STEP_SELECTION_MASK = 3,
    QC_STEP_RESAMPLE = 4,
    QC_STEP_AMPLIFY = 8,
    QC_STEP_TRIM = 16
};

/* Opens inFile (OpenSoundFileEx with inFormat, inRate), applies the flagged steps in the order
 * selection, trim, resample, amplify, and saves to outFile (SaveSoundFileEx with outFormat).
 * selection is read (and, after a cut or crop, set to the whole edited sound) only when the
 * selection bits are set; params only with QC_STEP_TRIM, newRate only with QC_STEP_RESAMPLE,
 * gainDb only with QC_STEP_AMPLIFY; unused pointers may be null. QC_OK or the first failing
 * step's code (1 open, 2 save, 3 resample, 4 trim, 5 selection, 6 trim parameters); nothing is
 * written unless every step before the save succeeded, and no memory is kept. */
QUIESC_API QcResult ProcessSoundFile(const char* inFile, uint32_t inFormat, uint32_t inRate,
                                     const char* outFile, uint32_t outFormat, uint32_t newRate,
                                     SoundSelection* selection, double gainDb,
                                     const QuiescenceParams* params, uint32_t flags);

/* Opens both files with inFormat and inRate, mixes them (MixSounds with weight) and saves the
 * mix to outFile with outFormat. QC_OK, QC_OPEN_FAILED (either open), QC_MIX_FAILED or
 * QC_SAVE_FAILED; nothing is written unless both opens and the mix succeeded. */
QUIESC_API QcResult MixSoundFiles(const char* firstFile, const char* secondFile, uint32_t inFormat,
                                  uint32_t inRate, const char* outFile, uint32_t outFormat,
                                  double weight);

/* ---- End of editing, trimming, resampling, playback and pipelines ---- */

#ifdef __cplusplus
}
#endif

#endif
