#include "sim_disk.h"

#include "wfs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace {
const sim::Seconds DAY = sim::makeTime(2026, 3, 5, 8, 0, 0);

class RepairTest : public ::testing::Test {
protected:
    ScratchDir dir;
};

wfs_dir_item itemOf(uint32_t disk, uint32_t part, uint32_t clus)
{
    wfs_dir_item d = {};
    EXPECT_EQ(get_dir_item_info(get_pdp(disk, part), clus, &d), WFS_OK);
    return d;
}

// Reads enough other metadata that every cached block is replaced.
void evictCache(wfs_pdp *pdp)
{
    for (uint32_t clus = 0; clus < 3 * WFS_NR_BUFFERS * 16 && clus <= pdp->total_clus; clus += 16) {
        wfs_dir_item d;
        get_dir_item_info(pdp, pdp->total_clus - clus, &d);
    }
    for (int i = 0; i < 2 * WFS_NR_BUFFERS; ++i) brelse(bread(pdp->dev, pdp->start_sector + pdp->data_offset + i));
}

void expectClosed(const sim::RecordingResult &rec, const sim::PartitionResult &part, uint32_t lastCluster)
{
    wfs_dir_item first = itemOf(0, (uint32_t)rec.partition, rec.firstCluster);
    wfs_dir_item last = itemOf(0, (uint32_t)rec.partition, lastCluster);
    EXPECT_EQ(last.down_cluster_no, 0u) << "the open cluster is closed";
    EXPECT_EQ(first.item_num, rec.clusterCount - 1);
    EXPECT_EQ(first.end_time, last.end_time);
    EXPECT_EQ(first.end_length, last.end_length);
    EXPECT_NE(first.end_time, first.start_time);
    (void)part;
}
} // namespace

TEST_F(RepairTest, UncleanStopClosesOpenRecordingsAndTheRepairSurvivesEviction)
{
    sim::Scenario s;
    s.partitions = {partition(4000)};
    for (int ch = 0; ch < 4; ++ch) s.recordings.push_back(recording(ch, DAY, 300, 0));
    s.uncleanStop = true;
    SimDisk disk(dir, "unclean.img", s);
    uint64_t before = fileDigest(disk.path);
    const sim::PartitionResult &part = disk.manifest.partitions[0];
    ASSERT_NE(part.status, WFS_STATUS_CLEAN);
    ASSERT_EQ(mountImages({disk.path}), WFS_OK);
    wfs_pdp *pdp = get_pdp(0, 0);
    EXPECT_EQ(pdp->status, WFS_STATUS_CLEAN);
    EXPECT_EQ(pdp->current_cluster, part.headCluster) << "the write head moves to the newest closed cluster";
    uint32_t end1 = 0;
    get_dir_item_time1(pdp, part.headCluster, &end1);
    EXPECT_EQ(pdp->end_time1, end1);

    std::vector<std::pair<const sim::RecordingResult *, uint32_t>> open;
    for (const sim::RecordingResult &rec : disk.manifest.recordings) {
        if (rec.state != sim::RecordingState::Open) continue;
        wfs_dir_item first = itemOf(0, 0, rec.firstCluster);
        uint32_t last = rec.firstCluster;
        for (uint32_t i = 0; i + 1 < rec.clusterCount; ++i) last = itemOf(0, 0, last).down_cluster_no;
        (void)first;
        open.push_back({&rec, last});
    }
    ASSERT_EQ(open.size(), 4u);
    for (auto &o : open) expectClosed(*o.first, part, o.second);

    evictCache(pdp);
    EXPECT_GT(wfs_overlay_size(), 0u);
    for (auto &o : open) expectClosed(*o.first, part, o.second);
    uint8_t index = 0;
    get_index_item_info(pdp, part.headCluster, &index);
    EXPECT_NE(index & 3, 3) << "the index was rebuilt for the repaired clusters";
    EXPECT_EQ(fileDigest(disk.path), before);
}

