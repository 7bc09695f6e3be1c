// Time search at the edges of recordings: an end time is exclusive, a gap leads to the next
// recording, and the list leaves out a recording that ends exactly where the asked range starts.
#include "sim_recording.h"

#include "wfs.h"

#include <gtest/gtest.h>

namespace
{
const sim::Seconds DAY = sim::makeTime(2026, 3, 5, 8, 0, 0);

class TimeSearchEdges : public ::testing::Test
{
  protected:
    // Channel 0: A, a gap of a minute, then B and C back to back; channel 1 covers everything.
    void SetUp() override
    {
        sim::Scenario s;
        s.partitions = {partition(3000)};
        s.recordings = {recording(0, DAY, 60, 0), recording(0, DAY + 120, 60, 0),
                        recording(0, DAY + 180, 60, 0), recording(1, DAY - 30, 300, 0)};
        disk = std::make_unique<SimDisk>(dir, "edges.img", s);
        ASSERT_EQ(mountImages({disk->path}), WFS_OK);
        ASSERT_EQ(wfs_file_open(&h, 1, 0), WFS_OK);
    }
    void TearDown() override { wfs_file_close(h); }

    const sim::RecordingResult &rec(size_t i) const { return disk->manifest.recordings[i]; }

    // The first cluster of the recording a search of channel 0 lands on, 0 when none.
    uint32_t landsOn(uint32_t time, int type)
    {
        if (file_goto_work_driver(h, 0, time, type, 0, 0xFFFFFFFF, 0xFF, 0, WFS_STREAM_ANY) != WFS_OK)
            return 0;
        return h->first_cluster;
    }

    std::vector<uint32_t> listed(uint32_t from, uint32_t to)
    {
        uint32_t count = 16;
        wfs_file_info_v2 records[16];
        wfs_file_list(0, from, to, &count, records, 0xFFFFFFFF, 0, WFS_LIST_VIDEO, WFS_STREAM_ANY);
        std::vector<uint32_t> firsts;
        for (uint32_t i = 0; i < count; ++i)
            firsts.push_back(records[i].first_cluster_no);
        return firsts;
    }

    ScratchDir dir;
    std::unique_ptr<SimDisk> disk;
    FILEHANDLE h = nullptr;
};
} // namespace

TEST_F(TimeSearchEdges, AUsableSearchAtARecordingsEndLandsOnTheNextOne)
{
    ASSERT_EQ(rec(1).endTime, rec(2).startTime);
    EXPECT_EQ(landsOn(rec(1).endTime, WFS_SEARCH_USABLE), rec(2).firstCluster) << "back to back";
    EXPECT_EQ(landsOn(wfs_time_add_seconds(rec(1).endTime, -1), WFS_SEARCH_USABLE), rec(1).firstCluster)
        << "its last second still belongs to it";
    EXPECT_EQ(landsOn(rec(0).endTime, WFS_SEARCH_USABLE), rec(1).firstCluster) << "across the gap after it";
    EXPECT_EQ(h->cur_cluster, rec(1).firstCluster) << "on the later recording's first cluster";
    EXPECT_EQ(landsOn(rec(2).endTime, WFS_SEARCH_USABLE), 0u) << "nothing of the channel after the last one";
}

TEST_F(TimeSearchEdges, AUsableSearchInAGapLandsOnTheLaterRecording)
{
    EXPECT_EQ(landsOn(wfs_time_add_seconds(rec(0).endTime, 30), WFS_SEARCH_USABLE), rec(1).firstCluster);
    EXPECT_EQ(landsOn(wfs_time_add_seconds(rec(1).startTime, -1), WFS_SEARCH_USABLE), rec(1).firstCluster);
    EXPECT_EQ(landsOn(wfs_time_add_seconds(rec(0).endTime, 30), WFS_SEARCH_FIRST), rec(1).firstCluster);
    EXPECT_EQ(landsOn(wfs_time_add_seconds(rec(0).startTime, 1), WFS_SEARCH_FIRST), rec(1).firstCluster)
        << "the first recording that starts at or after the time";
    EXPECT_EQ(landsOn(rec(2).startTime, WFS_SEARCH_FIRST), rec(2).firstCluster)
        << "one that starts at the time";
}

TEST_F(TimeSearchEdges, TheListLeavesOutARecordingThatEndsWhereTheRangeStarts)
{
    const uint32_t late = wfs_time_add_seconds(rec(2).endTime, 600);
    EXPECT_EQ(listed(rec(0).endTime, late),
              (std::vector<uint32_t>{rec(1).firstCluster, rec(2).firstCluster}));
    EXPECT_EQ(listed(wfs_time_add_seconds(rec(0).endTime, -1), late),
              (std::vector<uint32_t>{rec(0).firstCluster, rec(1).firstCluster, rec(2).firstCluster}));
    EXPECT_EQ(listed(rec(1).endTime, late), (std::vector<uint32_t>{rec(2).firstCluster}));
    EXPECT_EQ(listed(rec(0).startTime, rec(1).startTime), (std::vector<uint32_t>{rec(0).firstCluster}))
        << "nor one that starts where the range ends";
}

