#include "wfs_test_image.h"

#include "wfs.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {
class BufferTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        image = std::make_unique<RawImage>(dir.file("cache.img"), 4096);
        image->text(0, 0, "WFS0.4", 7);
        for (uint64_t b = 1; b < 1024; ++b) image->put64(b, 0, b * 1000 + 7);
        ASSERT_EQ(scanImages({image->path()}), 1);
        wfs_clear_key_params();
        buffer_init();
    }

    uint64_t stamp(buffer_head *bh)
    {
        uint64_t v;
        memcpy(&v, bh->data, 8);
        return v;
    }

    ScratchDir dir;
    std::unique_ptr<RawImage> image;
};
} // namespace

TEST_F(BufferTest, BlocksSharingABucketAreToldApartByNumber)
{
    buffer_head *a = bread(0, 5);
    buffer_head *b = bread(0, 5 + 256);
    ASSERT_TRUE(a && b);
    EXPECT_NE(a, b);
    EXPECT_EQ(stamp(a), 5007u);
    EXPECT_EQ(stamp(b), 261007u);
    brelse(a);
    brelse(b);
    buffer_head *again = bread(0, 5 + 256);
    EXPECT_EQ(again, b) << "a cached block is found again, not read into another buffer";
    brelse(again);
}

TEST_F(BufferTest, ExhaustionYieldsNoneUntilABufferIsReleased)
{
    ConsoleCapture console;
    std::vector<buffer_head *> held;
    for (int i = 0; i < WFS_NR_BUFFERS; ++i) {
        held.push_back(bread(0, 1 + i));
        ASSERT_NE(held.back(), nullptr);
    }
    EXPECT_EQ(bread(0, 500), nullptr);
    EXPECT_NE(console.text().find("have no free buffers"), std::string::npos);
    EXPECT_NE(console.text().find("num=127"), std::string::npos) << "the dump lists every buffer";
    brelse(held[10]);
    buffer_head *next = bread(0, 500);
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(stamp(next), 500007u);
    brelse(next);
    for (int i = 0; i < WFS_NR_BUFFERS; ++i)
        if (i != 10) brelse(held[i]);
}

TEST_F(BufferTest, ReleasingTwiceWarnsAndKeepsTheBufferUsable)
{
    ConsoleCapture console;
    buffer_head *bh = bread(0, 7);
    brelse(bh);
    brelse(bh);
    EXPECT_NE(console.text().find("warming Trying to free free buffer,dev=0,blocknr=7"), std::string::npos);
    EXPECT_EQ(bh->count, 0);
    buffer_head *again = bread(0, 7);
    EXPECT_EQ(again, bh);
    EXPECT_EQ(again->count, 1);
    brelse(again);
}

TEST_F(BufferTest, EvictedChangesStayVisibleButNeverReachTheImage)
{
    uint64_t before = fileDigest(image->path());
    buffer_head *bh = bread(0, 100);
    memcpy(bh->data, "changed!", 8);
    bh->dirt = 1;
    brelse(bh);
    for (int i = 0; i < 3 * WFS_NR_BUFFERS; ++i) brelse(bread(0, 200 + i));
    EXPECT_TRUE(wfs_overlay_has(0, 100));
    buffer_head *again = bread(0, 100);
    EXPECT_EQ(memcmp(again->data, "changed!", 8), 0);
    brelse(again);
    char run[3 * 512];
    ASSERT_EQ(bread_multi(0, 3, 99, run), 0);
    EXPECT_EQ(memcmp(run + 512, "changed!", 8), 0) << "multi-block reads see the change too";
    EXPECT_EQ(fileDigest(image->path()), before);
    buffer_init();
    EXPECT_FALSE(wfs_overlay_has(0, 100)) << "a new initialisation starts from the disk again";
}

TEST_F(BufferTest, HeaderAreaIsWriteProtected)
{
    ConsoleCapture console;
    buffer_head *bh = bread(0, 20);
    bh->dirt = 1;
    EXPECT_EQ(sync_buffer(bh), 1);
    EXPECT_EQ(bh->dirt, 1) << "a refused write keeps the change pending";
    EXPECT_NE(console.text().find("sync_buffer ,the offset error ! the error block is 20"), std::string::npos);
    EXPECT_EQ(sync_buffer_unprotected(bh), 0);
    EXPECT_EQ(bh->dirt, 0);
    EXPECT_TRUE(wfs_overlay_has(0, 20));
    brelse(bh);
    char block[512] = {};
    EXPECT_EQ(bwrite_multi(0, 1, 28, block), 1);
    EXPECT_EQ(bwrite_multi(0, 1, 29, block), 0);
}

TEST_F(BufferTest, FailedReadsReportAndAreRetried)
{
    EXPECT_EQ(bread(0, 5000), nullptr);
    char run[1024];
    EXPECT_NE(bread_multi(0, 2, 4095, run), 0);
    EXPECT_NE(bread_multi_quiet(0, 2, 4095, run), 0);
    EXPECT_EQ(bread_multi(0, 0, 4095, run), 0);
}

TEST_F(BufferTest, RefusedChangesSurviveEvictionToo)
{
    ConsoleCapture console;
    buffer_head *bh = bread(0, 12);
    memcpy(bh->data, "repaired", 8);
    bh->dirt = 1;
    brelse(bh);
    for (int i = 0; i < 2 * WFS_NR_BUFFERS; ++i) brelse(bread(0, 300 + i));
    EXPECT_NE(console.text().find("the error block is 12"), std::string::npos) << "the write itself is still refused";
    buffer_head *again = bread(0, 12);
    EXPECT_EQ(memcmp(again->data, "repaired", 8), 0);
    brelse(again);
}
