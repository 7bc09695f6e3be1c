#include "sim_disk.h"

#include "catalogue/crecordloader.h"
#include "common/crecordname.h"
#include "wfs.h"

#include <gtest/gtest.h>

#include <QSet>

#include <algorithm>
#include <map>

namespace {
// The loader's per-recording lines are for the application log, not the test output.
const bool g_quiet = [] {
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &text) {
        if (type != QtDebugMsg && type != QtInfoMsg) fprintf(stderr, "%s\n", qPrintable(text));
    });
    return true;
}();

const sim::Seconds DAY = sim::makeTime(2026, 3, 5, 8, 0, 0);

struct Listing {
    RecordPairs pairs;
    QVector<wfs_file_info_v2> records;
    QVector<int> batchSizes;
    int endMarks = 0;
};

Listing load(int ideNum, int format = 0)
{
    Listing out;
    CRecordLoader loader(format, [&](const RecordPairs &pairs, const QVector<wfs_file_info_v2> &records) {
        if (pairs.isEmpty()) {
            ++out.endMarks;
            return;
        }
        EXPECT_EQ(out.endMarks, 0) << "nothing follows the end mark";
        out.batchSizes.append(pairs.size());
        out.pairs += pairs;
        out.records += records;
    });
    int count = loader.loadDataFromDisk(ideNum);
    EXPECT_EQ(count, out.pairs.size());
    EXPECT_EQ(out.endMarks, 1);
    return out;
}

// Recordings the catalogue must show: whole video recordings of the main stream longer than 2 seconds.
std::vector<uint32_t> expectedFirstClusters(const sim::Manifest &m, int part, int channel)
{
    std::vector<std::pair<uint32_t, uint32_t>> byTime;
    for (const sim::RecordingResult &r : m.recordings)
        if (r.partition == part && r.channel == channel && r.state != sim::RecordingState::Overwritten &&
            r.av != 0 && r.streamType == 0 && wfs_time_diff_seconds(r.endTime, r.startTime) >= 3)
            byTime.push_back({r.startTime, r.firstCluster});
    std::sort(byTime.begin(), byTime.end());
    std::vector<uint32_t> clusters;
    for (auto &p : byTime) clusters.push_back(p.second);
    return clusters;
}

std::vector<uint32_t> listedFirstClusters(const Listing &l, int disk, int part, int channel)
{
    std::vector<uint32_t> clusters;
    for (const wfs_file_info_v2 &r : l.records)
        if (r.disk == disk && r.part == part && r.channel == channel) clusters.push_back(r.first_cluster_no);
    return clusters;
}

class RecordLoaderTest : public ::testing::Test {
protected:
    ScratchDir dir;
};
} // namespace

TEST_F(RecordLoaderTest, KeysNamesAndPathsFollowTheRecordGrammar)
{
    wfs_file_info_v2 r = {};
    r.disk = 1;
    r.part = 2;
    r.channel = 3;
    r.alarm = 2;
    r.stream = 0x21;
    r.first_cluster_no = 0x1a2b;
    r.start_time = wfs_pack_time({2024, 3, 5, 10, 15, 0});
    r.end_time = wfs_pack_time({2024, 3, 5, 10, 45, 7});
    EXPECT_EQ(CRecordLoader::recordKey(r), "01020320240305101500-104507");
    EXPECT_EQ(CRecordLoader::fileName(r), "10.15.00-10.45.07[M][@1a2b][1].h264");
    EXPECT_EQ(CRecordName::recordPath(1, 2, CRecordLoader::startDate(r), 3, CRecordLoader::fileName(r)),
              "/mnt/ideb2/2024-03-05/003/10.15.00-10.45.07[M][@1a2b][1].h264");
}

