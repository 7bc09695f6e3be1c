#pragma once

// Recorder frames of a recording's bytes, found by jumping from header to
// header by each frame's length, as a player's index does.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace simtest {

struct RecorderFrame {
    uint8_t type = 0; // 0xFC key, 0xFD video, 0xFA audio, 0xF9 information
    size_t offset = 0;
    std::vector<uint8_t> header;
    std::vector<uint8_t> payload;
    std::string text() const { return std::string(payload.begin(), payload.end()); }
};

struct FrameWalk {
    std::vector<RecorderFrame> frames;
    size_t end = 0;     // offset after the last whole frame
    bool clean = true;  // nothing but zeros after the last frame
};

FrameWalk walkFrames(const std::vector<uint8_t> &bytes, size_t from = 0);

std::vector<const RecorderFrame *> framesOfType(const FrameWalk &walk, uint8_t type);

} // namespace simtest
