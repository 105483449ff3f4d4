#include "codecs/adpcm.h"

#include <algorithm>

namespace codecs {
namespace {

// What one code does in one state: the predictor difference and the next step index.
struct Transition {
    int16_t difference;
    uint8_t nextIndex;
};

constexpr int codesPerIndex = 16;
using TransitionTable = std::array<Transition, stepSizeTable.size() * codesPerIndex>;

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
    const int next = std::clamp(stepIndex + indexAdjustTable[code], 0, adpcmLastStepIndex);
    return {static_cast<int16_t>(difference), static_cast<uint8_t>(next)};
}

// Precomputing every (step index, code) pair turns a decode into two loads and a clamp.
constexpr TransitionTable makeTransitionTable() {
    TransitionTable table{};
    for (int index = 0; index <= adpcmLastStepIndex; ++index)
        for (int code = 0; code < codesPerIndex; ++code)
            table[index * codesPerIndex + code] = transitionByRule(index, code);
    return table;
}

constexpr TransitionTable transitions = makeTransitionTable();

inline int clampPredictor(int predictor) {
    return std::clamp(predictor, -adpcmPredictorLimit, adpcmPredictorLimit);
}

// The coder's state kept in plain ints inside the block loops.
struct Coder {
    int stepIndex;
    int predictor;

    explicit Coder(const AdpcmState& state)
        : stepIndex(state.stepIndex)
        , predictor(state.predictor) {}

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

    // Successive approximation of the difference by step, step/2 and step/4, without branches.
    unsigned encode(int16_t sample) {
        int difference = (sample >> 4) - predictor;
        const unsigned negative = difference < 0;
        difference = negative ? -difference : difference;
        int step = stepSizeTable[stepIndex];
        const unsigned bit2 = difference >= step;
        difference -= bit2 ? step : 0;
        step >>= 1;
        const unsigned bit1 = difference >= step;
        difference -= bit1 ? step : 0;
        step >>= 1;
        const unsigned bit0 = difference >= step;
        const unsigned code = negative << 3 | bit2 << 2 | bit1 << 1 | bit0;
        predictor = clampPredictor(predictor + this->step(code));
        return code;
    }
};

} // namespace

int16_t decodeStep(AdpcmState& state, uint8_t code) {
    Coder coder(state);
    const int difference = coder.step(code);
    state.stepIndex = static_cast<int16_t>(coder.stepIndex);
    return static_cast<int16_t>(difference);
}

int16_t decodeNibble(AdpcmState& state, uint8_t code) {
    Coder coder(state);
    const int16_t sample = coder.decode(code);
    coder.storeInto(state);
    return sample;
}

uint8_t encodeSample(AdpcmState& state, int16_t sample) {
    Coder coder(state);
    const unsigned code = coder.encode(sample);
    coder.storeInto(state);
    return static_cast<uint8_t>(code);
}

void encodeAdpcmBlock(const int16_t* samples, uint32_t count, uint8_t* out, AdpcmState& state) {
    Coder coder(state);
    uint32_t i = 0;
    for (; i + 1 < count; i += 2) {
        const unsigned high = coder.encode(samples[i]);
        const unsigned low = coder.encode(samples[i + 1]);
        *out++ = static_cast<uint8_t>(high << 4 | low);
    }
    if (i < count)
        *out = static_cast<uint8_t>(coder.encode(samples[i]) << 4);
    coder.storeInto(state);
}

void decodeAdpcmBlock(const uint8_t* codes, uint32_t count, int16_t* samples, AdpcmState& state) {
    Coder coder(state);
    uint32_t i = 0;
    for (; i + 1 < count; i += 2) {
        const unsigned byte = *codes++;
        samples[i] = coder.decode(byte >> 4);
        samples[i + 1] = coder.decode(byte & 0x0F);
    }
    if (i < count)
        samples[i] = coder.decode(*codes >> 4);
    coder.storeInto(state);
}

} // namespace codecs
