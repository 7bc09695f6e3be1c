#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace korvane::sim {

using Bytes = std::vector<uint8_t>;

inline void putU8(uint8_t *p, uint8_t v) { p[0] = v; }

inline void putU16(uint8_t *p, uint16_t v)
{
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
}

inline void putU32(uint8_t *p, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = uint8_t(v >> (8 * i));
}

inline void putU64(uint8_t *p, uint64_t v)
{
    for (int i = 0; i < 8; ++i)
        p[i] = uint8_t(v >> (8 * i));
}

inline uint16_t getU16(const uint8_t *p) { return uint16_t(p[0] | (p[1] << 8)); }

inline uint32_t getU32(const uint8_t *p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

inline uint64_t getU64(const uint8_t *p) { return uint64_t(getU32(p)) | uint64_t(getU32(p + 4)) << 32; }

constexpr uint32_t kBlockSize = 512;
constexpr uint32_t kValidMark = 0x789ABCDE;

inline uint64_t ceilDiv(uint64_t a, uint64_t b) { return (a + b - 1) / b; }

} // namespace korvane::sim
