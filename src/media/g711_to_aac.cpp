#include "g711_to_aac.h"

#include "recorder_frame.h"

extern "C" {
#include <libavutil/opt.h>
}

namespace korvane::media {

namespace {

const AVChannelLayout kMono = AV_CHANNEL_LAYOUT_MONO;
constexpr int64_t kAacBitRate = 32000;

AvPtr<AVCodecContext> openCodec(const AVCodec *codec, AVSampleFormat format)
{
    if (!codec) return nullptr;
    AvPtr<AVCodecContext> ctx(avcodec_alloc_context3(codec));
    if (!ctx) return nullptr;
    ctx->sample_fmt = format;
    ctx->sample_rate = kAudioSampleRate;
    ctx->time_base = {1, kAudioSampleRate};
    ctx->bit_rate = av_codec_is_encoder(codec) ? kAacBitRate : 0;
    ctx->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    if (av_codec_is_encoder(codec)) av_opt_set(ctx->priv_data, "aac_coder", "fast", 0); // speech at 8 kHz needs no more
    if (av_channel_layout_copy(&ctx->ch_layout, &kMono) < 0 || avcodec_open2(ctx.get(), codec, nullptr) < 0)
        return nullptr;
    return ctx;
}

} // namespace

int G711ToAac::open(uint8_t g711Codec)
{
    decoder_ = openCodec(avcodec_find_decoder(g711Codec == kAudioUlaw ? AV_CODEC_ID_PCM_MULAW : AV_CODEC_ID_PCM_ALAW),
                         AV_SAMPLE_FMT_S16);
    encoder_ = openCodec(avcodec_find_encoder(AV_CODEC_ID_AAC), AV_SAMPLE_FMT_FLTP);
    SwrContext *swr = nullptr;
    AVChannelLayout mono = kMono;
    swr_alloc_set_opts2(&swr, &mono, AV_SAMPLE_FMT_FLTP, kAudioSampleRate, &mono, AV_SAMPLE_FMT_S16, kAudioSampleRate, 0,
                        nullptr);
    resampler_.reset(swr);
    fifo_.reset(av_audio_fifo_alloc(AV_SAMPLE_FMT_FLTP, 1, 4096));
    frame_.reset(av_frame_alloc());
    packet_.reset(av_packet_alloc());
    if (!decoder_ || !encoder_ || !resampler_ || !fifo_ || !frame_ || !packet_) return AVERROR(ENOMEM);
    return swr_init(resampler_.get());
}

int G711ToAac::push(const uint8_t *data, size_t size, int64_t expectedSample, const PacketSink &sink)
{
    int rc = 0;
    const bool gap = nextPts_ >= 0 && expectedSample - nextPts_ - av_audio_fifo_size(fifo_.get()) > kAudioSampleRate;
    if (gap) rc = encodeFrames(1, sink); // audio missing for over a second: what is queued goes out first
    if (nextPts_ < 0 || gap) nextPts_ = expectedSample;
    if (rc >= 0) rc = decodeIntoFifo(data, size);
    return rc < 0 ? rc : encodeFrames(encoder_->frame_size, sink);
}

int G711ToAac::finish(const PacketSink &sink)
{
    int rc = encodeFrames(1, sink);
    if (rc >= 0) rc = avcodec_send_frame(encoder_.get(), nullptr);
    return rc < 0 ? rc : drainPackets(sink);
}

int G711ToAac::decodeIntoFifo(const uint8_t *data, size_t size)
{
    packet_->data = const_cast<uint8_t *>(data); // not reference-counted: the decoder copies it
    packet_->size = int(size);
    int rc = avcodec_send_packet(decoder_.get(), packet_.get());
    packet_->data = nullptr;
    packet_->size = 0;
    while (rc >= 0 && (rc = avcodec_receive_frame(decoder_.get(), frame_.get())) >= 0) {
        samples_.resize(size_t(frame_->nb_samples));
        uint8_t *out[] = {reinterpret_cast<uint8_t *>(samples_.data())};
        const int converted = swr_convert(resampler_.get(), out, frame_->nb_samples,
                                          const_cast<const uint8_t **>(frame_->extended_data), frame_->nb_samples);
        av_frame_unref(frame_.get());
        rc = converted < 0 ? converted : av_audio_fifo_write(fifo_.get(), reinterpret_cast<void **>(out), converted);
    }
    return rc == AVERROR(EAGAIN) ? 0 : rc;
}

int G711ToAac::encodeFrames(int minimumSamples, const PacketSink &sink)
{
    int rc = 0;
    while (rc >= 0 && av_audio_fifo_size(fifo_.get()) >= minimumSamples)
        rc = sendFrame(std::min(av_audio_fifo_size(fifo_.get()), encoder_->frame_size), sink);
    return rc;
}

int G711ToAac::sendFrame(int samples, const PacketSink &sink)
{
    frame_->nb_samples = samples;
    frame_->format = encoder_->sample_fmt;
    frame_->sample_rate = kAudioSampleRate;
    int rc = av_channel_layout_copy(&frame_->ch_layout, &kMono);
    if (rc >= 0) rc = av_frame_get_buffer(frame_.get(), 0);
    if (rc >= 0) rc = av_audio_fifo_read(fifo_.get(), reinterpret_cast<void **>(frame_->data), samples);
    if (rc >= 0) {
        frame_->pts = nextPts_;
        nextPts_ += samples;
        rc = avcodec_send_frame(encoder_.get(), frame_.get());
    }
    av_frame_unref(frame_.get());
    return rc < 0 ? rc : drainPackets(sink);
}

int G711ToAac::drainPackets(const PacketSink &sink)
{
    int rc;
    while ((rc = avcodec_receive_packet(encoder_.get(), packet_.get())) >= 0) {
        rc = sink(packet_.get());
        av_packet_unref(packet_.get());
        if (rc < 0) return rc;
    }
    return rc == AVERROR(EAGAIN) || rc == AVERROR_EOF ? 0 : rc;
}

} // namespace korvane::media
