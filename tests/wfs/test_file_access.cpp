#include "sim_disk.h"

#include "wfs.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {
const sim::Seconds DAY = sim::makeTime(2026, 3, 5, 8, 0, 0);

uint32_t le32(const uint8_t *p)
{
    uint32_t v;
    memcpy(&v, p, 4);
    return v;
}

// Walks the recorder frames of a recording's bytes; the count of bytes covered by whole frames.
size_t frameBytes(const std::vector<uint8_t> &data, size_t from, int *keyFrames)
{
    size_t at = from;
    *keyFrames = 0;
    while (at + 16 <= data.size() && data[at] == 0 && data[at + 1] == 0 && data[at + 2] == 1) {
        size_t size = 0;
        switch (data[at + 3]) {
        case 0xFC:
            size = 16 + le32(&data[at + 12]);
            ++*keyFrames;
            break;
        case 0xFD:
            size = 8 + le32(&data[at + 4]);
            break;
        case 0xFA:
            size = 8 + (data[at + 6] | data[at + 7] << 8);
            break;
        default:
            return at - from;
        }
        if (at + size > data.size()) break;
        at += size;
    }
    return at - from;
}

class FileAccessTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        sim::Scenario s;
        s.partitions = {partition(3000)};
        for (int ch = 0; ch < 3; ++ch) s.recordings.push_back(recording(ch, DAY + ch, 40, 0));
        s.recordings[1].dhiiSectors = 4;
        s.recordings[2].audio = true;
        disk = std::make_unique<SimDisk>(dir, "files.img", s);
        ASSERT_EQ(mountImages({disk->path}), WFS_OK);
        pdp = get_pdp(0, 0);
    }

    FILEHANDLE openAt(const sim::RecordingResult &rec)
    {
        FILEHANDLE h = nullptr;
        EXPECT_EQ(wfs_file_open(&h, 1, 0), WFS_OK);
        EXPECT_EQ(wfs_file_goto_clus(h, 0, 0, rec.firstCluster), WFS_OK);
        return h;
    }

    std::vector<uint8_t> readAll(FILEHANDLE h, uint32_t sectors, uint32_t step)
    {
        std::vector<uint8_t> data((size_t)sectors * 512);
        for (uint32_t done = 0; done < sectors; done += step) {
            uint32_t n = std::min(step, sectors - done);
            EXPECT_EQ(wfs_file_read(h, &data[(size_t)done * 512], n), WFS_OK) << "at sector " << done;
        }
        return data;
    }

    ScratchDir dir;
    std::unique_ptr<SimDisk> disk;
    wfs_pdp *pdp = nullptr;
};
} // namespace

TEST_F(FileAccessTest, ReadingFollowsEachRecordingsChainThroughInterleavedClusters)
{
    for (const sim::RecordingResult &rec : disk->manifest.recordings) {
        SCOPED_TRACE("channel " + std::to_string(rec.channel));
        ASSERT_GT(rec.clusterCount, 3u) << "the recording must span clusters of other channels";
        FILEHANDLE h = openAt(rec);
        uint32_t start = 0, end = 0, kib = 0;
        ASSERT_EQ(wfs_get_file_info2(h, &start, &end, &kib), WFS_OK);
        EXPECT_EQ(start, rec.startTime);
        EXPECT_EQ(kib, rec.lengthKiB);
        for (uint32_t step : {1u, 3u, 8u, 13u}) {
            ASSERT_EQ(wfs_file_moveto_len(h, 0), WFS_OK);
            std::vector<uint8_t> data = readAll(h, (rec.clusterCount - 1) * 8 + rec.endLength, step);
            size_t head = (size_t)rec.headSectors * 512;
            if (head) {
                EXPECT_EQ(memcmp(data.data(), "DHII", 4), 0);
            }
            int keys = 0;
            EXPECT_EQ(head + frameBytes(data, head, &keys), rec.dataBytes) << "read with " << step << "-sector steps";
            EXPECT_EQ(keys, 40);
        }
        uint8_t tail[1024];
        EXPECT_EQ(wfs_file_read(h, tail, 2), WFS_ERR_END_OF_CHAIN) << "nothing follows the last cluster";
        EXPECT_EQ(wfs_file_close(h), WFS_OK);
    }
}

TEST_F(FileAccessTest, ClusterEndsAndTheLastCluster)
{
    const sim::RecordingResult &rec = disk->manifest.recordings[0];
    FILEHANDLE h = openAt(rec);
    std::vector<uint8_t> buf(16 * 512);
    ASSERT_EQ(wfs_file_read(h, buf.data(), 8), WFS_OK);
    EXPECT_EQ(h->cur_offset, 8u);
    EXPECT_EQ(h->cur_cluster, rec.firstCluster) << "reading exactly to the end stays in the cluster";
    ASSERT_EQ(wfs_file_read(h, buf.data(), 1), WFS_OK);
    EXPECT_NE(h->cur_cluster, rec.firstCluster);
    EXPECT_EQ(h->curr_clus_num, 1u);
    uint32_t length = (rec.clusterCount - 1) * 8 + rec.endLength;
    ASSERT_EQ(wfs_file_moveto_len(h, length - 1), WFS_OK);
    memset(buf.data(), 0, buf.size());
    ASSERT_EQ(wfs_file_read(h, buf.data(), 4), WFS_OK) << "a read past the end still succeeds";
    for (size_t i = 512; i < 4 * 512; ++i) ASSERT_EQ(buf[i], 0xFF) << "byte " << i;
    wfs_file_close(h);
}

