#pragma once

#include "bytes.h"

#include <cstdint>

namespace korvane::sim {

uint8_t linearToAlaw(int16_t sample);

// Frequency of a channel's test tone: whole hertz, so every second is the same.
int toneHertz(int channel);

// One second (8000 samples) of the channel's tone as G.711 A-law.
Bytes alawToneSecond(int channel);

} // namespace korvane::sim
