#include "frame_stream.h"

#include <algorithm>
#include <cstring>

namespace korvane::sim {

namespace {

uint64_t splitMix(uint64_t &state)
{
    uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

void planPicture(const RecordingSpec &spec, SecondLayout &out)
{
    out.frames.push_back({FrameKind::Picture, std::max<uint32_t>(spec.bytesPerSecond, 64)});
}

uint32_t audioFramesAfter(uint32_t videoFrame, uint32_t fps)
{
    return (videoFrame + 1) * kAudioFramesPerSecond / fps - videoFrame * kAudioFramesPerSecond / fps;
}

} // namespace

bool planSecond(const RecordingSpec &spec, SecondLayout &out, std::string &error)
{
    out = {};
    if (spec.av == kAvPicture)
        planPicture(spec, out);
    else {
        const uint32_t fps = spec.fps;
        if (fps == 0) {
            error = "frame rate 0";
            return false;
        }
        const uint64_t audio = spec.audio ? uint64_t(kAudioFramesPerSecond) * (kShortHeader + kAudioPayload) : 0;
        const uint64_t headers = kKeyHeader + uint64_t(fps - 1) * kShortHeader;
        const uint64_t budget = spec.bytesPerSecond > audio + headers + fps ? spec.bytesPerSecond - audio - headers : fps;
        const uint64_t other = std::max<uint64_t>(1, budget / (fps + 3));
        const uint64_t key = std::max<uint64_t>(1, budget - (fps - 1) * other);
        if (key + kKeyHeader > kMaxFrameBytes || other + kShortHeader > kMaxFrameBytes) {
            error = "bytes per second too large for the frame rate";
            return false;
        }
        for (uint32_t i = 0; i < fps; ++i) {
            out.frames.push_back({i == 0 ? FrameKind::Key : FrameKind::Video, uint32_t(i == 0 ? key : other)});
            if (spec.audio)
                for (uint32_t a = audioFramesAfter(i, fps); a > 0; --a)
                    out.frames.push_back({FrameKind::Audio, kAudioPayload});
        }
    }
    for (const FrameSlot &f : out.frames) {
        const uint32_t header = f.kind == FrameKind::Key ? kKeyHeader : f.kind == FrameKind::Picture ? 0 : kShortHeader;
        out.bytes += header + f.payload;
    }
    return true;
}

void fillPayload(uint64_t seed, uint64_t stream, uint64_t frame, uint8_t *out, size_t n)
{
    uint64_t state = seed * 0x100000001B3ULL ^ stream * 0xC2B2AE3D27D4EB4FULL ^ frame;
    size_t i = 0;
    while (i < n) {
        uint64_t r = splitMix(state);
        for (int b = 0; b < 8 && i < n; ++b, r >>= 8)
            out[i++] = uint8_t(2 + (r & 0xFF) % 253); // 2..254: no zero, no 0x01, no 0xFF
    }
}

FrameStream::FrameStream(const RecordingSpec &spec, const SecondLayout &layout, uint64_t seed, uint64_t streamId,
                         Seconds firstSecond, uint64_t headBytes, Clock clock)
    : spec_(spec), layout_(layout), seed_(seed), streamId_(streamId), firstSecond_(firstSecond),
      headBytes_(headBytes), clock_(std::move(clock)), chunk_(layout.bytes)
{
}

void FrameStream::buildHeader(uint8_t *out, size_t from, size_t n) const
{
    uint8_t start[8] = {'D', 'H', 'I', 'I'};
    putU32(start + 4, uint32_t(headBytes_));
    std::memset(out, 0, n);
    for (size_t i = from; i < std::min<size_t>(8, from + n); ++i)
        out[i - from] = start[i];
}

void FrameStream::buildSecond(uint64_t index)
{
    const Seconds second = firstSecond_ + Seconds(index);
    const uint32_t stamp = clock_(second);
    uint8_t *p = chunk_.data();
    uint64_t frameNo = index * layout_.frames.size();
    for (const FrameSlot &f : layout_.frames) {
        switch (f.kind) {
        case FrameKind::Key:
            p[0] = 0, p[1] = 0, p[2] = 1, p[3] = 0xFC;
            p[4] = spec_.codec;
            p[5] = spec_.fps;
            p[6] = uint8_t(spec_.width / 8);
            p[7] = uint8_t(spec_.height / 8);
            putU32(p + 8, stamp);
            putU32(p + 12, f.payload);
            p += kKeyHeader;
            break;
        case FrameKind::Video:
            p[0] = 0, p[1] = 0, p[2] = 1, p[3] = 0xFD;
            putU32(p + 4, f.payload);
            p += kShortHeader;
            break;
        case FrameKind::Audio:
            p[0] = 0, p[1] = 0, p[2] = 1, p[3] = 0xFA;
            p[4] = kAudioCodecAlaw;
            p[5] = 0;
            putU16(p + 6, uint16_t(f.payload));
            p += kShortHeader;
            break;
        case FrameKind::Picture:
            break;
        }
        fillPayload(seed_, streamId_, frameNo++, p, f.payload);
        if (f.kind == FrameKind::Picture) { // a JPEG's start and end markers around the placeholder
            p[0] = 0xFF, p[1] = 0xD8, p[2] = 0xFF, p[3] = 0xE0;
            p[f.payload - 2] = 0xFF, p[f.payload - 1] = 0xD9;
        }
        p += f.payload;
    }
    cachedIndex_ = index;
}

void FrameStream::read(uint64_t offset, uint8_t *out, size_t n)
{
    while (n > 0) {
        size_t step;
        if (offset < headBytes_) {
            step = size_t(std::min<uint64_t>(n, headBytes_ - offset));
            buildHeader(out, size_t(offset), step);
        } else {
            const uint64_t rel = offset - headBytes_;
            const uint64_t index = rel / layout_.bytes;
            const size_t within = size_t(rel % layout_.bytes);
            if (index != cachedIndex_)
                buildSecond(index);
            step = std::min<size_t>(n, layout_.bytes - within);
            std::memcpy(out, chunk_.data() + within, step);
        }
        out += step;
        offset += step;
        n -= step;
    }
}

} // namespace korvane::sim
