// What a key frame's parameter sets say about the video: codec and picture size.
#pragma once

#include "ffmpeg_ptr.h"

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

// Reads the SPS of key frames with FFmpeg's H.264/H.265 parsers; keeps one parser per codec.
class ParameterSetReader
{
public:
    VideoFormat read(const uint8_t *data, size_t size);

private:
    struct Parser {
        AvPtr<AVCodecParserContext> parser;
        AvPtr<AVCodecContext> context;
    };
    Parser *parserFor(uint32_t encodeType);

    Parser h264_;
    Parser h265_;
};

// The parameter-set NAL units of a key frame (Annex B), as MP4 muxing wants them for extradata.
std::vector<uint8_t> extractParameterSets(uint32_t encodeType, const uint8_t *data, size_t size);

} // namespace korvane::media
