#include "media_frame.h"

#include "parameter_sets.h"

#include <algorithm>
#include <cstring>

namespace korvane::media {

namespace {

bool startsFrame(const uint8_t *p, size_t available)
{
    return available >= 4 && p[0] == 0 && p[1] == 0 && p[2] == 1 && isFrameType(p[3]);
}

size_t nextStartCode(const uint8_t *data, size_t from, size_t size)
{
    for (size_t i = from; i + 4 <= size; ++i)
        if (startsFrame(data + i, size - i)) return i;
    return size;
}

void putU32(std::vector<uint8_t> &out, uint32_t v)
{
    for (int shift = 0; shift < 32; shift += 8) out.push_back(uint8_t(v >> shift));
}

uint8_t sizeByte(int pixels) { return uint8_t(std::min(pixels / 8, 255)); }

} // namespace

bool describeFrame(FrameBytes bytes, size_t offset, size_t available, MediaFrame &frame, size_t &consumed)
{
    const uint8_t *p = bytes->data() + offset;
    if (!startsFrame(p, available) || available < headerBytes(p[3])) return false;
    const int64_t declared = frameBytes(p);
    if (declared < int64_t(headerBytes(p[3])) || declared > kMaxFrameBytes * 2) return false;
    consumed = size_t(std::min<int64_t>(declared, int64_t(available)));
    frame = {};
    frame.type = p[3];
    if (frame.type != kTypeVideo) frame.subType = p[4];
    if (frame.isKey()) {
        frame.frameRate = p[5];
        frame.headerWidth = p[6] * 8;
        frame.headerHeight = p[7] * 8;
        frame.stamp = readU32(p + 8);
    }
    frame.complete = int64_t(consumed) == declared;
    frame.frameOffset = offset;
    frame.payloadOffset = offset + headerBytes(frame.type);
    frame.payloadSize = consumed - headerBytes(frame.type);
    frame.bytes = std::move(bytes);
    return true;
}

void splitFrames(const uint8_t *data, size_t size, const std::function<void(MediaFrame &&)> &take)
{
    auto shared = std::make_shared<const std::vector<uint8_t>>(data, data + size);
    size_t pos = nextStartCode(data, 0, size);
    while (pos < size) {
        MediaFrame frame;
        size_t consumed = 0;
        if (!describeFrame(shared, pos, size - pos, frame, consumed)) {
            pos = nextStartCode(data, pos + 1, size);
            continue;
        }
        take(std::move(frame));
        pos = nextStartCode(data, pos + consumed, size);
    }
}

std::vector<uint8_t> frameKey(const uint8_t *payload, size_t size, uint8_t codec, uint8_t fps, int width, int height,
                              uint32_t stamp)
{
    std::vector<uint8_t> out{0, 0, 1, kTypeKey, codec, fps, sizeByte(width), sizeByte(height)};
    putU32(out, stamp);
    putU32(out, uint32_t(size));
    out.insert(out.end(), payload, payload + size);
    return out;
}

std::vector<uint8_t> frameVideo(const uint8_t *payload, size_t size)
{
    std::vector<uint8_t> out{0, 0, 1, kTypeVideo};
    putU32(out, uint32_t(size));
    out.insert(out.end(), payload, payload + size);
    return out;
}

uint32_t keyFrameEncodeType(const MediaFrame &key)
{
    const uint32_t fromNals = encodeTypeOfParameterSets(key.payload(), key.payloadSize);
    if (fromNals) return fromNals;
    return key.subType == kCodecH265 ? 5u : 2u;
}

time_t stampToEpoch(uint32_t stamp)
{
    const DateTime t = unpackStamp(stamp);
    if (t.month < 1 || t.month > 12 || t.day < 1 || t.hour > 24 || t.minute > 59 || t.second > 59) return 0;
    struct tm local = {};
    local.tm_year = int(t.year) - 1900;
    local.tm_mon = int(t.month) - 1;
    local.tm_mday = int(t.day);
    local.tm_hour = int(t.hour);
    local.tm_min = int(t.minute);
    local.tm_sec = int(t.second);
    local.tm_isdst = -1;
    const time_t when = mktime(&local);
    return when < 0 ? 0 : when;
}

uint32_t epochToStamp(time_t when)
{
    struct tm local = {};
    if (when <= 0 || !localtime_r(&when, &local) || local.tm_year < 100 || local.tm_year > 163) return 0;
    return uint32_t(local.tm_year - 100) << 26 | uint32_t(local.tm_mon + 1) << 22 | uint32_t(local.tm_mday) << 17 |
           uint32_t(local.tm_hour) << 12 | uint32_t(local.tm_min) << 6 | uint32_t(local.tm_sec);
}

} // namespace korvane::media
