// What the decode thread hands to the present thread, in stream order: pictures, sound, information
// texts and the end mark. Holds few pictures, so decoding runs only a little ahead of presentation.
#pragma once

#include "picture_scaler.h"

#include <QByteArray>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <string>

namespace korvane::media {

struct PresentItem {
    enum class Kind { Picture, Sound, Information, End };
    Kind kind = Kind::Picture;
    double mediaTime = 0;
    int64_t seq = 0; // pictures: the number the frame was decoded under
    bool key = false;
    int fps = 0;
    size_t streamBytes = 0; // recorder bytes this item stands for, for the bit rate
    DecodedPicture picture;
    QByteArray pcm;
    std::string text;
};

class PresentQueue
{
public:
    static constexpr size_t kMaxPictures = 3;
    static constexpr size_t kMaxItems = 256;
    using Clock = std::chrono::steady_clock;

    // Waits for room; false when stop was raised meanwhile.
    bool put(PresentItem item, const std::atomic<bool> &stop);
    // A copy of the first item and the generation it belongs to; popIf removes it unless cleared since.
    std::optional<PresentItem> peek(uint64_t &generation) const;
    std::optional<PresentItem> popIf(uint64_t generation);
    // The first picture's seq, or -1.
    int64_t firstPictureSeq() const;
    void clear();

    // Frame steps asked for while paused: +1 forward, -1 back.
    void requestStep(int direction);
    int takeStep();

    // Waits until something changes (an item, a step, wake()) or the deadline passes.
    void waitUntil(Clock::time_point deadline);
    void wake();

private:
    void signal();

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<PresentItem> items_;
    std::deque<int> steps_;
    size_t pictures_ = 0;
    uint64_t generation_ = 0;
    bool signalled_ = false;
};

} // namespace korvane::media
