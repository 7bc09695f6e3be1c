#include "present_queue.h"

namespace korvane::media {

bool PresentQueue::put(PresentItem item, const std::atomic<bool> &stop)
{
    std::unique_lock<std::mutex> lock(mutex_);
    while (!stop && (pictures_ >= kMaxPictures || items_.size() >= kMaxItems))
        changed_.wait_for(lock, std::chrono::milliseconds(50));
    if (stop) return false;
    if (item.kind == PresentItem::Kind::Picture) ++pictures_;
    items_.push_back(std::move(item));
    signal();
    return true;
}

std::optional<PresentItem> PresentQueue::peek(uint64_t &generation) const
{
    std::lock_guard<std::mutex> lock(mutex_);
    generation = generation_;
    if (items_.empty()) return std::nullopt;
    return items_.front();
}

std::optional<PresentItem> PresentQueue::popIf(uint64_t generation)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (generation != generation_ || items_.empty()) return std::nullopt;
    PresentItem item = std::move(items_.front());
    items_.pop_front();
    if (item.kind == PresentItem::Kind::Picture) --pictures_;
    signal();
    return item;
}

int64_t PresentQueue::firstPictureSeq() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    for (const PresentItem &item : items_)
        if (item.kind == PresentItem::Kind::Picture) return item.seq;
    return -1;
}

void PresentQueue::clear()
{
    std::lock_guard<std::mutex> lock(mutex_);
    items_.clear();
    pictures_ = 0;
    ++generation_;
    signal();
}

void PresentQueue::requestStep(int direction)
{
    std::lock_guard<std::mutex> lock(mutex_);
    steps_.push_back(direction);
    signal();
}

int PresentQueue::takeStep()
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (steps_.empty()) return 0;
    const int direction = steps_.front();
    steps_.pop_front();
    return direction;
}

void PresentQueue::waitUntil(Clock::time_point deadline)
{
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait_until(lock, deadline, [this] { return signalled_; });
    signalled_ = false;
}

void PresentQueue::wake()
{
    std::lock_guard<std::mutex> lock(mutex_);
    signal();
}

void PresentQueue::signal()
{
    signalled_ = true;
    changed_.notify_all();
}

} // namespace korvane::media
