// H.264/H.265 access units to decoded pictures with libavcodec.
#pragma once

#include "ffmpeg_ptr.h"
#include "picture_scaler.h"

#include <cstdint>

namespace korvane::media {

class VideoDecoder
{
public:
    // Opens the decoder for encode type 2 (H.264) or 5 (H.265); a different type reopens it.
    bool ensureCodec(uint32_t encodeType);
    bool isOpen() const { return context_ != nullptr; }
    uint32_t encodeType() const { return encodeType_; }

    // Decodes one access unit tagged with seq; false when the decoder refused it (corrupt data is not fatal).
    bool send(const uint8_t *data, size_t size, int64_t seq);
    // The next decoded picture and the seq it was sent with; false when none is ready.
    bool receive(DecodedPicture &picture, int64_t &seq);
    void flush();

private:
    AvPtr<AVCodecContext> context_;
    AvPtr<AVPacket> packet_{av_packet_alloc()};
    AvPtr<AVFrame> frame_{av_frame_alloc()};
    uint32_t encodeType_ = 0;
};

} // namespace korvane::media
