#include "picture_scaler.h"

#include "ffmpeg_ptr.h"

extern "C" {
#include <libavutil/imgutils.h>
#include <libavutil/pixdesc.h>
#include <libswscale/swscale.h>
}

namespace korvane::media {

namespace {

// Two-tap bilinear, as a graphics card scales a texture: on the 3 to 4 times smaller pictures of a
// video wall it costs about half of libswscale's wider bilinear filter.
constexpr int kScaleFlags = SWS_FAST_BILINEAR;

void freeContext(SwsContext *context) { sws_freeContext(context); }

bool usableSize(int width, int height)
{
    return width > 0 && height > 0 && width <= PictureScaler::kMaxSide && height <= PictureScaler::kMaxSide;
}

// The planes of the picture starting at `part`; its left and top are on whole chroma samples.
void cropPlanes(const AVFrame &picture, const AVPixFmtDescriptor &format, const QRect &part, const uint8_t *planes[4])
{
    int steps[4] = {};
    av_image_fill_max_pixsteps(steps, nullptr, &format);
    for (int i = 0; i < 4; ++i) {
        planes[i] = picture.data[i];
        if (!planes[i] || ((format.flags & AV_PIX_FMT_FLAG_PAL) && i == 1)) continue;
        const bool chroma = i == 1 || i == 2;
        const int x = part.left() >> (chroma ? format.log2_chroma_w : 0);
        const int y = part.top() >> (chroma ? format.log2_chroma_h : 0);
        planes[i] += ptrdiff_t(y) * picture.linesize[i] + ptrdiff_t(x) * steps[i];
    }
}

} // namespace

DecodedPicture shareDecoded(AVFrame *frame)
{
    if (!frame || !frame->buf[0]) return nullptr;
    AVFrame *shared = av_frame_alloc();
    if (!shared) return nullptr;
    av_frame_move_ref(shared, frame);
    return DecodedPicture(shared, [](const AVFrame *p) {
        AVFrame *owned = const_cast<AVFrame *>(p);
        av_frame_free(&owned);
    });
}

QImage PictureScaler::scale(const AVFrame &picture, const QRect &source, const QSize &size)
{
    if (!usableSize(picture.width, picture.height) || !usableSize(size.width(), size.height())) return {};
    const AVPixFmtDescriptor *format = av_pix_fmt_desc_get(AVPixelFormat(picture.format));
    if (!format || (format->flags & AV_PIX_FMT_FLAG_HWACCEL)) return {};
    QRect part = source.intersected(QRect(0, 0, picture.width, picture.height));
    const int alignX = 1 << format->log2_chroma_w, alignY = 1 << format->log2_chroma_h;
    part.setLeft(part.left() / alignX * alignX);
    part.setTop(part.top() / alignY * alignY);
    if (part.isEmpty()) return {};

    SwsContext *context = sws_getCachedContext(context_.release(), part.width(), part.height(),
                                               AVPixelFormat(picture.format), size.width(), size.height(),
                                               AV_PIX_FMT_RGB32, kScaleFlags, nullptr, nullptr, nullptr);
    context_ = {context, freeContext};
    if (!context) return {};
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull()) return {};
    const uint8_t *planes[4];
    cropPlanes(picture, *format, part, planes);
    uint8_t *target[4] = {image.bits(), nullptr, nullptr, nullptr};
    const int targetStrides[4] = {int(image.bytesPerLine()), 0, 0, 0};
    if (sws_scale(context, planes, picture.linesize, 0, part.height(), target, targetStrides) != size.height())
        return {};
    return image;
}

QImage PictureScaler::full(const AVFrame &picture)
{
    return scale(picture, QRect(0, 0, picture.width, picture.height), QSize(picture.width, picture.height));
}

} // namespace korvane::media
