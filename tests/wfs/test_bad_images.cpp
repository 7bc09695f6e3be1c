#include "sim_disk.h"

#include "wfs.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

namespace {
const sim::Seconds DAY = sim::makeTime(2026, 3, 5, 8, 0, 0);
const uint32_t PDP_BLOCK = 24;

sim::Scenario healthyDisk()
{
    sim::Scenario s;
    s.partitions = {partition(2000), partition(2000)};
    s.recordings = {recording(0, DAY, 60, 0), recording(0, DAY + 100, 60, 1)};
    return s;
}

sim::Patch u32Patch(uint64_t block, uint32_t offset, uint32_t value)
{
    sim::Patch p;
    p.block = block;
    p.offset = offset;
    p.bytes.resize(4);
    memcpy(p.bytes.data(), &value, 4);
    return p;
}

sim::Patch u64Patch(uint64_t block, uint32_t offset, uint64_t value)
{
    sim::Patch p = u32Patch(block, offset, 0);
    p.bytes.resize(8);
    memcpy(p.bytes.data(), &value, 8);
    return p;
}

class BadImageTest : public ::testing::Test {
protected:
    // Mounts a damaged copy of the healthy disk; partition 1 must still mount.
    std::string mountDamaged(const std::vector<sim::Patch> &patches, bool partition1Survives = true)
    {
        sim::Scenario s = healthyDisk();
        s.patches = patches;
        SimDisk disk(dir, "bad.img", s);
        uint64_t before = fileDigest(disk.path);
        ConsoleCapture console;
        mountImages({disk.path});
        EXPECT_EQ(get_pdp(0, 0), nullptr) << "the damaged partition is not mounted";
        if (partition1Survives) {
            EXPECT_NE(get_pdp(0, 1), nullptr);
        }
        EXPECT_EQ(fileDigest(disk.path), before);
        return console.text();
    }

    ScratchDir dir;
};
} // namespace

TEST_F(BadImageTest, ParameterBlockWithoutItsMark)
{
    std::string log = mountDamaged({u32Patch(PDP_BLOCK, 328, 0x12345678)});
    EXPECT_NE(log.find("FSError temp sec check flag error"), std::string::npos);
    EXPECT_NE(log.find("mount fs partition failed."), std::string::npos);
}

TEST_F(BadImageTest, AbsurdParameterValuesAreRefused)
{
    const std::pair<uint32_t, uint32_t> cases[] = {
        {48, 0},          // zero sectors per cluster
        {44, 0},          // zero sector size
        {76, 0xFFFFFFF0}, // more clusters than fit
        {68, 0x7FFFFFFF}, // directory outside the partition
        {60, 0x7FFFFFFF}, // index outside the partition
        {24, 1999999},    // write head beyond the clusters
        {160, 129},       // more clock collisions than the block holds
    };
    for (const auto &c : cases) {
        SCOPED_TRACE("pdp offset " + std::to_string(c.first));
        std::string log = mountDamaged({u32Patch(PDP_BLOCK, c.first, c.second)});
        EXPECT_NE(log.find("partition crashed"), std::string::npos);
    }
}

TEST_F(BadImageTest, PartitionTablePointingPastTheEnd)
{
    sim::Scenario s = healthyDisk();
    uint64_t entry1 = 56 + 64;
    s.patches = {u64Patch(20, (uint32_t)entry1 + 8, 1ull << 40)};
    SimDisk disk(dir, "past.img", s);
    ConsoleCapture console;
    mountImages({disk.path});
    EXPECT_NE(get_pdp(0, 0), nullptr);
    EXPECT_EQ(get_pdp(0, 1), nullptr);
    EXPECT_NE(console.text().find("ends beyond the disk"), std::string::npos);
}

TEST_F(BadImageTest, TruncatedImageMountsWhatIsThere)
{
    sim::Scenario s = healthyDisk();
    SimDisk whole(dir, "whole.img", s);
    s.truncateBlocks = whole.manifest.partitions[1].startSector + 100;
    SimDisk cut(dir, "cut.img", s);
    ConsoleCapture console;
    mountImages({cut.path});
    EXPECT_NE(get_pdp(0, 0), nullptr);
    EXPECT_EQ(get_pdp(0, 1), nullptr);
}

