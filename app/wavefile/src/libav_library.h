#pragma once
// FFmpeg's libraries, loaded on first use and kept to themselves. Most wave files are
// libsndfile's, so a program that converts them never pays FFmpeg's start-up (a hundred-odd
// libraries of codecs it links) nor finds those libraries in the scope where every plug-in the
// toolkit loads, twice a job, has its symbols looked up.

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/error.h>
#include <libavutil/log.h>
#include <libavutil/mathematics.h>
#include <libavutil/mem.h>
}

#include <string>

namespace wavefile {

// Each function the reader calls, by the library that defines it.
#define WAVEFILE_LIBAV_FUNCTIONS(X)                                                                \
    X(avutil, av_malloc)                                                                           \
    X(avutil, av_free)                                                                             \
    X(avutil, av_freep)                                                                            \
    X(avutil, av_strerror)                                                                         \
    X(avutil, av_log_set_level)                                                                    \
    X(avutil, av_rescale_q)                                                                        \
    X(avutil, av_frame_alloc)                                                                      \
    X(avutil, av_frame_free)                                                                       \
    X(avutil, av_frame_unref)                                                                      \
    X(avcodec, avcodec_find_decoder)                                                               \
    X(avcodec, avcodec_alloc_context3)                                                             \
    X(avcodec, avcodec_free_context)                                                               \
    X(avcodec, avcodec_parameters_to_context)                                                      \
    X(avcodec, avcodec_open2)                                                                      \
    X(avcodec, avcodec_send_packet)                                                                \
    X(avcodec, avcodec_receive_frame)                                                              \
    X(avcodec, av_packet_alloc)                                                                    \
    X(avcodec, av_packet_free)                                                                     \
    X(avcodec, av_packet_unref)                                                                    \
    X(avformat, avformat_alloc_context)                                                            \
    X(avformat, avformat_open_input)                                                               \
    X(avformat, avformat_close_input)                                                              \
    X(avformat, av_find_input_format)                                                              \
    X(avformat, av_read_frame)                                                                     \
    X(avformat, avio_alloc_context)                                                                \
    X(avformat, avio_context_free)

struct Libav {
#define WAVEFILE_LIBAV_POINTER(library, name) decltype(&::name) name = nullptr;
    WAVEFILE_LIBAV_FUNCTIONS(WAVEFILE_LIBAV_POINTER)
#undef WAVEFILE_LIBAV_POINTER
};

// The functions, loaded once for the process; null, with the reason in `error`, when a library
// or a function cannot be loaded.
const Libav* LoadLibav(std::string& error);

} // namespace wavefile
