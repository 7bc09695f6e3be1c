// What a key frame's parameter sets say about the video: codec and picture size.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace korvane::media {

struct VideoFormat {
    uint32_t encodeType = 0; // 2 H.264, 5 H.265, 0 no parameter set found
    uint32_t width = 0;
    uint32_t height = 0;
};

// H.265 when a VPS or SPS NAL unit is present, H.264 when an SPS is; 0 otherwise.
uint32_t encodeTypeOfParameterSets(const uint8_t *data, size_t size);

// Reads the picture size from the SPS of a key frame (H.264 or H.265), without a decoder:
// the stream parser runs in programs that do not load FFmpeg.
class ParameterSetReader
{
public:
    VideoFormat read(const uint8_t *data, size_t size) const;
};


} // namespace korvane::media
