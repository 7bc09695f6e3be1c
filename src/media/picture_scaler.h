// Decoded pictures to RGB images of the size they are shown at: crop, colour conversion and scaling
// in one libswscale pass. The conversion context is kept while the sizes stay the same.
#pragma once

#include <QImage>
#include <QRect>

#include <memory>

struct AVFrame;
struct SwsContext;

namespace korvane::media {

// A decoded picture as libavcodec gave it (YUV), shared between the player's threads; never changed.
using DecodedPicture = std::shared_ptr<const AVFrame>;

// Takes over the picture's buffers (the frame is left empty); null for an empty frame.
DecodedPicture shareDecoded(AVFrame *frame);

class PictureScaler
{
public:
    static constexpr int kMaxSide = 8192;

    // The part `source` (picture pixels, clipped to the picture) scaled to `size`, as RGB32;
    // a null image when the picture or the sizes are unusable.
    QImage scale(const AVFrame &picture, const QRect &source, const QSize &size);
    // The whole picture at its own size.
    QImage full(const AVFrame &picture);

private:
    std::unique_ptr<SwsContext, void (*)(SwsContext *)> context_{nullptr, nullptr};
};

} // namespace korvane::media
