#include "real_media_support.h"

#include "builtin_scenarios.h"

#include <algorithm>
#include <fstream>
#include <set>
#include <iterator>
#include <sys/stat.h>

using namespace simtest;

namespace {

std::vector<char> slurp(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

uint64_t allocatedBytes(const std::string &path)
{
    struct stat st {};
    ::stat(path.c_str(), &st);
    return uint64_t(st.st_blocks) * 512;
}

Scenario busyDisk(uint64_t seed)
{
    Scenario s = smallScenario(600);
    s.seed = seed;
    for (int ch = 0; ch < 4; ++ch)
        s.recordings.push_back(video(ch, at(14) + ch * 7, 30, 4000 + 1000 * ch));
    return s;
}

} // namespace

TEST(ImageFile, SameSeedGivesTheSameBytes)
{
    ImageFile a("seed-a"), b("seed-b"), c("seed-c");
    writeOrFail(busyDisk(7), a.path());
    writeOrFail(busyDisk(7), b.path());
    writeOrFail(busyDisk(8), c.path());
    const auto first = slurp(a.path());
    EXPECT_EQ(first, slurp(b.path()));
    const auto other = slurp(c.path());
    ASSERT_EQ(first.size(), other.size());
    EXPECT_NE(first, other) << "payloads depend on the seed";
    Image ia(a.path()), ic(c.path());
    const Pdp d = ia.pdp(0);
    EXPECT_EQ(ia.bytes(0, d.dataOffset * 512), ic.bytes(0, d.dataOffset * 512)) << "metadata does not";
}

TEST(ImageFile, ImagesAreSparse)
{
    ImageFile f("sparse");
    Scenario s = smallScenario(20000);
    s.recordings.push_back(video(0, at(14), 10));
    writeOrFail(s, f.path());
    EXPECT_EQ(Image(f.path()).sizeBytes() / 512, Image(f.path()).table()[0].total);
    EXPECT_LT(allocatedBytes(f.path()), Image(f.path()).sizeBytes() / 4);
}

TEST(ImageFile, MetadataOnlyLeavesDataClustersEmpty)
{
    ImageFile full("full"), meta("meta");
    writeOrFail(busyDisk(3), full.path());
    WriteOptions options;
    options.metadataOnly = true;
    const Manifest m = writeOrFail(busyDisk(3), meta.path(), options);
    Image a(full.path()), b(meta.path());
    ASSERT_EQ(a.sizeBytes(), b.sizeBytes());
    const Pdp d = a.pdp(0);
    EXPECT_EQ(a.bytes(0, d.dataOffset * 512), b.bytes(0, d.dataOffset * 512));
    const auto cluster = b.cluster(0, m.recordings[0].firstCluster, 8);
    EXPECT_TRUE(std::all_of(cluster.begin(), cluster.end(), [](uint8_t x) { return x == 0; }));
    EXPECT_LT(allocatedBytes(meta.path()), allocatedBytes(full.path()));
}

TEST(ImageFile, BenchmarkDiskGeometry)
{
    Manifest m;
    ASSERT_TRUE(planDisk(bench2TibScenario(), m).ok);
    ASSERT_EQ(m.partitions.size(), 4u);
    uint64_t clusters = 0;
    for (const PartitionResult &p : m.partitions)
        clusters += p.totalClus;
    EXPECT_EQ(clusters, 1048576u);
    EXPECT_EQ(m.secPerClus, 4096u);
    EXPECT_GE(m.imageSectors * 512, 2ull << 40);
    std::set<int> channels;
    for (const RecordingResult &r : m.recordings)
        channels.insert(r.channel);
    EXPECT_EQ(channels.size(), 16u);
    EXPECT_GT(m.recordings.size(), 16u * 30 * 48 - 1);
}

namespace {

// Every recording of the demo disk read back holds what its manifest entry says.
void demoRecordingsMatchTheirManifest(const Scenario &s, const Manifest &m, const Image &img)
{
    size_t cut = 0;
    for (const RecordingResult &r : m.recordings) {
        if (r.partition >= 2)
            continue; // the partitions left for recovery
        const RecordingSpec &plan = s.recordings[r.scenarioIndex];
        const FrameWalk walk = readRecording(img, r);
        const auto keys = framesOfType(walk, 0xFC);
        ASSERT_FALSE(keys.empty()) << "recording " << r.scenarioIndex;
        EXPECT_EQ(le32(&keys.front()->header[8]), r.startTime);
        EXPECT_EQ(keys.front()->header[4], r.channel == 3 ? 3 : 2);
        EXPECT_EQ(keys.front()->header[6], plan.width / 8);
        EXPECT_EQ(r.lengthKiB, ((r.clusterCount - 1) * m.secPerClus + r.endLength) / 2);
        EXPECT_EQ(r.endLength, (r.dataBytes - uint64_t(r.clusterCount - 1) * m.secPerClus * 512 + 511) / 512);
        if (find(m, r.scenarioIndex, r.segment + 1)) {
            ++cut; // ran out of room: its last second goes on in the next partition
            continue;
        }
        EXPECT_EQ(Seconds(keys.size()), unpackTime(r.endTime) - unpackTime(r.startTime));
        EXPECT_EQ(walk.end, r.dataBytes);
        EXPECT_EQ(framesOfType(walk, 0xF9).size(), keys.size());
        EXPECT_EQ(framesOfType(walk, 0xFA).size(), r.channel == 0 ? keys.size() * 25 : 0);
    }
    EXPECT_LE(cut, 2u);
}

} // namespace

TEST(ImageFile, DemoDiskIsSmallAndSpreadOverBothPartitions)
{
    ImageFile f("demo");
    const Manifest m = writeOrFail(demoScenario(), f.path());
    EXPECT_LT(m.imageSectors * 512, 400ull << 20);
    std::set<int> partitions, alarms, streams, channels;
    bool crossesMidnight = false;
    std::set<FragmentKind> kinds;
    for (const FragmentResult &g : m.fragments) {
        EXPECT_GE(g.partition, 2);
        kinds.insert(g.kind);
    }
    EXPECT_EQ(kinds.size(), 3u) << "the two partitions past the days leave a fragment of every kind";
    for (const RecordingResult &r : m.recordings) {
        if (r.partition >= 2)
            continue;
        partitions.insert(r.partition);
        alarms.insert(r.alarm);
        streams.insert(r.streamType);
        channels.insert(r.channel);
        crossesMidnight |= (r.startTime >> 17 & 31) != (r.endTime >> 17 & 31);
        EXPECT_EQ(r.state, RecordingState::Survived);
    }
    EXPECT_EQ(partitions.size(), 2u);
    EXPECT_EQ(channels.size(), 4u);
    EXPECT_GE(alarms.size(), 3u);
    EXPECT_EQ(streams.size(), 2u);
    EXPECT_TRUE(crossesMidnight);
    demoRecordingsMatchTheirManifest(demoScenario(), m, Image(f.path()));
}

TEST(Corruption, PatchesOverwriteBytesAfterTheImageIsWritten)
{
    ImageFile f("patch");
    Scenario s = smallScenario();
    s.recordings.push_back(video(0, at(14), 10));
    s.patches.push_back({24, 328, {0, 0, 0, 0}, false});      // the pdp's mark
    s.patches.push_back({24, 48, {0, 0, 0, 0}, false});       // sec_per_clus
    s.patches.push_back({0, 0, {'W', 'F', 'S', '9'}, true}); // image-relative
    writeOrFail(s, f.path());
    Image img(f.path());
    EXPECT_EQ(img.pdp(0).mark, 0u);
    EXPECT_EQ(img.pdp(0).secPerClus, 0u);
    EXPECT_EQ(img.volumeBlock(0)[3], '9');
}

TEST(Corruption, PatchesAreRelativeToTheVolumeBehindAnMbr)
{
    ImageFile f("patch-mbr");
    Scenario s = smallScenario();
    s.mbrStart = 63;
    s.patches.push_back({20, 56 + 8, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0}, false}); // entry 0 total
    writeOrFail(s, f.path());
    Image img(f.path());
    EXPECT_EQ(img.table()[0].total, 0xFFFFFFFFFFFFull);
    EXPECT_GT(img.table()[0].total * 512, img.sizeBytes());
}

TEST(Corruption, TruncationCutsTheImage)
{
    ImageFile f("truncate");
    Scenario s = smallScenario();
    s.truncateBlocks = 30;
    writeOrFail(s, f.path());
    EXPECT_EQ(Image(f.path()).sizeBytes(), 30u * 512);
    EXPECT_EQ(Image(f.path()).pdp(0).mark, 0x789ABCDEu);
}

TEST(ImageFile, UnwritablePathIsAnErrorResult)
{
    Scenario s = smallScenario();
    const Result r = writeDisk(s, "/nonexistent-dir/disk.img");
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find("/nonexistent-dir/disk.img"), std::string::npos);
}
