#pragma once

#include "bytes.h"

#include <QImage>

#include <memory>
#include <string>
#include <vector>

namespace korvane::sim {

enum class PictureCodec { H264, H265, Jpeg };

struct EncodedFrame {
    Bytes data; // Annex-B access unit, or a whole JPEG file
    bool key = false;
};

// Encodes pictures through libavcodec (libx264, libx265, mjpeg) with fixed,
// single-threaded settings, so the same pictures always give the same bytes.
// Video has no B-frames and repeats its parameter sets in every key frame.
class VideoEncoder
{
public:
    VideoEncoder();
    ~VideoEncoder();
    VideoEncoder(const VideoEncoder &) = delete;
    VideoEncoder &operator=(const VideoEncoder &) = delete;

    bool open(PictureCodec codec, int width, int height, int fps, std::string &error);
    // Sends the picture `count` times, the first time as a key frame.
    bool encode(const QImage &picture, int count, std::string &error);
    bool finish(std::string &error); // drains the encoder
    // Finished frames in presentation order; the caller may take them.
    std::vector<EncodedFrame> &frames() { return frames_; }

private:
    struct Codec;
    bool openCodec(PictureCodec codec, int width, int height, int fps, std::string &error);
    bool preparePicture(PictureCodec codec, std::string &error);
    bool convert(const QImage &picture, std::string &error);
    bool send(bool key, std::string &error);
    bool receive(std::string &error);

    std::unique_ptr<Codec> codec_;
    std::vector<EncodedFrame> frames_;
    int64_t pts_ = 0;
};

} // namespace korvane::sim
