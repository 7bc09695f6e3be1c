// H.264/H.265 access units to decoded pictures with libavcodec.
#pragma once

#include "decode_threads.h"
#include "ffmpeg_ptr.h"
#include "picture_scaler.h"

#include <cstdint>

namespace korvane::media {

class VideoDecoder
{
public:
    // Opens the decoder for encode type 2 (H.264) or 5 (H.265) on the given threads; a different type
    // or thread count opens it again. One thread decodes with low delay: each picture comes out as its
    // frame goes in. More threads work on successive frames, so pictures come out that many frames later.
    bool open(uint32_t encodeType, int threads = 1);
    bool isOpen() const { return context_ != nullptr; }
    uint32_t encodeType() const { return encodeType_; }
    int threads() const { return threads_; }
    // Frame threads hold pictures back until later frames come in (or drain() gets them out).
    bool holdsPictures() const;
    // "frame", "slice" or "one": how the open decoder uses its threads.
    const char *threading() const;

    // Decodes one access unit tagged with seq; false when the decoder refused it (corrupt data is not fatal).
    bool send(const uint8_t *data, size_t size, int64_t seq);
    // The next decoded picture and the seq it was sent with; false when none is ready.
    bool receive(DecodedPicture &picture, int64_t &seq);
    // Ends the stream: receive() gives every picture still inside; after the last one the decoder
    // takes a new stream, from a key frame.
    void drain();
    // Forgets every frame sent and every picture not received.
    void flush();

private:
    AvPtr<AVCodecContext> context_;
    AvPtr<AVPacket> packet_{av_packet_alloc()};
    AvPtr<AVFrame> frame_{av_frame_alloc()};
    uint32_t encodeType_ = 0;
    int threads_ = 0;
};

} // namespace korvane::media
