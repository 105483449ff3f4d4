#pragma once
// RIFF WAVE files built byte by byte for the tests and the fuzzers' seeds, and a reader of the
// 44-byte result the conversion chain and the DSS converter write.

#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace wave_test {

inline void putLe16(std::string& out, uint16_t value) {
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>(value >> 8));
}

inline void putLe32(std::string& out, uint32_t value) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

inline uint32_t le32(const std::string& bytes, std::size_t at) {
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    return value;
}

inline uint16_t le16(const std::string& bytes, std::size_t at) {
    return static_cast<uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                 (static_cast<unsigned char>(bytes[at + 1]) << 8));
}

struct FormatChunk {
    uint16_t tag = 1;
    uint16_t channels = 1;
    uint32_t rate = 8000;
    uint16_t bits = 16;
    uint16_t blockAlign = 2;
    std::string extra; // bytes after the 16 standard ones (cbSize included)
};

inline std::string Chunk(const char* id, const std::string& body) {
    std::string out(id, 4);
    putLe32(out, static_cast<uint32_t>(body.size()));
    out += body;
    if (body.size() % 2)
        out.push_back('\0');
    return out;
}

inline std::string FormatBody(const FormatChunk& f) {
    std::string body;
    putLe16(body, f.tag);
    putLe16(body, f.channels);
    putLe32(body, f.rate);
    putLe32(body, f.rate * f.blockAlign);
    putLe16(body, f.blockAlign);
    putLe16(body, f.bits);
    return body + f.extra;
}

// "RIFF" size "WAVE" followed by the chunks as given.
inline std::string Riff(const std::string& chunks) {
    std::string out("RIFF");
    putLe32(out, static_cast<uint32_t>(4 + chunks.size()));
    return out + "WAVE" + chunks;
}

inline std::string WaveFile(const FormatChunk& format, const std::string& data) {
    return Riff(Chunk("fmt ", FormatBody(format)) + Chunk("data", data));
}

inline std::string Pcm16Bytes(const std::vector<int16_t>& samples) {
    std::string out;
    for (int16_t s : samples)
        putLe16(out, static_cast<uint16_t>(s));
    return out;
}

inline std::vector<int16_t> NoiseSamples(std::size_t count, uint32_t seed, int amplitude = 20000) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> value(-amplitude, amplitude);
    std::vector<int16_t> samples(count);
    for (auto& s : samples)
        s = static_cast<int16_t>(value(random));
    return samples;
}

// A tone of `hertz`, interleaved over the channels (each channel a little quieter).
inline std::vector<float> Tone(double seconds, uint32_t rate, int channels, double hertz = 440) {
    const auto frames = static_cast<std::size_t>(seconds * rate);
    std::vector<float> out(frames * static_cast<std::size_t>(channels));
    for (std::size_t i = 0; i < frames; ++i)
        for (int c = 0; c < channels; ++c)
            out[i * static_cast<std::size_t>(channels) + static_cast<std::size_t>(c)] =
                static_cast<float>((0.5 - 0.1 * c) * std::sin(2 * M_PI * hertz * i / rate));
    return out;
}

inline std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// The chain's result: the 44-byte header checked field by field, then the samples. Empty when
// the header is not the canonical one of 16-bit mono PCM at `rate`.
inline std::optional<std::vector<int16_t>> ReadCanonicalPcm16(const std::filesystem::path& path,
                                                              uint32_t rate) {
    const std::string bytes = ReadBytes(path);
    if (bytes.size() < 44 || bytes.compare(0, 4, "RIFF") != 0 ||
        bytes.compare(8, 8, "WAVEfmt ") != 0 || le32(bytes, 16) != 16 || le16(bytes, 20) != 1 ||
        le16(bytes, 22) != 1 || le32(bytes, 24) != rate || le32(bytes, 28) != rate * 2 ||
        le16(bytes, 32) != 2 || le16(bytes, 34) != 16 || bytes.compare(36, 4, "data") != 0)
        return std::nullopt;
    const uint32_t dataBytes = le32(bytes, 40);
    if (le32(bytes, 4) != 36 + dataBytes || bytes.size() != 44 + dataBytes)
        return std::nullopt;
    std::vector<int16_t> samples(dataBytes / 2);
    std::memcpy(samples.data(), bytes.data() + 44, samples.size() * 2);
    return samples;
}

inline double Rms(const std::vector<int16_t>& samples) {
    double sum = 0;
    for (int16_t s : samples)
        sum += static_cast<double>(s) * s;
    return samples.empty() ? 0 : std::sqrt(sum / static_cast<double>(samples.size()));
}

} // namespace wave_test
