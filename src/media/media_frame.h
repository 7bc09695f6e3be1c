// One recorder frame as the players see it: its bytes, kind and what its header says.
#pragma once

#include "recorder_frame.h"

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <functional>
#include <memory>
#include <vector>

namespace korvane::media {

using FrameBytes = std::shared_ptr<const std::vector<uint8_t>>;

struct MediaFrame {
    uint8_t type = 0;      // kTypeKey, kTypeVideo, kTypeAudio or kTypeInfo
    uint8_t subType = 0;   // key: video codec byte; audio: audio codec; information: kind
    uint8_t frameRate = 0; // key frames only
    uint32_t stamp = 0;    // key frames only: packed local date-time
    int headerWidth = 0;   // key frames only: header bytes 6-7 times 8
    int headerHeight = 0;
    FrameBytes bytes;        // holds the frame, header included, from frameOffset on
    size_t frameOffset = 0;
    size_t payloadOffset = 0;
    size_t payloadSize = 0;
    bool complete = true;    // false when the payload is shorter than the header says

    bool isVideo() const { return type == kTypeKey || type == kTypeVideo; }
    bool isKey() const { return type == kTypeKey; }
    const uint8_t *payload() const { return bytes->data() + payloadOffset; }
    const uint8_t *data() const { return bytes->data() + frameOffset; }
    size_t size() const { return payloadOffset + payloadSize - frameOffset; }
};

// Describes the frame that starts at data[0]; a payload shorter than its header says is cut to what is there.
bool describeFrame(FrameBytes bytes, size_t offset, size_t available, MediaFrame &frame, size_t &consumed);

// Splits one pushed buffer into frames: junk before a start code is skipped, a truncated last frame is kept.
void splitFrames(const uint8_t *data, size_t size, const std::function<void(MediaFrame &&)> &take);

// Builds the recorder framing around an elementary-stream payload.
std::vector<uint8_t> frameKey(const uint8_t *payload, size_t size, uint8_t codec, uint8_t fps, int width, int height,
                              uint32_t stamp);
std::vector<uint8_t> frameVideo(const uint8_t *payload, size_t size);

// 2 H.264 or 5 H.265, from the key frame's parameter sets, else its codec byte.
uint32_t keyFrameEncodeType(const MediaFrame &key);

// A packed local date-time in seconds since 1970 (0 for no or an impossible stamp), and back.
time_t stampToEpoch(uint32_t stamp);
uint32_t epochToStamp(time_t when);

} // namespace korvane::media
