#include "frame_parser.h"

#include "recorder_frame.h"

#include <cstring>

namespace korvane::media {

bool FrameParser::input(const uint8_t *data, size_t size)
{
    if (!data && size > 0) return false;
    if (buffer_.size() - pos_ + size > kMaxPendingBytes) return false;
    buffer_.erase(buffer_.begin(), buffer_.begin() + ptrdiff_t(pos_));
    pos_ = 0;
    buffer_.insert(buffer_.end(), data, data + size);
    return true;
}

const H264_PARSER_FRAME *FrameParser::next()
{
    size_t size = 0;
    if (!locateFrame(size)) return nullptr;
    describe(buffer_.data() + pos_, size);
    pos_ += size;
    return &frame_;
}

// Drops bytes up to the next 00 00 01 followed by a frame type; keeps a possible partial start code.
void FrameParser::skipToStartCode()
{
    const uint8_t *data = buffer_.data();
    const size_t end = buffer_.size();
    size_t i = pos_ + 2;
    while (i + 1 < end) {
        const void *one = memchr(data + i, 1, end - 1 - i);
        if (!one) break;
        i = size_t(static_cast<const uint8_t *>(one) - data);
        if (data[i - 1] == 0 && data[i - 2] == 0 && isFrameType(data[i + 1])) {
            pos_ = i - 2;
            return;
        }
        ++i;
    }
    if (end - pos_ > 3) pos_ = end - 3;
}

bool FrameParser::locateFrame(size_t &size)
{
    for (;;) {
        skipToStartCode();
        const size_t available = buffer_.size() - pos_;
        const uint8_t *frame = buffer_.data() + pos_;
        if (available < 4 || !isFrameType(frame[3]) || memcmp(frame, "\0\0\1", 3) != 0) return false;
        if (available < headerBytes(frame[3])) return false;
        const int64_t bytes = frameBytes(frame);
        if (!isPlausibleSize(bytes, headerBytes(frame[3]))) {
            ++pos_;
            continue;
        }
        if (available < size_t(bytes)) return false;
        size = size_t(bytes);
        return true;
    }
}

void FrameParser::takeKeyFrame(const uint8_t *frame, size_t size)
{
    const uint8_t *payload = frame + kKeyHeaderBytes;
    VideoFormat format = parameterSets_.read(payload, size - kKeyHeaderBytes);
    key_.encodeType = format.encodeType ? format.encodeType : frame[4] == kCodecH265 ? 5u : 2u;
    key_.width = format.width ? format.width : frame[6] * 8u;
    key_.height = format.height ? format.height : frame[7] * 8u;
    key_.frameRate = frame[5];
    key_.stamp = readU32(frame + 8);
}

void FrameParser::describe(const uint8_t *frame, size_t size)
{
    const uint8_t type = frame[3];
    if (type == kTypeKey) takeKeyFrame(frame, size);
    const uint32_t header = headerBytes(type);
    frame_ = {};
    frame_.pData = frame;
    frame_.pPayload = frame + header;
    frame_.nLength = uint32_t(size);
    frame_.nPayloadLength = uint32_t(size - header);
    frame_.nFrameType = type == kTypeAudio ? H264_FRAME_AUDIO : type == kTypeInfo ? H264_FRAME_INFO : H264_FRAME_VIDEO;
    frame_.nSubType = type == kTypeKey ? 0u : type == kTypeVideo ? 1u : frame[4];
    frame_.nEncodeType = key_.encodeType;
    const DateTime time = unpackStamp(key_.stamp);
    frame_.nYear = time.year;
    frame_.nMonth = time.month;
    frame_.nDay = time.day;
    frame_.nHour = time.hour;
    frame_.nMinute = time.minute;
    frame_.nSecond = time.second;
    frame_.nStamp = key_.stamp;
    frame_.nFrameRate = key_.frameRate;
    frame_.nWidth = key_.width;
    frame_.nHeight = key_.height;
}

} // namespace korvane::media
