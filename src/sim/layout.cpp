#include "layout.h"

#include "bytes.h"

#include <algorithm>

namespace korvane::sim {

namespace {

struct Range {
    const char *name;
    uint64_t start;
    uint64_t blocks;
};

uint32_t align8(uint64_t v) { return uint32_t((v + 7) & ~uint64_t(7)); }

bool isOldVersion(const Scenario &s) { return s.version == "WFS0.3"; }

uint32_t minimumRevClus(const Scenario &s)
{
    if (!isOldVersion(s))
        return 1;
    const uint64_t blocks = kOldUdGap + uint64_t(kOldUdItems) * kUdItemSize / kBlockSize;
    return uint32_t(ceilDiv(blocks, s.sectorsPerCluster));
}

bool overlapFree(std::vector<Range> ranges, int part, std::string &error)
{
    std::sort(ranges.begin(), ranges.end(), [](const Range &a, const Range &b) { return a.start < b.start; });
    for (size_t i = 1; i < ranges.size(); ++i)
        if (ranges[i - 1].start + ranges[i - 1].blocks > ranges[i].start) {
            error = "partition " + std::to_string(part) + ": " + ranges[i - 1].name + " overlaps " + ranges[i].name;
            return false;
        }
    return true;
}

bool planAreas(const Scenario &s, const PartitionSpec &plan, int part, PartitionResult &r, std::string &error)
{
    const uint32_t k = s.keyParamOffset[size_t(part)];
    r.tempOff = k + kPdpBlock;
    r.collisionOff = plan.collisionOff ? plan.collisionOff : r.tempOff + 4;
    const uint32_t dirBlocks = uint32_t(ceilDiv(r.totalClus, kDirItemsPerBlock));
    r.dirOffset = plan.dirOffset ? plan.dirOffset : k + kAreaStart;
    r.backdirOffset = std::max(r.dirOffset + dirBlocks, k + kAreaStart);
    uint32_t next = r.backdirOffset + dirBlocks;
    if (plan.extDir) {
        r.extDirOffset = next;
        next += dirBlocks;
    }
    r.indexOffset = next;
    next += uint32_t(ceilDiv(r.totalClus, kIndexPerBlock));
    uint32_t udBlocks = 0;
    if (!isOldVersion(s) && plan.udItems > 1) {
        r.udOffset = next;
        r.udItemCount = plan.udItems;
        r.udFirstItem = r.udLastItem = 1;
        udBlocks = uint32_t(ceilDiv(uint64_t(plan.udItems) * kUdItemSize, kBlockSize));
        next += udBlocks;
    }
    r.dataOffset = align8(next);
    std::vector<Range> ranges = {{"key parameters", k + kKeyParamBlock, 1},
                                 {"pdp", r.tempOff, 1},
                                 {"collision block", r.collisionOff, 1},
                                 {"directory", r.dirOffset, dirBlocks},
                                 {"back-up directory", r.backdirOffset, dirBlocks},
                                 {"index", r.indexOffset, ceilDiv(r.totalClus, kIndexPerBlock)},
                                 {"data", r.dataOffset, uint64_t(r.totalClus) * r.secPerClus}};
    if (plan.extDir)
        ranges.push_back({"extended directory", r.extDirOffset, dirBlocks});
    if (udBlocks)
        ranges.push_back({"user data", r.udOffset, udBlocks});
    if (part == 0)
        ranges.insert(ranges.end(), {{"partition table", s.keyParamOffset[0] + kPartitionTableBlock, 1},
                                     {"back-up partition table", s.keyParamOffset[0] + kBackupTableBlock, 1}});
    return overlapFree(ranges, part, error);
}

bool planPartition(const Scenario &s, int part, uint64_t start, PartitionResult &r, std::string &error)
{
    const PartitionSpec &plan = s.partitions[size_t(part)];
    r = {};
    r.startSector = start;
    r.driverType = plan.driverType;
    r.secPerClus = s.sectorsPerCluster;
    r.totalClus = plan.clusters;
    r.revClus = plan.revClus ? plan.revClus : minimumRevClus(s);
    if (r.revClus < minimumRevClus(s)) {
        error = "partition " + std::to_string(part) + ": rev_clus too small for the WFS0.3 user-data area";
        return false;
    }
    if (plan.clusters == 0 || r.revClus + 1 >= usableClusters(plan.clusters)) {
        error = "partition " + std::to_string(part) + ": too few clusters";
        return false;
    }
    if (!planAreas(s, plan, part, r, error))
        return false;
    r.totalSectors = r.dataOffset + uint64_t(r.totalClus) * r.secPerClus;
    return true;
}

} // namespace

uint32_t usableClusters(uint32_t totalClus) { return totalClus - totalClus / 2097152; }

bool planLayout(const Scenario &s, std::vector<PartitionResult> &parts, std::string &error)
{
    if (s.partitions.empty() || s.partitions.size() > 4) {
        error = "a disk has one to four partitions";
        return false;
    }
    if (s.sectorsPerCluster == 0 || s.sectorsPerCluster > 65535) {
        error = "sectors per cluster must be 1..65535";
        return false;
    }
    parts.assign(s.partitions.size(), {});
    uint64_t start = 0;
    for (size_t p = 0; p < s.partitions.size(); ++p) {
        if (!planPartition(s, int(p), start, parts[p], error))
            return false;
        start += parts[p].totalSectors;
    }
    return true;
}

} // namespace korvane::sim
