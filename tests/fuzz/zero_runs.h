// The disk target's input: a disk image with its long stretches of zeros written short, so
// that mutations land on the metadata and not on empty reserved areas. A tag byte below 0x80
// is followed by tag + 1 literal bytes; a tag of 0x80 or more stands for (tag - 0x7F) x 512 zeros.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace korvane::fuzz
{

// The image, at most maxBytes long (the rest of the input is ignored).
std::vector<uint8_t> expandZeroRuns(const uint8_t *data, size_t size, size_t maxBytes);
// The encoding of an image; expandZeroRuns gives the image back.
std::vector<uint8_t> writeZeroRuns(const std::vector<uint8_t> &image);

} // namespace korvane::fuzz
