#include "wfs_test_image.h"

#include "wfs.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {
const uint64_t PART_START = 100;
const uint32_t DIR_OFFSET = 10;
const uint32_t INDEX_OFFSET = 200;
const uint32_t UD_OFFSET = 210;

class DirTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        image = std::make_unique<RawImage>(dir.file("dir.img"), 1024);
        image->text(0, 0, "WFS0.4", 7);
        ASSERT_EQ(scanImages({image->path()}), 1);
        wfs_clear_key_params();
        buffer_init();
        memset(&pdp, 0, sizeof pdp);
        pdp.dev = 0;
        pdp.start_sector = PART_START;
        pdp.dir_offset = DIR_OFFSET;
        pdp.index_offset = INDEX_OFFSET;
        pdp.total_clus = 2000;
        pdp.rev_clus = 4;
        pdp.sec_per_clus = 2048;
        pdp.sec_size = 512;
        pdp.ud_offset = UD_OFFSET;
        pdp.ud_item_size = 16;
        pdp.ud_item_count = 64;
        pdp.ud_first_item = pdp.ud_last_item = 1;
    }

    void putItem(uint32_t clus, const wfs_dir_item &item)
    {
        image->write(PART_START + DIR_OFFSET + clus / 16, clus % 16 * 32, &item, sizeof item);
    }

    void putIndex(uint32_t clus, uint8_t value) { image->write(PART_START + INDEX_OFFSET + clus / 512, clus % 512, &value, 1); }

    static wfs_dir_item item(uint8_t flag, uint32_t start, uint32_t end, uint32_t down)
    {
        wfs_dir_item d = {};
        d.dir_flag = flag;
        d.start_time = start;
        d.end_time = end;
        d.down_cluster_no = down;
        return d;
    }

    ScratchDir dir;
    std::unique_ptr<RawImage> image;
    wfs_pdp pdp;
    const uint32_t t0 = wfs_pack_time({2026, 3, 5, 10, 15, 0});
};
} // namespace

TEST_F(DirTest, ItemsAndIndexBytesAreFoundInTheirBlocks)
{
    putItem(16, item(2, t0, t0, 0));
    putIndex(512, 0x0E);
    putIndex(511, 0x01);
    uint32_t time = 0;
    ASSERT_EQ(get_dir_item_time(&pdp, 16, &time), WFS_OK);
    EXPECT_EQ(time, t0);
    uint8_t byte = 0;
    ASSERT_EQ(get_index_item_info(&pdp, 512, &byte), WFS_OK);
    EXPECT_EQ(byte, 0x0E);
    ASSERT_EQ(get_index_item_info(&pdp, 511, &byte), WFS_OK);
    EXPECT_EQ(byte, 0x01);
}

TEST_F(DirTest, ClusterBoundIsChecked)
{
    ConsoleCapture console;
    wfs_dir_item d;
    EXPECT_EQ(get_dir_item_info(&pdp, pdp.total_clus, &d), WFS_OK) << "the bound rejects only clusters above total";
    EXPECT_EQ(get_dir_item_info(&pdp, pdp.total_clus + 1, &d), WFS_ERR_CLUSTER_RANGE);
    EXPECT_NE(console.text().find("FSError GET_DIR_ITEM(0 2001 get_dir_item_info) failed"), std::string::npos);
    pdp.index_offset = 0;
    uint8_t byte;
    EXPECT_EQ(get_index_item_info(&pdp, 5, &byte), WFS_ERR_NO_INDEX);
}

TEST_F(DirTest, EndOfAClusterComesFromItsSuccessorOrItsOwnEnd)
{
    uint32_t t1 = wfs_time_add_seconds(t0, 30);
    putItem(10, item(1, t0, t0, WFS_CLUSTER_OPEN));
    putItem(11, item(2, t0, wfs_time_add_seconds(t0, 9), 12));
    putItem(12, item(1, t1, t1, 0));
    uint32_t end = 0;
    ASSERT_EQ(get_dir_item_time1(&pdp, 10, &end), WFS_OK);
    EXPECT_EQ(end, wfs_time_add_seconds(t0, 1)) << "an open cluster with equal times lasts one second";
    ASSERT_EQ(get_dir_item_time1(&pdp, 11, &end), WFS_OK);
    EXPECT_EQ(end, t1);
    ASSERT_EQ(get_dir_item_time1(&pdp, 12, &end), WFS_OK);
    EXPECT_EQ(end, wfs_time_add_seconds(t1, 1));
}

