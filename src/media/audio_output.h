// Recorder sound: G.711 decoded with libavcodec to 16-bit PCM and played through Qt Multimedia.
#pragma once

#include "ffmpeg_ptr.h"

#include <QByteArray>

#include <cstdint>
#include <memory>

namespace korvane::media {

class G711Decoder
{
public:
    // codec: kAudioAlaw or kAudioUlaw; the decoder is reopened when it changes. Empty on bad input.
    QByteArray decode(uint8_t codec, const uint8_t *data, size_t size);

private:
    bool open(uint8_t codec);

    AvPtr<AVCodecContext> context_;
    AvPtr<AVPacket> packet_{av_packet_alloc()};
    AvPtr<AVFrame> frame_{av_frame_alloc()};
    uint8_t codec_ = 0;
};

// 8000 Hz mono 16-bit output. The QAudioOutput lives on the application thread and is fed from there;
// without an audio device (or an application) everything written is dropped and nothing fails.
class AudioSink
{
public:
    AudioSink();
    ~AudioSink();
    AudioSink(const AudioSink &) = delete;
    AudioSink &operator=(const AudioSink &) = delete;

    void write(const QByteArray &pcm);

    struct Device;

private:
    std::shared_ptr<Device> device_;
};

} // namespace korvane::media