TEST_F(RecordLoaderTest, ListsEveryChannelInTimeOrderAndAppliesTheFilters)
{
    sim::Scenario s;
    s.partitions = {partition(20000), partition(4000, 4)};
    for (int i = 0; i < 6; ++i) {
        s.recordings.push_back(recording(0, DAY + i * 100, 60, 0));
        s.recordings.push_back(recording(1, DAY + i * 100 + 30, 50, 0));
        if (i % 2) s.recordings.back().av = 3; // with sound: listed like the others
    }
    s.recordings.push_back(recording(2, DAY, 1, 0));       // one second: never shown
    s.recordings.push_back(recording(2, DAY + 10, 2, 0));  // two seconds: not listed
    s.recordings.push_back(recording(2, DAY + 20, 3, 0));  // three seconds: listed
    s.recordings.push_back(recording(3, DAY, 120, 0));
    s.recordings.back().streamType = 1; // a sub stream
    sim::RecordingSpec picture = recording(4, DAY, 10);
    picture.av = 0;
    s.recordings.push_back(picture);
    SimDisk disk(dir, "filters.img", s);
    ASSERT_EQ(mountImages({disk.path}), WFS_OK);
    Listing l = load(1);
    for (int ch = 0; ch < 2; ++ch)
        EXPECT_EQ(listedFirstClusters(l, 0, 0, ch), expectedFirstClusters(disk.manifest, 0, ch)) << "channel " << ch;
    ASSERT_EQ(listedFirstClusters(l, 0, 0, 2).size(), 1u);
    EXPECT_TRUE(listedFirstClusters(l, 0, 0, 3).empty()) << "the sub stream is not the record format";
    EXPECT_TRUE(listedFirstClusters(l, 0, 1, 4).empty()) << "pictures are not listed";
    EXPECT_EQ(l.pairs.size(), 13);
    for (int i = 1; i < l.records.size(); ++i)
        EXPECT_LE(l.records[i - 1].channel, l.records[i].channel) << "channels in order";
    Listing sub = load(1, 1);
    ASSERT_EQ(sub.pairs.size(), 1);
    EXPECT_TRUE(sub.pairs[0].second.endsWith("[1].h264"));
}

TEST_F(RecordLoaderTest, TwoDisksOverSameHoursListEachRecordingOnceUnderItsDisk)
{
    sim::Scenario s;
    s.partitions = {partition(8000)};
    for (int ch = 0; ch < 2; ++ch) s.recordings.push_back(recording(ch, DAY, 90, 0));
    SimDisk a(dir, "a.img", s);
    s.seed = 2;
    SimDisk b(dir, "b.img", s);
    ASSERT_EQ(mountImages({a.path, b.path}), WFS_OK);
    Listing l = load(2);
    ASSERT_EQ(l.pairs.size(), 4);
    QSet<QString> keys;
    for (const RecordPair &p : l.pairs) keys.insert(p.first);
    EXPECT_EQ(keys.size(), 4) << "no recording is listed twice";
    EXPECT_EQ(l.records[0].disk, 0);
    EXPECT_EQ(l.records[1].disk, 0);
    EXPECT_EQ(l.records[2].disk, 1);
    EXPECT_TRUE(l.pairs[2].first.startsWith("0100")) << l.pairs[2].first.toStdString();
}

TEST_F(RecordLoaderTest, MoreThanTwelveThousandRecordingsOnAChannelInBatches)
{
    sim::Scenario s;
    s.partitions = {partition(120000)};
    for (int i = 0; i < 12500; ++i) s.recordings.push_back(recording(0, DAY + i * 4, 4, 0));
    std::string path = dir.file("many.img");
    sim::Manifest manifest;
    sim::WriteOptions options;
    options.metadataOnly = true;
    ASSERT_TRUE(sim::writeDisk(s, path, options, &manifest).ok);
    ASSERT_EQ(mountImages({path}), WFS_OK);
    Listing l = load(1);
    EXPECT_EQ(l.pairs.size(), 12500);
    EXPECT_EQ(listedFirstClusters(l, 0, 0, 0), expectedFirstClusters(manifest, 0, 0));
    for (int i = 0; i + 1 < l.batchSizes.size(); ++i) EXPECT_LE(l.batchSizes[i], CRecordLoader::BATCH_SIZE);
    EXPECT_EQ(l.batchSizes.front(), CRecordLoader::BATCH_SIZE);
}

TEST_F(RecordLoaderTest, WrappedPartitionsAndClockJumpsListInTimeOrder)
{
    sim::Scenario s;
    s.partitions = {partition(3000)};
    for (int i = 0; i < 40; ++i) s.recordings.push_back(recording(0, DAY + i * 120, 100, 0));
    s.clockJumps = {{DAY + 30 * 120 + 50, 7200}};
    SimDisk disk(dir, "wrapjump.img", s);
    ASSERT_NE(disk.manifest.partitions[0].startCluster2, 0u) << "the scenario must wrap";
    ASSERT_EQ(mountImages({disk.path}), WFS_OK);
    Listing l = load(1);
    std::vector<uint32_t> listed = listedFirstClusters(l, 0, 0, 0);
    std::vector<uint32_t> expected = expectedFirstClusters(disk.manifest, 0, 0);
    EXPECT_EQ(std::multiset<uint32_t>(listed.begin(), listed.end()),
              std::multiset<uint32_t>(expected.begin(), expected.end()));
    for (int i = 1; i < l.records.size(); ++i)
        EXPECT_LE(l.records[i - 1].start_time, l.records[i].start_time) << "time order at " << i;
}