TEST_F(DirTest, IndexTestsConsultLockedItemsOnlyForSpecialStates)
{
    wfs_dir_item locked = item(4, t0, t0, 0);
    locked.attr = WFS_ATTR_LOCKED;
    putItem(20, locked);
    putItem(21, item(4, t0, t0, 0));
    EXPECT_TRUE(wfs_index_usable(&pdp, 20, 0x0F));
    EXPECT_TRUE(wfs_index_first(&pdp, 20, 0x0F));
    EXPECT_FALSE(wfs_index_continuation(&pdp, 20, 0x0F));
    EXPECT_FALSE(wfs_index_usable(&pdp, 21, 0x0F));
    EXPECT_FALSE(wfs_index_first(&pdp, 21, 0x0F));
    EXPECT_TRUE(wfs_index_continuation(&pdp, 21, 0x0C));
    EXPECT_TRUE(wfs_index_first(&pdp, 21, 0x0D));
}

TEST_F(DirTest, RecordLengthAndCatalogueRecord)
{
    wfs_dir_item first = item(2, t0, wfs_time_add_seconds(t0, 600), 0);
    first.item_num = 3;
    first.end_length = 100;
    first.chn_av = 5 << 2 | 2;
    first.stream_type = 1;
    first.attr = 0xE0 | 0x18 | 0x05;
    first.alarm = 4;
    putItem(30, first);
    wfs_file_info_v2 info = {};
    ASSERT_EQ(fill_file_info_v2(&pdp, 30, &info), WFS_OK);
    EXPECT_EQ(info.length_kib, 3122u);
    EXPECT_EQ(info.channel, 5);
    EXPECT_EQ(info.av, 2);
    EXPECT_EQ(info.stream, 0x71) << "stream type in the low nibble, attribute bits 5-7 above it";
    EXPECT_EQ(info.attr_low, 5);
    EXPECT_EQ(info.attr_mid, 3);
    EXPECT_EQ(info.ext0, 0x3F) << "no extended directory";
    EXPECT_EQ(info.ext1, 0);
}

TEST_F(DirTest, IndexWritesSkipUnusableClustersAndRestoreRebuildsFromTheDirectory)
{
    putItem(4, item(2, t0, t0, 5));
    wfs_dir_item cont = item(1, t0, t0, 0);
    cont.chn_av = 3 << 2 | 2;
    putItem(5, cont);
    putItem(6, item(9, t0, t0, 0));
    putIndex(6, 0x03);
    pdp.current_cluster = 6;
    ConsoleCapture console;
    ASSERT_EQ(restore_clus_index(&pdp), WFS_OK);
    uint8_t byte = 0;
    get_index_item_info(&pdp, 4, &byte);
    EXPECT_EQ(byte, 0x02);
    get_index_item_info(&pdp, 5, &byte);
    EXPECT_EQ(byte, 3 << 2);
    get_index_item_info(&pdp, 6, &byte);
    EXPECT_EQ(byte, 0x03) << "a bad cluster that is not locked keeps its index byte";
    EXPECT_EQ(pdp.index_restored_clus, 6u);
    EXPECT_NE(console.text().find("restore_clus_index: set bad clus 6"), std::string::npos);
}

TEST_F(DirTest, UserDataRing)
{
    uint8_t out[12];
    EXPECT_EQ(ud_get_item(&pdp, 0, 30, out), WFS_ERR_UD_NOT_FOUND);
    uint8_t record[12] = {0x21, 0x43, 0x65, 0x87, 0x09, 0, 0, 0, 0, 0, 7, 0};
    uint32_t itemNo = 0;
    ASSERT_EQ(ud_add_item(&pdp, 30, record, &itemNo), WFS_OK);
    EXPECT_EQ(itemNo, 1u);
    EXPECT_EQ(pdp.ud_last_item, 2u);
    ASSERT_EQ(ud_get_item(&pdp, 1, 30, out), WFS_OK);
    EXPECT_EQ(memcmp(out, record, 11), 0);
    EXPECT_EQ(ud_get_item(&pdp, 1, 31, out), WFS_ERR_UD_NOT_FOUND);
    wfs_card_pattern pattern = {{0x21, 0xF3, 0x65, 0x87, 0x09, 0, 0, 0, 0, 0}, 0xFF};
    EXPECT_EQ(ud_find_item(&pdp, &pattern, 1, 30, 1), WFS_OK);
    pattern.card[0] = 0x22;
    EXPECT_EQ(ud_find_item(&pdp, &pattern, 1, 30, 1), WFS_ERR_UD_NOT_FOUND);
    pdp.ud_first_item = pdp.ud_last_item;
    EXPECT_EQ(ud_find_item(&pdp, &pattern, 1, 30, pdp.ud_last_item), WFS_ERR_UD_NOT_FOUND) << "an empty ring";
}

