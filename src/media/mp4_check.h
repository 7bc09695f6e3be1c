// Whether a written MP4 can be read again: a conversion is complete only when it can.
#pragma once

#include <string>

namespace korvane::media
{

// True when the file opens as a container, has a video stream whose decoder opens, and its
// first video frame decodes to a picture.
bool firstVideoFrameDecodes(const std::string &path);

} // namespace korvane::media
