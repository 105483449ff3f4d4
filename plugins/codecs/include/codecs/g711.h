// G.711 u-law and A-law encoding of whole 16-bit samples.
//
// Each encoder is one lookup in a table built at compile time from the rule. u-law, the format
// of the VOX outputs, looks up the byte of every 16-bit sample (65,536 entries): a whole body
// encodes at one load and one store per sample, and speech keeps to a small, cached part of
// the table. The A-law code depends only on the folded value shifted right by 4 (2048 entries),
// and its sign is applied without branches.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace codecs {

// Entry i is the position of the highest set bit of i (0 for 0 and 1).
inline constexpr std::array<uint8_t, 256> ulawExponentTable = [] {
    std::array<uint8_t, 256> table{};
    for (unsigned i = 2; i < table.size(); ++i)
        table[i] = static_cast<uint8_t>(table[i / 2] + 1);
    return table;
}();

inline constexpr std::array<uint16_t, 8> alawSegmentEnds = {0xFF,  0x1FF,  0x3FF,  0x7FF,
                                                            0xFFF, 0x1FFF, 0x3FFF, 0x7FFF};

inline constexpr int ulawBias = 0x84;
inline constexpr int ulawMagnitudeLimit = 32635;

namespace detail {

// The u-law rule: the magnitude (of -32768 as 32767), limited and biased; the exponent from the
// table; four mantissa bits below the leading one; the sign; complemented. The most negative
// samples give 0x00 (no substitution of the all-zero code).
constexpr uint8_t ulawByteOfSample(int sample) {
    const unsigned sign = sample < 0 ? 0x80 : 0;
    const int magnitude = sample < 0 ? (sample == -32768 ? 32767 : -sample) : sample;
    const unsigned biased =
        static_cast<unsigned>(magnitude < ulawMagnitudeLimit ? magnitude : ulawMagnitudeLimit) +
        ulawBias;
    const unsigned exponent = ulawExponentTable[(biased >> 7) & 0xFF];
    const unsigned mantissa = (biased >> (exponent + 3)) & 0x0F;
    return static_cast<uint8_t>(~(sign | exponent << 4 | mantissa));
}

// Indexed by the sample's 16 bits as unsigned (0x8000 is -32768); defined in g711_tables.cpp.
extern const std::array<uint8_t, 65536> ulawOfSample;

// The A-law code (before the sign mask) of a folded value whose top bits are `bucket`
// (value >> 4): the first segment whose end holds the value, then four bits of the value.
constexpr uint8_t alawCodeOfBucket(unsigned bucket) {
    const unsigned value = bucket << 4;
    unsigned segment = 0;
    while (value > alawSegmentEnds[segment])
        ++segment;
    const unsigned shift = segment < 2 ? 4 : segment + 3;
    return static_cast<uint8_t>(segment << 4 | ((value >> shift) & 0x0F));
}

inline constexpr std::size_t alawBuckets = (0x7FFF >> 4) + 1;

inline constexpr std::array<uint8_t, alawBuckets> alawBucketCodes = [] {
    std::array<uint8_t, alawBuckets> table{};
    for (unsigned i = 0; i < table.size(); ++i)
        table[i] = alawCodeOfBucket(i);
    return table;
}();

} // namespace detail

// Inline, so that the loops over a body encode without a call per sample.
inline uint8_t encodeUlaw(int16_t sample) {
    return detail::ulawOfSample[static_cast<uint16_t>(sample)];
}

// A negative sample folds to -sample - 8, at least 0 (so -32768 gives 32760 and -1 to -8 give 0),
// and is masked with 0x55; a non-negative one is masked with 0xD5.
inline uint8_t encodeAlaw(int16_t sample) {
    const int value = sample;
    const int sign = value >> 31; // 0 or -1
    const int folded = (value ^ sign) - (sign & 7);
    const int clamped = folded > 0 ? folded : 0;
    const unsigned mask = 0x55u | (~static_cast<unsigned>(sign) & 0x80u);
    return static_cast<uint8_t>(detail::alawBucketCodes[static_cast<unsigned>(clamped) >> 4] ^
                                mask);
}

} // namespace codecs
