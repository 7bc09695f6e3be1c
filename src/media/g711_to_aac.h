// G.711 (A-law or mu-law, 8000 Hz mono) decoded with libavcodec and encoded again as AAC.
#pragma once

#include "ffmpeg_ptr.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace korvane::media {

class G711ToAac
{
public:
    using PacketSink = std::function<int(AVPacket *)>; // packets in encoder()->time_base; < 0 stops

    int open(uint8_t g711Codec); // 0, or a negative FFmpeg error
    const AVCodecContext *encoder() const { return encoder_.get(); }
    // Audio follows on from the previous call; the first call, and one arriving more than a
    // second after the audio so far ends, is placed at expectedSample (in 1/8000 s).
    int push(const uint8_t *data, size_t size, int64_t expectedSample, const PacketSink &sink);
    int finish(const PacketSink &sink);

private:
    int decodeIntoFifo(const uint8_t *data, size_t size);
    int encodeFrames(int minimumSamples, const PacketSink &sink);
    int sendFrame(int samples, const PacketSink &sink);
    int drainPackets(const PacketSink &sink);

    AvPtr<AVCodecContext> decoder_, encoder_;
    AvPtr<SwrContext> resampler_;
    AvPtr<AVAudioFifo> fifo_;
    AvPtr<AVFrame> frame_;
    AvPtr<AVPacket> packet_;
    std::vector<float> samples_;
    int64_t nextPts_ = -1;
};

} // namespace korvane::media
