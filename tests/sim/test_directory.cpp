#include "sim_test_support.h"

#include <map>
#include <set>

using namespace simtest;

namespace {

// Three cameras at once, one of them with its sub stream, plus a later alarm recording.
Scenario interleaved()
{
    Scenario s = smallScenario(400);
    s.recordings.push_back(video(0, at(8), 40));
    s.recordings.push_back(video(1, at(8, 0, 3), 30, 9000));
    RecordingSpec sub = video(1, at(8, 0, 3), 30, 2500);
    sub.streamType = 1;
    s.recordings.push_back(sub);
    s.recordings.push_back(video(2, at(8, 0, 10), 25));
    RecordingSpec alarm = video(0, at(8, 2), 12);
    alarm.alarm = 3;
    alarm.attr = 0x0A;
    s.recordings.push_back(alarm);
    return s;
}

class DirectoryTest : public ::testing::Test
{
protected:
    void SetUp() override { manifest = writeOrFail(interleaved(), file.path()); }
    ImageFile file{"directory"};
    Manifest manifest;
};

} // namespace

TEST_F(DirectoryTest, ChannelsInterleaveInTheClusterRing)
{
    Image img(file.path());
    const Pdp d = img.pdp(0);
    std::set<int> channelsBelowHead;
    int channelChanges = 0;
    for (uint32_t c = d.revClus + 1; c <= d.currentCluster; ++c) {
        channelsBelowHead.insert(img.dir(0, c).channel);
        channelChanges += img.dir(0, c).channel != img.dir(0, c - 1).channel;
    }
    EXPECT_EQ(channelsBelowHead.size(), 3u);
    EXPECT_GT(channelChanges, 10);
}

TEST_F(DirectoryTest, LinksRunUpAndDownThroughEveryRecording)
{
    Image img(file.path());
    ASSERT_EQ(manifest.recordings.size(), 5u);
    for (const RecordingResult &r : manifest.recordings) {
        uint32_t c = r.firstCluster;
        uint32_t previous = 0;
        for (uint32_t n = 0; n < r.clusterCount; ++n) {
            const DirItem item = img.dir(0, c);
            EXPECT_EQ(item.firstCluster, r.firstCluster);
            EXPECT_EQ(item.channel, r.channel);
            EXPECT_EQ(item.streamType, r.streamType);
            EXPECT_EQ(item.repeatNo, r.repeatNo);
            if (n > 0) {
                EXPECT_EQ(item.dirFlag, 1);
                EXPECT_EQ(item.itemNum, n);
                EXPECT_EQ(item.up, previous);
                EXPECT_GE(item.startTime, img.dir(0, previous).startTime);
            }
            previous = c;
            if (n + 1 < r.clusterCount) {
                EXPECT_GT(item.down, c);
                c = item.down;
            } else
                EXPECT_EQ(item.down, 0u);
        }
        EXPECT_EQ(img.dir(0, c).endLength, r.endLength);
    }
}

TEST_F(DirectoryTest, FirstClusterSummarisesTheClosedRecording)
{
    Image img(file.path());
    const Scenario scenario = interleaved();
    for (const RecordingResult &r : manifest.recordings) {
        const DirItem first = img.dir(0, r.firstCluster);
        const RecordingSpec &plan = scenario.recordings[r.scenarioIndex];
        EXPECT_EQ(first.dirFlag, 2);
        EXPECT_EQ(first.itemNum, r.clusterCount - 1);
        EXPECT_EQ(first.startTime, packTime(plan.start));
        EXPECT_EQ(first.endTime, packTime(plan.end));
        EXPECT_EQ(first.endLength, r.endLength);
        EXPECT_GE(first.endLength, 1);
        EXPECT_LE(first.endLength, 8);
        EXPECT_EQ(first.alarm, plan.alarm);
        EXPECT_EQ(first.attr, plan.attr);
        EXPECT_EQ(r.lengthKiB, (first.itemNum * 8u + first.endLength) / 2);
    }
}

TEST_F(DirectoryTest, IndexBytesFollowTheDirectoryFlags)
{
    Image img(file.path());
    const Pdp d = img.pdp(0);
    for (uint32_t c = 0; c < d.totalClus; ++c) {
        const DirItem item = img.dir(0, c);
        EXPECT_EQ(img.index(0, c), item.channel * 4 + stateOf(item.dirFlag)) << "cluster " << c;
        const DirItem mirror = img.dir(0, c, true);
        EXPECT_EQ(mirror.firstCluster, item.firstCluster);
        EXPECT_EQ(mirror.startTime, item.startTime);
    }
}