// The recorder stopped after writing A's last cluster and before closing A's first: the search at
// A's end finds A's last cluster still running, and only the list's own bound leaves A out.
TEST_F(TimeSearchEdges, TheListBoundHoldsWhenTheLastClusterRunsPastTheRecordingsEnd)
{
    wfs_pdp *pdp = get_pdp(0, 0);
    uint32_t last = rec(0).firstCluster;
    for (uint32_t next = 0; get_next_clus_no(pdp, WFS_SEARCH_NEXT_OF_FILE, last, 0, &next, 0) == WFS_OK;)
        last = next;
    ASSERT_NE(last, rec(0).firstCluster);
    ASSERT_EQ(set_dir_item_end_time(pdp, last, wfs_time_add_seconds(rec(0).endTime, 30), 0, false), WFS_OK);
    const uint32_t late = wfs_time_add_seconds(rec(2).endTime, 600);
    EXPECT_EQ(listed(rec(0).endTime, late),
              (std::vector<uint32_t>{rec(1).firstCluster, rec(2).firstCluster}));
    EXPECT_EQ(listed(wfs_time_add_seconds(rec(0).endTime, -1), late),
              (std::vector<uint32_t>{rec(0).firstCluster, rec(1).firstCluster, rec(2).firstCluster}));
}

namespace
{
// Two channels over two sections: the recorder's clock went back an hour between them, so the
// second section starts with a recording of channel 1 and the first with one of channel 0. A
// cluster holds four seconds, so a time can lie inside a recording's first cluster.
class BackwardSearch : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        sim::Scenario s;
        s.sectorsPerCluster = 64;
        s.partitions = {partition(400)};
        s.recordings = {recording(0, DAY, 60, 0),       recording(1, DAY + 5, 60, 0),
                        recording(0, DAY + 120, 60, 0), recording(1, DAY + 150, 60, 0),
                        recording(1, DAY + 240, 60, 0), recording(0, DAY + 250, 60, 0)};
        s.recordings[2].alarm = 2;
        s.clockJumps = {{DAY + 230, 3600}};
        disk = std::make_unique<SimDisk>(dir, "backward.img", s);
        ASSERT_EQ(mountImages({disk->path}), WFS_OK);
        ASSERT_EQ(wfs_file_open(&h, 1, 0), WFS_OK);
        const wfs_pdp *pdp = get_pdp(0, 0);
        ASSERT_EQ(pdp->collision_num, 1u) << "two sections";
        ASSERT_EQ(rec(0).firstCluster, pdp->sections[0].start_clus);
        ASSERT_EQ(rec(4).firstCluster, pdp->collision[0]) << "the second section starts with channel 1";
    }
    void TearDown() override { wfs_file_close(h); }

    const sim::RecordingResult &rec(size_t i) const { return resultOf(disk->manifest, i); }

    // The first cluster of the recording a backward search lands on, 0 when none; a usable search
    // must stand on a cluster that starts at or before the time.
    uint32_t landsOn(uint8_t channel, uint32_t time, int type, uint32_t alarms = 0xFFFFFFFF)
    {
        if (file_goto_work_driver(h, channel, time, type, 0, alarms, 0xFF, 0, WFS_STREAM_ANY) != WFS_OK)
            return 0;
        EXPECT_LE(h->cur_dir_info.start_time, time);
        EXPECT_EQ(h->cur_dir_info.chn_av >> 2, channel);
        return h->first_cluster;
    }

    ScratchDir dir;
    std::unique_ptr<SimDisk> disk;
    FILEHANDLE h = nullptr;
};
} // namespace

TEST_F(BackwardSearch, FindsTheRecordingThatCoversTheTimeOrTheLastBeforeIt)
{
    auto at = [&](size_t i, int64_t seconds) { return wfs_time_add_seconds(rec(i).startTime, seconds); };
    for (int type : {WFS_SEARCH_FIRST_DOWN, WFS_SEARCH_USABLE_DOWN}) {
        SCOPED_TRACE(type == WFS_SEARCH_FIRST_DOWN ? "FIRST_DOWN" : "USABLE_DOWN");
        EXPECT_EQ(landsOn(0, at(0, 1), type), rec(0).firstCluster) << "channel 0 at the first section's start";
        EXPECT_EQ(landsOn(0, at(0, 40), type), rec(0).firstCluster);
        EXPECT_EQ(landsOn(1, at(4, 1), type), rec(4).firstCluster) << "channel 1 at the second section's start";
        EXPECT_EQ(landsOn(1, rec(4).startTime, type), rec(4).firstCluster) << "a recording starting at the time";
        EXPECT_EQ(landsOn(0, at(2, 30), type), rec(2).firstCluster) << "channel 0 near the first section's end";
        EXPECT_EQ(landsOn(1, at(3, 59), type), rec(3).firstCluster) << "the first section's last second";
        EXPECT_EQ(landsOn(0, at(5, 59), type), rec(5).firstCluster) << "the second section's last second";
        EXPECT_EQ(landsOn(0, at(2, 100), type), rec(2).firstCluster) << "after the first section: the last before";
        EXPECT_EQ(landsOn(1, at(3, -30), type), rec(1).firstCluster) << "in a gap: the last before";
        EXPECT_EQ(landsOn(1, at(4, -600), type), 0u) << "nothing before the second section's clock";
    }
    EXPECT_EQ(landsOn(0, at(2, 30), WFS_SEARCH_FIRST_DOWN, ~(1u << 2)), rec(0).firstCluster)
        << "a recording of an alarm type not asked for is passed over";
}
