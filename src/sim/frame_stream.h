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

// What the recorder writes in one second of a placeholder recording: the same
// frame sizes every second.
struct SecondLayout {
    std::vector<FrameSlot> frames;
    uint32_t bytes = 0;
};

constexpr uint32_t kKeyHeader = 16;
constexpr uint32_t kShortHeader = 8;
constexpr uint32_t kMaxFrameBytes = 512000;
// Real video goes up to 4K UHD. A key frame header holds width / 8 and height / 8 in a byte each, so
// from 2048 pixels on it holds 255 and the picture size is known from the parameter sets alone.
constexpr uint16_t kMaxRealWidth = 3840;
constexpr uint16_t kMaxRealHeight = 2160;
constexpr uint8_t headerSizeByte(uint16_t pixels) { return uint8_t(pixels / 8 > 255 ? 255 : pixels / 8); }
constexpr uint32_t kAudioFramesPerSecond = 25;
constexpr uint32_t kAudioPayload = 320; // 40 ms of 8 kHz G.711
constexpr uint8_t kAudioCodecAlaw = 14;
constexpr uint8_t kInfoKindText = 1; // byte 4 of an information frame: ";"-separated text items

// Packed recorder-clock time of a true second.
using StampClock = std::function<uint32_t(Seconds trueSecond)>;

// Where each second of a scenario recording starts in its frame stream, the
// second's own offset 0 being the recording's first frame (after any header).
class SecondIndex
{
public:
    SecondIndex() = default;
    SecondIndex(uint64_t bytesPerSecond, uint64_t seconds); // every second the same size
    explicit SecondIndex(std::vector<uint64_t> starts);    // seconds + 1 ascending offsets, the first 0

    uint64_t seconds() const { return seconds_; }
    uint64_t start(uint64_t second) const; // second in 0..seconds()
    uint64_t bytes(uint64_t first, uint64_t end) const { return start(end) - start(first); }
    uint64_t secondAt(uint64_t offset) const; // the second holding the byte; the last one past the end
    // Seconds from the start of `first` to byte `offset` counted from there, fractions included.
    double timeAfter(uint64_t first, uint64_t offset) const;

private:
    uint64_t uniform_ = 0;
    uint64_t seconds_ = 0;
    std::vector<uint64_t> starts_;
};

// The frames of one scenario recording, planned before any cluster is taken.
struct RecordingFrames {
    SecondLayout layout; // placeholder payloads
    SecondIndex index;
    Bytes media; // real payloads: every second's frames back to back
    bool real() const { return !media.empty(); }
};

// Audio frames the recorder writes after video frame `videoFrame` of a second.
uint32_t audioFramesAfter(uint32_t videoFrame, uint32_t fps);

bool planSecond(const RecordingSpec &plan, SecondLayout &out, std::string &error);

// Plans the recording's frames; with real payloads this encodes all of it.
bool planFrames(const RecordingSpec &plan, PayloadKind payloads, uint64_t seed, const StampClock &clock,
                RecordingFrames &out, std::string &error);

// Plans the frames of every recording of the scenario, encoding real payloads
// on a few threads; on failure names the first recording that failed.
bool planAllFrames(const Scenario &scenario, const StampClock &clock, std::vector<RecordingFrames> &out,
                   std::string &error);

// Placeholder picture content: deterministic bytes that never contain 00 00 01.
void fillPayload(uint64_t seed, uint64_t stream, uint64_t frame, uint8_t *out, size_t n);

// The bytes of one recording file on disk: an optional "DHII" header, then
// whole seconds of recorder frames from `firstSecond` of the scenario recording
// on. Random access; placeholder seconds are built and cached one at a time.
class FrameStream
{
public:
    using Clock = StampClock;

    FrameStream(const RecordingSpec &plan, const RecordingFrames &frames, uint64_t seed, uint64_t streamId,
                Seconds firstSecond, uint64_t headBytes, Clock clock);
    // Placeholder payloads of the given layout.
    FrameStream(const RecordingSpec &plan, const SecondLayout &layout, uint64_t seed, uint64_t streamId,
                Seconds firstSecond, uint64_t headBytes, Clock clock);
    FrameStream(const FrameStream &) = delete;
    FrameStream &operator=(const FrameStream &) = delete;

    void read(uint64_t offset, uint8_t *out, size_t n);

private:
    FrameStream(const RecordingSpec &plan, const RecordingFrames *shared, RecordingFrames own, uint64_t seed,
                uint64_t streamId, Seconds firstSecond, uint64_t headBytes, Clock clock);
    size_t readFrames(uint64_t offset, uint8_t *out, size_t n);
    void buildSecond(uint64_t index);
    void buildHeader(uint8_t *out, size_t from, size_t n) const;

    const RecordingSpec &plan_;
    RecordingFrames ownFrames_; // for a stream made from a placeholder layout
    const RecordingFrames &frames_;
    uint64_t seed_;
    uint64_t streamId_;
    Seconds firstSecond_;
    uint64_t firstOffset_; // where the file's first second starts in the recording's frames
    uint64_t headBytes_;
    StampClock clock_;
    uint64_t cachedIndex_ = UINT64_MAX;
    Bytes chunk_;
};

} // namespace korvane::sim
