#include "codecs/adpcm.h"

#include "wave_test/speech_signal.h"

#include <gtest/gtest.h>

#include <ostream>

#include <algorithm>
#include <cmath>
#include <vector>

namespace codecs {
namespace {

// The coder written out step by step, kept apart from the library's table-driven version.
struct ReferenceCoder {
    int stepIndex = 0;
    int predictor = 0;

    int difference(int code) {
        const int step = stepSizeTable[static_cast<std::size_t>(stepIndex)];
        int d = step / 8;
        if (code & 1)
            d += step / 4;
        if (code & 2)
            d += step / 2;
        if (code & 4)
            d += step;
        if (code & 8)
            d = -d;
        stepIndex += (code & 7) < 4 ? -1 : 2 * ((code & 7) - 3);
        stepIndex = std::max(0, std::min(48, stepIndex));
        return d;
    }

    int decode(int code) {
        predictor = std::max(-2047, std::min(2047, predictor + difference(code)));
        return predictor * 16;
    }

    int encode(int sample) {
        const int value = static_cast<int>(std::floor(sample / 16.0));
        int d = value - predictor;
        int code = 0;
        if (d < 0) {
            code = 8;
            d = -d;
        }
        int step = stepSizeTable[static_cast<std::size_t>(stepIndex)];
        if (d >= step) {
            code |= 4;
            d -= step;
        }
        step /= 2;
        if (d >= step) {
            code |= 2;
            d -= step;
        }
        step /= 2;
        if (d >= step)
            code |= 1;
        decode(code);
        return code;
    }
};

AdpcmState stateOf(int stepIndex, int predictor) {
    AdpcmState state;
    state.stepIndex = static_cast<int16_t>(stepIndex);
    state.predictor = static_cast<int16_t>(predictor);
    return state;
}

TEST(AdpcmTables, StepSizesAreTheFortyNineDialogicSteps) {
    const std::vector<int> expected = {
        16,  17,  19,  21,  23,  25,  28,  31,  34,  37,  41,   45,   50,   55,   60,  66,  73,
        80,  88,  97,  107, 118, 130, 143, 157, 173, 190, 209,  230,  253,  279,  307, 337, 371,
        408, 449, 494, 544, 598, 658, 724, 796, 876, 963, 1060, 1166, 1282, 1411, 1552};
    ASSERT_EQ(stepSizeTable.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(stepSizeTable[i], expected[i]) << "step index " << i;
}

TEST(AdpcmTables, IndexAdjustmentIgnoresTheSignBit) {
    const int expected[16] = {-1, -1, -1, -1, 2, 4, 6, 8, -1, -1, -1, -1, 2, 4, 6, 8};
    for (int code = 0; code < 16; ++code)
        EXPECT_EQ(indexAdjustTable[static_cast<std::size_t>(code)], expected[code])
            << "code " << code;
}

TEST(AdpcmDecodeStep, EveryIndexAndCodeMatchesTheReference) {
    for (int index = 0; index <= 48; ++index) {
        for (int code = 0; code < 16; ++code) {
            ReferenceCoder reference{index, 0};
            const int expected = reference.difference(code);
            AdpcmState state = stateOf(index, 123);
            EXPECT_EQ(decodeStep(state, static_cast<uint8_t>(code)), expected)
                << "index " << index << " code " << code;
            EXPECT_EQ(state.stepIndex, reference.stepIndex)
                << "index " << index << " code " << code;
            EXPECT_EQ(state.predictor, 123) << "decodeStep must leave the predictor alone";
        }
    }
}

TEST(AdpcmDecodeNibble, ByteZeroFromAFreshStateClimbsByThirtyTwo) {
    AdpcmState state;
    for (int n = 1; n <= 40; ++n) {
        EXPECT_EQ(decodeNibble(state, 0), 32 * n) << "sample " << n;
        EXPECT_EQ(state.stepIndex, 0) << "sample " << n;
    }
}

struct SaturationCase {
    uint8_t code;
    int limit;
};

void PrintTo(const SaturationCase& c, std::ostream* out) {
    *out << "code " << int{c.code};
}

class AdpcmSaturation : public ::testing::TestWithParam<SaturationCase> {};

TEST_P(AdpcmSaturation, LongRunsStopAtThePredictorLimit) {
    const SaturationCase c = GetParam();
    AdpcmState state;
    int16_t sample = 0;
    for (int n = 0; n < 500; ++n) {
        sample = decodeNibble(state, c.code);
        ASSERT_LE(std::abs(int{sample}), 32752) << "code " << int{c.code} << " sample " << n;
        ASSERT_LE(std::abs(int{state.predictor}), 2047) << "code " << int{c.code};
    }
    EXPECT_EQ(sample, c.limit);
    EXPECT_EQ(state.predictor, c.limit / 16);
    EXPECT_EQ(state.stepIndex, 48);
}

INSTANTIATE_TEST_SUITE_P(Codes, AdpcmSaturation,
                         ::testing::Values(SaturationCase{0x7, 32752},
                                           SaturationCase{0xF, -32752}));

TEST(AdpcmDecodeNibble, ClampsAtBothEndsFromAnyState) {
    for (int index = 0; index <= 48; ++index) {
        for (int code = 0; code < 16; ++code) {
            for (int predictor : {-2047, -2000, -1, 0, 1, 2000, 2047}) {
                ReferenceCoder reference{index, predictor};
                const int expected = reference.decode(code);
                AdpcmState state = stateOf(index, predictor);
                EXPECT_EQ(decodeNibble(state, static_cast<uint8_t>(code)), expected)
                    << "index " << index << " code " << code << " predictor " << predictor;
                EXPECT_EQ(state.predictor, reference.predictor);
                EXPECT_EQ(state.stepIndex, reference.stepIndex);
            }
        }
    }
}

// Every 16-bit input from a spread of states, against the reference.
TEST(AdpcmEncodeSample, AllInputsMatchTheReference) {
    int failures = 0;
    for (int index : {0, 1, 7, 20, 35, 47, 48}) {
        for (int predictor : {-2047, -700, -1, 0, 5, 1500, 2047}) {
            for (int sample = -32768; sample <= 32767 && failures < 10; ++sample) {
                ReferenceCoder reference{index, predictor};
                const int expected = reference.encode(sample);
                AdpcmState state = stateOf(index, predictor);
                const int code = encodeSample(state, static_cast<int16_t>(sample));
                if (code != expected || state.predictor != reference.predictor ||
                    state.stepIndex != reference.stepIndex) {
                    ADD_FAILURE() << "index " << index << " predictor " << predictor << " sample "
                                  << sample << ": code " << code << " expected " << expected;
                    ++failures;
                }
            }
        }
    }
}

struct OutOfRangeCase {
    int stepIndex;
    int predictor;
    int validIndex;
    int validPredictor;
};

void PrintTo(const OutOfRangeCase& c, std::ostream* out) {
    *out << "index " << c.stepIndex << ", predictor " << c.predictor;
}

class AdpcmOutOfRangeState : public ::testing::TestWithParam<OutOfRangeCase> {};

// Such a state never comes from the coder; it must not index past a table.
TEST_P(AdpcmOutOfRangeState, IsBroughtIntoRangeFirst) {
    const OutOfRangeCase c = GetParam();
    for (int code = 0; code < 16; ++code) {
        AdpcmState state = stateOf(c.stepIndex, c.predictor);
        AdpcmState valid = stateOf(c.validIndex, c.validPredictor);
        EXPECT_EQ(decodeNibble(state, static_cast<uint8_t>(code)),
                  decodeNibble(valid, static_cast<uint8_t>(code)))
            << "index " << c.stepIndex << " predictor " << c.predictor << " code " << code;
    }
    for (int sample : {-32768, -100, 0, 100, 32767}) {
        AdpcmState state = stateOf(c.stepIndex, c.predictor);
        AdpcmState valid = stateOf(c.validIndex, c.validPredictor);
        EXPECT_EQ(encodeSample(state, static_cast<int16_t>(sample)),
                  encodeSample(valid, static_cast<int16_t>(sample)))
            << "index " << c.stepIndex << " predictor " << c.predictor << " sample " << sample;
        EXPECT_EQ(state.stepIndex, valid.stepIndex);
        EXPECT_EQ(state.predictor, valid.predictor);
    }
}

INSTANTIATE_TEST_SUITE_P(States, AdpcmOutOfRangeState,
                         ::testing::Values(OutOfRangeCase{-5, 0, 0, 0},
                                           OutOfRangeCase{49, 0, 48, 0},
                                           OutOfRangeCase{32767, 0, 48, 0},
                                           OutOfRangeCase{10, 2048, 10, 2047},
                                           OutOfRangeCase{10, -32768, 10, -2047}));

TEST(AdpcmEncodeSample, LeavesTheStateTheDecoderReaches) {
    const std::vector<int16_t> signal = testing::speechSignal(20000);
    AdpcmState encoder;
    AdpcmState decoder;
    for (std::size_t i = 0; i < signal.size(); ++i) {
        const uint8_t code = encodeSample(encoder, signal[i]);
        const int16_t decoded = decodeNibble(decoder, code);
        ASSERT_EQ(decoded, encoder.predictor * 16) << "sample " << i;
        ASSERT_EQ(decoder.stepIndex, encoder.stepIndex) << "sample " << i;
    }
}

TEST(AdpcmEncodeSample, TracksASpeechSignalClosely) {
    const std::vector<int16_t> signal = testing::speechSignal(40000);
    AdpcmState encoder;
    double error = 0;
    double power = 0;
    for (int16_t sample : signal) {
        encodeSample(encoder, sample);
        const double difference = sample - encoder.predictor * 16.0;
        error += difference * difference;
        power += static_cast<double>(sample) * sample;
    }
    const double snr = 10 * std::log10(power / error);
    EXPECT_GT(snr, 15.0) << "signal-to-noise ratio " << snr << " dB";
}

TEST(AdpcmEncodeBlock, EarlierSampleGoesToTheHighNibble) {
    const int16_t samples[3] = {3000, -1200, 700};
    AdpcmState reference;
    const int first = encodeSample(reference, samples[0]);
    const int second = encodeSample(reference, samples[1]);
    const int third = encodeSample(reference, samples[2]);

    uint8_t out[2] = {0xAA, 0xAA};
    AdpcmState state;
    encodeAdpcmBlock(samples, 3, out, state);
    EXPECT_EQ(out[0], first << 4 | second);
    EXPECT_EQ(out[1], third << 4) << "odd count: the last low nibble is 0";
    EXPECT_EQ(state.predictor, reference.predictor);
    EXPECT_EQ(state.stepIndex, reference.stepIndex);
}

TEST(AdpcmEncodeBlock, ZeroSamplesWriteNothingAndKeepTheState) {
    uint8_t out = 0x5A;
    AdpcmState state = stateOf(17, -300);
    encodeAdpcmBlock(nullptr, 0, &out, state);
    EXPECT_EQ(out, 0x5A);
    EXPECT_EQ(state.stepIndex, 17);
    EXPECT_EQ(state.predictor, -300);
}

TEST(AdpcmEncodeBlock, SplitWithCarriedStateEqualsOneLongEncode) {
    const std::vector<int16_t> signal = testing::speechSignal(4097);
    std::vector<uint8_t> whole(2049);
    AdpcmState wholeState;
    encodeAdpcmBlock(signal.data(), 4097, whole.data(), wholeState);

    std::vector<uint8_t> split(2049);
    AdpcmState state;
    encodeAdpcmBlock(signal.data(), 4096, split.data(), state);
    encodeAdpcmBlock(signal.data() + 4096, 1, split.data() + 2048, state);
    EXPECT_EQ(split, whole);
    EXPECT_EQ(split[2048] & 0x0F, 0);
    EXPECT_EQ(state.predictor, wholeState.predictor);
    EXPECT_EQ(state.stepIndex, wholeState.stepIndex);
}

class AdpcmBlockRoundTrip : public ::testing::TestWithParam<uint32_t> {};

TEST_P(AdpcmBlockRoundTrip, DecodingGivesTheEncodersReconstruction) {
    const uint32_t count = GetParam();
    const std::vector<int16_t> signal = testing::speechSignal(count, count);
    std::vector<uint8_t> codes((count + 1) / 2);
    AdpcmState encoder;
    encodeAdpcmBlock(signal.data(), count, codes.data(), encoder);

    std::vector<int16_t> expected(count);
    ReferenceCoder reference;
    for (uint32_t i = 0; i < count; ++i) {
        const int code = i % 2 == 0 ? codes[i / 2] >> 4 : codes[i / 2] & 0x0F;
        expected[i] = static_cast<int16_t>(reference.decode(code));
    }
    std::vector<int16_t> decoded(count);
    AdpcmState decoder;
    decodeAdpcmBlock(codes.data(), count, decoded.data(), decoder);
    EXPECT_EQ(decoded, expected) << count << " samples";
    EXPECT_EQ(decoder.predictor, encoder.predictor);
    EXPECT_EQ(decoder.stepIndex, encoder.stepIndex);
}

INSTANTIATE_TEST_SUITE_P(Counts, AdpcmBlockRoundTrip, ::testing::Values(1u, 2u, 3u, 4096u, 9999u));

} // namespace
} // namespace codecs
