#pragma once

#include "bytes.h"
#include "scenario.h"

#include <functional>
#include <string>

namespace korvane::sim {

enum class FrameKind : uint8_t { Key, Video, Audio, Picture };

struct FrameSlot {
    FrameKind kind;
    uint32_t payload;
};

// What the recorder writes in one second of a recording: the same frame sizes
// every second, so a byte offset maps straight to a second.
struct SecondLayout {
    std::vector<FrameSlot> frames;
    uint32_t bytes = 0;
};

constexpr uint32_t kKeyHeader = 16;
constexpr uint32_t kShortHeader = 8;
constexpr uint32_t kMaxFrameBytes = 512000;
constexpr uint32_t kAudioFramesPerSecond = 25;
constexpr uint32_t kAudioPayload = 320; // 40 ms of 8 kHz G.711
constexpr uint8_t kAudioCodecAlaw = 14;

bool planSecond(const RecordingSpec &spec, SecondLayout &out, std::string &error);

// Placeholder picture content: deterministic bytes that never contain 00 00 01.
void fillPayload(uint64_t seed, uint64_t stream, uint64_t frame, uint8_t *out, size_t n);

// The bytes of one recording on disk: an optional "DHII" header, then whole
// seconds of recorder frames. Random access, cached one second at a time.
class FrameStream
{
public:
    using Clock = std::function<uint32_t(Seconds trueSecond)>; // packed recorder time

    FrameStream(const RecordingSpec &spec, const SecondLayout &layout, uint64_t seed, uint64_t streamId,
                Seconds firstSecond, uint64_t headBytes, Clock clock);

    void read(uint64_t offset, uint8_t *out, size_t n);

private:
    void buildSecond(uint64_t index);
    void buildHeader(uint8_t *out, size_t from, size_t n) const;

    const RecordingSpec &spec_;
    const SecondLayout &layout_;
    uint64_t seed_;
    uint64_t streamId_;
    Seconds firstSecond_;
    uint64_t headBytes_;
    Clock clock_;
    uint64_t cachedIndex_ = UINT64_MAX;
    Bytes chunk_;
};

} // namespace korvane::sim
