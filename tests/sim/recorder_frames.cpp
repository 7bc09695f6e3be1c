#include "recorder_frames.h"

#include "image_reader.h"

#include <algorithm>

namespace simtest {

namespace {

bool frameBounds(const std::vector<uint8_t> &b, size_t pos, size_t &header, size_t &payload)
{
    switch (b[pos + 3]) {
    case 0xFC:
        header = 16;
        payload = le32(&b[pos + 12]);
        return true;
    case 0xFD:
        header = 8;
        payload = le32(&b[pos + 4]);
        return true;
    case 0xFA:
    case 0xF9:
        header = 8;
        payload = le16(&b[pos + 6]);
        return true;
    default:
        return false;
    }
}

} // namespace

FrameWalk walkFrames(const std::vector<uint8_t> &b, size_t pos)
{
    FrameWalk walk;
    walk.end = pos;
    while (pos + 16 <= b.size()) {
        size_t header = 0, payload = 0;
        if (b[pos] != 0 || b[pos + 1] != 0 || b[pos + 2] != 1 || !frameBounds(b, pos, header, payload)) {
            walk.clean = std::all_of(b.begin() + long(pos), b.end(), [](uint8_t x) { return x == 0; });
            break;
        }
        if (pos + header + payload > b.size())
            break;
        RecorderFrame f;
        f.type = b[pos + 3];
        f.offset = pos;
        f.header.assign(b.begin() + long(pos), b.begin() + long(pos + header));
        f.payload.assign(b.begin() + long(pos + header), b.begin() + long(pos + header + payload));
        walk.frames.push_back(std::move(f));
        pos += header + payload;
        walk.end = pos;
    }
    return walk;
}

std::vector<const RecorderFrame *> framesOfType(const FrameWalk &walk, uint8_t type)
{
    std::vector<const RecorderFrame *> out;
    for (const RecorderFrame &f : walk.frames)
        if (f.type == type)
            out.push_back(&f);
    return out;
}

} // namespace simtest
