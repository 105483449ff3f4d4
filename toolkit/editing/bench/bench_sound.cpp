#include "bench_sound.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>

namespace {

constexpr uint32_t minutes = 45;

BenchSound synthesise(uint32_t rate) {
    BenchSound sound;
    const std::size_t count = std::size_t{minutes} * 60 * rate;
    sound.header = SoundHeader{1, rate, static_cast<uint32_t>(count), 16};
    sound.samples.assign(count, 0);
    uint32_t noise = 12345;
    for (std::size_t i = rate; i + rate < count; ++i) {
        const double t = static_cast<double>(i) / rate;
        // Two seconds of talk, then half a second of pause.
        if (std::fmod(t, 2.5) > 2.0) {
            continue;
        }
        noise = noise * 1664525u + 1013904223u;
        const double voice =
            9000 * std::sin(2 * M_PI * 180 * t) + 4000 * std::sin(2 * M_PI * 720 * t);
        sound.samples[i] = static_cast<int16_t>(voice + static_cast<int32_t>(noise >> 20) - 2048);
    }
    return sound;
}

BenchSound load(const char* file) {
    BenchSound sound;
    int16_t* body = nullptr;
    if (OpenSoundFileEx(file, &sound.header, &body, 0, 0) != QC_OK) {
        char text[QC_ERROR_TEXT_SIZE];
        std::fprintf(stderr, "cannot open %s: %s\n", file, GetLastQcErrorText(text));
        std::exit(1);
    }
    sound.samples.assign(body, body + sound.header.sampleCount);
    FreeSoundBody(body);
    return sound;
}

} // namespace

const BenchSound& dictation(uint32_t rate) {
    static std::map<uint32_t, BenchSound> sounds;
    auto found = sounds.find(rate);
    if (found == sounds.end()) {
        const char* file = std::getenv("QUIESC_BENCH_INPUT");
        BenchSound sound = file != nullptr && rate == 44100 ? load(file) : synthesise(rate);
        found = sounds.emplace(rate, std::move(sound)).first;
    }
    return found->second;
}

int16_t* copyBody(const BenchSound& sound) {
    int16_t* body = nullptr;
    AllocateSoundBody(&body, sound.header.sampleCount);
    std::memcpy(body, sound.samples.data(), sound.samples.size() * 2);
    return body;
}
