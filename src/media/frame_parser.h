// Finds recorder frames in a byte stream that arrives in arbitrary chunks and describes each one.
#pragma once

#include "parameter_sets.h"
#include "streamreader.h"

#include <cstdint>
#include <vector>

namespace korvane::media {

class FrameParser
{
public:
    static constexpr size_t kMaxPendingBytes = 64u << 20;

    // False when the chunk is refused: null data, or too much input left unfetched.
    bool input(const uint8_t *data, size_t size);
    // The next complete frame, or null until more input arrives. Junk and implausible
    // headers are skipped one byte at a time until a frame start is found again.
    const H264_PARSER_FRAME *next();
    size_t pendingBytes() const { return buffer_.size() - pos_; }

private:
    struct KeyState {
        uint32_t encodeType = 0, frameRate = 0, width = 0, height = 0, stamp = 0;
    };

    bool locateFrame(size_t &size);
    void skipToStartCode();
    void describe(const uint8_t *frame, size_t size);
    void takeKeyFrame(const uint8_t *frame, size_t size);

    std::vector<uint8_t> buffer_;
    size_t pos_ = 0;
    KeyState key_;
    ParameterSetReader parameterSets_;
    H264_PARSER_FRAME frame_{};
};

} // namespace korvane::media
