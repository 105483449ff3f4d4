// What libsndfile refuses, and DSS dictations: FFmpeg's demuxer and decoders, reading through
// the seam (so that names with any characters, a ":" among them, never reach FFmpeg's protocol
// lookup). Dialogic ADPCM (format tag 23) is demuxed by FFmpeg but decoded by our own codec,
// from a fresh state over the whole data, as the VOX and WAV plug-ins decode it.

#include "frame_mix.h"
#include "libav_library.h"
#include "sound_decoders.h"

#include "codecs/adpcm.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

namespace wavefile {
namespace {

constexpr int kIoBufferBytes = 32768;
constexpr uint32_t kTagDialogicOki = 23;
constexpr int kOkiBitsPerSample = 4;
constexpr float kShortScale = 1.0f / 32768.0f;

// The texts of one kind of recording: the chain's for wave files, Dictconv's for DSS files.
struct SourceTexts {
    const char* readFailed;
    const char* unreadable; // the demuxer refused the file
    const char* damaged;    // a packet could not be read or decoded
    // Wave files name an encoding without a decoder by its tag, and their Dialogic ADPCM is
    // decoded by our own codec.
    bool wave;
};

constexpr SourceTexts kWaveTexts = {
    "Cannot read the source: ", "Cannot read the source as a wave file: ",
    "Cannot decode the source: ", true};
constexpr SourceTexts kDssTexts = {
    "cannot read the file: ", "the header is damaged: ", "the audio is damaged: ", false};

SeamReader& readerOf(void* opaque) {
    return *static_cast<SeamReader*>(opaque);
}

int readPacket(void* opaque, uint8_t* buffer, int size) {
    const ssize_t got = readerOf(opaque).Read(buffer, static_cast<std::size_t>(size));
    if (got < 0)
        return AVERROR(readerOf(opaque).ReadError());
    return got == 0 ? AVERROR_EOF : static_cast<int>(got);
}

int64_t seekTo(void* opaque, int64_t offset, int whence) {
    if (whence & AVSEEK_SIZE) {
        const int64_t size = readerOf(opaque).Size();
        return size < 0 ? AVERROR(errno) : size;
    }
    const int64_t at = readerOf(opaque).Seek(offset, whence & ~AVSEEK_FORCE);
    return at < 0 ? AVERROR(errno) : at;
}

// FFmpeg's objects, each freed by its own function of the loaded libraries.
struct IoContextDeleter {
    const Libav* av;
    void operator()(AVIOContext* io) const {
        if (io != nullptr)
            av->av_freep(&io->buffer);
        av->avio_context_free(&io);
    }
};
struct FormatDeleter {
    const Libav* av;
    void operator()(AVFormatContext* format) const { av->avformat_close_input(&format); }
};
struct CodecDeleter {
    const Libav* av;
    void operator()(AVCodecContext* codec) const { av->avcodec_free_context(&codec); }
};
struct PacketDeleter {
    const Libav* av;
    void operator()(AVPacket* packet) const { av->av_packet_free(&packet); }
};
struct FrameDeleter {
    const Libav* av;
    void operator()(AVFrame* frame) const { av->av_frame_free(&frame); }
};

class LibavSource final : public SoundSource {
public:
    LibavSource(const Libav& av, std::unique_ptr<SeamReader> reader, const SourceTexts& texts)
        : av_(av)
        , reader_(std::move(reader))
        , texts_(texts) {}

    // False, with the reason in Error(), when the demuxer or the decoder refuses the file.
    bool Open(const char* demuxer) {
        av_.av_log_set_level(AV_LOG_QUIET);
        return openDemuxer(demuxer) && openDecoder() && allocateBuffers();
    }

    long ReadBlock(float* mono) override {
        const long count = nextCount();
        if (count <= 0)
            return count;
        if (pcm_) {
            for (long i = 0; i < count; ++i)
                mono[i] = static_cast<float>(staged16_[staged_ + static_cast<std::size_t>(i)]) *
                          kShortScale;
        } else {
            std::copy_n(stagedFloats_.begin() + static_cast<std::ptrdiff_t>(staged_), count, mono);
        }
        staged_ += static_cast<std::size_t>(count);
        return count;
    }

    bool DecodesToPcm16Mono() const override { return pcm_; }

    long ReadPcm16Block(int16_t* mono) override {
        const long count = nextCount();
        if (count <= 0)
            return count;
        std::copy_n(staged16_.begin() + static_cast<std::ptrdiff_t>(staged_), count, mono);
        staged_ += static_cast<std::size_t>(count);
        return count;
    }

