// Every wave file libsndfile reads: RIFF, RIFX and RF64 containers, plain and extensible
// headers, PCM of 8 to 64 bits, float, A-law, u-law, IMA and MS ADPCM, GSM 6.10, MPEG layer III.
// libsndfile reads through the seam, so a read failure reaches us as such instead of looking
// like the end of the data.

#include "sound_decoders.h"

#include "wavefile/mono_mix.h"

#include <sndfile.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sstream>
#include <vector>

namespace wavefile {
namespace {

SeamReader& readerOf(void* user) {
    return *static_cast<SeamReader*>(user);
}

sf_count_t fileLength(void* user) {
    return readerOf(user).Size();
}

sf_count_t seekTo(sf_count_t offset, int whence, void* user) {
    return readerOf(user).Seek(offset, whence);
}

sf_count_t readInto(void* buffer, sf_count_t count, void* user) {
    const ssize_t got = readerOf(user).Read(buffer, static_cast<std::size_t>(count));
    return got < 0 ? 0 : got;
}

sf_count_t refuseWrite(const void*, sf_count_t, void*) {
    return 0;
}

sf_count_t tellPosition(void* user) {
    return readerOf(user).Position();
}

SF_VIRTUAL_IO gVirtualIo = {fileLength, seekTo, readInto, refuseWrite, tellPosition};

bool isWaveContainer(int format) {
    const int container = format & SF_FORMAT_TYPEMASK;
    return container == SF_FORMAT_WAV || container == SF_FORMAT_WAVEX ||
           container == SF_FORMAT_RF64;
}

// What the reader needs to know of each of libsndfile's encodings inside WAV.
struct Encoding {
    int subtype;
    // Bytes a sample takes in the file; 0 for the compressed encodings, whose frames take an
    // average over the file.
    int bytesPerSample;
    // The decoder's samples are 16-bit integers at heart: reading them as shorts costs no
    // precision and spares libsndfile a conversion per sample.
    bool decodesToShorts;
    // Whole blocks are coded: the last block may hold more samples than the sound, and the
    // "fact" chunk says how many belong to it. PCM and G.711 map bytes to samples one to one.
    bool codesInBlocks;
};

constexpr std::array<Encoding, 12> kEncodings = {{
    {SF_FORMAT_PCM_S8, 1, true, false},
    {SF_FORMAT_PCM_U8, 1, true, false},
    {SF_FORMAT_PCM_16, 2, true, false},
    {SF_FORMAT_PCM_24, 3, false, false},
    {SF_FORMAT_PCM_32, 4, false, false},
    {SF_FORMAT_FLOAT, 4, false, false},
    {SF_FORMAT_DOUBLE, 8, false, false},
    {SF_FORMAT_ULAW, 1, true, false},
    {SF_FORMAT_ALAW, 1, true, false},
    {SF_FORMAT_IMA_ADPCM, 0, true, true},
    {SF_FORMAT_MS_ADPCM, 0, true, true},
    {SF_FORMAT_GSM610, 0, true, true},
}};

// Any other encoding (MPEG layer III among them) is read as floats, its frames averaged.
Encoding encodingOf(int format) {
    for (const Encoding& encoding : kEncodings)
        if (encoding.subtype == (format & SF_FORMAT_SUBMASK))
            return encoding;
    return {format & SF_FORMAT_SUBMASK, 0, false, false};
}

double bytesPerFrame(const SF_INFO& info, const Encoding& encoding, int64_t fileBytes) {
    if (encoding.bytesPerSample > 0)
        return static_cast<double>(encoding.bytesPerSample) * info.channels;
    return info.frames > 0 ? static_cast<double>(fileBytes) / static_cast<double>(info.frames)
                           : 0.0;
}

// The sample count of the "fact" chunk, as libsndfile parsed it; 0 without one.
uint32_t factSampleCount(SNDFILE* sound) {
    SF_CHUNK_INFO wanted{};
    std::snprintf(wanted.id, sizeof wanted.id, "fact");
    wanted.id_size = 4;
    SF_CHUNK_ITERATOR* chunk = sf_get_chunk_iterator(sound, &wanted);
    SF_CHUNK_INFO info{};
    if (chunk == nullptr || sf_get_chunk_size(chunk, &info) != SF_ERR_NO_ERROR || info.datalen < 4)
        return 0;
    std::vector<unsigned char> body(info.datalen);
    info.data = body.data();
    if (sf_get_chunk_data(chunk, &info) != SF_ERR_NO_ERROR)
        return 0;
    return uint32_t{body[0]} | uint32_t{body[1]} << 8 | uint32_t{body[2]} << 16 |
           uint32_t{body[3]} << 24;
}

// libsndfile reads what a data chunk longer than the rest of the file holds, and notes the
// claim in its log: "data : <declared> (should be <held>)", or for RF64 "Calculated frame count
// <held> does not match value from 'ds64' chunk of <declared>". A streaming writer's placeholder
// 0xFFFFFFFF claims nothing.
bool headerClaimsMoreData(SNDFILE* sound) {
    constexpr unsigned long long kPlaceholder = 0xFFFFFFFF;
    std::vector<char> log(16384);
    sf_command(sound, SFC_GET_LOG_INFO, log.data(), static_cast<int>(log.size()));
    std::istringstream lines(std::string(log.data()));
    for (std::string line; std::getline(lines, line);) {
        unsigned long long declared = 0;
        unsigned long long held = 0;
        if (std::sscanf(line.c_str(), "data : %llu (should be %llu)", &declared, &held) == 2 &&
            declared > held && declared != kPlaceholder)
            return true;
        if (std::sscanf(line.c_str(),
                        "*** Calculated frame count %llu does not match value from 'ds64' chunk "
                        "of %llu",
                        &held, &declared) == 2 &&
            declared > held)
            return true;
    }
    return false;
}

constexpr float kShortScale = 1.0f / 32768.0f;

class SndfileSource final : public SoundSource {
public:
    SndfileSource(std::unique_ptr<SeamReader> reader, SNDFILE* sound, const SF_INFO& info)
        : reader_(std::move(reader))
        , sound_(sound)
        , info_(info)
        , exactLength_((info.format & SF_FORMAT_SUBMASK) != SF_FORMAT_MPEG_LAYER_III)
        , shorts_(encodingOf(info.format).decodesToShorts)
        , framesLeft_(info.frames) {
        const Encoding encoding = encodingOf(info.format);
        if (encoding.codesInBlocks)
            if (const uint32_t fact = factSampleCount(sound); fact > 0 && fact < framesLeft_)
                framesLeft_ = fact;
        totalFrames_ = framesLeft_;
        shorterThanHeader_ = headerClaimsMoreData(sound);
        blockFrames_ = FramesPerSourceBlock(bytesPerFrame(info, encoding, reader_->Size()));
        const auto values =
            static_cast<std::size_t>(blockFrames_) * static_cast<std::size_t>(info.channels);
        if (shorts_)
            shortFrames_.resize(values);
        else if (info.channels > 1)
            floatFrames_.resize(values);
    }

