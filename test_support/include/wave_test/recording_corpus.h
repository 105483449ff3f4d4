// Wave files an office meets, made in the test with the ffmpeg and sox programs (and a few bytes
// changed where a recorder or an editor leaves them so), and the ffmpeg program's own decoding
// of each: the reference every reader of the program is held against.
#pragma once

#include "wave_test/wave_files.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace wave_test {

// Runs a program (searched in PATH) with these arguments and waits; true when it exited with 0.
using RunProgram = std::function<bool(const std::string&, const std::vector<std::string>&)>;

struct CorpusRecording {
    const char* name; // the file is name + ".wav"
    uint32_t rate;
    int channels;
    // The header declares more data than the file holds (the file converts, with a notice).
    bool shorterThanHeader;
    // The program whose decoding is the reference: "ffmpeg", or "sox" where ffmpeg misreads
    // the file.
    const char* reference;
    // Writes the file; false when a program failed.
    std::function<bool(const RunProgram&, const std::filesystem::path&)> make;
};

namespace corpus_detail {

inline std::vector<std::string> ffmpegTone(const std::string& source,
                                           const std::vector<std::string>& encoding,
                                           const std::filesystem::path& out) {
    std::vector<std::string> args = {"-v",   "error",   "-y",        "-f",       "lavfi",    "-i",
                                     source, "-fflags", "+bitexact", "-flags:a", "+bitexact"};
    args.insert(args.end(), encoding.begin(), encoding.end());
    args.push_back(out.string());
    return args;
}

inline std::string sine(uint32_t rate, const char* extra = "") {
    return "sine=frequency=440:sample_rate=" + std::to_string(rate) + ":duration=2" + extra;
}

inline auto byFfmpeg(std::string source, std::vector<std::string> encoding) {
    return [source, encoding](const RunProgram& run, const std::filesystem::path& out) {
        return run("ffmpeg", ffmpegTone(source, encoding, out));
    };
}

// A canonical 16-bit file of ffmpeg's (44-byte header), changed by `change`.
inline auto patchedPcm16(std::function<std::string(std::string)> change) {
    return [change](const RunProgram& run, const std::filesystem::path& out) {
        if (!run("ffmpeg", ffmpegTone(sine(8000), {"-c:a", "pcm_s16le"}, out)))
            return false;
        WriteBytes(out, change(ReadBytes(out)));
        return true;
    };
}

inline void setLe32(std::string& bytes, std::size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[at + static_cast<std::size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

} // namespace corpus_detail

inline const std::vector<CorpusRecording>& RecordingCorpus() {
    using namespace corpus_detail;
    static const std::vector<CorpusRecording> corpus = {
        {"Rf64", 8000, 1, false, "ffmpeg",
         byFfmpeg(sine(8000), {"-c:a", "pcm_s16le", "-rf64", "always"})},
        // 12-bit samples in 16-bit words, as some recorders write them.
        {"Rf64TwelveBit", 8000, 1, false, "ffmpeg",
         [](const RunProgram& run, const std::filesystem::path& out) {
             if (!run("ffmpeg",
                      ffmpegTone(sine(8000), {"-c:a", "pcm_s16le", "-rf64", "always"}, out)))
                 return false;
             std::string bytes = ReadBytes(out);
             const std::size_t format = bytes.find("fmt ");
             if (format == std::string::npos)
                 return false;
             bytes[format + 8 + 14] = 12;
             WriteBytes(out, bytes);
             return true;
         }},
        // ffmpeg 5.1 reads the samples of a RIFX file as little-endian: sox decodes it right.
        // A recorder that lost power: the "ds64" chunk counts the frames it meant to write.
        {"Rf64CutShort", 8000, 1, true, "ffmpeg",
         [](const RunProgram& run, const std::filesystem::path& out) {
             if (!run("ffmpeg",
                      ffmpegTone(sine(8000), {"-c:a", "pcm_s16le", "-rf64", "always"}, out)))
                 return false;
             WriteBytes(out, ReadBytes(out).substr(0, 20000));
             return true;
         }},
        {"RifxBigEndian", 11025, 1, false, "sox",
         [](const RunProgram& run, const std::filesystem::path& out) {
             return run("sox", {"-n", "-r", "11025", "-c", "1", "-b", "16", "-B", out.string(),
                                "synth", "2", "sine", "440", "vol", "0.5"});
         }},
        {"Extensible24Bit", 48000, 1, false, "ffmpeg",
         byFfmpeg(sine(48000), {"-c:a", "pcm_s24le"})},
        {"Float64AboveFullScale", 16000, 1, false, "ffmpeg",
         byFfmpeg(sine(16000) + ",volume=12", {"-c:a", "pcm_f64le"})},
        {"SixChannels", 8000, 6, false, "ffmpeg",
         byFfmpeg("aevalsrc=0.6*sin(2*PI*440*t)|0.5*sin(2*PI*440*t)|0.4*sin(2*PI*440*t)|"
                  "0.3*sin(2*PI*440*t)|0.2*sin(2*PI*440*t)|0.1*sin(2*PI*440*t):s=8000:d=2",
                  {"-c:a", "pcm_s16le"})},
        // ffmpeg's GSM 6.10 writes a "fact" chunk with fewer samples than the last block holds.
        {"Gsm610WithFactChunk", 8000, 1, false, "ffmpeg",
         byFfmpeg(sine(8000), {"-c:a", "libgsm_ms"})},
        // A recorder that never fixed its header: 0xFFFFFF9B bytes claimed in a short file.
        {"DataSizeBeyondTheEnd", 8000, 1, true, "ffmpeg", patchedPcm16([](std::string bytes) {
             setLe32(bytes, 40, 0xFFFFFF9B);
             return bytes;
         })},
        {"DataSizeTwiceTheData", 8000, 1, true, "ffmpeg", patchedPcm16([](std::string bytes) {
             setLe32(bytes, 40, 2 * static_cast<uint32_t>(bytes.size() - 44));
             return bytes;
         })},
        {"DataBeforeFormat", 8000, 1, false, "ffmpeg", patchedPcm16([](std::string bytes) {
             return bytes.substr(0, 12) + bytes.substr(36) + bytes.substr(12, 24);
         })},
        // Encodings of the older speech codecs, which libsndfile does not read.
        {"YamahaAdpcm", 8000, 1, false, "ffmpeg", byFfmpeg(sine(8000), {"-c:a", "adpcm_yamaha"})},
        {"G723Speech", 8000, 1, false, "ffmpeg",
         byFfmpeg(sine(8000), {"-c:a", "g723_1", "-b:a", "6300"})},
    };
    return corpus;
}

struct ReferenceSound {
    std::vector<float> mono; // the channels averaged, at the recording's own rate
    double Seconds(uint32_t rate) const { return static_cast<double>(mono.size()) / rate; }
};

// The reference program's decoding of the file, at its own rate and with every channel (no
// resampler and no down-mix of the program's in between) as 32-bit floats; the channels are
// averaged here.
inline std::optional<ReferenceSound> DecodeWithReference(const RunProgram& run,
                                                         const CorpusRecording& recording,
                                                         const std::filesystem::path& file,
                                                         const std::filesystem::path& scratch) {
    const bool sox = std::string(recording.reference) == "sox";
    const std::vector<std::string> args =
        sox ? std::vector<std::string>{file.string(),   "-t", "f32", "-e", "floating-point",
                                       scratch.string()}
            : std::vector<std::string>{"-v", "error", "-y",   "-i",        file.string(),
                                       "-f", "f32le", "-c:a", "pcm_f32le", scratch.string()};
    if (!run(recording.reference, args))
        return std::nullopt;
    const int channels = recording.channels;
    const std::string bytes = ReadBytes(scratch);
    std::filesystem::remove(scratch);
    const std::size_t frames = bytes.size() / sizeof(float) / static_cast<std::size_t>(channels);
    ReferenceSound sound;
    sound.mono.resize(frames);
    for (std::size_t i = 0; i < frames; ++i) {
        float sum = 0;
        for (int c = 0; c < channels; ++c) {
            float value = 0;
            std::memcpy(&value,
                        bytes.data() +
                            (i * static_cast<std::size_t>(channels) + static_cast<std::size_t>(c)) *
                                sizeof(float),
                        sizeof value);
            sum += value;
        }
        sound.mono[i] = sum / static_cast<float>(channels);
    }
    return sound;
}

// The root mean square of samples scaled to full scale 1, limited to [-1, 1] as a 16-bit
// output limits them.
inline double LimitedRms(const std::vector<float>& mono) {
    double sum = 0;
    for (const float value : mono) {
        const double limited = std::fmax(-1.0, std::fmin(1.0, static_cast<double>(value)));
        sum += limited * limited;
    }
    return mono.empty() ? 0 : std::sqrt(sum / static_cast<double>(mono.size()));
}

} // namespace wave_test
