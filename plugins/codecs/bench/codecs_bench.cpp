// Throughput of the sample codecs over ten million samples of a speech-like signal, one thread.
#include "codecs/adpcm.h"
#include "codecs/expand.h"
#include "codecs/g711.h"
#include "codecs/pcm8.h"
#include "wave_test/speech_signal.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

namespace {

constexpr uint32_t sampleCount = 10'000'000;

const std::vector<int16_t>& speech() {
    static const std::vector<int16_t> samples = codecs::testing::speechSignal(sampleCount);
    return samples;
}

void finish(benchmark::State& state) {
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * sampleCount);
}

void BM_AdpcmEncode(benchmark::State& state) {
    const std::vector<int16_t>& samples = speech();
    std::vector<uint8_t> codes(sampleCount / 2);
    for (auto _ : state) {
        codecs::AdpcmState coder;
        codecs::encodeAdpcmBlock(samples.data(), sampleCount, codes.data(), coder);
        benchmark::DoNotOptimize(codes.data());
        benchmark::ClobberMemory();
    }
    finish(state);
}

void BM_AdpcmDecode(benchmark::State& state) {
    const std::vector<int16_t>& samples = speech();
    std::vector<uint8_t> codes(sampleCount / 2);
    codecs::AdpcmState coder;
    codecs::encodeAdpcmBlock(samples.data(), sampleCount, codes.data(), coder);
    std::vector<int16_t> body(sampleCount);
    for (auto _ : state) {
        // As a plug-in does it: the file's bytes at the start of the body, decoded in place.
        state.PauseTiming();
        std::memcpy(body.data(), codes.data(), codes.size());
        state.ResumeTiming();
        codecs::decodeAdpcm(body.data(), sampleCount);
        benchmark::DoNotOptimize(body.data());
        benchmark::ClobberMemory();
    }
    finish(state);
}

template <uint8_t (*encode)(int16_t)>
void BM_ByteEncode(benchmark::State& state) {
    const std::vector<int16_t>& samples = speech();
    std::vector<uint8_t> bytes(sampleCount);
    for (auto _ : state) {
        const int16_t* in = samples.data();
        uint8_t* out = bytes.data();
        for (uint32_t i = 0; i < sampleCount; ++i)
            out[i] = encode(in[i]);
        benchmark::DoNotOptimize(bytes.data());
        benchmark::ClobberMemory();
    }
    finish(state);
}

void BM_Expand(benchmark::State& state, const codecs::DecodingTable& table,
               uint8_t (*encode)(int16_t)) {
    const std::vector<int16_t>& samples = speech();
    std::vector<uint8_t> bytes(sampleCount);
    for (uint32_t i = 0; i < sampleCount; ++i)
        bytes[i] = encode(samples[i]);
    std::vector<int16_t> body(sampleCount);
    for (auto _ : state) {
        state.PauseTiming();
        std::memcpy(body.data(), bytes.data(), bytes.size());
        state.ResumeTiming();
        codecs::expandInPlace(body.data(), sampleCount, table);
        benchmark::DoNotOptimize(body.data());
        benchmark::ClobberMemory();
    }
    finish(state);
}

BENCHMARK(BM_AdpcmEncode)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AdpcmDecode)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ByteEncode<codecs::encodeUlaw>)->Name("BM_UlawEncode")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ByteEncode<codecs::encodeAlaw>)->Name("BM_AlawEncode")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ByteEncode<codecs::encodePcm8>)->Name("BM_Pcm8Encode")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Expand, Ulaw, codecs::ulawTable, codecs::encodeUlaw)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Expand, Alaw, codecs::alawTable, codecs::encodeAlaw)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Expand, Pcm8, codecs::pcm8Table, codecs::encodePcm8)
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