    ~SndfileSource() override { sf_close(sound_); }

    long ReadBlock(float* mono) override {
        const int channels = info_.channels;
        if (shorts_) {
            const long got = checked(sf_readf_short(sound_, shortFrames_.data(), wanted()));
            if (got > 0)
                MixToMono(shortFrames_.data(), got, channels, kShortScale, mono);
            return got;
        }
        if (channels == 1)
            return checked(sf_readf_float(sound_, mono, wanted()));
        const long got = checked(sf_readf_float(sound_, floatFrames_.data(), wanted()));
        if (got > 0)
            MixToMono(floatFrames_.data(), got, channels, 1.0f, mono);
        return got;
    }

    bool DecodesToPcm16Mono() const override { return shorts_ && info_.channels == 1; }

    long ReadPcm16Block(int16_t* mono) override {
        return checked(sf_readf_short(sound_, mono, wanted()));
    }

    long BlockFrames() const override { return blockFrames_; }
    uint32_t SampleRate() const override { return static_cast<uint32_t>(info_.samplerate); }
    int64_t TotalFrames() const override { return totalFrames_; }

private:
    sf_count_t wanted() const { return std::min<sf_count_t>(blockFrames_, framesLeft_); }

    // A read that came back short is the end of the data only when no read or decode failed
    // and every declared frame has come (MPEG streams declare an estimate).
    long checked(sf_count_t got) {
        if (reader_->ReadError() != 0) {
            error_ = ReadFailureText(reader_->ReadError());
            return -1;
        }
        if (sf_error(sound_) != SF_ERR_NO_ERROR) {
            error_ = std::string("Cannot decode the source: ") + sf_strerror(sound_);
            return -1;
        }
        if (got == 0 && exactLength_ && framesLeft_ > 0) {
            error_ = "The source ended before its declared data";
            return -1;
        }
        framesLeft_ -= got;
        return static_cast<long>(got);
    }

    std::unique_ptr<SeamReader> reader_;
    SNDFILE* sound_;
    SF_INFO info_;
    bool exactLength_;
    bool shorts_;
    sf_count_t framesLeft_;
    int64_t totalFrames_ = 0;
    long blockFrames_ = 0;
    std::vector<short> shortFrames_;
    std::vector<float> floatFrames_;
};

} // namespace

SndfileOpening OpenSndfileSource(std::unique_ptr<SeamReader>& reader) {
    SndfileOpening opening;
    if (reader->Seek(0, SEEK_SET) < 0) {
        opening.readFailed = true;
        opening.refusal = ReadFailureText(errno);
        return opening;
    }
    SF_INFO info{};
    SNDFILE* sound = sf_open_virtual(&gVirtualIo, SFM_READ, &info, reader.get());
    if (reader->ReadError() != 0) {
        sf_close(sound);
        opening.readFailed = true;
        opening.refusal = ReadFailureText(reader->ReadError());
        return opening;
    }
    if (sound == nullptr) {
        opening.refusal = sf_strerror(nullptr);
        return opening;
    }
    if (!isWaveContainer(info.format) || info.channels < 1 || info.samplerate < 1) {
        sf_close(sound);
        opening.refusal = "not a RIFF wave file";
        return opening;
    }
    if (info.frames <= 0) {
        sf_close(sound);
        return opening;
    }
    opening.source = std::make_unique<SndfileSource>(std::move(reader), sound, info);
    return opening;
}

} // namespace wavefile
