// The seed corpus of the WAV fuzzer: a short sound in each of the five encodings, written by the
// plug-in itself, and files with the extra chunks and the longer "fmt " chunk that other programs
// write.
#include "wav/wav_formats.h"
#include "wav/wav_plugin.h"

#include "seeds.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

std::vector<int16_t> speechLikeSamples(uint32_t count) {
    std::vector<int16_t> samples(count);
    for (uint32_t i = 0; i < count; ++i) {
        const double t = i / 8000.0;
        samples[i] =
            static_cast<int16_t>(12000 * std::sin(2 * M_PI * 220 * t) * std::sin(2 * M_PI * 3 * t));
    }
    return samples;
}

bool writeEncodings(const std::string& folder) {
    const std::vector<int16_t> samples = speechLikeSamples(301);
    int index = 0;
    for (const wav::WavFormat& format : wav::wavFormats) {
        const std::string name = folder + "/encoding-" + std::to_string(index++) + ".wav";
        char errorText[512] = "";
        PluginOptions options{};
        options.useHeaderFormat = 1;
        options.errorText = errorText;
        SoundHeader header{format.formatTag, 8000, static_cast<uint32_t>(samples.size()),
                           format.bitsPerSample};
        if (!wav::saveWav(name.c_str(), &header, samples.data(), &options)) {
            std::fprintf(stderr, "%s\n", errorText);
            return false;
        }
    }
    return true;
}

void put32(std::string& out, uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<char>(value >> (8 * i)));
    }
}

void put16(std::string& out, uint16_t value) {
    out.push_back(static_cast<char>(value));
    out.push_back(static_cast<char>(value >> 8));
}

void putChunk(std::string& out, const char* id, const std::string& body) {
    out.append(id, 4);
    put32(out, static_cast<uint32_t>(body.size()));
    out += body;
    if (body.size() % 2 != 0) {
        out.push_back('\0');
    }
}

// "LIST" (odd size, padded) before an 18-byte "fmt ", "fact" between it and u-law "data".
bool writeChunkVariety(const std::string& folder) {
    std::string format;
    put16(format, 7);
    put16(format, 1);
    put32(format, 8000);
    put32(format, 8000);
    put16(format, 1);
    put16(format, 8);
    put16(format, 0);
    std::string fact;
    put32(fact, 9);
    std::string chunks = "WAVE";
    putChunk(chunks, "LIST", std::string("INFOISFT\x05\0\0\0test\0", 17));
    putChunk(chunks, "fmt ", format);
    putChunk(chunks, "fact", fact);
    putChunk(chunks, "data", std::string("\x01\x80\xff\x7f\x10\x90\x00\x20\xa0", 9));
    std::string file = "RIFF";
    put32(file, static_cast<uint32_t>(chunks.size()));
    file += chunks;
    std::ofstream out(folder + "/chunk-variety.wav", std::ios::binary);
    out << file;
    return static_cast<bool>(out);
}

} // namespace

bool writeWavSeeds(const std::string& folder) {
    return writeEncodings(folder) && writeChunkVariety(folder);
}
