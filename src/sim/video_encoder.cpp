#include "video_encoder.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/opt.h>
#include <libswscale/swscale.h>
}

namespace korvane::sim {

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
struct ScalerFree {
    void operator()(SwsContext *s) const { sws_freeContext(s); }
};

std::string avError(const char *what, int code)
{
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return std::string(what) + ": " + text;
}

const char *encoderName(PictureCodec codec)
{
    switch (codec) {
    case PictureCodec::H264:
        return "libx264";
    case PictureCodec::H265:
        return "libx265";
    case PictureCodec::Jpeg:
        break;
    }
    return "mjpeg";
}

// One key frame per GOP of exactly `fps` frames, no scene cuts, one thread, quiet.
void videoOptions(PictureCodec codec, int fps, AVDictionary **options)
{
    av_dict_set(options, "preset", "ultrafast", 0);
    av_dict_set(options, "tune", "zerolatency", 0);
    av_dict_set(options, "forced-idr", "1", 0);
    if (codec == PictureCodec::H264) {
        av_dict_set(options, "crf", "26", 0);
        av_dict_set(options, "x264-params", "scenecut=0:threads=1:sliced-threads=0:log=0", 0);
        return;
    }
    av_dict_set(options, "crf", "28", 0);
    const std::string gop = std::to_string(fps);
    const std::string params = "keyint=" + gop + ":min-keyint=" + gop +
                               ":scenecut=0:bframes=0:open-gop=0:pools=none:frame-threads=1:wpp=0:"
                               "lookahead-slices=0:repeat-headers=1:info=0:log-level=error";
    av_dict_set(options, "x265-params", params.c_str(), 0);
}

void setupContext(AVCodecContext *c, PictureCodec codec, int width, int height, int fps)
{
    c->width = width;
    c->height = height;
    c->time_base = AVRational{1, fps};
    c->framerate = AVRational{fps, 1};
    c->pix_fmt = AV_PIX_FMT_YUV420P;
    c->thread_count = 1;
    c->gop_size = fps;
    c->keyint_min = fps;
    c->max_b_frames = 0;
    if (codec == PictureCodec::Jpeg) {
        c->color_range = AVCOL_RANGE_JPEG;
        c->flags |= AV_CODEC_FLAG_QSCALE;
        c->global_quality = FF_QP2LAMBDA * 4;
    }
}

} // namespace

struct VideoEncoder::Codec {
    std::unique_ptr<AVCodecContext, ContextFree> context;
    std::unique_ptr<AVFrame, FrameFree> frame;
    std::unique_ptr<AVPacket, PacketFree> packet;
    std::unique_ptr<SwsContext, ScalerFree> scaler;
};

VideoEncoder::VideoEncoder() = default;
VideoEncoder::~VideoEncoder() = default;

bool VideoEncoder::open(PictureCodec codec, int width, int height, int fps, std::string &error)
{
    codec_ = std::make_unique<Codec>();
    codec_->frame.reset(av_frame_alloc());
    codec_->packet.reset(av_packet_alloc());
    if (!codec_->frame || !codec_->packet) {
        error = "out of memory";
        return false;
    }
    return openCodec(codec, width, height, fps, error) && preparePicture(codec, error);
}

bool VideoEncoder::openCodec(PictureCodec codec, int width, int height, int fps, std::string &error)
{
    const AVCodec *encoder = avcodec_find_encoder_by_name(encoderName(codec));
    if (!encoder) {
        error = std::string(encoderName(codec)) + " encoder not available";
        return false;
    }
    codec_->context.reset(avcodec_alloc_context3(encoder));
    if (!codec_->context) {
        error = "out of memory";
        return false;
    }
    setupContext(codec_->context.get(), codec, width, height, fps);
    AVDictionary *options = nullptr;
    if (codec != PictureCodec::Jpeg)
        videoOptions(codec, fps, &options);
    const int rc = avcodec_open2(codec_->context.get(), encoder, &options);
    av_dict_free(&options);
    if (rc < 0)
        error = avError(encoderName(codec), rc);
    return rc >= 0;
}

// The encoder's input picture, and the conversion into it from 32-bit RGB.
bool VideoEncoder::preparePicture(PictureCodec codec, std::string &error)
{
    const AVCodecContext *c = codec_->context.get();
    AVFrame *f = codec_->frame.get();
    f->format = c->pix_fmt;
    f->width = c->width;
    f->height = c->height;
    f->color_range = c->color_range;
    if (const int rc = av_frame_get_buffer(f, 0); rc < 0) {
        error = avError("frame buffer", rc);
        return false;
    }
    codec_->scaler.reset(sws_getContext(c->width, c->height, AV_PIX_FMT_BGRA, c->width, c->height,
                                        AV_PIX_FMT_YUV420P, SWS_BILINEAR, nullptr, nullptr, nullptr));
    if (!codec_->scaler) {
        error = "no colour conversion";
        return false;
    }
    const int *coefficients = sws_getCoefficients(SWS_CS_ITU601);
    const int fullRange = codec == PictureCodec::Jpeg; // JPEG luma spans 0..255, video 16..235
    sws_setColorspaceDetails(codec_->scaler.get(), coefficients, 1, coefficients, fullRange, 0, 1 << 16, 1 << 16);
    return true;
}

bool VideoEncoder::convert(const QImage &picture, std::string &error)
{
    AVFrame *f = codec_->frame.get();
    if (picture.width() != f->width || picture.height() != f->height || picture.format() != QImage::Format_RGB32) {
        error = "picture does not match the encoder";
        return false;
    }
    if (const int rc = av_frame_make_writable(f); rc < 0) {
        error = avError("frame buffer", rc);
        return false;
    }
    const uint8_t *source[1] = {picture.constBits()};
    const int stride[1] = {int(picture.bytesPerLine())};
    sws_scale(codec_->scaler.get(), source, stride, 0, f->height, f->data, f->linesize);
    return true;
}

bool VideoEncoder::encode(const QImage &picture, int count, std::string &error)
{
    if (!codec_) {
        error = "encoder not open";
        return false;
    }
    if (!convert(picture, error))
        return false;
    for (int i = 0; i < count; ++i)
        if (!send(i == 0, error))
            return false;
    return true;
}

bool VideoEncoder::send(bool key, std::string &error)
{
    AVFrame *f = codec_->frame.get();
    f->pts = pts_++;
    f->pict_type = key ? AV_PICTURE_TYPE_I : AV_PICTURE_TYPE_NONE;
    if (const int rc = avcodec_send_frame(codec_->context.get(), f); rc < 0) {
        error = avError("encode", rc);
        return false;
    }
    return receive(error);
}

bool VideoEncoder::receive(std::string &error)
{
    AVPacket *p = codec_->packet.get();
    for (;;) {
        const int rc = avcodec_receive_packet(codec_->context.get(), p);
        if (rc == AVERROR(EAGAIN) || rc == AVERROR_EOF)
            return true;
        if (rc < 0) {
            error = avError("encode", rc);
            return false;
        }
        frames_.push_back({Bytes(p->data, p->data + p->size), (p->flags & AV_PKT_FLAG_KEY) != 0});
        av_packet_unref(p);
    }
}

bool VideoEncoder::finish(std::string &error)
{
    if (!codec_) {
        error = "encoder not open";
        return false;
    }
    if (const int rc = avcodec_send_frame(codec_->context.get(), nullptr); rc < 0) {
        error = avError("encode", rc);
        return false;
    }
    return receive(error);
}

} // namespace korvane::sim
