// The video frames of the last few key-frame groups as decoded, so a step back can decode
// again from the key frame before the wanted picture.
#pragma once

#include "media_frame.h"

#include <deque>
#include <mutex>
#include <vector>

namespace korvane::media {

struct HistoryEntry {
    int64_t seq = 0;
    uint32_t encodeType = 0;
    double mediaTime = 0;
    MediaFrame frame;
};

class FrameHistory
{
public:
    static constexpr int kGroups = 3;
    static constexpr size_t kMaxBytes = 48u << 20;

    void add(HistoryEntry entry);
    // The frames from the last key frame at or before seq up to seq; empty when seq is not kept.
    std::vector<HistoryEntry> chainTo(int64_t seq) const;
    bool holds(int64_t seq) const;
    void clear();

private:
    void dropOldestGroup();

    mutable std::mutex mutex_;
    std::deque<HistoryEntry> entries_;
    int groups_ = 0;
    size_t bytes_ = 0;
};

} // namespace korvane::media
