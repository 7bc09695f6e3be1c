#include "video_decoder.h"

#include <algorithm>
#include <cstring>

namespace korvane::media {

bool VideoDecoder::open(uint32_t encodeType, int threads)
{
    threads = std::clamp(threads, 1, kMaxDecodeThreads);
    if (context_ && encodeType == encodeType_ && threads == threads_) return true;
    context_.reset();
    encodeType_ = 0;
    threads_ = 0;
    const AVCodec *codec = avcodec_find_decoder(encodeType == 5 ? AV_CODEC_ID_HEVC : AV_CODEC_ID_H264);
    if (!codec) return false;
    AvPtr<AVCodecContext> context(avcodec_alloc_context3(codec));
    if (!context) return false;
    context->thread_count = threads;
    if (threads == 1)
        context->flags |= AV_CODEC_FLAG_LOW_DELAY; // a recorder sends no B-frames; show each picture at once
    else
        context->thread_type = FF_THREAD_FRAME | FF_THREAD_SLICE; // frame threads where the codec has them
    if (avcodec_open2(context.get(), codec, nullptr) < 0) return false;
    context_ = std::move(context);
    encodeType_ = encodeType;
    threads_ = threads;
    return true;
}

bool VideoDecoder::holdsPictures() const
{
    return context_ && (context_->active_thread_type & FF_THREAD_FRAME);
}

const char *VideoDecoder::threading() const
{
    if (!context_ || context_->thread_count <= 1) return "one";
    if (context_->active_thread_type & FF_THREAD_FRAME) return "frame";
    return context_->active_thread_type & FF_THREAD_SLICE ? "slice" : "one";
}

bool VideoDecoder::send(const uint8_t *data, size_t size, int64_t seq)
{
    if (!context_ || !packet_ || size == 0 || size > INT32_MAX) return false;
    if (av_new_packet(packet_.get(), int(size)) < 0) return false;
    memcpy(packet_->data, data, size);
    packet_->pts = seq;
    const int result = avcodec_send_packet(context_.get(), packet_.get());
    av_packet_unref(packet_.get());
    return result >= 0;
}

bool VideoDecoder::receive(DecodedPicture &picture, int64_t &seq)
{
    while (context_ && frame_) {
        const int result = avcodec_receive_frame(context_.get(), frame_.get());
        if (result == AVERROR_EOF) avcodec_flush_buffers(context_.get()); // drained: ready for a new stream
        if (result < 0) return false;
        seq = frame_->best_effort_timestamp != AV_NOPTS_VALUE ? frame_->best_effort_timestamp : frame_->pts;
        const bool usable = frame_->width > 0 && frame_->height > 0 && frame_->width <= PictureScaler::kMaxSide &&
                            frame_->height <= PictureScaler::kMaxSide;
        picture = usable ? shareDecoded(frame_.get()) : nullptr;
        av_frame_unref(frame_.get());
        if (picture) return true;
    }
    return false;
}

void VideoDecoder::drain()
{
    if (context_) avcodec_send_packet(context_.get(), nullptr);
}

void VideoDecoder::flush()
{
    if (context_) avcodec_flush_buffers(context_.get());
}

} // namespace korvane::media
