// FFmpeg's libraries loaded when the first movie is opened, not with the program: they and the
// many libraries they bring (codecs, network and encryption libraries) cost tens of megabytes and
// tens of milliseconds at every start, and most runs never decode a movie. The functions the
// movie devices use are looked up once into one table.
#pragma once

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/log.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

#include <string>

namespace zav3::host {

#define ZAV3_FFMPEG_FUNCTIONS(X)                                                            \
  X(avutil, av_log_set_level)                                                               \
  X(avutil, av_rescale_q)                                                                   \
  X(avutil, av_frame_alloc)                                                                 \
  X(avutil, av_frame_free)                                                                  \
  X(avutil, av_channel_layout_default)                                                      \
  X(avutil, av_channel_layout_copy)                                                         \
  X(avutil, av_channel_layout_uninit)                                                       \
  X(avcodec, av_packet_alloc)                                                               \
  X(avcodec, av_packet_free)                                                                \
  X(avcodec, av_packet_unref)                                                               \
  X(avcodec, avcodec_alloc_context3)                                                        \
  X(avcodec, avcodec_free_context)                                                          \
  X(avcodec, avcodec_parameters_to_context)                                                 \
  X(avcodec, avcodec_open2)                                                                 \
  X(avcodec, avcodec_send_packet)                                                           \
  X(avcodec, avcodec_receive_frame)                                                         \
  X(avcodec, avcodec_flush_buffers)                                                         \
  X(avformat, avformat_open_input)                                                          \
  X(avformat, avformat_find_stream_info)                                                    \
  X(avformat, avformat_close_input)                                                         \
  X(avformat, av_find_best_stream)                                                          \
  X(avformat, av_read_frame)                                                                \
  X(avformat, av_seek_frame)                                                                \
  X(swscale, sws_getCachedContext)                                                          \
  X(swscale, sws_scale)                                                                     \
  X(swscale, sws_freeContext)                                                               \
  X(swresample, swr_alloc_set_opts2)                                                        \
  X(swresample, swr_init)                                                                   \
  X(swresample, swr_free)                                                                   \
  X(swresample, swr_convert)                                                                \
  X(swresample, swr_get_out_samples)

struct FfmpegApi {
#define ZAV3_FFMPEG_POINTER(library, name) decltype(&::name) name = nullptr;
  ZAV3_FFMPEG_FUNCTIONS(ZAV3_FFMPEG_POINTER)
#undef ZAV3_FFMPEG_POINTER
};

// The table, loading the libraries on the first call; null (and `why` set) when they cannot be
// loaded. Thread-safe.
const FfmpegApi* ffmpeg(std::string& why);

}  // namespace zav3::host
