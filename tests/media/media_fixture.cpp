#include "media_fixture.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/opt.h>
}

#include <cstdio>
#include <ctime>
#include <memory>
#include <sys/wait.h>
#include <stdexcept>
#include <unistd.h>

// libx265 keeps a few encoder buffers until process exit; they are not ours to free.
extern "C" const char *__lsan_default_suppressions() { return "leak:libx265.so\n"; }

namespace korvane::media::fixture {

namespace {

struct EncoderDeleter {
    void operator()(AVCodecContext *p) const { avcodec_free_context(&p); }
    void operator()(AVFrame *p) const { av_frame_free(&p); }
    void operator()(AVPacket *p) const { av_packet_free(&p); }
};
template <typename T> using Owned = std::unique_ptr<T, EncoderDeleter>;

Owned<AVCodecContext> openEncoder(uint32_t encodeType, int width, int height, int gop, const char *crf)
{
    const AVCodec *codec = avcodec_find_encoder_by_name(encodeType == 5 ? "libx265" : "libx264");
    if (!codec) throw std::runtime_error("encoder missing");
    Owned<AVCodecContext> ctx(avcodec_alloc_context3(codec));
    ctx->width = width;
    ctx->height = height;
    ctx->pix_fmt = AV_PIX_FMT_YUV420P;
    ctx->time_base = {1, 25};
    ctx->gop_size = gop;
    ctx->max_b_frames = 0;
    av_opt_set(ctx->priv_data, "preset", "ultrafast", 0);
    if (crf) av_opt_set(ctx->priv_data, "crf", crf, 0);
    if (encodeType == 5)
        av_opt_set(ctx->priv_data, "x265-params",
                   ("log-level=error:pools=none:frame-threads=1:scenecut=0:bframes=0:keyint=" + std::to_string(gop) +
                    ":min-keyint=" + std::to_string(gop))
                       .c_str(),
                   0);
    else
        av_opt_set(ctx->priv_data, "x264-params", "scenecut=0:threads=1", 0);
    if (avcodec_open2(ctx.get(), codec, nullptr) < 0) throw std::runtime_error("encoder open failed");
    return ctx;
}

void drawPicture(AVFrame *frame, int index)
{
    for (int y = 0; y < frame->height; ++y)
        for (int x = 0; x < frame->width; ++x)
            frame->data[0][y * frame->linesize[0] + x] = uint8_t(x * 2 + y + index * 5);
    for (int y = 0; y < frame->height / 2; ++y)
        for (int x = 0; x < frame->width / 2; ++x) {
            frame->data[1][y * frame->linesize[1] + x] = uint8_t(128 + index);
            frame->data[2][y * frame->linesize[2] + x] = uint8_t(128 - x);
        }
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

std::vector<EncodedFrame> encodeFrames(uint32_t encodeType, int width, int height, int frames, int gop,
                                       const PicturePainter &paint, const char *crf)
{
    av_log_set_level(AV_LOG_ERROR);
    Owned<AVCodecContext> ctx = openEncoder(encodeType, width, height, gop, crf);
    Owned<AVFrame> frame(av_frame_alloc());
    Owned<AVPacket> packet(av_packet_alloc());
    frame->format = ctx->pix_fmt;
    frame->width = width;
    frame->height = height;
    av_frame_get_buffer(frame.get(), 0);
    std::vector<EncodedFrame> out;
    for (int i = 0; i < frames; ++i) {
        av_frame_make_writable(frame.get());
        paint(frame.get(), i);
        frame->pts = i;
        frame->pict_type = i % gop == 0 ? AV_PICTURE_TYPE_I : AV_PICTURE_TYPE_NONE;
        avcodec_send_frame(ctx.get(), frame.get());
        drain(ctx.get(), packet.get(), out);
    }
    avcodec_send_frame(ctx.get(), nullptr);
    drain(ctx.get(), packet.get(), out);
    return out;
}

std::vector<EncodedFrame> encodeClip(uint32_t encodeType, int width, int height, int frames, int gop)
{
    return encodeFrames(encodeType, width, height, frames, gop, drawPicture);
}

const std::vector<EncodedFrame> &smallClip(uint32_t encodeType)
{
    static const std::vector<EncodedFrame> h264 = encodeClip(2, 176, 144, 75, 25);
    static const std::vector<EncodedFrame> h265 = encodeClip(5, 176, 144, 75, 25);
    return encodeType == 5 ? h265 : h264;
}

uint32_t packStamp(int year, int month, int day, int hour, int minute, int second)
{
    return uint32_t(year - 2000) << 26 | uint32_t(month) << 22 | uint32_t(day) << 17 | uint32_t(hour) << 12 |
           uint32_t(minute) << 6 | uint32_t(second);
}

namespace {
void putU16(std::vector<uint8_t> &out, uint32_t v)
{
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}
void putU32(std::vector<uint8_t> &out, uint32_t v)
{
    putU16(out, v & 0xFFFF);
    putU16(out, v >> 16);
}
void startCode(std::vector<uint8_t> &out, uint8_t type) { out.insert(out.end(), {0, 0, 1, type}); }
} // namespace

void RecorderWriter::key(const std::vector<uint8_t> &payload, uint32_t stamp, uint8_t fps, uint8_t codec, int width,
                         int height)
{
    startCode(bytes_, 0xFC);
    bytes_.insert(bytes_.end(), {codec, fps, uint8_t(width / 8), uint8_t(height / 8)});
    putU32(bytes_, stamp);
    putU32(bytes_, uint32_t(payload.size()));
    raw(payload);
}

void RecorderWriter::video(const std::vector<uint8_t> &payload)
{
    startCode(bytes_, 0xFD);
    putU32(bytes_, uint32_t(payload.size()));
    raw(payload);
}

void RecorderWriter::audio(uint8_t codec, const std::vector<uint8_t> &payload)
{
    startCode(bytes_, 0xFA);
    bytes_.insert(bytes_.end(), {codec, 0});
    putU16(bytes_, uint32_t(payload.size()));
    raw(payload);
}

void RecorderWriter::info(uint8_t kind, const std::string &text)
{
    startCode(bytes_, 0xF9);
    bytes_.insert(bytes_.end(), {kind, 0});
    putU16(bytes_, uint32_t(text.size()));
    bytes_.insert(bytes_.end(), text.begin(), text.end());
}

void RecorderWriter::raw(const std::vector<uint8_t> &bytes) { bytes_.insert(bytes_.end(), bytes.begin(), bytes.end()); }

std::vector<uint8_t> alawPayload(size_t samples, uint32_t seed)
{
    std::vector<uint8_t> out(samples);
    for (size_t i = 0; i < samples; ++i) out[i] = uint8_t(0xD5 ^ ((i * 13 + seed) & 0x3F));
    return out;
}

uint32_t advanceStamp(uint32_t stamp, int seconds)
{
    struct tm t = {};
    t.tm_year = int(stamp >> 26) + 100;
    t.tm_mon = int((stamp >> 22) & 0xF) - 1;
    t.tm_mday = int((stamp >> 17) & 0x1F);
    t.tm_hour = int((stamp >> 12) & 0x1F);
    t.tm_min = int((stamp >> 6) & 0x3F);
    t.tm_sec = int(stamp & 0x3F) + seconds;
    const time_t when = timegm(&t);
    gmtime_r(&when, &t);
    return packStamp(t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec);
}

std::vector<uint8_t> makeRecording(const std::vector<EncodedFrame> &clip, const RecordingOptions &options)
{
    RecorderWriter out;
    const uint8_t codec = (options.encodeType == 5) != options.misleadingHeader ? 3 : 2;
    const int headerWidth = options.misleadingHeader ? 8 : 176, headerHeight = options.misleadingHeader ? 8 : 144;
    for (int i = 0; i < options.leadingVideoFrames; ++i) out.video(clip[1 + i % 3].bytes);
    if (options.leadingVideoFrames > 0) out.audio(14, alawPayload(320, 0));
    uint32_t videoFrames = 0, audioFrames = 0;
    for (int r = 0; r < options.repeats; ++r)
        for (size_t i = 0; i < clip.size(); ++i, ++videoFrames) {
            if (videoFrames % uint32_t(options.fps) == 0) {
                const int second = int(videoFrames / uint32_t(options.fps));
                out.key(clip[i].bytes, advanceStamp(options.firstStamp, second), uint8_t(options.fps), codec,
                        headerWidth, headerHeight);
                if (options.info) out.info(1, "$GPRMC,101500.00,A;G-SENSOR:0.01,0.02,0.98;");
            } else {
                out.video(clip[i].bytes);
            }
            while (options.audio && audioFrames < (videoFrames + 1) * 25 / uint32_t(options.fps))
                out.audio(14, alawPayload(320, audioFrames++));
        }
    return out.bytes();
}

void writeFile(const std::string &path, const std::vector<uint8_t> &bytes)
{
    FILE *f = fopen(path.c_str(), "wb");
    if (!f) throw std::runtime_error("cannot write " + path);
    fwrite(bytes.data(), 1, bytes.size(), f);
    fclose(f);
}

std::string tempPath(const std::string &name)
{
    return "/tmp/korvane-media-" + std::to_string(getpid()) + "-" + name;
}

std::string runCommand(const std::string &command, int *status)
{
    std::string output;
    FILE *pipe = popen(command.c_str(), "r");
    if (!pipe) throw std::runtime_error("cannot run " + command);
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, n);
    const int rc = pclose(pipe);
    if (status) *status = WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
    return output;
}

std::map<std::string, std::string> ffprobe(const std::string &arguments)
{
    std::map<std::string, std::string> values;
    const std::string text = runCommand("ffprobe -v error -of default=noprint_wrappers=1 " + arguments);
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        const std::string line = text.substr(start, end - start);
        const size_t eq = line.find('=');
        if (eq != std::string::npos) values.emplace(line.substr(0, eq), line.substr(eq + 1));
        start = end + 1;
    }
    return values;
}

} // namespace korvane::media::fixture