TEST_F(BadImageTest, GarbageEverywhereNeitherCrashesNorMounts)
{
    sim::Scenario s = healthyDisk();
    std::mt19937 random(7);
    for (uint64_t block = 1; block < 1200; ++block) {
        if (block == 20) continue; // keep the table so the garbage is read as partitions
        sim::Patch p;
        p.block = block;
        p.bytes.resize(512);
        for (uint8_t &b : p.bytes) b = (uint8_t)random();
        s.patches.push_back(p);
    }
    SimDisk disk(dir, "garbage.img", s);
    ConsoleCapture console;
    mountImages({disk.path});
    EXPECT_EQ(get_pdp(0, 0), nullptr);
}

TEST_F(BadImageTest, StorageErrorsCondemnOnlyMetadataAreas)
{
    SimDisk disk(dir, "errors.img", healthyDisk());
    ConsoleCapture console;
    mountImages({disk.path});
    wfs_pdp *pdp = get_pdp(0, 0);
    ASSERT_NE(pdp, nullptr);
    uint64_t dataBlock = pdp->start_sector + pdp->data_offset + (uint64_t)(pdp->rev_clus + 3) * pdp->sec_per_clus;
    wfs_report_storage_error(0, dataBlock, WFS_IO_READ);
    EXPECT_EQ(pdp->err_status, 0u);
    EXPECT_NE(console.text().find("disk access io error"), std::string::npos);
    wfs_report_storage_error(0, pdp->start_sector + pdp->total_clus * (uint64_t)pdp->sec_per_clus + pdp->data_offset, 1);
    EXPECT_NE(console.text().find("disk access parameter error"), std::string::npos);
    EXPECT_EQ(pdp->err_status, 0u);
    wfs_report_storage_error(0, pdp->start_sector + pdp->dir_offset + 2, WFS_IO_READ);
    EXPECT_EQ(pdp->err_status, WFS_ERR_STATUS_BAD);
    EXPECT_EQ(wfs_read_error_mask(), 1u);
    EXPECT_EQ(wfs_bad_disk_mask(), 1u);
    EXPECT_EQ(wfs_last_error_block(0), pdp->start_sector + pdp->dir_offset + 2);
    g_fs_change();
    EXPECT_NE(wfs_work_driver(0), pdp) << "a failed partition is no longer a work driver";
}

TEST_F(BadImageTest, ADataAreaThatEndsPastThePartitionIsRefused)
{
    sim::Manifest m;
    ASSERT_TRUE(sim::planDisk(healthyDisk(), m).ok);
    const sim::PartitionResult &p = m.partitions[0];
    const uint64_t dataBlocks = (uint64_t)p.totalClus * p.secPerClus;
    ASSERT_LE(dataBlocks, p.totalSectors) << "the clusters alone fit";
    const uint32_t pastTheEnd = (uint32_t)(p.totalSectors - dataBlocks + 1);
    std::string log = mountDamaged({u32Patch(p.startSector + p.tempOff, 72, pastTheEnd)});
    EXPECT_NE(log.find("partition crashed: disk 0 partition 0: data_offset " + std::to_string(pastTheEnd)),
              std::string::npos)
        << log;

    sim::Scenario atTheEnd = healthyDisk();
    atTheEnd.patches = {u32Patch(p.startSector + p.tempOff, 72, pastTheEnd - 1)};
    SimDisk disk(dir, "data-at-end.img", atTheEnd);
    ConsoleCapture console;
    mountImages({disk.path});
    EXPECT_NE(get_pdp(0, 0), nullptr) << "a data area that ends with the partition is sound";
}

// The type that marks a free driver slot, read from a partition: the partition stays mounted
// (read-only type 1) and the next partition does not take its slot (found by the disk fuzzer,
// on a volume converted from "WFS0.3", where the freed slot was then used).
TEST_F(BadImageTest, APartitionTypeThatMarksAFreeSlotKeepsItsSlot)
{
    for (bool oldVolume : {false, true}) {
        SCOPED_TRACE(oldVolume ? "WFS0.3" : "WFS0.4");
        sim::Scenario s = healthyDisk();
        s.patches = {u32Patch(PDP_BLOCK, 84, WFS_DRIVER_FREE)};
        if (oldVolume) {
            sim::Patch version;
            version.bytes = {'3'};
            version.offset = 5;
            s.patches.push_back(version);
        }
        SimDisk disk(dir, "type255.img", s);
        ConsoleCapture console;
        mountImages({disk.path});
        wfs_pdp *first = get_pdp(0, 0), *second = get_pdp(0, 1);
        ASSERT_NE(first, nullptr);
        ASSERT_NE(second, nullptr);
        EXPECT_NE(first, second);
        EXPECT_EQ(first->driver_type, 1u);
        EXPECT_EQ(second->driver_type, 0u);
        EXPECT_NE(console.text().find("DISK Set to ReadOnly!"), std::string::npos);
    }
}
