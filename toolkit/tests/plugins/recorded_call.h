// What the recording test plug-in saw in one call. It writes this record, byte for byte, into
// the file it was asked to open or save, so the test can read it back after the toolkit has
// unloaded the plug-in.
#pragma once

#include "common/plugin_contract.h"

#include <cstdint>

struct RecordedCall {
    char library[16];   // "Adpcmio" or "Riffio"
    char entry[16];     // "OpenVox", "SaveWav", ...
    SoundHeader header; // as passed in
    uint64_t third;     // the body address (open) or the body pointer (save)
    uint64_t errorText; // options->errorText
    uint64_t ownerWindow;
    uint8_t useHeaderFormat;
    uint16_t formatIndex;
    uint16_t rateIndex;
    int16_t firstSample; // save: body[0] when there is a sample
};

// What the recording plug-in's open returns: a fresh three-sample body and this header. It
// also stores formatIndex + 1 and rateIndex + 1 back into the options, as a dialog would.
inline constexpr SoundHeader recorderOpenedHeader = {1, 8000, 3, 16};
inline constexpr int16_t recorderOpenedSamples[3] = {100, -200, 300};
// What the recording plug-in's save stores in bitsPerSample, to show the header keeps it. Its
// save moves formatIndex and rateIndex on by one as well.
inline constexpr uint16_t recorderSavedBits = 99;
