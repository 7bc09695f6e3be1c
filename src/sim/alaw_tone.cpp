#include "alaw_tone.h"

#include <cmath>

namespace korvane::sim {

namespace {

constexpr int kSampleRate = 8000;
constexpr double kAmplitude = 8000.0;

// Upper end of each of the eight A-law segments, in 13-bit magnitude.
constexpr int kSegmentEnd[8] = {0x1F, 0x3F, 0x7F, 0xFF, 0x1FF, 0x3FF, 0x7FF, 0xFFF};

int segmentOf(int magnitude)
{
    int segment = 0;
    while (segment < 8 && magnitude > kSegmentEnd[segment])
        ++segment;
    return segment;
}

} // namespace

uint8_t linearToAlaw(int16_t sample)
{
    int value = sample >> 3;
    int mask = 0xD5;
    if (value < 0) {
        mask = 0x55;
        value = -value - 1;
    }
    const int segment = segmentOf(value);
    if (segment >= 8)
        return uint8_t(0x7F ^ mask);
    const int mantissa = (segment < 2 ? value >> 1 : value >> segment) & 0x0F;
    return uint8_t((segment << 4 | mantissa) ^ mask);
}

int toneHertz(int channel) { return 300 + 50 * (channel % 64); }

Bytes alawToneSecond(int channel)
{
    const double step = 2 * M_PI * toneHertz(channel) / kSampleRate;
    Bytes out(kSampleRate);
    for (int n = 0; n < kSampleRate; ++n)
        out[size_t(n)] = linearToAlaw(int16_t(std::lround(kAmplitude * std::sin(step * n))));
    return out;
}

} // namespace korvane::sim