TEST_F(DirectoryTest, IndexSearchFindsTheSameChainAsTheLinks)
{
    Image img(file.path());
    for (const RecordingResult &r : manifest.recordings) {
        const std::vector<uint32_t> chain = img.chainByIndex(0, r.firstCluster);
        ASSERT_EQ(chain.size(), r.clusterCount) << "recording " << r.scenarioIndex;
        for (size_t i = 1; i < chain.size(); ++i)
            EXPECT_EQ(img.dir(0, chain[i - 1]).down, chain[i]);
    }
}

TEST_F(DirectoryTest, ClustersAreTakenInTimeOrderAndPdpSpansThem)
{
    Image img(file.path());
    const Pdp d = img.pdp(0);
    for (uint32_t c = d.revClus + 1; c <= d.currentCluster; ++c)
        EXPECT_LE(img.dir(0, c - 1).startTime, img.dir(0, c).startTime) << "cluster " << c;
    EXPECT_EQ(d.startTime1, packTime(at(8)));
    EXPECT_EQ(d.endTime1, packTime(at(8, 2, 12)));
    EXPECT_EQ(img.dir(0, d.currentCluster + 1).dirFlag, 0) << "nothing written past the head";
    EXPECT_EQ(d.startCluster2, 0u);
    EXPECT_EQ(d.flagF, 0);
}

TEST_F(DirectoryTest, RepeatNumbersCountRecordingsInStartOrder)
{
    std::map<uint32_t, uint8_t> byFirstCluster;
    for (const RecordingResult &r : manifest.recordings)
        byFirstCluster[r.firstCluster] = r.repeatNo;
    uint8_t expected = 0;
    for (const auto &entry : byFirstCluster)
        EXPECT_EQ(entry.second, expected++);
}

TEST(Directory, OverlappingRecordingsOfOneStreamAreRefused)
{
    ImageFile f("overlap");
    Scenario s = smallScenario();
    s.recordings.push_back(video(0, at(8), 30));
    s.recordings.push_back(video(0, at(8, 0, 20), 30));
    const Result r = writeDisk(s, f.path());
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find("overlap"), std::string::npos);
    s.recordings[1].streamType = 1;
    EXPECT_TRUE(writeDisk(s, f.path()).ok);
}

TEST(Directory, ImpossibleRecordingsAreErrorResults)
{
    ImageFile f("bad-recordings");
    auto refused = [&](void (*change)(RecordingSpec &)) {
        Scenario s = smallScenario();
        s.recordings.push_back(video(0, at(8), 30));
        change(s.recordings[0]);
        const Result r = writeDisk(s, f.path());
        EXPECT_NE(r.message.find("recording 0"), std::string::npos) << r.message;
        return !r.ok;
    };
    EXPECT_TRUE(refused([](RecordingSpec &r) { r.partition = -2; }));
    EXPECT_TRUE(refused([](RecordingSpec &r) { r.partition = 1; }));
    EXPECT_TRUE(refused([](RecordingSpec &r) { r.channel = 64; }));
    EXPECT_TRUE(refused([](RecordingSpec &r) { r.end = r.start; }));
    EXPECT_TRUE(refused([](RecordingSpec &r) { r.av = 1; }));
    EXPECT_TRUE(refused([](RecordingSpec &r) { r.start = makeTime(1999, 12, 31, 23, 59, 0); }));
    EXPECT_TRUE(refused([](RecordingSpec &r) { r.fps = 0; }));
    EXPECT_TRUE(refused([](RecordingSpec &r) { r.bytesPerSecond = 20000000; }));
    EXPECT_TRUE(refused([](RecordingSpec &r) { r.width = 4096; }));
    EXPECT_TRUE(refused([](RecordingSpec &r) { r.firstDirFlag = 1; }));
}

TEST(Directory, ThirdFirstClusterFlagIsIndexedAsState1)
{
    ImageFile f("flag3");
    Scenario s = smallScenario();
    s.recordings.push_back(video(4, at(8), 10));
    s.recordings[0].firstDirFlag = 3;
    const Manifest m = writeOrFail(s, f.path());
    Image img(f.path());
    EXPECT_EQ(img.dir(0, m.recordings[0].firstCluster).dirFlag, 3);
    EXPECT_EQ(img.index(0, m.recordings[0].firstCluster), 4 * 4 + 1);
}
