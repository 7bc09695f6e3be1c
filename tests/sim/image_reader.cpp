#include "image_reader.h"

#include <fcntl.h>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace simtest {

uint16_t le16(const uint8_t *p) { return uint16_t(p[0] | p[1] << 8); }
uint32_t le32(const uint8_t *p) { return uint32_t(le16(p)) | uint32_t(le16(p + 2)) << 16; }
uint64_t le64(const uint8_t *p) { return uint64_t(le32(p)) | uint64_t(le32(p + 4)) << 32; }

uint8_t stateOf(uint8_t dirFlag)
{
    if (dirFlag <= 1)
        return 0;
    if (dirFlag == 3)
        return 1;
    if (dirFlag == 2)
        return 2;
    return 3;
}

uint32_t pack(int y, int mo, int d, int h, int mi, int s)
{
    return uint32_t(y - 2000) << 26 | uint32_t(mo) << 22 | uint32_t(d) << 17 | uint32_t(h) << 12 |
           uint32_t(mi) << 6 | uint32_t(s);
}

Image::Image(const std::string &path) : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {}

Image::~Image()
{
    if (fd_ >= 0)
        ::close(fd_);
}

uint64_t Image::sizeBytes() const
{
    struct stat st {};
    ::fstat(fd_, &st);
    return uint64_t(st.st_size);
}

std::vector<uint8_t> Image::bytes(uint64_t offset, size_t n) const
{
    std::vector<uint8_t> out(n);
    if (::pread(fd_, out.data(), n, off_t(offset)) != ssize_t(n))
        throw std::runtime_error("short read at " + std::to_string(offset));
    return out;
}

Block Image::sector(uint64_t imageSector) const
{
    Block b{};
    const auto v = bytes(imageSector * 512, 512);
    std::copy(v.begin(), v.end(), b.begin());
    return b;
}

uint64_t Image::base() const { return le32(sector(0).data() + 454); }

uint32_t Image::keyParamOffset(int part) const { return le32(volumeBlock(0).data() + 480 + 4 * part); }

std::vector<TableEntry> Image::table(bool backup) const
{
    const Block b = volumeBlock(keyParamOffset(0) + (backup ? 1044 : 20));
    std::vector<TableEntry> out;
    for (int i = 0; i < 4; ++i) {
        const uint8_t *e = b.data() + 56 + 64 * i;
        out.push_back({le64(e), le64(e + 8), le32(e + 28), le32(e + 56)});
    }
    return out;
}

Block Image::keyParams(int part) const
{
    return volumeBlock(table()[size_t(part)].start + keyParamOffset(part) + 10);
}

Pdp Image::pdp(int part) const
{
    const Block b = volumeBlock(table()[size_t(part)].start + keyParamOffset(part) + 24);
    const uint8_t *p = b.data();
    Pdp d{};
    d.flagF = p[8];
    d.status = le32(p + 12);
    d.startTime1 = le32(p + 16);
    d.endTime1 = le32(p + 20);
    d.currentCluster = le32(p + 24);
    d.startCluster2 = le32(p + 28);
    d.endCluster2 = le32(p + 32);
    d.startTime2 = le32(p + 36);
    d.endTime2 = le32(p + 40);
    d.secSize = le32(p + 44);
    d.secPerClus = le32(p + 48);
    d.extDirOffset = le32(p + 52);
    d.revClus = le32(p + 56);
    d.indexOffset = le32(p + 60);
    d.tempOff = le32(p + 64);
    d.dirOffset = le32(p + 68);
    d.dataOffset = le32(p + 72);
    d.totalClus = le32(p + 76);
    d.driverType = le32(p + 84);
    d.udOffset = le32(p + 88);
    d.udItemSize = le32(p + 92);
    d.udItemCount = le32(p + 96);
    d.udFirstItem = le32(p + 100);
    d.udLastItem = le32(p + 104);
    d.collisionOff = le32(p + 156);
    d.collisionNum = le32(p + 160);
    d.startSector = le64(p + 224);
    d.backdirOffset = le32(p + 236);
    d.mark = le32(p + 328);
    return d;
}

DirItem Image::dir(int part, uint32_t cluster, bool backup) const
{
    const Pdp d = pdp(part);
    const Block b = volumeBlock(d.startSector + (backup ? d.backdirOffset : d.dirOffset) + cluster / 16);
    const uint8_t *p = b.data() + (cluster % 16) * 32;
    return {p[0],          p[1],          le16(p + 2), le32(p + 4), le32(p + 8), le32(p + 12),
            le32(p + 16),  le16(p + 20),  le16(p + 22), le32(p + 24), p[28], p[29], p[30],
            uint8_t(p[31] >> 2), uint8_t(p[31] & 3)};
}

uint8_t Image::index(int part, uint32_t cluster) const
{
    const Pdp d = pdp(part);
    return volumeBlock(d.startSector + d.indexOffset + cluster / 512)[cluster % 512];
}

std::vector<uint32_t> Image::collisions(int part) const
{
    const Pdp d = pdp(part);
    const uint32_t off = d.collisionOff ? d.collisionOff : d.tempOff + 4;
    const Block b = volumeBlock(d.startSector + off);
    std::vector<uint32_t> out;
    for (uint32_t i = 0; i < d.collisionNum; ++i)
        out.push_back(le32(b.data() + 4 * i));
    return out;
}

std::vector<uint8_t> Image::userDataItem(int part, uint32_t item) const
{
    const Pdp d = pdp(part);
    const Block b = volumeBlock(d.startSector + d.udOffset + item / 32);
    return {b.begin() + (item % 32) * 16, b.begin() + (item % 32) * 16 + 16};
}

std::vector<uint8_t> Image::cluster(int part, uint32_t c, uint32_t sectors) const
{
    const Pdp d = pdp(part);
    return bytes((base() + d.startSector + d.dataOffset + uint64_t(c) * d.secPerClus) * 512, size_t(sectors) * 512);
}

std::vector<uint32_t> Image::chainByIndex(int part, uint32_t first, uint32_t upper) const
{
    const Pdp d = pdp(part);
    const DirItem head = dir(part, first);
    if (upper == 0)
        upper = first > d.currentCluster ? d.endCluster2 : d.currentCluster;
    std::vector<uint32_t> chain{first};
    for (uint32_t c = first + 1; c <= upper; ++c) {
        const uint8_t ix = index(part, c);
        if (ix >> 2 != head.channel)
            continue;
        const DirItem item = dir(part, c);
        const bool locked = item.attr & 0x20;
        const uint8_t s = ix & 3;
        if (s == 3 && !locked)
            continue;
        if (item.streamType != head.streamType)
            continue;
        const bool continuation = s == 0 || (s == 3 && (item.dirFlag == 1 || item.dirFlag == 5));
        if (!continuation)
            break;
        chain.push_back(c);
    }
    return chain;
}

std::vector<uint8_t> Image::recordingBytes(int part, uint32_t first) const
{
    const Pdp d = pdp(part);
    const std::vector<uint32_t> chain = chainByIndex(part, first);
    const DirItem head = dir(part, first);
    std::vector<uint8_t> out;
    for (size_t i = 0; i < chain.size(); ++i) {
        const uint32_t sectors = i + 1 == chain.size() && head.endLength ? head.endLength : d.secPerClus;
        const auto part_bytes = cluster(part, chain[i], sectors);
        out.insert(out.end(), part_bytes.begin(), part_bytes.end());
    }
    return out;
}

} // namespace simtest
