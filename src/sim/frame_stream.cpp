#include "frame_stream.h"

#include "real_media.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <thread>

namespace korvane::sim {

namespace {

uint64_t splitMix(uint64_t &state)
{
    uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

void planPicture(const RecordingSpec &plan, SecondLayout &out)
{
    out.frames.push_back({FrameKind::Picture, std::max<uint32_t>(plan.bytesPerSecond, 64)});
}

} // namespace

uint32_t audioFramesAfter(uint32_t videoFrame, uint32_t fps)
{
    return (videoFrame + 1) * kAudioFramesPerSecond / fps - videoFrame * kAudioFramesPerSecond / fps;
}

bool planSecond(const RecordingSpec &plan, SecondLayout &out, std::string &error)
{
    out = {};
    if (plan.av == kAvPicture)
        planPicture(plan, out);
    else {
        const uint32_t fps = plan.fps;
        if (fps == 0) {
            error = "frame rate 0";
            return false;
        }
        const uint64_t audio = plan.audio ? uint64_t(kAudioFramesPerSecond) * (kShortHeader + kAudioPayload) : 0;
        const uint64_t headers = kKeyHeader + uint64_t(fps - 1) * kShortHeader;
        const uint64_t budget = plan.bytesPerSecond > audio + headers + fps ? plan.bytesPerSecond - audio - headers : fps;
        const uint64_t other = std::max<uint64_t>(1, budget / (fps + 3));
        const uint64_t key = std::max<uint64_t>(1, budget - (fps - 1) * other);
        if (key + kKeyHeader > kMaxFrameBytes || other + kShortHeader > kMaxFrameBytes) {
            error = "bytes per second too large for the frame rate";
            return false;
        }
        for (uint32_t i = 0; i < fps; ++i) {
            out.frames.push_back({i == 0 ? FrameKind::Key : FrameKind::Video, uint32_t(i == 0 ? key : other)});
            if (plan.audio)
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

SecondIndex::SecondIndex(uint64_t bytesPerSecond, uint64_t seconds) : uniform_(bytesPerSecond), seconds_(seconds) {}

SecondIndex::SecondIndex(std::vector<uint64_t> starts)
    : seconds_(starts.empty() ? 0 : starts.size() - 1), starts_(std::move(starts))
{
}

uint64_t SecondIndex::start(uint64_t second) const
{
    if (starts_.empty())
        return second * uniform_;
    return starts_[std::min<uint64_t>(second, seconds_)];
}

uint64_t SecondIndex::secondAt(uint64_t offset) const
{
    if (seconds_ == 0)
        return 0;
    if (starts_.empty())
        return std::min(offset / uniform_, seconds_ - 1);
    const auto after = std::upper_bound(starts_.begin(), starts_.end() - 1, offset);
    return uint64_t(after - starts_.begin()) - 1;
}

double SecondIndex::timeAfter(uint64_t first, uint64_t offset) const
{
    if (starts_.empty())
        return double(offset) / double(uniform_);
    const uint64_t at = start(first) + offset;
    const uint64_t second = secondAt(at);
    const uint64_t size = bytes(second, second + 1);
    const uint64_t within = std::min(at - start(second), size);
    return double(second - first) + (size ? double(within) / double(size) : 0.0);
}

bool planFrames(const RecordingSpec &plan, PayloadKind payloads, uint64_t seed, const StampClock &clock,
                RecordingFrames &out, std::string &error)
{
    out = {};
    if (payloads == PayloadKind::Real)
        return encodeRecording(plan, seed, clock, out, error);
    if (!planSecond(plan, out.layout, error))
        return false;
    out.index = SecondIndex(out.layout.bytes, uint64_t(plan.end - plan.start));
    return true;
}

bool planAllFrames(const Scenario &scenario, const StampClock &clock, std::vector<RecordingFrames> &out,
                   std::string &error)
{
    const size_t count = scenario.recordings.size();
    out.assign(count, {});
    std::vector<std::string> errors(count);
    std::vector<char> planned(count, 0);
    std::atomic<size_t> next{0};
    auto work = [&] {
        for (size_t i = next++; i < count; i = next++)
            try {
                planned[i] = planFrames(scenario.recordings[i], scenario.payloads, scenario.seed, clock, out[i],
                                        errors[i]);
            } catch (const std::exception &e) { // not to be lost on a helper thread
                errors[i] = e.what();
            }
    };
    const bool real = scenario.payloads == PayloadKind::Real;
    const size_t helpers = real ? std::min<size_t>(std::max(1u, std::thread::hardware_concurrency()), 4) - 1 : 0;
    std::vector<std::thread> threads;
    for (size_t t = 0; t < std::min(helpers, count); ++t)
        threads.emplace_back(work);
    work();
    for (std::thread &t : threads)
        t.join();
    for (size_t i = 0; i < count; ++i)
        if (!planned[i]) {
            error = "recording " + std::to_string(i) + ": " + errors[i];
            return false;
        }
    return true;
}

FrameStream::FrameStream(const RecordingSpec &plan, const SecondLayout &layout, uint64_t seed, uint64_t streamId,
                         Seconds firstSecond, uint64_t headBytes, Clock clock)
    : FrameStream(plan, nullptr, {layout, SecondIndex(layout.bytes, uint64_t(plan.end - plan.start)), {}}, seed,
                  streamId, firstSecond, headBytes, std::move(clock))
{
}

FrameStream::FrameStream(const RecordingSpec &plan, const RecordingFrames &frames, uint64_t seed, uint64_t streamId,
                         Seconds firstSecond, uint64_t headBytes, Clock clock)
    : FrameStream(plan, &frames, {}, seed, streamId, firstSecond, headBytes, std::move(clock))
{
}

FrameStream::FrameStream(const RecordingSpec &plan, const RecordingFrames *shared, RecordingFrames own, uint64_t seed,
                         uint64_t streamId, Seconds firstSecond, uint64_t headBytes, Clock clock)
    : plan_(plan), ownFrames_(std::move(own)), frames_(shared ? *shared : ownFrames_), seed_(seed),
      streamId_(streamId), firstSecond_(firstSecond),
      firstOffset_(frames_.index.start(uint64_t(firstSecond - plan.start))), headBytes_(headBytes),
      clock_(std::move(clock)), chunk_(frames_.real() ? 0 : frames_.layout.bytes)
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
    uint64_t frameNo = index * frames_.layout.frames.size();
    for (const FrameSlot &f : frames_.layout.frames) {
        switch (f.kind) {
        case FrameKind::Key:
            p[0] = 0, p[1] = 0, p[2] = 1, p[3] = 0xFC;
            p[4] = plan_.codec;
            p[5] = plan_.fps;
            p[6] = headerSizeByte(plan_.width);
            p[7] = headerSizeByte(plan_.height);
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

size_t FrameStream::readFrames(uint64_t offset, uint8_t *out, size_t n)
{
    if (frames_.real()) {
        const uint64_t from = std::min<uint64_t>(firstOffset_ + offset, frames_.media.size());
        const size_t step = size_t(std::min<uint64_t>(n, frames_.media.size() - from));
        std::memcpy(out, frames_.media.data() + from, step);
        std::memset(out + step, 0, n - step);
        return n;
    }
    const uint32_t bytes = frames_.layout.bytes;
    const uint64_t index = offset / bytes;
    const size_t within = size_t(offset % bytes);
    if (index != cachedIndex_)
        buildSecond(index);
    const size_t step = std::min<size_t>(n, bytes - within);
    std::memcpy(out, chunk_.data() + within, step);
    return step;
}

void FrameStream::read(uint64_t offset, uint8_t *out, size_t n)
{
    while (n > 0) {
        size_t step;
        if (offset < headBytes_) {
            step = size_t(std::min<uint64_t>(n, headBytes_ - offset));
            buildHeader(out, size_t(offset), step);
        } else
            step = readFrames(offset - headBytes_, out, n);
        out += step;
        offset += step;
        n -= step;
    }
}

} // namespace korvane::sim
