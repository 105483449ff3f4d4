#include "codecs/adpcm.h"

#include <algorithm>

namespace codecs {
namespace {

constexpr int codesPerIndex = 16;
constexpr int magnitudesPerIndex = 8;

constexpr int nextStepIndex(int stepIndex, int code) {
    return std::clamp(stepIndex + indexAdjustTable[code], 0, adpcmLastStepIndex);
}

// What one code does in one state: the predictor difference and the next step index.
struct Transition {
    int16_t difference;
    uint8_t nextIndex;
};

constexpr Transition transitionByRule(int stepIndex, int code) {
    const int step = stepSizeTable[stepIndex];
    int difference = step >> 3;
    if (code & 1)
        difference += step >> 2;
    if (code & 2)
        difference += step >> 1;
    if (code & 4)
        difference += step;
    if (code & 8)
        difference = -difference;
    return {static_cast<int16_t>(difference), static_cast<uint8_t>(nextStepIndex(stepIndex, code))};
}

// Every (step index, code) pair precomputed: a decode is one load, an add and a clamp.
constexpr auto transitions = [] {
    std::array<Transition, stepSizeTable.size() * codesPerIndex> table{};
    for (int index = 0; index <= adpcmLastStepIndex; ++index)
        for (int code = 0; code < codesPerIndex; ++code)
            table[index * codesPerIndex + code] = transitionByRule(index, code);
    return table;
}();

// The encoder's next step index and its step size in one load; the sign does not matter.
struct NextStep {
    int16_t step;
    uint8_t index;
};

constexpr auto nextSteps = [] {
    std::array<NextStep, stepSizeTable.size() * magnitudesPerIndex> table{};
    for (int index = 0; index <= adpcmLastStepIndex; ++index) {
        for (int magnitude = 0; magnitude < magnitudesPerIndex; ++magnitude) {
            const int next = nextStepIndex(index, magnitude);
            table[index * magnitudesPerIndex + magnitude] = {stepSizeTable[next],
                                                             static_cast<uint8_t>(next)};
        }
    }
    return table;
}();

inline int clampPredictor(int predictor) {
    return std::clamp(predictor, -adpcmPredictorLimit, adpcmPredictorLimit);
}

// A state from outside the coder is brought into its ranges before it indexes a table.
inline int validStepIndex(const AdpcmState& state) {
    return std::clamp(int{state.stepIndex}, 0, adpcmLastStepIndex);
}

// The state kept in plain ints inside the block loops.
struct Decoder {
    int stepIndex;
    int predictor;

    explicit Decoder(const AdpcmState& state)
        : stepIndex(validStepIndex(state))
        , predictor(clampPredictor(state.predictor)) {}

    void storeInto(AdpcmState& state) const {
        state.stepIndex = static_cast<int16_t>(stepIndex);
        state.predictor = static_cast<int16_t>(predictor);
    }

    int step(unsigned code) {
        const Transition& t = transitions[stepIndex * codesPerIndex + (code & 0x0F)];
        stepIndex = t.nextIndex;
        return t.difference;
    }

    int16_t decode(unsigned code) {
        predictor = clampPredictor(predictor + step(code));
        return static_cast<int16_t>(predictor * 16);
    }
};

// One step of the successive approximation: subtracts `part` from `remainder` when the
// remainder reaches it, and says whether it did. The outcome is unpredictable, so it must not
// become a branch; on x86-64 the compare runs beside the subtraction and a conditional move
// picks the result (two cycles on the path from one sample to the next, where the compiler's
// own selection compares the difference and takes three, or branches).
inline unsigned subtractIfReached(unsigned remainder, unsigned part, bool& reached) {
    const unsigned reduced = remainder - part;
#if defined(__GNUC__) && defined(__x86_64__)
    asm("cmpl %[part], %[remainder]\n\tcmovael %[reduced], %[remainder]"
        : [remainder] "+r"(remainder), "=@ccae"(reached)
        : [part] "r"(part), [reduced] "r"(reduced));
    return remainder;
#else
    reached = remainder >= part;
    return reached ? reduced : remainder;
#endif
}

// The encoder approximates |error| by step, step / 2 and step / 4. The parts taken add up to
// |error| minus the last remainder, so the decoder's difference (step / 8 plus the parts
// taken) puts the predictor at (sample >> 4) -/+ (remainder - step / 8) without a table
// lookup between one sample and the next; only the next step size comes from a table.
struct Encoder {
    int stepIndex;
    int predictor;
    int step;

