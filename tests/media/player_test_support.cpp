#include "player_test_support.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/opt.h>
}

#include <QApplication>
#include <QThread>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <thread>

namespace korvane::media::playertest {

namespace {

constexpr int kShadeBase = 30, kShadeStep = 8, kWhite = 235;

struct Deleter {
    void operator()(AVCodecContext *p) const { avcodec_free_context(&p); }
    void operator()(AVFrame *p) const { av_frame_free(&p); }
    void operator()(AVPacket *p) const { av_packet_free(&p); }
};
template <typename T> using Owned = std::unique_ptr<T, Deleter>;

Owned<AVCodecContext> openEncoder(uint32_t encodeType)
{
    const AVCodec *codec = avcodec_find_encoder_by_name(encodeType == 5 ? "libx265" : "libx264");
    if (!codec) throw std::runtime_error("encoder missing");
    Owned<AVCodecContext> ctx(avcodec_alloc_context3(codec));
    ctx->width = kWidth;
    ctx->height = kHeight;
    ctx->pix_fmt = AV_PIX_FMT_YUV420P;
    ctx->time_base = {1, kFps};
    ctx->gop_size = kFps;
    ctx->max_b_frames = 0;
    av_opt_set(ctx->priv_data, "preset", "ultrafast", 0);
    av_opt_set(ctx->priv_data, "crf", "8", 0);
    if (encodeType == 5)
        av_opt_set(ctx->priv_data, "x265-params",
                   "log-level=error:pools=none:frame-threads=1:keyint=25:min-keyint=25:scenecut=0:bframes=0", 0);
    else
        av_opt_set(ctx->priv_data, "x264-params", "scenecut=0:threads=1", 0);
    if (avcodec_open2(ctx.get(), codec, nullptr) < 0) throw std::runtime_error("encoder open failed");
    return ctx;
}

void paintShade(AVFrame *frame, int index, bool marker)
{
    av_frame_make_writable(frame);
    const int luma = kShadeBase + kShadeStep * (index % kFps);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            frame->data[0][y * frame->linesize[0] + x] =
                uint8_t(marker && x < kWidth / 2 && y < kHeight / 2 ? kWhite : luma);
    for (int plane = 1; plane < 3; ++plane)
        for (int y = 0; y < kHeight / 2; ++y) memset(frame->data[plane] + y * frame->linesize[plane], 128, kWidth / 2);
}

void drain(AVCodecContext *ctx, AVPacket *packet, std::vector<EncodedFrame> &out)
{
    while (avcodec_receive_packet(ctx, packet) == 0) {
        out.push_back({std::vector<uint8_t>(packet->data, packet->data + packet->size),
                       (packet->flags & AV_PKT_FLAG_KEY) != 0});
        av_packet_unref(packet);
    }
}

} // namespace

std::vector<EncodedFrame> encodeShades(uint32_t encodeType, int pictures, bool marker)
{
    Owned<AVCodecContext> ctx = openEncoder(encodeType);
    Owned<AVFrame> frame(av_frame_alloc());
    Owned<AVPacket> packet(av_packet_alloc());
    frame->format = ctx->pix_fmt;
    frame->width = kWidth;
    frame->height = kHeight;
    av_frame_get_buffer(frame.get(), 0);
    std::vector<EncodedFrame> out;
    for (int i = 0; i < pictures; ++i) {
        paintShade(frame.get(), i, marker);
        frame->pts = i;
        frame->pict_type = i % kFps == 0 ? AV_PICTURE_TYPE_I : AV_PICTURE_TYPE_NONE;
        avcodec_send_frame(ctx.get(), frame.get());
        drain(ctx.get(), packet.get(), out);
    }
    avcodec_send_frame(ctx.get(), nullptr);
    drain(ctx.get(), packet.get(), out);
    return out;
}

int greyOf(int picture) { return int(std::lround((kShadeBase + kShadeStep * (picture % kFps) - 16) * 255.0 / 219)); }

int pictureOfGrey(int grey)
{
    for (int i = 0; i < kFps; ++i)
        if (std::abs(greyOf(i) - grey) <= 3) return i;
    return -1;
}

std::vector<std::vector<uint8_t>> recorderFrames(const std::vector<EncodedFrame> &clip, const StreamOptions &options)
{
    std::vector<std::vector<uint8_t>> frames;
    const uint8_t codec = options.encodeType == 5 ? 3 : 2;
    for (size_t i = 0; i < clip.size(); ++i) {
        fixture::RecorderWriter writer;
        if (clip[i].key)
            writer.key(clip[i].bytes, fixture::advanceStamp(options.firstStamp, int(i) / kFps), options.fpsByte, codec,
                       kWidth, kHeight);
        else
            writer.video(clip[i].bytes);
        frames.push_back(writer.bytes());
        if (clip[i].key && !options.information.empty()) {
            fixture::RecorderWriter info;
            info.info(1, options.information);
            frames.push_back(info.bytes());
        }
        if (options.sound) {
            fixture::RecorderWriter sound;
            sound.audio(14, fixture::alawPayload(320, uint32_t(i)));
            frames.push_back(sound.bytes());
        }
    }
    return frames;
}

std::vector<uint8_t> joined(const std::vector<std::vector<uint8_t>> &frames)
{
    std::vector<uint8_t> out;
    for (const auto &frame : frames) out.insert(out.end(), frame.begin(), frame.end());
    return out;
}

TSDK_CALLBACK_INFO MessageLog::callback() { return {0, &MessageLog::receive, this}; }

int MessageLog::receive(int, int id, int p1, int p2, int p3, const char *text, void *data, int64_t length, int,
                        void *user, void *)
{
    auto *log = static_cast<MessageLog *>(user);
    Message m{id, p1, p2, p3, text ? text : "", data ? std::string(static_cast<char *>(data), size_t(length)) : ""};
    std::lock_guard<std::mutex> lock(log->mutex_);
    log->messages_.push_back(std::move(m));
    return 0;
}

std::vector<Message> MessageLog::all() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return messages_;
}

std::vector<Message> MessageLog::withId(int id) const
{
    std::vector<Message> out;
    for (const Message &m : all())
        if (m.id == id) out.push_back(m);
    return out;
}

Message MessageLog::waitFor(int id, int timeoutMs, const std::function<bool(const Message &)> &match) const
{
    Message found;
    waitUntil([&] {
        for (const Message &m : withId(id))
            if (!match || match(m)) {
                found = m;
                return true;
            }
        return false;
    }, timeoutMs);
    return found;
}

bool waitUntil(const std::function<bool()> &condition, int timeoutMs)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        QApplication::processEvents(QEventLoop::AllEvents, 10);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

bool pushAll(int handle, const std::vector<std::vector<uint8_t>> &frames)
{
    for (const auto &frame : frames) {
        int32_t result = TSDK_ERR_BUFFER_FULL;
        for (int attempt = 0; attempt < 100 && result == TSDK_ERR_BUFFER_FULL; ++attempt) {
            result = TPLAY_PushMediaData(handle, frame.data(), int32_t(frame.size()));
            QApplication::processEvents();
        }
        if (result != 0) return false;
    }
    return true;
}

QImage drawn(QWidget &widget) { return widget.grab().toImage().convertToFormat(QImage::Format_RGB32); }

int greyAt(const QImage &image, int x, int y)
{
    const QRgb pixel = image.pixel(x, y);
    const int r = qRed(pixel), g = qGreen(pixel), b = qBlue(pixel);
    if (std::abs(r - g) > 6 || std::abs(g - b) > 6) return -1;
    return (r + g + b) / 3;
}

} // namespace korvane::media::playertest