    long BlockFrames() const override { return blockFrames_; }
    uint32_t SampleRate() const override { return sampleRate_; }
    int64_t TotalFrames() const override { return totalFrames_; }

private:
    bool openDemuxer(const char* demuxer) {
        auto* buffer = static_cast<unsigned char*>(av_.av_malloc(kIoBufferBytes));
        io_.reset(av_.avio_alloc_context(buffer, kIoBufferBytes, 0, reader_.get(), readPacket,
                                         nullptr, seekTo));
        if (!io_) {
            av_.av_free(buffer);
            return fail(std::string(texts_.damaged) + "out of memory");
        }
        AVFormatContext* format = av_.avformat_alloc_context();
        if (format == nullptr)
            return fail(std::string(texts_.damaged) + "out of memory");
        format->pb = io_.get();
        format->flags |= AVFMT_FLAG_CUSTOM_IO;
        // On failure avformat_open_input frees the context itself.
        const int opened =
            av_.avformat_open_input(&format, nullptr, av_.av_find_input_format(demuxer), nullptr);
        if (opened < 0)
            return failWith(texts_.unreadable, opened);
        format_.reset(format);
        if (format_->nb_streams < 1 ||
            format_->streams[0]->codecpar->codec_type != AVMEDIA_TYPE_AUDIO)
            return fail(std::string(texts_.unreadable) + "the file holds no audio stream");
        stream_ = format_->streams[0];
        return true;
    }

    bool openDecoder() {
        const AVCodecParameters& parameters = *stream_->codecpar;
        sampleRate_ =
            parameters.sample_rate > 0 ? static_cast<uint32_t>(parameters.sample_rate) : 0;
        if (parameters.codec_tag == kTagDialogicOki && texts_.wave)
            return openOkiDecoder(parameters);
        const AVCodec* decoder = av_.avcodec_find_decoder(parameters.codec_id);
        if (decoder == nullptr) {
            if (texts_.wave)
                return fail("Unsupported encoding (format tag " +
                            std::to_string(parameters.codec_tag) + ")");
            return fail("no decoder for its codec");
        }
        codec_.reset(av_.avcodec_alloc_context3(decoder));
        if (!codec_)
            return fail(std::string(texts_.damaged) + "out of memory");
        if (const int failure = av_.avcodec_parameters_to_context(codec_.get(), &parameters);
            failure < 0)
            return failWith(texts_.damaged, failure);
        if (const int failure = av_.avcodec_open2(codec_.get(), decoder, nullptr); failure < 0)
            return failWith(texts_.damaged, failure);
        const AVSampleFormat format = codec_->sample_fmt;
        pcm_ = (format == AV_SAMPLE_FMT_S16 || format == AV_SAMPLE_FMT_S16P) &&
               codec_->ch_layout.nb_channels == 1;
        if (codec_->sample_rate > 0)
            sampleRate_ = static_cast<uint32_t>(codec_->sample_rate);
        return true;
    }

    bool openOkiDecoder(const AVCodecParameters& parameters) {
        if (parameters.ch_layout.nb_channels != 1)
            return fail("Dialogic ADPCM sources must be mono");
        if (parameters.bits_per_coded_sample != kOkiBitsPerSample)
            return fail("Dialogic ADPCM sources must have 4 bits per sample");
        oki_ = true;
        pcm_ = true;
        return true;
    }

    bool allocateBuffers() {
        packet_.reset(av_.av_packet_alloc());
        frame_.reset(av_.av_frame_alloc());
        if (!packet_ || !frame_)
            return fail(std::string(texts_.damaged) + "out of memory");
        const int64_t fileBytes = reader_->Size();
        const int64_t bitRate =
            stream_->codecpar->bit_rate > 0 ? stream_->codecpar->bit_rate : format_->bit_rate;
        const double bytesPerFrame =
            bitRate > 0 && sampleRate_ > 0 ? static_cast<double>(bitRate) / 8.0 / sampleRate_ : 0.0;
        blockFrames_ = FramesPerSourceBlock(bytesPerFrame);
        if (stream_->duration != AV_NOPTS_VALUE && stream_->duration > 0 && sampleRate_ > 0)
            declaredFrames_ = totalFrames_ =
                av_.av_rescale_q(stream_->duration, stream_->time_base,
                                 AVRational{1, static_cast<int>(sampleRate_)});
        else if (bytesPerFrame > 0 && fileBytes > 0)
            totalFrames_ = static_cast<int64_t>(static_cast<double>(fileBytes) / bytesPerFrame);
        return true;
    }

    // The frames of the next block: decodes until some are staged. 0 at the end, -1 on failure.
    long nextCount() {
        while (staged_ >= stagedCount()) {
            if (ended_)
                return 0;
            staged_ = 0;
            staged16_.clear();
            stagedFloats_.clear();
            if (!decodeMore())
                return -1;
        }
        return static_cast<long>(
            std::min<std::size_t>(stagedCount() - staged_, static_cast<std::size_t>(blockFrames_)));
    }

    std::size_t stagedCount() const { return pcm_ ? staged16_.size() : stagedFloats_.size(); }

    // One step of demuxing and decoding: stages a frame's samples, or reaches the end.
    bool decodeMore() {
        if (oki_)
            return decodeOkiPacket();
        const int received = av_.avcodec_receive_frame(codec_.get(), frame_.get());
        if (received == 0) {
            const bool staged = stage(*frame_);
            av_.av_frame_unref(frame_.get());
            return staged;
        }
        if (received == AVERROR_EOF)
            return end();
        if (received != AVERROR(EAGAIN))
            return failWith(texts_.damaged, received);
        const int read = readOurPacket();
        if (read == AVERROR_EOF)
            return sendPacket(nullptr);
        if (read < 0)
            return failWith(texts_.damaged, read);
        const bool sent = sendPacket(packet_.get());
        av_.av_packet_unref(packet_.get());
        return sent;
    }

