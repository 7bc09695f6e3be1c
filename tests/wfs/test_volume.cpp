#include "sim_disk.h"

#include "wfs.h"

#include <gtest/gtest.h>

#include <unistd.h>

namespace {
const sim::Seconds DAY = sim::makeTime(2026, 3, 5, 8, 0, 0);

sim::Scenario twoPartitionDisk()
{
    sim::Scenario s;
    s.partitions = {partition(3000), partition(3000)};
    for (int ch = 0; ch < 3; ++ch) {
        s.recordings.push_back(recording(ch, DAY, 120, 0));
        s.recordings.push_back(recording(ch, DAY + 600, 60, 1));
    }
    return s;
}


class VolumeTest : public ::testing::Test {
protected:
    ScratchDir dir;
};
} // namespace

TEST_F(VolumeTest, CleanDiskMountsAsTheRecorderLeftIt)
{
    SimDisk disk(dir, "clean.img", twoPartitionDisk());
    uint64_t before = fileDigest(disk.path);
    int normal = 0;
    ASSERT_EQ(mountImages({disk.path}, &normal), WFS_OK);
    EXPECT_EQ(normal, 2);
    for (uint32_t p = 0; p < 2; ++p) {
        const sim::PartitionResult &want = disk.manifest.partitions[p];
        wfs_pdp *pdp = get_pdp(0, p);
        ASSERT_NE(pdp, nullptr);
        EXPECT_EQ(pdp->start_sector, want.startSector);
        EXPECT_EQ(pdp->total_clus, want.totalClus);
        EXPECT_EQ(pdp->current_cluster, want.currentCluster);
        EXPECT_EQ(pdp->start_time1, want.startTime1);
        EXPECT_EQ(pdp->end_time1, want.endTime1);
        EXPECT_EQ(pdp->collision_off, want.tempOff + 4);
        wfs_driver_info info;
        ASSERT_EQ(wfs_get_driver_info(0, p, &info), 0u);
        EXPECT_EQ(info.section_count, 2u);
        EXPECT_EQ(info.total_mib, (uint32_t)(((uint64_t)want.totalClus * want.secPerClus + want.dataOffset) / 2048));
        EXPECT_EQ(info.err_status, 0u);
    }
    EXPECT_EQ(wfs_work_driver(0), get_pdp(0, 1)) << "the partition with the newest recording is written now";
    EXPECT_EQ(get_pdp(0, 1)->next, get_pdp(0, 0));
    EXPECT_EQ(get_pdp(0, 0)->next, get_pdp(0, 1));
    EXPECT_EQ(fileDigest(disk.path), before) << "mounting never changes the image";
}

TEST_F(VolumeTest, VolumeBehindAnMbrIsFound)
{
    sim::Scenario s = twoPartitionDisk();
    s.mbrStart = 63;
    SimDisk disk(dir, "mbr.img", s);
    ASSERT_EQ(mountImages({disk.path}), WFS_OK);
    EXPECT_EQ(ide_get_base_sector(0), 63u);
    ASSERT_NE(get_pdp(0, 1), nullptr);
    EXPECT_EQ(get_pdp(0, 1)->end_time1, disk.manifest.partitions[1].endTime1);
}

TEST_F(VolumeTest, CapacityFollowsThePartitionTableOnlyWhenFarOff)
{
    SimDisk near(dir, "near.img", twoPartitionDisk());
    SimDisk far(dir, "far.img", twoPartitionDisk());
    uint64_t sum = near.manifest.partitions[0].totalSectors + near.manifest.partitions[1].totalSectors;
    ASSERT_EQ(truncate(near.path.c_str(), (off_t)((sum + 1000) * 512)), 0);
    ASSERT_EQ(truncate(far.path.c_str(), (off_t)((sum + 5000) * 512)), 0);
    mountImages({near.path, far.path});
    IdeInfo info;
    ide_get_info(&info);
    EXPECT_EQ(info.ide_cap[0], sum + 1000);
    EXPECT_EQ(info.ide_cap[1], sum);
}

TEST_F(VolumeTest, OldVersionIsConvertedInMemoryOnly)
{
    sim::Scenario s;
    s.version = "WFS0.3";
    s.sectorsPerCluster = 4096; // the converted user-data area lies in the first 60 MiB of data
    s.partitions = {partition(64), partition(64)};
    s.recordings = {recording(0, DAY, 60, 0), recording(1, DAY, 60, 1)};
    SimDisk disk(dir, "old.img", s);
    uint64_t before = fileDigest(disk.path);
    ASSERT_EQ(mountImages({disk.path}), WFS_OK);
    wfs_pdp *pdp = get_pdp(0, 0);
    ASSERT_NE(pdp, nullptr);
    EXPECT_EQ(pdp->ud_offset, pdp->data_offset + 40960);
    EXPECT_EQ(pdp->ud_item_count, 0x280000u);
    EXPECT_EQ(pdp->ud_first_item, 1u);
    int ver = 0;
    check_disk_ver(0, &ver);
    EXPECT_EQ(ver, WFS_VER_OK) << "the converted header stays converted for the session";
    EXPECT_EQ(fileDigest(disk.path), before);
}

TEST_F(VolumeTest, UnknownVersionYieldsNoPartitions)
{
    sim::Scenario s = twoPartitionDisk();
    s.patches.push_back({0, 0, {'W', 'F', 'S', '0', '.', '5', 0}});
    SimDisk disk(dir, "v5.img", s);
    int normal = -1;
    EXPECT_EQ(mountImages({disk.path}, &normal), WFS_ERR_NO_NORMAL_DRIVER);
    EXPECT_EQ(normal, 0);
    EXPECT_EQ(get_pdp(0, 0), nullptr);
}

TEST_F(VolumeTest, WorkDriverPrefersTheNewestAndTheLowerSlotOnTies)
{
    sim::Scenario s;
    s.partitions = {partition(2000), partition(2000), partition(500, 4)};
    s.recordings = {recording(0, DAY, 60, 0), recording(0, DAY, 60, 1)};
    SimDisk disk(dir, "tie.img", s);
    ASSERT_EQ(mountImages({disk.path}), WFS_OK);
    ASSERT_EQ(get_pdp(0, 0)->end_time1, get_pdp(0, 1)->end_time1);
    EXPECT_EQ(wfs_work_driver(0), get_pdp(0, 0));
    EXPECT_EQ(wfs_type_count(0), 2u);
    EXPECT_EQ(wfs_type_count(4), 1u);
    wfs_driver_info info;
    wfs_get_driver_info(0, 1, &info);
    EXPECT_EQ(info.is_work_driver, 0u);
}

TEST_F(VolumeTest, FreeSpaceCountsClustersAfterTheWriteHead)
{
    sim::Scenario s;
    s.sectorsPerCluster = 4096; // 2 MiB clusters
    s.partitions = {partition(100)};
    s.recordings = {recording(0, DAY, 10, 0)};
    s.recordings[0].bytesPerSecond = 1 << 20;
    SimDisk disk(dir, "free.img", s);
    ASSERT_EQ(mountImages({disk.path}), WFS_OK);
    wfs_pdp *pdp = get_pdp(0, 0);
    wfs_driver_info info;
    wfs_get_driver_info(0, 0, &info);
    EXPECT_EQ(info.free_mib, (100 - pdp->current_cluster - 1) * 2);
    pdp->current_cluster = 95; // 4 clusters = 8 MiB left: below the 16 MiB floor
    wfs_get_driver_info(0, 0, &info);
    EXPECT_EQ(info.free_mib, 0u);
}