TEST_F(DirTest, RepairClosesTheOpenRecordingAndStopsWhereTheClockRunsBack)
{
    auto chain = [&](uint8_t flag, uint32_t start, uint32_t up, uint32_t down, uint16_t ordinal) {
        wfs_dir_item d = item(flag, start, start, down);
        d.up_cluster_no = up;
        d.first_cluster_no = 4;
        d.item_num = ordinal;
        return d;
    };
    putItem(4, chain(2, t0, 0, 5, 0));
    putItem(5, chain(1, wfs_time_add_seconds(t0, 10), 4, 6, 1));
    wfs_dir_item open = chain(1, wfs_time_add_seconds(t0, 20), 5, WFS_CLUSTER_OPEN, 2);
    open.end_time = wfs_time_add_seconds(t0, 25);
    open.end_length = 100;
    putItem(6, open);
    wfs_dir_item older = item(2, wfs_time_add_seconds(t0, -60), wfs_time_add_seconds(t0, -50), WFS_CLUSTER_OPEN);
    older.first_cluster_no = 7;
    putItem(7, older);
    pdp.current_cluster = 5;
    pdp.start_cluster2 = 1000;
    pdp.end_cluster2 = 1900;
    ASSERT_EQ(restore_fs41(&pdp), WFS_OK);
    wfs_dir_item first, last, untouched;
    get_dir_item_info(&pdp, 4, &first);
    get_dir_item_info(&pdp, 6, &last);
    get_dir_item_info(&pdp, 7, &untouched);
    EXPECT_EQ(first.item_num, 2);
    EXPECT_EQ(first.end_time, open.end_time);
    EXPECT_EQ(first.end_length, 100);
    EXPECT_EQ(last.down_cluster_no, 0u);
    EXPECT_EQ(untouched.down_cluster_no, WFS_CLUSTER_OPEN) << "the walk stops where time runs back";
    EXPECT_EQ(pdp.current_cluster, 6u);
    EXPECT_EQ(pdp.end_time1, open.end_time);
    EXPECT_EQ(pdp.start_cluster2, 6u + 256) << "the previous lap starts a safety gap above the write head";
}

TEST_F(DirTest, SectionsWhenTheFirstCollisionLiesAboveTheWriteHead)
{
    for (uint32_t c : {4u, 100u, 101u, 199u, 200u, 299u, 300u, 399u, 400u})
        putItem(c, item(1, wfs_time_add_seconds(t0, c), wfs_time_add_seconds(t0, c), 0));
    pdp.current_cluster = 100;
    pdp.start_time1 = t0;
    pdp.start_cluster2 = 101;
    pdp.end_cluster2 = 500;
    pdp.end_time2 = wfs_time_add_seconds(t0, 500);
    pdp.collision_num = 3;
    pdp.collision[0] = 200;
    pdp.collision[1] = 300;
    pdp.collision[2] = 400;
    wfs_build_time_sections(&pdp);
    EXPECT_EQ(pdp.work_section, 0u);
    const uint32_t bounds[5][2] = {{4, 100}, {101, 199}, {200, 299}, {300, 399}, {400, 500}};
    for (int j = 0; j < 5; ++j) {
        SCOPED_TRACE("section " + std::to_string(j));
        EXPECT_EQ(pdp.sections[j].start_clus, bounds[j][0]);
        EXPECT_EQ(pdp.sections[j].end_clus, bounds[j][1]);
        EXPECT_TRUE(wfs_section_valid(&pdp, j));
    }
    EXPECT_EQ(pdp.sections[1].start_time, wfs_time_add_seconds(t0, 101));
    EXPECT_EQ(pdp.sections[4].end_time, pdp.end_time2);
}

// The index scan of a search bound to one channel looks at many bytes at a time: the cluster it
// stops at is the first of its kind at every position of a block and across blocks, and a
// first-cluster search passes the channel's continuation clusters over.
TEST_F(DirTest, IndexSearchesStopAtTheFirstClusterOfTheirKindAtEveryPosition)
{
    pdp.current_cluster = 1999;
    auto interleaved = [](uint32_t c) { return (uint8_t)((c % 4) << 2); }; // channels 0-3, continuations
    for (uint32_t c = 4; c < 2000; ++c)
        putIndex(c, interleaved(c));
    const uint8_t channel = 5;
    for (uint32_t at = 500; at < 560; ++at) {
        SCOPED_TRACE("first cluster at " + std::to_string(at));
        putIndex(at - 3, channel << 2);
        putIndex(at, channel << 2 | 2);
        buffer_init();
        uint32_t found = 0;
        EXPECT_EQ(get_next_clus_no(&pdp, WFS_SEARCH_FIRST, at - 20, 0, &found, channel), WFS_OK);
        EXPECT_EQ(found, at);
        EXPECT_EQ(get_next_clus_no(&pdp, WFS_SEARCH_USABLE, at - 20, 0, &found, channel), WFS_OK);
        EXPECT_EQ(found, at - 3);
        EXPECT_EQ(get_next_clus_no(&pdp, WFS_SEARCH_FIRST, at, 0, &found, channel), WFS_ERR_END_OF_CHAIN);
        putIndex(at - 3, interleaved(at - 3));
        putIndex(at, interleaved(at));
    }
}
