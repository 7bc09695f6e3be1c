// Owning pointers for FFmpeg objects, so every path frees them.
#pragma once

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavcodec/bsf.h>
#include <libavformat/avformat.h>
#include <libavutil/audio_fifo.h>
#include <libswresample/swresample.h>
}

#include <memory>

namespace korvane::media {

struct FFmpegDeleter {
    void operator()(AVCodecContext *p) const { avcodec_free_context(&p); }
    void operator()(AVCodecParserContext *p) const { av_parser_close(p); }
    void operator()(AVPacket *p) const { av_packet_free(&p); }
    void operator()(AVFrame *p) const { av_frame_free(&p); }
    void operator()(AVBSFContext *p) const { av_bsf_free(&p); }
    void operator()(SwrContext *p) const { swr_free(&p); }
    void operator()(AVAudioFifo *p) const { av_audio_fifo_free(p); }
};

template <typename T> using AvPtr = std::unique_ptr<T, FFmpegDeleter>;

} // namespace korvane::media
