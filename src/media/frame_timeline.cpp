#include "frame_timeline.h"

namespace korvane::media {

double FrameTimeline::next(const MediaFrame &video)
{
    if (video.isKey() && video.frameRate > 0) fps_ = video.frameRate;
    const double predicted = started_ ? last_ + 1.0 / fps_ : 0;
    const time_t stamped = video.isKey() ? stampToEpoch(video.stamp) : 0;
    const bool followStamp = stamped > 0 && (!started_ || predicted < double(stamped) - 0.5 ||
                                             predicted > double(stamped) + 1.5);
    last_ = followStamp ? double(stamped) : predicted;
    started_ = true;
    return last_;
}

void FrameTimeline::reset()
{
    started_ = false;
    last_ = 0;
}

} // namespace korvane::media
