#include "bench_sound.h"

#include <benchmark/benchmark.h>

namespace {

// Each iteration works on a fresh copy; copying is not timed.
template <typename Operation>
void runOnCopies(benchmark::State& state, uint32_t rate, Operation operation) {
    const BenchSound& sound = dictation(rate);
    for (auto _ : state) {
        state.PauseTiming();
        SoundHeader header = sound.header;
        int16_t* body = copyBody(sound);
        state.ResumeTiming();
        if (operation(header, body) != QC_OK) {
            state.SkipWithError("the operation failed");
        }
        state.PauseTiming();
        FreeSoundBody(body);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * sound.header.sampleCount);
}

void BM_Resample44100To8000(benchmark::State& state) {
    runOnCopies(state, 44100, [](SoundHeader& header, int16_t*& body) {
        return ResampleSound(&header, &body, 8000);
    });
}

void BM_Resample8000To11025(benchmark::State& state) {
    runOnCopies(state, 8000, [](SoundHeader& header, int16_t*& body) {
        return ResampleSound(&header, &body, 11025);
    });
}

void BM_QuiescenceWholeSound(benchmark::State& state) {
    runOnCopies(state, 44100, [](SoundHeader& header, int16_t*& body) {
        SoundSelection whole{};
        GetWholeSoundSelection(&header, &whole);
        const QuiescenceParams params{0.25, 0.25, 0.02, 40};
        return Quiescence(&header, &body, &whole, &params);
    });
}

// A selection that is quiet from end to end: both scans run over every sample.
void BM_QuiescenceSilentSelection(benchmark::State& state) {
    runOnCopies(state, 44100, [](SoundHeader& header, int16_t*& body) {
        SoundSelection whole{};
        GetWholeSoundSelection(&header, &whole);
        const QuiescenceParams params{0.25, 0.25, 1.0, 40};
        return Quiescence(&header, &body, &whole, &params);
    });
}

void amplifyBy(benchmark::State& state, double gainDb) {
    const BenchSound& sound = dictation(44100);
    SoundHeader header = sound.header;
    int16_t* body = copyBody(sound);
    SoundSelection whole{};
    GetWholeSoundSelection(&header, &whole);
    for (auto _ : state) {
        AmplifySound(&header, &body, &whole, gainDb);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * header.sampleCount);
    FreeSoundBody(body);
}

void BM_AmplifyUp6dB(benchmark::State& state) {
    amplifyBy(state, 6.0);
}

void BM_AmplifyDown6dB(benchmark::State& state) {
    amplifyBy(state, -6.0);
}

void BM_MixSounds(benchmark::State& state) {
    const BenchSound& sound = dictation(44100);
    SoundHeader header = sound.header;
    int16_t* first = copyBody(sound);
    int16_t* second = copyBody(sound);
    for (auto _ : state) {
        SoundHeader outHeader{};
        int16_t* mixed = nullptr;
        MixSounds(&header, &first, &header, &second, &outHeader, &mixed, 0.3);
        benchmark::DoNotOptimize(mixed);
        FreeSoundBody(mixed);
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * header.sampleCount);
    FreeSoundBody(first);
    FreeSoundBody(second);
}

} // namespace

BENCHMARK(BM_Resample44100To8000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Resample8000To11025)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_QuiescenceWholeSound)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_QuiescenceSilentSelection)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_AmplifyUp6dB)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_AmplifyDown6dB)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_MixSounds)->Unit(benchmark::kMillisecond)->Iterations(3);

BENCHMARK_MAIN();
