// The Dialogic (OKI) 4-bit ADPCM coder: 12-bit predictor, 49 step sizes, two codes per byte
// with the earlier sample in the high nibble.
#pragma once

#include <array>
#include <cstdint>

namespace codecs {

// The coder's whole state. A file is always coded from a fresh state {0, 0}. The functions
// below bring a state outside these ranges into them before using it.
struct AdpcmState {
    int16_t stepIndex = 0; // 0 to 48
    int16_t predictor = 0; // -2047 to 2047, on the 12-bit scale
};

inline constexpr std::array<int16_t, 49> stepSizeTable = {
    16,  17,  19,  21,  23,  25,  28,  31,  34,  37,  41,   45,   50,   55,   60,  66,  73,
    80,  88,  97,  107, 118, 130, 143, 157, 173, 190, 209,  230,  253,  279,  307, 337, 371,
    408, 449, 494, 544, 598, 658, 724, 796, 876, 963, 1060, 1166, 1282, 1411, 1552};

// Indexed by the whole code: the sign bit does not change the adjustment.
inline constexpr std::array<int8_t, 16> indexAdjustTable = {-1, -1, -1, -1, 2, 4, 6, 8,
                                                            -1, -1, -1, -1, 2, 4, 6, 8};

inline constexpr int adpcmPredictorLimit = 2047;
inline constexpr int adpcmLastStepIndex = 48;

// The signed difference that `code` (0 to 15) adds to the predictor; moves stepIndex.
int16_t decodeStep(AdpcmState& state, uint8_t code);
// The next sample (the predictor times 16) for `code`; updates the state.
int16_t decodeNibble(AdpcmState& state, uint8_t code);
// The 4-bit code for `sample`; updates the state exactly as decoding that code would.
uint8_t encodeSample(AdpcmState& state, int16_t sample);

// Encodes `count` samples into (count + 1) / 2 bytes at `out`, continuing from and storing back
// `state`. An odd count leaves 0 in the low nibble of the last byte.
void encodeAdpcmBlock(const int16_t* samples, uint32_t count, uint8_t* out, AdpcmState& state);
// Decodes `count` codes packed in (count + 1) / 2 bytes into `count` samples, continuing from
// `state`. Codes are read strictly in order, each before its samples are stored, so `codes` may
// lie inside `samples` as long as code k sits beyond the samples of the codes before it.
void decodeAdpcmBlock(const uint8_t* codes, uint32_t count, int16_t* samples, AdpcmState& state);

// Decodes a body in place: the body holds sampleCount 16-bit samples and its first
// (sampleCount + 1) / 2 bytes hold the packed codes of a whole file (sampleCount is twice the
// file's byte count). Starts from a fresh state and needs no memory of its own.
void decodeAdpcm(int16_t* body, uint32_t sampleCount);

} // namespace codecs
