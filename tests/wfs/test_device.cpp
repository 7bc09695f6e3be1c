#include "wfs_test_image.h"

#include "wfs.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {
void writeSignature(RawImage &img, uint64_t sector) { img.text(sector, 0, "WFS0.4", 7); }

class DeviceTest : public ::testing::Test {
protected:
    ScratchDir dir;
};
} // namespace

TEST_F(DeviceTest, DisksWithoutSignatureAreSkippedAndIndexesStayDense)
{
    RawImage a(dir.file("a.img"), 64), b(dir.file("b.img"), 64), c(dir.file("c.img"), 64);
    writeSignature(a, 0);
    writeSignature(c, 0);
    ASSERT_EQ(scanImages({a.path(), b.path(), dir.file("missing.img"), c.path()}), 2);
    EXPECT_EQ(ide_get_drive_number(0), 0);
    EXPECT_EQ(ide_get_drive_number(1), 3);
    EXPECT_STREQ(ide_get_drive_path(1), c.path().c_str());
    IdeInfo info;
    ide_get_info(&info);
    EXPECT_EQ(info.ide_port, 4);
    EXPECT_EQ(info.ide_cap[0], 64u);
    EXPECT_EQ(info.ide_cap[2], 0u);
    EXPECT_EQ(ide_rescan(), 2);
}

TEST_F(DeviceTest, NoWfsDiskLeavesAnEmptyInventory)
{
    RawImage a(dir.file("a.img"), 16);
    EXPECT_EQ(scanImages({a.path()}), 0);
    IdeInfo info;
    ide_get_info(&info);
    for (uint64_t cap : info.ide_cap) EXPECT_EQ(cap, 0u);
    EXPECT_EQ(ide_rescan(), 0);
}

TEST_F(DeviceTest, MbrPlacesTheVolumeAndReadsAreRelativeToIt)
{
    RawImage img(dir.file("mbr.img"), 4096);
    img.put32(0, 454, 2048);
    writeSignature(img, 2048);
    img.text(2049, 0, "second", 6);
    ASSERT_EQ(scanImages({img.path()}), 1);
    EXPECT_EQ(ide_get_base_sector(0), 2048u);
    char block[512];
    ASSERT_EQ(ide_read(0, 1, 1, block), 0);
    EXPECT_EQ(memcmp(block, "second", 6), 0);
}

TEST_F(DeviceTest, OffsetsBeyondFourGiBAndEmptyAndShortReads)
{
    const uint64_t far = (5ull << 30) / 512; // 5 GiB into a sparse image
    RawImage img(dir.file("big.img"), far + 8);
    writeSignature(img, 0);
    img.text(far, 0, "far away", 8);
    ASSERT_EQ(scanImages({img.path()}), 1);
    char block[1024];
    ASSERT_EQ(ide_read(0, 1, far, block), 0);
    EXPECT_EQ(memcmp(block, "far away", 8), 0);
    EXPECT_EQ(ide_read(0, 0, far + 100, block), 0);
    EXPECT_EQ(ide_read(0, 2, far + 7, block), -1) << "a read past the end is a failure, not a short success";
    EXPECT_EQ(ide_read(5, 1, 0, block), -1);
}

TEST_F(DeviceTest, AThirtyThirdDiskIsNotAccepted)
{
    std::vector<std::string> paths;
    std::vector<std::unique_ptr<RawImage>> images;
    for (int i = 0; i < 33; ++i) {
        images.push_back(std::make_unique<RawImage>(dir.file("d" + std::to_string(i) + ".img"), 8));
        writeSignature(*images.back(), 0);
        paths.push_back(images.back()->path());
    }
    EXPECT_EQ(scanImages(paths), 32);
    EXPECT_EQ(ide_get_drive_number(31), 31);
}

TEST_F(DeviceTest, WritesNeverReachTheImage)
{
    RawImage img(dir.file("w.img"), 64);
    writeSignature(img, 0);
    scanImages({img.path()});
    uint64_t before = fileDigest(img.path());
    char junk[512];
    memset(junk, 0x5A, sizeof junk);
    EXPECT_EQ(ide_write(0, 1, 3, junk), 0);
    EXPECT_EQ(fileDigest(img.path()), before);
}