TEST_F(FileAccessTest, PositioningByLength)
{
    const sim::RecordingResult &rec = disk->manifest.recordings[0];
    FILEHANDLE h = openAt(rec);
    uint32_t length = (rec.clusterCount - 1) * 8 + rec.endLength;
    EXPECT_EQ(wfs_file_moveto_len(h, length), WFS_OK);
    EXPECT_EQ(wfs_file_moveto_len(h, length + 1), WFS_ERR_NOT_PRESENT);
    ASSERT_EQ(wfs_file_moveto_len(h, 16), WFS_OK);
    uint32_t at = 0;
    wfs_file_tell(h, &at);
    EXPECT_EQ(at, 16u);
    EXPECT_EQ(h->curr_clus_num, 1u) << "a cluster boundary stays at the end of the earlier cluster";
    EXPECT_EQ(h->cur_offset, 8u);
    wfs_file_tell(h, nullptr);
    wfs_file_close(h);
}

TEST_F(FileAccessTest, OpeningNeedsTheFirstClusterOfARecording)
{
    const sim::RecordingResult &rec = disk->manifest.recordings[0];
    FILEHANDLE h = nullptr;
    ASSERT_EQ(wfs_file_open(&h, 1, 0), WFS_OK);
    uint32_t second = 0;
    ASSERT_EQ(get_next_clus_no(pdp, WFS_SEARCH_NEXT_OF_FILE, rec.firstCluster, 0, &second, 0), WFS_OK);
    EXPECT_EQ(wfs_file_goto_clus(h, 0, 0, second), FS_NO_EXIST_FILE);
    EXPECT_EQ(wfs_file_goto_clus(h, 0, 3, rec.firstCluster), FS_NO_EXIST_FILE) << "no such partition";
    uint32_t found = 0;
    EXPECT_EQ(get_next_clus_no(pdp, WFS_SEARCH_PREV_OF_FILE, second, 0, &found, 0), WFS_OK);
    EXPECT_EQ(found, rec.firstCluster);
    EXPECT_EQ(get_next_clus_no(pdp, WFS_SEARCH_PREV_OF_FILE, rec.firstCluster, 0, &found, 0), WFS_ERR_RECORD_BOUNDARY);
    wfs_file_close(h);
}

TEST_F(FileAccessTest, HandlesGoStaleAtARescanAndRunOut)
{
    ConsoleCapture console;
    FILEHANDLE h = openAt(disk->manifest.recordings[0]);
    g_fs_change();
    uint8_t buf[512];
    EXPECT_EQ(wfs_file_read(h, buf, 1), WFS_ERR_BAD_HANDLE);
    EXPECT_EQ(wfs_file_close(h), WFS_ERR_BAD_HANDLE);
    EXPECT_NE(console.text().find("INVALID HANDLE: Src\\file"), std::string::npos);
    std::vector<FILEHANDLE> open;
    FILEHANDLE next = nullptr;
    while (wfs_file_open(&next, 1, 0) == WFS_OK) open.push_back(next);
    EXPECT_EQ(open.size(), (size_t)WFS_MAX_HANDLES - 1) << "the stale slot stays taken until the next initialisation";
    EXPECT_NE(console.text().find("none available handle"), std::string::npos);
    for (FILEHANDLE f : open) wfs_file_close(f);
    mountImages({disk->path});
    for (int i = 0; i < WFS_MAX_HANDLES; ++i) ASSERT_EQ(wfs_file_open(&next, 1, 0), WFS_OK);
    EXPECT_NE(wfs_file_open(&next, 1, 0), WFS_OK);
    EXPECT_EQ(next, nullptr);
}

TEST_F(FileAccessTest, TimeSearchPositionsOnTheCoveringOrTheNextRecording)
{
    const sim::RecordingResult &rec = disk->manifest.recordings[1];
    FILEHANDLE h = nullptr;
    ASSERT_EQ(wfs_file_open(&h, 1, 0), WFS_OK);
    uint32_t inside = wfs_time_add_seconds(rec.startTime, 20);
    ASSERT_EQ(file_goto_work_driver(h, 1, inside, WFS_SEARCH_USABLE, 0, 0xFFFFFFFF, 0xFF, 0, WFS_STREAM_ANY), WFS_OK);
    EXPECT_EQ(h->first_cluster, rec.firstCluster);
    EXPECT_LE(h->cur_dir_info.start_time, inside);
    EXPECT_GE(h->cur_dir_info.end_time, inside) << "type 2 lands on the cluster that covers the time";
    EXPECT_EQ(file_goto_work_driver(h, 1, inside, WFS_SEARCH_FIRST, 0, 0xFFFFFFFF, 0xFF, 0, WFS_STREAM_ANY),
              FS_NO_EXIST_FILE) << "nothing of channel 1 starts later";
    ASSERT_EQ(file_goto_work_driver(h, 1, rec.startTime - 30, WFS_SEARCH_FIRST, 0, 0xFFFFFFFF, 0xFF, 0,
                                    WFS_STREAM_ANY), WFS_OK);
    EXPECT_EQ(h->cur_cluster, rec.firstCluster);
    wfs_file_close(h);
}