    bool decodeOkiPacket() {
        const int read = readOurPacket();
        if (read == AVERROR_EOF)
            return end();
        if (read < 0)
            return failWith(texts_.damaged, read);
        const auto count = static_cast<uint32_t>(packet_->size) * 2;
        staged16_.resize(count);
        codecs::decodeAdpcmBlock(packet_->data, count, staged16_.data(), okiState_);
        av_.av_packet_unref(packet_.get());
        produced_ += count;
        return true;
    }

    // The demuxer's duration comes from the header (a "fact" or "ds64" count, or the data size
    // of PCM that the file holds); a decoder may end a little short of it, a cut file far short.
    bool end() {
        constexpr double kDecoderSlack = 0.99;
        ended_ = true;
        shorterThanHeader_ =
            static_cast<double>(produced_) < kDecoderSlack * static_cast<double>(declaredFrames_);
        return true;
    }

    // The next packet of the audio stream (others are skipped).
    int readOurPacket() {
        for (;;) {
            const int read = av_.av_read_frame(format_.get(), packet_.get());
            if (read < 0 || packet_->stream_index == stream_->index)
                return read;
            av_.av_packet_unref(packet_.get());
        }
    }

    bool sendPacket(const AVPacket* packet) {
        const int sent = av_.avcodec_send_packet(codec_.get(), packet);
        if (sent < 0 && sent != AVERROR_EOF)
            return failWith(texts_.damaged, sent);
        return true;
    }

    bool stage(const AVFrame& frame) {
        const auto count = static_cast<std::size_t>(frame.nb_samples);
        produced_ += static_cast<int64_t>(count);
        if (pcm_) {
            const bool sixteenBit =
                frame.format == AV_SAMPLE_FMT_S16 || frame.format == AV_SAMPLE_FMT_S16P;
            if (!sixteenBit || frame.ch_layout.nb_channels != 1)
                return fail(std::string(texts_.damaged) +
                            "the decoder gave samples of an unexpected form");
            const auto* samples = reinterpret_cast<const int16_t*>(frame.extended_data[0]);
            staged16_.assign(samples, samples + count);
            return true;
        }
        stagedFloats_.resize(count);
        if (!MixFrameToMono(frame, stagedFloats_.data()))
            return fail(std::string(texts_.damaged) +
                        "the decoder gave samples of an unexpected form");
        return true;
    }

    bool failWith(const char* prefix, int code) {
        if (reader_->ReadError() != 0)
            return fail(texts_.readFailed + std::string(std::strerror(reader_->ReadError())));
        return fail(prefix + errorText(code));
    }

    bool fail(std::string text) {
        error_ = std::move(text);
        return false;
    }

    std::string errorText(int code) const {
        char text[AV_ERROR_MAX_STRING_SIZE] = {};
        av_.av_strerror(code, text, sizeof text);
        return text;
    }

    const Libav& av_;
    std::unique_ptr<SeamReader> reader_;
    const SourceTexts& texts_;
    std::unique_ptr<AVIOContext, IoContextDeleter> io_{nullptr, {&av_}};
    std::unique_ptr<AVFormatContext, FormatDeleter> format_{nullptr, {&av_}};
    std::unique_ptr<AVCodecContext, CodecDeleter> codec_{nullptr, {&av_}};
    std::unique_ptr<AVPacket, PacketDeleter> packet_{nullptr, {&av_}};
    std::unique_ptr<AVFrame, FrameDeleter> frame_{nullptr, {&av_}};
    AVStream* stream_ = nullptr;
    bool oki_ = false;
    bool pcm_ = false;
    bool ended_ = false;
    codecs::AdpcmState okiState_{};
    uint32_t sampleRate_ = 0;
    int64_t totalFrames_ = 0;
    int64_t declaredFrames_ = 0; // from the header; 0 when it tells none
    int64_t produced_ = 0;
    long blockFrames_ = static_cast<long>(kSourceBlockBytes);
    std::vector<int16_t> staged16_;
    std::vector<float> stagedFloats_;
    std::size_t staged_ = 0; // the staged samples handed out so far
};

} // namespace

std::unique_ptr<SoundSource> OpenLibavSource(std::unique_ptr<SeamReader> reader,
                                             const char* demuxer, std::string& error) {
    if (reader->Seek(0, SEEK_SET) < 0) {
        error = ReadFailureText(errno);
        return nullptr;
    }
    const Libav* av = LoadLibav(error);
    if (av == nullptr)
        return nullptr;
    const bool dss = std::string(demuxer) == "dss";
    auto source =
        std::make_unique<LibavSource>(*av, std::move(reader), dss ? kDssTexts : kWaveTexts);
    if (!source->Open(demuxer)) {
        error = source->Error();
        return nullptr;
    }
    return source;
}

} // namespace wavefile
