#include "media_decode.h"

extern "C" {
#include <libavcodec/avcodec.h>
}

#include <algorithm>
#include <memory>

namespace simtest {

namespace {

struct ContextFree {
    void operator()(AVCodecContext *c) const { avcodec_free_context(&c); }
};
struct FrameFree {
    void operator()(AVFrame *f) const { av_frame_free(&f); }
};
struct PacketFree {
    void operator()(AVPacket *p) const { av_packet_free(&p); }
};

using Context = std::unique_ptr<AVCodecContext, ContextFree>;

Context openDecoder(AVCodecID id)
{
    const AVCodec *codec = avcodec_find_decoder(id);
    if (!codec)
        return nullptr;
    Context c(avcodec_alloc_context3(codec));
    if (!c)
        return nullptr;
    c->thread_count = 1;
    if (id == AV_CODEC_ID_PCM_ALAW) {
        c->sample_rate = 8000;
        c->ch_layout = AV_CHANNEL_LAYOUT_MONO;
    }
    if (avcodec_open2(c.get(), codec, nullptr) < 0)
        return nullptr;
    return c;
}

AVCodecID codecOf(VideoKind kind)
{
    return kind == VideoKind::H264 ? AV_CODEC_ID_H264 : kind == VideoKind::H265 ? AV_CODEC_ID_HEVC : AV_CODEC_ID_MJPEG;
}

void keepPicture(const AVFrame *f, DecodedVideo &out)
{
    out.width = f->width;
    out.height = f->height;
    std::vector<uint8_t> plane(size_t(f->width) * size_t(f->height));
    for (int y = 0; y < f->height; ++y)
        std::copy_n(f->data[0] + y * f->linesize[0], f->width, plane.begin() + long(y) * f->width);
    out.luma.push_back(std::move(plane));
}

// Sends one packet (nullptr: drain) and keeps whatever the decoder gives back.
template <typename Keep>
bool decodeStep(AVCodecContext *c, const AVPacket *packet, AVFrame *frame, Keep keep)
{
    if (avcodec_send_packet(c, packet) < 0)
        return false;
    for (;;) {
        const int rc = avcodec_receive_frame(c, frame);
        if (rc == AVERROR(EAGAIN) || rc == AVERROR_EOF)
            return true;
        if (rc < 0)
            return false;
        keep(frame);
        av_frame_unref(frame);
    }
}

template <typename Keep>
bool decodeAll(AVCodecID id, const std::vector<std::vector<uint8_t>> &packets, Keep keep, std::string &error)
{
    Context c = openDecoder(id);
    std::unique_ptr<AVFrame, FrameFree> frame(av_frame_alloc());
    std::unique_ptr<AVPacket, PacketFree> packet(av_packet_alloc());
    if (!c || !frame || !packet) {
        error = "no decoder";
        return false;
    }
    for (const std::vector<uint8_t> &data : packets) {
        if (av_new_packet(packet.get(), int(data.size())) < 0) {
            error = "out of memory";
            return false;
        }
        std::copy(data.begin(), data.end(), packet->data);
        const bool ok = decodeStep(c.get(), packet.get(), frame.get(), keep);
        av_packet_unref(packet.get());
        if (!ok) {
            error = "decoding failed";
            return false;
        }
    }
    if (!decodeStep(c.get(), nullptr, frame.get(), keep)) {
        error = "draining failed";
        return false;
    }
    return true;
}

} // namespace

DecodedVideo decodeVideo(VideoKind kind, const std::vector<std::vector<uint8_t>> &packets)
{
    DecodedVideo out;
    out.ok = decodeAll(codecOf(kind), packets, [&](const AVFrame *f) { keepPicture(f, out); }, out.error);
    return out;
}

std::vector<int16_t> decodeAlaw(const std::vector<uint8_t> &bytes)
{
    std::vector<int16_t> samples;
    std::string error;
    decodeAll(AV_CODEC_ID_PCM_ALAW, {bytes}, [&](const AVFrame *f) {
        const int16_t *s = reinterpret_cast<const int16_t *>(f->data[0]);
        samples.insert(samples.end(), s, s + f->nb_samples);
    }, error);
    return samples;
}

std::vector<int> nalTypes(const std::vector<uint8_t> &au, bool hevc)
{
    std::vector<int> types;
    for (size_t i = 0; i + 3 < au.size(); ++i)
        if (au[i] == 0 && au[i + 1] == 0 && au[i + 2] == 1) {
            types.push_back(hevc ? (au[i + 3] >> 1) & 0x3F : au[i + 3] & 0x1F);
            i += 2;
        }
    return types;
}

} // namespace simtest
