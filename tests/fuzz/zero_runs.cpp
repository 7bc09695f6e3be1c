#include "zero_runs.h"

#include <algorithm>

namespace korvane::fuzz
{

namespace
{
const size_t kBlock = 512;
const size_t kMaxLiteral = 0x80;
const size_t kMaxZeroBlocks = 0x80;

bool zeroBlockAt(const std::vector<uint8_t> &image, size_t at)
{
    return at % kBlock == 0 && at + kBlock <= image.size() &&
           std::all_of(image.begin() + ptrdiff_t(at), image.begin() + ptrdiff_t(at + kBlock),
                       [](uint8_t b) { return b == 0; });
}
} // namespace

std::vector<uint8_t> expandZeroRuns(const uint8_t *data, size_t size, size_t maxBytes)
{
    std::vector<uint8_t> image;
    for (size_t at = 0; at < size && image.size() < maxBytes;) {
        const uint8_t tag = data[at++];
        if (tag >= 0x80) {
            image.resize(std::min(maxBytes, image.size() + (tag - 0x7Fu) * kBlock), 0);
            continue;
        }
        const size_t n = std::min<size_t>({size_t(tag) + 1, size - at, maxBytes - image.size()});
        image.insert(image.end(), data + at, data + at + n);
        at += n;
    }
    return image;
}

std::vector<uint8_t> writeZeroRuns(const std::vector<uint8_t> &image)
{
    std::vector<uint8_t> out;
    for (size_t at = 0; at < image.size();) {
        size_t blocks = 0;
        while (blocks < kMaxZeroBlocks && zeroBlockAt(image, at + blocks * kBlock))
            ++blocks;
        if (blocks > 0) {
            out.push_back(uint8_t(0x7F + blocks));
            at += blocks * kBlock;
            continue;
        }
        size_t n = 0;
        while (n < kMaxLiteral && at + n < image.size() && !zeroBlockAt(image, at + n))
            ++n;
        out.push_back(uint8_t(n - 1));
        out.insert(out.end(), image.begin() + ptrdiff_t(at), image.begin() + ptrdiff_t(at + n));
        at += n;
    }
    return out;
}

} // namespace korvane::fuzz
