#pragma once

#include <QImage>

#include <cstdint>

namespace korvane::sim {

// What a camera shows in a simulated recording: its channel (and "SUB" for the
// sub stream) above the recorder clock's date and time, in large block digits
// on the channel's own colour. Drawn without fonts, so it needs no application
// object and gives the same pixels on every machine.
QImage paintChannelPicture(int channel, uint8_t streamType, uint32_t packedStamp, int width, int height);

} // namespace korvane::sim
