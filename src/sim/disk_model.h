#pragma once

#include "bytes.h"
#include "manifest.h"
#include "recorder.h"
#include "scenario.h"

#include <vector>

namespace korvane::sim {

constexpr uint32_t kDirItemSize = 32;
constexpr uint32_t kOpenLink = 0xFFFFFFFF;
constexpr uint32_t kCleanStatus = 0xAA;
constexpr uint8_t kLockedBit = 0x20;

// Turns a finished simulation into the on-disk records: directory and index
// items, parameter blocks, volume header and partition table.
class DiskModel
{
public:
    DiskModel(const Scenario &scenario, std::vector<PartitionResult> &parts, const Simulation &sim);

    void finishPartitions(); // the pdp values: write head, sections, collisions, status
    void fillManifest(Manifest &manifest) const;

    void dirItem(size_t part, uint32_t cluster, uint8_t *out) const;
    void extItem(size_t part, uint32_t cluster, uint8_t *out) const;
    uint8_t indexByte(size_t part, uint32_t cluster) const;

    Bytes volumeHeader() const;
    Bytes partitionTable() const;
    Bytes masterBootRecord() const;
    Bytes keyParamBlock(size_t part) const;
    Bytes pdpBlock(size_t part) const;
    Bytes collisionBlock(size_t part) const;
    Bytes directoryArea(size_t part) const;
    Bytes extDirectoryArea(size_t part) const;
    Bytes indexArea(size_t part, const Bytes &directory) const;

    uint64_t imageSectors() const;
    uint64_t volumeBlockOffset(uint64_t block) const { return (scenario_.mbrStart + block) * kBlockSize; }
    uint64_t clusterOffset(size_t part, uint32_t cluster) const;

    // Recorder-clock packed time of a true second.
    uint32_t recorderTime(Seconds trueSecond) const;
    uint32_t usedSectors(const SimFile &f, size_t index) const;

    // Where the mount leaves the write head and the end of the older lap, after any repair.
    struct MountedHead {
        uint32_t current;
        uint32_t end2; // 0: the listing holds no older lap
    };
    MountedHead mountedHead(size_t part) const;

private:
    Seconds secondOfByte(const SimFile &f, uint64_t byte) const;
    uint32_t clusterStart(const SimFile &f, size_t index) const;
    uint32_t clusterEnd(const SimFile &f, size_t index) const;
    uint32_t fileEnd(const SimFile &f) const;
    uint16_t endLength(const SimFile &f) const;
    uint32_t repairedHead(size_t part) const;
    void addFragments(size_t part, size_t fileIndex, size_t recording, std::vector<FragmentResult> &out) const;
    uint8_t dirFlag(size_t part, uint32_t cluster, const SimFile &f, size_t index) const;
    uint32_t newestEnd(size_t part) const;
    void finishPartition(size_t part);
    void finishSections(size_t part, PartitionResult &r) const;
    void finishOpenState(size_t part, PartitionResult &r) const;

    const Scenario &scenario_;
    std::vector<PartitionResult> &parts_;
    const Simulation &sim_;
    const uint64_t clusterBytes_;
};

uint8_t indexState(uint8_t dirFlag);

} // namespace korvane::sim
