#include "frame_history.h"

namespace korvane::media {

void FrameHistory::add(HistoryEntry entry)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (entry.frame.isKey()) {
        if (groups_ >= kGroups) dropOldestGroup();
        ++groups_;
    } else if (groups_ == 0) {
        return; // nothing to decode it from
    }
    bytes_ += entry.frame.size();
    entries_.push_back(std::move(entry));
    while (bytes_ > kMaxBytes && groups_ > 1) dropOldestGroup();
}

void FrameHistory::dropOldestGroup()
{
    do {
        bytes_ -= entries_.front().frame.size();
        entries_.pop_front();
    } while (!entries_.empty() && !entries_.front().frame.isKey());
    --groups_;
}

std::vector<HistoryEntry> FrameHistory::chainTo(int64_t seq) const
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (entries_.empty() || seq < entries_.front().seq || seq > entries_.back().seq) return {};
    size_t end = 0;
    while (end < entries_.size() && entries_[end].seq <= seq) ++end;
    size_t begin = end;
    while (begin > 0 && !entries_[begin - 1].frame.isKey()) --begin;
    if (begin == 0) return {};
    return std::vector<HistoryEntry>(entries_.begin() + ptrdiff_t(begin - 1), entries_.begin() + ptrdiff_t(end));
}

bool FrameHistory::holds(int64_t seq) const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return !entries_.empty() && seq >= entries_.front().seq && seq <= entries_.back().seq;
}

void FrameHistory::clear()
{
    std::lock_guard<std::mutex> lock(mutex_);
    entries_.clear();
    groups_ = 0;
    bytes_ = 0;
}

} // namespace korvane::media
