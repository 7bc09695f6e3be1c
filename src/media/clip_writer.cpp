#include "clip_writer.h"

namespace korvane::media {

bool ClipWriter::start(const std::string &path)
{
    FILE *file = fopen(path.c_str(), "wb");
    if (!file) return false;
    std::lock_guard<std::mutex> lock(mutex_);
    if (file_) fclose(file_);
    file_ = file;
    waitingForKey_ = true;
    return true;
}

void ClipWriter::stop()
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (file_) fclose(file_);
    file_ = nullptr;
}

bool ClipWriter::active() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return file_ != nullptr;
}

void ClipWriter::write(const MediaFrame &frame)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (!file_ || !frame.complete) return;
    if (waitingForKey_ && !frame.isKey()) return;
    waitingForKey_ = false;
    fwrite(frame.data(), 1, frame.size(), file_);
}

} // namespace korvane::media
