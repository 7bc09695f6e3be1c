// File mode over a raw recorder file.
#include "file_source.h"
#include "file_source_detail.h"

#include "frame_parser.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace korvane::media {

namespace {

constexpr size_t kChunkBytes = 256u << 10;
constexpr size_t kProbeBytes = 1u << 20;

struct FileCloser {
    void operator()(FILE *f) const { fclose(f); }
};
using File = std::unique_ptr<FILE, FileCloser>;

std::vector<uint8_t> readAt(FILE *file, int64_t offset, size_t bytes)
{
    std::vector<uint8_t> out(bytes);
    if (fseeko(file, offset, SEEK_SET) != 0) return {};
    out.resize(fread(out.data(), 1, bytes, file));
    return out;
}

// The stamps of the key frames found in a stretch of the file, first and last.
void keyStamps(const std::vector<uint8_t> &bytes, time_t &first, time_t &last)
{
    splitFrames(bytes.data(), bytes.size(), [&](MediaFrame &&frame) {
        const time_t when = frame.isKey() ? stampToEpoch(frame.stamp) : 0;
        if (when <= 0) return;
        if (!first) first = when;
        last = when;
    });
}

class RecorderFileSource : public FileSource
{
public:
    bool open(const std::string &path)
    {
        file_.reset(fopen(path.c_str(), "rb"));
        if (!file_ || fseeko(file_.get(), 0, SEEK_END) != 0) return false;
        size_ = ftello(file_.get());
        time_t unused = 0;
        keyStamps(readAt(file_.get(), 0, kProbeBytes), begin_, unused);
        keyStamps(readAt(file_.get(), std::max<int64_t>(0, size_ - int64_t(kProbeBytes)), kProbeBytes), unused, end_);
        if (end_) end_ += 1;
        return seekTo(0);
    }

    Result next(MediaFrame &frame) override
    {
        for (;;) {
            if (const H264_PARSER_FRAME *parsed = parser_->next()) {
                auto bytes = std::make_shared<const std::vector<uint8_t>>(parsed->pData, parsed->pData + parsed->nLength);
                size_t consumed = 0;
                if (describeFrame(bytes, 0, bytes->size(), frame, consumed)) return Result::Frame;
                continue;
            }
            if (!readChunk()) return Result::End;
        }
    }

    bool seekPercent(int percent) override { return seekTo(size_ * percent / 100); }
    time_t beginTime() const override { return begin_; }
    time_t endTime() const override { return end_; }

private:
    bool seekTo(int64_t offset)
    {
        if (fseeko(file_.get(), offset, SEEK_SET) != 0) return false;
        parser_ = std::make_unique<FrameParser>();
        return true;
    }

    bool readChunk()
    {
        chunk_.resize(kChunkBytes);
        const size_t got = fread(chunk_.data(), 1, chunk_.size(), file_.get());
        return got > 0 && parser_->input(chunk_.data(), got);
    }

    File file_;
    int64_t size_ = 0;
    time_t begin_ = 0, end_ = 0;
    std::unique_ptr<FrameParser> parser_;
    std::vector<uint8_t> chunk_;
};

} // namespace

bool looksLikeRecorderFile(const std::string &path)
{
    File file(fopen(path.c_str(), "rb"));
    if (!file) return false;
    const std::vector<uint8_t> head = readAt(file.get(), 0, kProbeBytes);
    int frames = 0;
    splitFrames(head.data(), head.size(), [&](MediaFrame &&frame) { frames += frame.complete ? 1 : 0; });
    return frames >= 3;
}

std::unique_ptr<FileSource> openRecorderFile(const std::string &path)
{
    auto source = std::make_unique<RecorderFileSource>();
    if (!source->open(path)) return nullptr;
    return source;
}

} // namespace korvane::media
