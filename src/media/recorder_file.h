// Recorder frames of a file, read in large chunks through the frame parser.
#pragma once

#include "frame_parser.h"

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace korvane::media {

class RecorderFileReader
{
public:
    static constexpr size_t kChunkBytes = 1u << 20;

    bool open(const std::string &path); // false unless a readable regular file
    // The next frame, or null at the end of the file or after a read error.
    const H264_PARSER_FRAME *next();

    bool readFailed() const { return readFailed_; }
    uint64_t size() const { return size_; }
    uint64_t consumed() const { return consumed_ - parser_.pendingBytes(); } // bytes the parser is done with
    uint64_t framedBytes() const { return framed_; }

private:
    bool readChunk();

    struct FileCloser {
        void operator()(FILE *f) const { fclose(f); }
    };
    std::unique_ptr<FILE, FileCloser> file_;
    FrameParser parser_;
    std::vector<uint8_t> chunk_;
    uint64_t size_ = 0, consumed_ = 0, framed_ = 0;
    bool atEnd_ = false, readFailed_ = false;
};

} // namespace korvane::media
