#include "sim_test_support.h"

#include <algorithm>
#include <cstring>

using namespace simtest;

namespace {

Scenario twoPartitions()
{
    Scenario s = smallScenario(300);
    PartitionSpec pictures;
    pictures.clusters = 100;
    pictures.driverType = 4;
    pictures.extDir = true;
    s.partitions.push_back(pictures);
    s.recordings.push_back(video(0, at(10), 20));
    RecordingSpec picture = video(1, at(10, 5), 4, 3000);
    picture.av = 0;
    s.recordings.push_back(picture);
    return s;
}

struct Area {
    uint64_t start, blocks;
};

void expectDisjoint(std::vector<Area> areas)
{
    std::sort(areas.begin(), areas.end(), [](const Area &a, const Area &b) { return a.start < b.start; });
    for (size_t i = 1; i < areas.size(); ++i)
        EXPECT_LE(areas[i - 1].start + areas[i - 1].blocks, areas[i].start) << "area " << i;
}

} // namespace

TEST(VolumeFormat, HeaderCarriesVersionFlagsAndKeyParamOffsets)
{
    ImageFile f("header");
    Scenario s = twoPartitions();
    s.keyParamOffset = {64, 8, 0, 0};
    writeOrFail(s, f.path());
    Image img(f.path());
    const Block h = img.volumeBlock(0);
    EXPECT_EQ(std::memcmp(h.data(), "WFS0.4\0", 7), 0);
    EXPECT_EQ(h[510], 'K');
    EXPECT_EQ(h[511], 'V');
    EXPECT_EQ(le32(h.data() + 480), 64u);
    EXPECT_EQ(le32(h.data() + 484), 8u);
    EXPECT_EQ(le32(h.data() + 454), 0u) << "a volume at sector 0 must read as its own MBR with start 0";
    EXPECT_EQ(img.pdp(0).tempOff, 64u + 24);
    EXPECT_EQ(img.pdp(1).tempOff, 8u + 24);
}

TEST(VolumeFormat, PartitionTableAndBackupDescribeTheWholeVolume)
{
    ImageFile f("table");
    const Manifest m = writeOrFail(twoPartitions(), f.path());
    Image img(f.path());
    const auto table = img.table();
    const auto backup = img.table(true);
    const Block raw = img.volumeBlock(20);
    EXPECT_EQ(le32(raw.data() + 44), 0x789ABCDEu);
    EXPECT_EQ(std::memcmp(raw.data(), img.volumeBlock(1044).data(), 512), 0);
    ASSERT_EQ(table[0].start, 0u);
    EXPECT_EQ(table[1].start, table[0].total);
    EXPECT_EQ(table[2].total, 0u);
    EXPECT_EQ(table[0].used, 1u);
    EXPECT_EQ(table[0].kind, 24u);
    EXPECT_EQ(table[0].start + table[0].total + table[1].total, img.sizeBytes() / 512);
    EXPECT_EQ(backup[1].total, table[1].total);
    EXPECT_EQ(m.partitions[1].totalSectors, table[1].total);
}

TEST(VolumeFormat, ParameterBlocksAreValidAndAgreeWithTheTable)
{
    ImageFile f("pdp");
    writeOrFail(twoPartitions(), f.path());
    Image img(f.path());
    for (int p = 0; p < 2; ++p) {
        const Pdp d = img.pdp(p);
        const auto entry = img.table()[size_t(p)];
        EXPECT_EQ(d.mark, 0x789ABCDEu);
        EXPECT_EQ(d.secSize, 512u);
        EXPECT_EQ(d.secPerClus, 8u);
        EXPECT_EQ(d.startSector, entry.start);
        EXPECT_LE(d.dataOffset + uint64_t(d.totalClus) * d.secPerClus, entry.total);
        EXPECT_NE(d.dirOffset, 187u);
        EXPECT_EQ(d.status, 0xAAu);
        const Block kp = img.keyParams(p);
        EXPECT_NE(le64(kp.data()), 0u);
        EXPECT_GT(int32_t(le32(kp.data() + 504)), 0);
        EXPECT_EQ(le32(kp.data() + 508), 0x789ABCDEu);
        EXPECT_LT(img.keyParamOffset(p), le32(kp.data() + 60));
        EXPECT_LT(le32(kp.data() + 60), le32(kp.data() + 68));
    }
    EXPECT_EQ(img.pdp(0).driverType, 0u);
    EXPECT_EQ(img.pdp(1).driverType, 4u);
    EXPECT_EQ(img.pdp(0).extDirOffset, 0u);
    EXPECT_NE(img.pdp(1).extDirOffset, 0u);
}

