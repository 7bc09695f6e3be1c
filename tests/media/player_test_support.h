// Streams with pictures a test can recognise on screen, and a message log for the player callbacks.
#pragma once

#include "media_fixture.h"
#include "tnetsdk.h"

#include <QImage>
#include <QWidget>

#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace korvane::media::playertest {

using fixture::EncodedFrame;

constexpr int kWidth = 176, kHeight = 144, kFps = 25;

// Picture i is flat grey, one shade per position in its second (i % 25); with a marker, its top-left
// quadrant is white. Encoded with libx264 (encodeType 2) or libx265 (5), a key frame every 25 pictures.
std::vector<EncodedFrame> encodeShades(uint32_t encodeType, int pictures, bool marker = false,
                                       int width = kWidth, int height = kHeight);
// The grey value swscale gives for picture i, and which picture (i % 25) a grey value came from (-1: none).
int greyOf(int picture);
int pictureOfGrey(int grey);

struct StreamOptions {
    uint32_t encodeType = 2;
    uint8_t fpsByte = kFps;
    uint32_t firstStamp = fixture::packStamp(2024, 3, 5, 10, 15, 0);
    bool sound = false;          // an A-law frame after every picture
    std::string information;     // an information frame after every key frame when not empty
    int width = kWidth, height = kHeight; // for the key frame headers
};

// One recorder frame per element, in stream order.
std::vector<std::vector<uint8_t>> recorderFrames(const std::vector<EncodedFrame> &clip, const StreamOptions &options);
std::vector<uint8_t> joined(const std::vector<std::vector<uint8_t>> &frames);

struct Message {
    int id = 0, param1 = 0, param2 = 0, param3 = 0;
    std::string text, data;
};

// Collects the messages of the players it is given to; waits spin the Qt event loop.
class MessageLog
{
public:
    TSDK_CALLBACK_INFO callback();
    std::vector<Message> all() const;
    std::vector<Message> withId(int id) const;
    // Waits (up to timeoutMs) for a message with this id, and returns it; id 0 when none came.
    Message waitFor(int id, int timeoutMs = 15000, const std::function<bool(const Message &)> &match = {}) const;

private:
    static int receive(int, int, int, int, int, const char *, void *, int64_t, int, void *, void *);
    mutable std::mutex mutex_;
    std::vector<Message> messages_;
};

bool waitUntil(const std::function<bool()> &condition, int timeoutMs = 15000);

// Pushes every frame, retrying while the queue is full (as the application waits on the buffer state).
bool pushAll(int handle, const std::vector<std::vector<uint8_t>> &frames);

// The widget as it is drawn now, and the grey of one of its pixels (-1 when not grey).
QImage drawn(QWidget &widget);
int greyAt(const QImage &image, int x, int y);

// Picture `index` of the clip as the ffmpeg tool shows it: decoded, its part `crop` scaled to `size`
// by FFmpeg's scale filter (fast bilinear), in RGB32. A null image when ffmpeg fails.
QImage ffmpegPicture(const std::vector<EncodedFrame> &clip, uint32_t encodeType, int index, const QRect &crop,
                     const QSize &size);
// The mean absolute difference of the colour channels of two images of one size; 255 for other sizes.
double meanDifference(const QImage &a, const QImage &b);

} // namespace korvane::media::playertest
