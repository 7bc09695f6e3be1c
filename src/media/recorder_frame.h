// The recorder's own framing around elementary-stream bytes.
//   key frame   00 00 01 FC  codec, rate, width/8, height/8, u32 packed stamp, u32 payload length, payload
//   other video 00 00 01 FD  i32 payload length, payload
//   audio       00 00 01 FA  codec, -, u16 payload length, payload
//   information 00 00 01 F9  kind, -, u16 payload length, text
// All fields little-endian.
#pragma once

#include <cstddef>
#include <cstdint>

namespace korvane::media {

constexpr uint8_t kTypeKey = 0xFC;
constexpr uint8_t kTypeVideo = 0xFD;
constexpr uint8_t kTypeAudio = 0xFA;
constexpr uint8_t kTypeInfo = 0xF9;

constexpr uint32_t kKeyHeaderBytes = 16;
constexpr uint32_t kShortHeaderBytes = 8;
constexpr int64_t kMinFrameBytes = 5;
constexpr int64_t kMaxFrameBytes = 512000;

constexpr uint8_t kCodecH264 = 2;
constexpr uint8_t kCodecH265 = 3;
constexpr uint8_t kAudioAlaw = 14;
constexpr uint8_t kAudioUlaw = 10;
constexpr int kAudioSampleRate = 8000;

inline uint16_t readU16(const uint8_t *p) { return uint16_t(p[0] | p[1] << 8); }
inline uint32_t readU32(const uint8_t *p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24; }

inline bool isFrameType(uint8_t type)
{
    return type == kTypeKey || type == kTypeVideo || type == kTypeAudio || type == kTypeInfo;
}

inline uint32_t headerBytes(uint8_t type) { return type == kTypeKey ? kKeyHeaderBytes : kShortHeaderBytes; }

// Whole frame size from a complete header; may be implausible (see isPlausibleSize).
inline int64_t frameBytes(const uint8_t *header)
{
    switch (header[3]) {
    case kTypeKey:
        return kKeyHeaderBytes + int64_t(readU32(header + 12));
    case kTypeVideo:
        return kShortHeaderBytes + int64_t(int32_t(readU32(header + 4)));
    default:
        return kShortHeaderBytes + int64_t(readU16(header + 6));
    }
}

// A frame never ends inside its own header (a negative video length would make it).
inline bool isPlausibleSize(int64_t bytes, uint32_t header)
{
    return bytes >= kMinFrameBytes && bytes >= header && bytes <= kMaxFrameBytes;
}

// Packed local date-time: bits 0-5 second, 6-11 minute, 12-16 hour, 17-21 day, 22-25 month, 26-31 year - 2000.
struct DateTime {
    uint32_t year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

inline DateTime unpackStamp(uint32_t stamp)
{
    if (stamp == 0) return {};
    return {2000 + (stamp >> 26), (stamp >> 22) & 0xF, (stamp >> 17) & 0x1F,
            (stamp >> 12) & 0x1F, (stamp >> 6) & 0x3F, stamp & 0x3F};
}

} // namespace korvane::media
