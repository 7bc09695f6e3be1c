// Writes a clip: the recorder frames from the next key frame on, byte for byte.
#pragma once

#include "media_frame.h"

#include <cstdio>
#include <mutex>
#include <string>

namespace korvane::media {

class ClipWriter
{
public:
    ~ClipWriter() { stop(); }
    bool start(const std::string &path); // a running clip is closed first
    void stop();
    bool active() const;
    // Truncated frames are left out so that the clip stays parseable.
    void write(const MediaFrame &frame);

private:
    mutable std::mutex mutex_;
    FILE *file_ = nullptr;
    bool waitingForKey_ = true;
};

} // namespace korvane::media
