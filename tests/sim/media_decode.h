#pragma once

// Decodes simulated media with libavcodec, apart from the simulator's encoders.

#include <cstdint>
#include <string>
#include <vector>

namespace simtest {

struct DecodedVideo {
    bool ok = false;
    std::string error;
    int width = 0;
    int height = 0;
    std::vector<std::vector<uint8_t>> luma; // one plane per decoded picture, width × height
};

enum class VideoKind { H264, H265, Jpeg };

// Each packet is one access unit (one recorder frame's payload).
DecodedVideo decodeVideo(VideoKind kind, const std::vector<std::vector<uint8_t>> &packets);

std::vector<int16_t> decodeAlaw(const std::vector<uint8_t> &bytes);

// NAL unit types of an Annex-B access unit, in order.
std::vector<int> nalTypes(const std::vector<uint8_t> &accessUnit, bool hevc);

} // namespace simtest