TEST(VolumeFormat, AreasOfAPartitionDoNotOverlap)
{
    ImageFile f("areas");
    writeOrFail(twoPartitions(), f.path());
    Image img(f.path());
    for (int p = 0; p < 2; ++p) {
        const Pdp d = img.pdp(p);
        const uint64_t dirBlocks = (d.totalClus + 15) / 16;
        std::vector<Area> areas = {{img.keyParamOffset(p) + 10, 1},
                                   {d.tempOff, 1},
                                   {d.collisionOff ? d.collisionOff : d.tempOff + 4, 1},
                                   {d.dirOffset, dirBlocks},
                                   {d.backdirOffset, dirBlocks},
                                   {d.indexOffset, (d.totalClus + 511) / 512},
                                   {d.udOffset, (uint64_t(d.udItemCount) * d.udItemSize + 511) / 512},
                                   {d.dataOffset, uint64_t(d.totalClus) * d.secPerClus}};
        if (d.extDirOffset)
            areas.push_back({d.extDirOffset, dirBlocks});
        if (p == 0)
            areas.insert(areas.end(), {{20, 1}, {1044, 1}});
        expectDisjoint(areas);
        EXPECT_GT(d.revClus, 0u);
    }
}

TEST(VolumeFormat, OldVersionReservesRoomForTheConvertedUserDataArea)
{
    ImageFile f("wfs03");
    Scenario s = smallScenario(20000);
    s.version = "WFS0.3";
    s.recordings.push_back(video(0, at(9), 10));
    s.recordings[0].card = "42";
    const Manifest m = writeOrFail(s, f.path());
    Image img(f.path());
    const Block h = img.volumeBlock(0);
    EXPECT_EQ(std::memcmp(h.data(), "WFS0.3\0", 7), 0);
    const Pdp d = img.pdp(0);
    EXPECT_GE(uint64_t(d.revClus) * d.secPerClus, 40960u + 0x280000u * 16 / 512);
    EXPECT_EQ(d.udItemCount, 0u);
    EXPECT_EQ(img.dir(0, m.recordings[0].firstCluster).up, 0u) << "no user-data item without a user-data area";
    EXPECT_GE(m.recordings[0].firstCluster, d.revClus);
}

TEST(VolumeFormat, MbrPlacesTheVolume)
{
    ImageFile f("mbr");
    Scenario s = twoPartitions();
    s.mbrStart = 2048;
    const Manifest m = writeOrFail(s, f.path());
    Image img(f.path());
    const Block mbr = img.sector(0);
    EXPECT_EQ(le32(mbr.data() + 454), 2048u);
    EXPECT_EQ(mbr[510], 0x55);
    EXPECT_EQ(mbr[511], 0xAA);
    EXPECT_EQ(std::memcmp(img.sector(2048).data(), "WFS0.4", 6), 0);
    EXPECT_EQ(img.pdp(0).mark, 0x789ABCDEu);
    EXPECT_EQ(m.baseSector, 2048u);
    const auto table = img.table();
    EXPECT_EQ(2048 + table[0].total + table[1].total, img.sizeBytes() / 512);
    EXPECT_EQ(img.dir(0, m.recordings[0].firstCluster).firstCluster, m.recordings[0].firstCluster);
}

TEST(VolumeFormat, RejectsImpossibleGeometry)
{
    ImageFile f("bad-geometry");
    Scenario tooMany = smallScenario();
    tooMany.partitions.resize(5, tooMany.partitions[0]);
    EXPECT_FALSE(writeDisk(tooMany, f.path()).ok);
    Scenario tiny = smallScenario(1);
    EXPECT_FALSE(writeDisk(tiny, f.path()).ok);
    Scenario noClusters = smallScenario();
    noClusters.sectorsPerCluster = 0;
    EXPECT_FALSE(writeDisk(noClusters, f.path()).ok);
    Scenario version = smallScenario();
    version.version = "WFS0.5";
    const Result r = writeDisk(version, f.path());
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find("version"), std::string::npos);
    Scenario dirInsideData = smallScenario();
    dirInsideData.partitions[0].dirOffset = 26;
    EXPECT_FALSE(writeDisk(dirInsideData, f.path()).ok);
}

TEST(VolumeFormat, DirectoryAtBlock187OnlyWhenAsked)
{
    ImageFile f("dir187");
    Scenario s = smallScenario(256);
    EXPECT_TRUE(writeDisk(s, f.path()).ok);
    EXPECT_NE(Image(f.path()).pdp(0).dirOffset, 187u);
    s.partitions[0].dirOffset = 187;
    EXPECT_TRUE(writeDisk(s, f.path()).ok);
    EXPECT_EQ(Image(f.path()).pdp(0).dirOffset, 187u);
}