    explicit Encoder(const AdpcmState& state)
        : stepIndex(validStepIndex(state))
        , predictor(clampPredictor(state.predictor))
        , step(stepSizeTable[static_cast<std::size_t>(stepIndex)]) {}

    void storeInto(AdpcmState& state) const {
        state.stepIndex = static_cast<int16_t>(stepIndex);
        state.predictor = static_cast<int16_t>(predictor);
    }

    unsigned encode(int16_t sample) {
        const int value = sample >> 4;
        const int error = value - predictor;
        const bool negative = error < 0;
        const auto r0 = static_cast<unsigned>(negative ? -error : error);
        const auto whole = static_cast<unsigned>(step);
        bool bit2, bit1, bit0;
        const unsigned r1 = subtractIfReached(r0, whole, bit2);
        const unsigned r2 = subtractIfReached(r1, whole >> 1, bit1);
        const auto rest = static_cast<int>(subtractIfReached(r2, whole >> 2, bit0));
        const unsigned magnitude = (bit2 * 4u + bit1 * 2u) + bit0;

        const int eighth = step >> 3;
        predictor = negative ? (value - eighth) + rest : (value + eighth) - rest;
        // Saturation is rare in speech: a predictable branch keeps the clamp off the path.
        if (static_cast<unsigned>(predictor + adpcmPredictorLimit) > 2 * adpcmPredictorLimit) {
            [[unlikely]] predictor = clampPredictor(predictor);
        }

        const NextStep& next = nextSteps[stepIndex * magnitudesPerIndex + magnitude];
        stepIndex = next.index;
        step = next.step;
        return magnitude | (negative ? 8u : 0u);
    }
};

} // namespace

int16_t decodeStep(AdpcmState& state, uint8_t code) {
    Decoder decoder(state);
    const int difference = decoder.step(code);
    state.stepIndex = static_cast<int16_t>(decoder.stepIndex);
    return static_cast<int16_t>(difference);
}

int16_t decodeNibble(AdpcmState& state, uint8_t code) {
    Decoder decoder(state);
    const int16_t sample = decoder.decode(code);
    decoder.storeInto(state);
    return sample;
}

uint8_t encodeSample(AdpcmState& state, int16_t sample) {
    Encoder encoder(state);
    const unsigned code = encoder.encode(sample);
    encoder.storeInto(state);
    return static_cast<uint8_t>(code);
}

void encodeAdpcmBlock(const int16_t* samples, uint32_t count, uint8_t* out, AdpcmState& state) {
    Encoder encoder(state);
    uint32_t i = 0;
    for (; i + 1 < count; i += 2) {
        const unsigned high = encoder.encode(samples[i]);
        const unsigned low = encoder.encode(samples[i + 1]);
        *out++ = static_cast<uint8_t>(high << 4 | low);
    }
    if (i < count)
        *out = static_cast<uint8_t>(encoder.encode(samples[i]) << 4);
    encoder.storeInto(state);
}

void decodeAdpcmBlock(const uint8_t* codes, uint32_t count, int16_t* samples, AdpcmState& state) {
    Decoder decoder(state);
    uint32_t i = 0;
    for (; i + 1 < count; i += 2) {
        const unsigned byte = *codes++;
        samples[i] = decoder.decode(byte >> 4);
        samples[i + 1] = decoder.decode(byte & 0x0F);
    }
    if (i < count)
        samples[i] = decoder.decode(*codes >> 4);
    decoder.storeInto(state);
}

} // namespace codecs
