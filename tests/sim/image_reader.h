#pragma once

// A deliberately small reader of WFS images, written apart from the simulator,
// so that the tests check the bytes on disk and not the simulator's own model.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace simtest {

using Block = std::array<uint8_t, 512>;

uint16_t le16(const uint8_t *p);
uint32_t le32(const uint8_t *p);
uint64_t le64(const uint8_t *p);

struct Pdp {
    uint8_t flagF;
    uint32_t status, startTime1, endTime1, currentCluster, startCluster2, endCluster2, startTime2, endTime2;
    uint32_t secSize, secPerClus, extDirOffset, revClus, indexOffset, tempOff, dirOffset, dataOffset, totalClus;
    uint32_t driverType, udOffset, udItemSize, udItemCount, udFirstItem, udLastItem;
    uint32_t collisionOff, collisionNum, backdirOffset, mark;
    uint64_t startSector;
};

struct DirItem {
    uint8_t alarm, dirFlag;
    uint16_t itemNum;
    uint32_t up, down, startTime, endTime;
    uint16_t headSectors, endLength;
    uint32_t firstCluster;
    uint8_t attr, streamType, repeatNo, channel, av;
};

struct TableEntry {
    uint64_t start, total;
    uint32_t kind, used;
};

class Image
{
public:
    explicit Image(const std::string &path);
    ~Image();
    Image(const Image &) = delete;
    Image &operator=(const Image &) = delete;

    bool ok() const { return fd_ >= 0; }
    uint64_t sizeBytes() const;
    Block sector(uint64_t imageSector) const;
    std::vector<uint8_t> bytes(uint64_t offset, size_t n) const;

    // Volume view: the base comes from the MBR word at 454 when sector 0 is not the volume.
    uint64_t base() const;
    Block volumeBlock(uint64_t block) const { return sector(base() + block); }
    uint32_t keyParamOffset(int part) const;
    std::vector<TableEntry> table(bool backup = false) const;
    Pdp pdp(int part) const;
    Block keyParams(int part) const;
    DirItem dir(int part, uint32_t cluster, bool backup = false) const;
    uint8_t index(int part, uint32_t cluster) const;
    std::vector<uint32_t> collisions(int part) const;
    std::vector<uint8_t> userDataItem(int part, uint32_t item) const;
    std::vector<uint8_t> cluster(int part, uint32_t cluster, uint32_t sectors) const;

    // The recording's clusters found the way a reader finds them: through the
    // index area (same channel, usable, same stream type), never through links.
    // The search stops at the end of the ring segment, or at `upper` when given.
    std::vector<uint32_t> chainByIndex(int part, uint32_t first, uint32_t upper = 0) const;
    // The recording's bytes in chain order, the header included.
    std::vector<uint8_t> recordingBytes(int part, uint32_t first) const;

private:
    int fd_ = -1;
};

uint8_t stateOf(uint8_t dirFlag);
uint32_t pack(int y, int mo, int d, int h, int mi, int s);

} // namespace simtest
