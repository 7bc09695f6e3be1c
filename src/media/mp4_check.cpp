#include "mp4_check.h"

#include "ffmpeg_ptr.h"

namespace korvane::media
{

namespace
{

constexpr int kMaxPacketsBeforeAPicture =
    64; // the first key frame is the first packet; a decoder may hold a few

struct InputCloser {
    void operator()(AVFormatContext *p) const { avformat_close_input(&p); }
};

AvPtr<AVCodecContext> openDecoder(const AVStream *stream, const AVCodec *codec)
{
    AvPtr<AVCodecContext> decoder(avcodec_alloc_context3(codec));
    if (!decoder || avcodec_parameters_to_context(decoder.get(), stream->codecpar) < 0) return nullptr;
    decoder->thread_count = 1;
    if (avcodec_open2(decoder.get(), codec, nullptr) < 0) return nullptr;
    return decoder;
}

bool pictureReady(AVCodecContext *decoder, AVFrame *frame)
{
    return avcodec_receive_frame(decoder, frame) == 0 && frame->width > 0 && frame->height > 0;
}

} // namespace

bool firstVideoFrameDecodes(const std::string &path)
{
    AVFormatContext *opened = nullptr;
    if (avformat_open_input(&opened, path.c_str(), nullptr, nullptr) < 0) return false;
    std::unique_ptr<AVFormatContext, InputCloser> input(opened);
    if (avformat_find_stream_info(input.get(), nullptr) < 0) return false;
    const AVCodec *codec = nullptr;
    const int video = av_find_best_stream(input.get(), AVMEDIA_TYPE_VIDEO, -1, -1, &codec, 0);
    if (video < 0 || !codec) return false;
    AvPtr<AVCodecContext> decoder = openDecoder(input->streams[video], codec);
    AvPtr<AVPacket> packet(av_packet_alloc());
    AvPtr<AVFrame> frame(av_frame_alloc());
    if (!decoder || !packet || !frame) return false;
    for (int packets = 0;
         packets < kMaxPacketsBeforeAPicture && av_read_frame(input.get(), packet.get()) >= 0;) {
        const bool ours = packet->stream_index == video;
        const int sent = ours ? avcodec_send_packet(decoder.get(), packet.get()) : 0;
        av_packet_unref(packet.get());
        if (!ours) continue;
        ++packets;
        if (sent < 0 && sent != AVERROR(EAGAIN)) continue; // a damaged packet; the next may decode
        if (pictureReady(decoder.get(), frame.get())) return true;
    }
    avcodec_send_packet(decoder.get(), nullptr);
    return pictureReady(decoder.get(), frame.get());
}

} // namespace korvane::media
