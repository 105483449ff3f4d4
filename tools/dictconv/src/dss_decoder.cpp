#include "dictconv/dss_decoder.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/error.h>
#include <libavutil/log.h>
#include <libavutil/mem.h>
}

#include <cerrno>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace dictconv {
namespace {

constexpr int kIoBufferBytes = 32768;

std::string errorText(int code) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return text;
}

// FFmpeg reads the file through its descriptor, so that names with any characters (a ":" would
// otherwise name a protocol) reach it unchanged.
int readPacket(void* opaque, uint8_t* buffer, int size) {
    const int fd = *static_cast<int*>(opaque);
    for (;;) {
        const ssize_t got = ::read(fd, buffer, static_cast<std::size_t>(size));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return AVERROR(errno);
        return got == 0 ? AVERROR_EOF : static_cast<int>(got);
    }
}

int64_t seekTo(void* opaque, int64_t offset, int whence) {
    const int fd = *static_cast<int*>(opaque);
    if (whence == AVSEEK_SIZE) {
        struct stat status {};
        return ::fstat(fd, &status) == 0 ? status.st_size : AVERROR(errno);
    }
    const off_t at = ::lseek(fd, offset, whence & ~AVSEEK_FORCE);
    return at < 0 ? AVERROR(errno) : at;
}

struct IoContextDeleter {
    void operator()(AVIOContext* io) const {
        if (io != nullptr)
            av_freep(&io->buffer);
        avio_context_free(&io);
    }
};
struct FormatDeleter {
    void operator()(AVFormatContext* format) const { avformat_close_input(&format); }
};
struct CodecDeleter {
    void operator()(AVCodecContext* codec) const { avcodec_free_context(&codec); }
};
struct PacketDeleter {
    void operator()(AVPacket* packet) const { av_packet_free(&packet); }
};
struct FrameDeleter {
    void operator()(AVFrame* frame) const { av_frame_free(&frame); }
};

class Decoding {
public:
    Decoding(int fd, PcmSink& sink)
        : fd_(fd)
        , sink_(sink) {}

    DecodeResult Run() {
        av_log_set_level(AV_LOG_QUIET);
        if (!open())
            return result_;
        packet_.reset(av_packet_alloc());
        frame_.reset(av_frame_alloc());
        if (!packet_ || !frame_)
            return fail(DecodeOutcome::Damaged, "out of memory");
        for (;;) {
            const int read = av_read_frame(format_.get(), packet_.get());
            if (read == AVERROR_EOF)
                break;
            if (read < 0)
                return fail(DecodeOutcome::Damaged,
                            "the audio is damaged (" + errorText(read) + ")");
            const bool ours = packet_->stream_index == 0;
            const int sent = ours ? avcodec_send_packet(codec_.get(), packet_.get()) : 0;
            av_packet_unref(packet_.get());
            if (sent < 0)
                return fail(DecodeOutcome::Damaged,
                            "the audio is damaged (" + errorText(sent) + ")");
            if (!drain())
                return result_;
        }
        avcodec_send_packet(codec_.get(), nullptr);
        if (!drain())
            return result_;
        if (result_.samples == 0)
            return fail(DecodeOutcome::NoAudio, "there is no audio after the header");
        result_.outcome = DecodeOutcome::Decoded;
        return result_;
    }

private:
    bool open() {
        auto* buffer = static_cast<unsigned char*>(av_malloc(kIoBufferBytes));
        io_.reset(avio_alloc_context(buffer, kIoBufferBytes, 0, &fd_, readPacket, nullptr, seekTo));
        if (!io_) {
            av_free(buffer);
            return stop(DecodeOutcome::Damaged, "out of memory");
        }
        AVFormatContext* format = avformat_alloc_context();
        if (format == nullptr)
            return stop(DecodeOutcome::Damaged, "out of memory");
        format->pb = io_.get();
        format->flags |= AVFMT_FLAG_CUSTOM_IO;
        // On failure avformat_open_input frees the context itself.
        const int opened =
            avformat_open_input(&format, nullptr, av_find_input_format("dss"), nullptr);
        if (opened < 0)
            return stop(DecodeOutcome::Damaged,
                        "the header is damaged (" + errorText(opened) + ")");
        format_.reset(format);
        if (format_->nb_streams < 1)
            return stop(DecodeOutcome::Damaged, "the file holds no audio stream");
        const AVCodecParameters* parameters = format_->streams[0]->codecpar;
        const AVCodec* decoder = avcodec_find_decoder(parameters->codec_id);
        if (decoder == nullptr)
            return stop(DecodeOutcome::Damaged, "no decoder for its codec");
        codec_.reset(avcodec_alloc_context3(decoder));
        if (!codec_ || avcodec_parameters_to_context(codec_.get(), parameters) < 0 ||
            avcodec_open2(codec_.get(), decoder, nullptr) < 0)
            return stop(DecodeOutcome::Damaged, "the decoder cannot be opened");
        return true;
    }

    bool drain() {
        for (;;) {
            const int received = avcodec_receive_frame(codec_.get(), frame_.get());
            if (received == AVERROR(EAGAIN) || received == AVERROR_EOF)
                return true;
            if (received < 0)
                return stop(DecodeOutcome::Damaged,
                            "the audio is damaged (" + errorText(received) + ")");
            const bool written = deliver();
            av_frame_unref(frame_.get());
            if (!written)
                return false;
        }
    }

    // The DSS decoders give 16-bit mono (one plane, so packed and planar are alike); anything
    // else is refused rather than guessed.
    bool deliver() {
        const bool sixteenBit =
            frame_->format == AV_SAMPLE_FMT_S16 || frame_->format == AV_SAMPLE_FMT_S16P;
        if (!sixteenBit || frame_->ch_layout.nb_channels != 1)
            return stop(DecodeOutcome::Damaged, "the decoder gave samples of an unexpected form");
        if (!begun_) {
            begun_ = true;
            if (!sink_.Begin(static_cast<uint32_t>(frame_->sample_rate)))
                return stop(DecodeOutcome::SinkFailed, "");
        }
        const auto count = static_cast<std::size_t>(frame_->nb_samples);
        if (!sink_.Write(reinterpret_cast<const int16_t*>(frame_->data[0]), count))
            return stop(DecodeOutcome::SinkFailed, "");
        result_.samples += count;
        return true;
    }

    DecodeResult fail(DecodeOutcome outcome, std::string reason) {
        result_.outcome = outcome;
        result_.reason = std::move(reason);
        return result_;
    }

    // For the steps that answer whether to go on.
    bool stop(DecodeOutcome outcome, std::string reason) {
        fail(outcome, std::move(reason));
        return false;
    }

    int fd_;
    PcmSink& sink_;
    bool begun_ = false;
    DecodeResult result_;
    std::unique_ptr<AVIOContext, IoContextDeleter> io_;
    std::unique_ptr<AVFormatContext, FormatDeleter> format_;
    std::unique_ptr<AVCodecContext, CodecDeleter> codec_;
    std::unique_ptr<AVPacket, PacketDeleter> packet_;
    std::unique_ptr<AVFrame, FrameDeleter> frame_;
};

} // namespace

DecodeResult DecodeDss(int fd, PcmSink& sink) {
    if (::lseek(fd, 0, SEEK_SET) < 0)
        return {DecodeOutcome::Damaged, "cannot be read from its start", 0};
    return Decoding(fd, sink).Run();
}

} // namespace dictconv
