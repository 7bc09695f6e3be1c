// Media time of each decoded video frame, in seconds since 1970: the key frames' stamps, and in
// between one frame interval per frame. Stamps only count whole seconds, so a prediction that stays
// within the stamped second is kept; anything else (a gap, a jump, the first key frame) follows the stamp.
#pragma once

#include "media_frame.h"

namespace korvane::media {

class FrameTimeline
{
public:
    static constexpr int kDefaultFps = 25;

    double next(const MediaFrame &video);
    int fps() const { return fps_; }
    double current() const { return last_; }
    void reset();

private:
    bool started_ = false;
    double last_ = 0;
    int fps_ = kDefaultFps;
};

} // namespace korvane::media
