// Real H.264/H.265 clips wrapped in recorder framing, for the media tests and benchmarks.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

struct AVFrame;

namespace korvane::media::fixture {

struct EncodedFrame {
    std::vector<uint8_t> bytes; // Annex B access unit; key frames carry their parameter sets
    bool key = false;
};

// Paints picture i into a writable YUV 4:2:0 frame of the clip's size.
using PicturePainter = std::function<void(AVFrame *frame, int index)>;
// Pictures from the painter encoded with libx264 (encodeType 2) or libx265 (5): no B-frames, a key
// frame every gop pictures, and a constant rate factor when crf is given.
std::vector<EncodedFrame> encodeFrames(uint32_t encodeType, int width, int height, int frames, int gop,
                                       const PicturePainter &paint, const char *crf = nullptr);
// A moving test picture encoded with libx264 (encodeType 2) or libx265 (5), no B-frames.
std::vector<EncodedFrame> encodeClip(uint32_t encodeType, int width, int height, int frames, int gop);
// 3 s at 25 fps, 176x144, a key frame every 25 frames; encoded once per process.
const std::vector<EncodedFrame> &smallClip(uint32_t encodeType);

uint32_t packStamp(int year, int month, int day, int hour, int minute, int second);
uint32_t advanceStamp(uint32_t stamp, int seconds);

// Appends recorder frames to a byte string.
class RecorderWriter
{
public:
    void key(const std::vector<uint8_t> &payload, uint32_t stamp, uint8_t fps, uint8_t codec, int width, int height);
    void video(const std::vector<uint8_t> &payload);
    void audio(uint8_t codec, const std::vector<uint8_t> &payload);
    void info(uint8_t kind, const std::string &text);
    void raw(const std::vector<uint8_t> &bytes);
    const std::vector<uint8_t> &bytes() const { return bytes_; }

private:
    std::vector<uint8_t> bytes_;
};

struct RecordingOptions {
    uint32_t encodeType = 2;
    int fps = 25;
    uint32_t firstStamp = packStamp(2024, 3, 5, 10, 15, 0);
    bool audio = true; // 25 A-law frames of 320 bytes per second
    bool info = true;  // one information frame per second, after the key frame
    int leadingVideoFrames = 0; // predicted frames (and one audio frame) before the first key frame
    int repeats = 1;            // the clip played this many times in a row, stamps running on
    bool misleadingHeader = false; // key frame headers name the other codec and an 8x8 picture
};

// The clip framed as a recorder writes it: one key frame per second, stamped.
std::vector<uint8_t> makeRecording(const std::vector<EncodedFrame> &clip, const RecordingOptions &options);
std::vector<uint8_t> alawPayload(size_t samples, uint32_t seed);

void writeFile(const std::string &path, const std::vector<uint8_t> &bytes);
std::string tempPath(const std::string &name);
// Runs ffprobe with the given arguments and returns its "key=value" lines.
std::map<std::string, std::string> ffprobe(const std::string &arguments);
// Standard output of a shell command, and its exit status.
std::string runCommand(const std::string &command, int *status = nullptr);

} // namespace korvane::media::fixture
