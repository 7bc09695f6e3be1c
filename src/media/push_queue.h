// The bounded queue between TPLAY_PushMediaData and a player's decode thread.
// Reaching the capacity reports "full" once; draining below half reports "not full" once.
#pragma once

#include "media_frame.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>

namespace korvane::media {

class PushQueue
{
public:
    enum class PushResult { Queued, Full, Closed };
    enum class PopResult { Frame, Empty, End, Closed };

    PushQueue(size_t capacity, std::function<void(bool full)> onBufferState);

    // Waits up to blockFor for room when the queue is full.
    PushResult push(std::vector<MediaFrame> frames, std::chrono::milliseconds blockFor);
    PopResult pop(MediaFrame &frame, std::chrono::milliseconds waitFor);
    // No more frames will come: pop reports End once the queue is empty.
    void finish();
    void close();
    bool finished() const;
    void clear();

private:
    size_t capacity_;
    std::function<void(bool)> onBufferState_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<MediaFrame> frames_;
    bool reportedFull_ = false;
    bool finished_ = false;
    bool closed_ = false;
};

} // namespace korvane::media