TEST_F(RepairTest, CleanPartitionsAndOtherTypesAreNotRepaired)
{
    sim::Scenario s;
    s.partitions = {partition(2000), partition(2000, 1)};
    s.recordings = {recording(0, DAY, 100, 0)};
    s.partitions[1].status = 0x55;
    SimDisk disk(dir, "types.img", s);
    mountImages({disk.path});
    ASSERT_NE(get_pdp(0, 1), nullptr);
    EXPECT_EQ(get_pdp(0, 1)->status, 0x55u) << "type 1 is mounted without repair";
    EXPECT_EQ(wfs_overlay_size(), 0u) << "nothing was written for a clean disk";
}

TEST_F(RepairTest, ClockJumpsSplitThePartitionIntoSections)
{
    sim::Scenario s;
    s.partitions = {partition(4000)};
    s.recordings = {recording(0, DAY, 600, 0), recording(1, DAY, 600, 0)};
    s.clockJumps = {{DAY + 200, 3600}, {DAY + 400, 60}};
    SimDisk disk(dir, "jumps.img", s);
    ASSERT_EQ(mountImages({disk.path}), WFS_OK);
    const sim::PartitionResult &part = disk.manifest.partitions[0];
    wfs_pdp *pdp = get_pdp(0, 0);
    ASSERT_EQ(part.collisions.size(), 2u);
    ASSERT_EQ(pdp->collision_num, 2u);
    EXPECT_EQ(pdp->work_section, 2u);
    EXPECT_EQ(pdp->sections[0].start_clus, part.revClus);
    for (size_t i = 0; i < 2; ++i) {
        uint32_t x = part.collisions[i];
        EXPECT_EQ(pdp->sections[i].end_clus, x - 1);
        EXPECT_EQ(pdp->sections[i + 1].start_clus, x);
        uint32_t before = 0;
        get_dir_item_time(pdp, x - 1, &before);
        EXPECT_LT(pdp->sections[i + 1].start_time, before) << "time restarts at the collision";
    }
    EXPECT_EQ(pdp->sections[2].end_clus, pdp->current_cluster);
    EXPECT_EQ(pdp->sections[3].end_clus, 0u) << "no previous lap";
    for (int j = 0; j < 3; ++j) EXPECT_TRUE(wfs_section_valid(pdp, j));
    EXPECT_FALSE(wfs_section_valid(pdp, 3));
    wfs_driver_info info;
    wfs_get_driver_info(0, 0, &info);
    EXPECT_EQ(info.section_count, 4u);
    uint32_t earliest = pdp->sections[0].start_time;
    for (int j = 1; j < 3; ++j) earliest = std::min(earliest, pdp->sections[j].start_time);
    EXPECT_EQ(info.start_time2, earliest) << "every section lies below the write head";
    EXPECT_EQ(info.end_time2, pdp->sections[2].end_time);
}

TEST_F(RepairTest, WrappedPartitionKeepsThePreviousLapAsItsLastSection)
{
    sim::Scenario s;
    s.partitions = {partition(400)};
    s.recordings = {recording(0, DAY, 3600, 0)};
    SimDisk disk(dir, "wrap.img", s);
    ASSERT_EQ(mountImages({disk.path}), WFS_OK);
    const sim::PartitionResult &part = disk.manifest.partitions[0];
    ASSERT_NE(part.startCluster2, 0u) << "the scenario must wrap";
    wfs_pdp *pdp = get_pdp(0, 0);
    EXPECT_EQ(pdp->start_cluster2, part.startCluster2);
    EXPECT_EQ(pdp->flag_f, part.flagF);
    const wfs_time_section &last = pdp->sections[1];
    EXPECT_EQ(last.start_clus, pdp->current_cluster + 1);
    EXPECT_EQ(last.end_clus, part.endCluster2);
    EXPECT_EQ(last.end_time, part.endTime2);
    EXPECT_LT(last.start_time, pdp->sections[0].start_time) << "the previous lap holds the older recordings";
    wfs_driver_info info;
    wfs_get_driver_info(0, 0, &info);
    EXPECT_EQ(info.free_mib, 0u);
    EXPECT_EQ(info.start_time, last.start_time);
}
