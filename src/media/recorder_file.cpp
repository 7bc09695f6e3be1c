#include "recorder_file.h"

#include <sys/stat.h>

namespace korvane::media {

bool RecorderFileReader::open(const std::string &path)
{
    file_.reset(fopen(path.c_str(), "rb"));
    struct stat info;
    if (!file_ || fstat(fileno(file_.get()), &info) != 0 || !S_ISREG(info.st_mode)) return false;
    size_ = uint64_t(info.st_size);
    chunk_.resize(kChunkBytes);
    return true;
}

bool RecorderFileReader::readChunk()
{
    const size_t n = fread(chunk_.data(), 1, chunk_.size(), file_.get());
    if (n == 0) {
        readFailed_ = ferror(file_.get()) != 0;
        atEnd_ = true;
        return false;
    }
    consumed_ += n;
    return parser_.input(chunk_.data(), n);
}

const H264_PARSER_FRAME *RecorderFileReader::next()
{
    for (;;) {
        if (const H264_PARSER_FRAME *frame = parser_.next()) {
            framed_ += frame->nLength;
            return frame;
        }
        if (atEnd_ || !file_ || !readChunk()) return nullptr;
    }
}

} // namespace korvane::media
