// Where a file-mode player gets its frames: raw recorder files through the frame parser, and
// containers such as MP4 through libavformat, whose packets are framed as recorder frames.
#pragma once

#include "media_frame.h"

#include <ctime>
#include <memory>
#include <string>

namespace korvane::media {

class FileSource
{
public:
    enum class Result { Frame, End };

    virtual ~FileSource() = default;
    virtual Result next(MediaFrame &frame) = 0;
    virtual bool seekPercent(int percent) = 0;
    // Seconds since 1970 of the first and last frame; 0 when unknown.
    virtual time_t beginTime() const = 0;
    virtual time_t endTime() const = 0;
};

// Null when the file cannot be read or holds neither recorder frames nor H.264/H.265 video.
std::unique_ptr<FileSource> openFileSource(const std::string &path);

} // namespace korvane::media
