#include "push_queue.h"

namespace korvane::media {

PushQueue::PushQueue(size_t capacity, std::function<void(bool)> onBufferState)
    : capacity_(capacity), onBufferState_(std::move(onBufferState))
{
}

PushQueue::PushResult PushQueue::push(std::vector<MediaFrame> frames, std::chrono::milliseconds blockFor)
{
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait_for(lock, blockFor, [this] { return closed_ || finished_ || frames_.size() < capacity_; });
    if (closed_ || finished_) return PushResult::Closed;
    if (frames_.size() >= capacity_) return PushResult::Full;
    for (MediaFrame &frame : frames) frames_.push_back(std::move(frame));
    if (frames_.size() >= capacity_ && !reportedFull_) {
        reportedFull_ = true;
        onBufferState_(true);
    }
    changed_.notify_all();
    return PushResult::Queued;
}

PushQueue::PopResult PushQueue::pop(MediaFrame &frame, std::chrono::milliseconds waitFor)
{
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait_for(lock, waitFor, [this] { return closed_ || finished_ || !frames_.empty(); });
    if (closed_) return PopResult::Closed;
    if (frames_.empty()) return finished_ ? PopResult::End : PopResult::Empty;
    frame = std::move(frames_.front());
    frames_.pop_front();
    if (reportedFull_ && frames_.size() * 2 < capacity_) {
        reportedFull_ = false;
        onBufferState_(false);
    }
    changed_.notify_all();
    return PopResult::Frame;
}

void PushQueue::finish()
{
    std::lock_guard<std::mutex> lock(mutex_);
    finished_ = true;
    changed_.notify_all();
}

void PushQueue::close()
{
    std::lock_guard<std::mutex> lock(mutex_);
    closed_ = true;
    frames_.clear();
    changed_.notify_all();
}

bool PushQueue::finished() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return finished_;
}

void PushQueue::clear()
{
    std::lock_guard<std::mutex> lock(mutex_);
    frames_.clear();
    changed_.notify_all();
}

} // namespace korvane::media
