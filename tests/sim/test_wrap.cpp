#include "sim_test_support.h"

using namespace simtest;

namespace {

// Two cameras recording a minute every five minutes for two hours: 24 times 27
// clusters, about two and a half times what a 250-cluster ring holds.
Scenario wrapping(uint32_t clusters = 250)
{
    Scenario s = smallScenario(clusters);
    for (int slot = 0; slot < 24; ++slot) {
        s.recordings.push_back(video(0, at(8) + slot * 300, 60, 1000));
        RecordingSpec second = video(1, at(8) + slot * 300 + 20, 60, 800);
        second.card = std::to_string(1000 + slot);
        s.recordings.push_back(second);
    }
    return s;
}

Seconds startOf(const Scenario &s, const RecordingResult &r) { return s.recordings[r.scenarioIndex].start; }

} // namespace

TEST(Wrap, OldestRecordingsAreOverwrittenAndTheNewestSurvive)
{
    ImageFile f("wrap");
    const Scenario s = wrapping();
    const Manifest m = writeOrFail(s, f.path());
    Image img(f.path());
    Seconds newestOverwritten = 0, oldestSurvivor = INT64_MAX;
    size_t overwritten = 0;
    for (const RecordingResult &r : m.recordings) {
        const DirItem first = img.dir(0, r.firstCluster);
        if (r.state == RecordingState::Overwritten) {
            ++overwritten;
            newestOverwritten = std::max(newestOverwritten, startOf(s, r));
            EXPECT_TRUE(first.firstCluster != r.firstCluster || first.repeatNo != r.repeatNo)
                << "the first cluster belongs to a newer recording";
        } else {
            oldestSurvivor = std::min(oldestSurvivor, startOf(s, r));
            EXPECT_EQ(first.firstCluster, r.firstCluster);
            EXPECT_EQ(first.startTime, r.startTime);
            EXPECT_EQ(img.chainByIndex(0, r.firstCluster).size(), r.clusterCount);
        }
    }
    EXPECT_GT(overwritten, 10u);
    EXPECT_LT(newestOverwritten, oldestSurvivor);
}

TEST(Wrap, PdpDescribesBothLaps)
{
    ImageFile f("wrap-pdp");
    const Manifest m = writeOrFail(wrapping(), f.path());
    Image img(f.path());
    const Pdp d = img.pdp(0);
    EXPECT_EQ(d.flagF, 2) << "two wraps";
    EXPECT_EQ(m.partitions[0].flagF, d.flagF);
    ASSERT_NE(d.startCluster2, 0u);
    EXPECT_EQ(d.startCluster2, d.currentCluster + 1);
    EXPECT_GT(d.endCluster2, d.startCluster2);
    EXPECT_LT(d.endCluster2, d.totalClus);
    EXPECT_EQ(d.startTime2, img.dir(0, d.startCluster2).startTime);
    EXPECT_EQ(d.endTime2, img.dir(0, d.endCluster2).endTime);
    EXPECT_LT(d.startTime2, d.startTime1) << "section 2 is older than the current lap";
    EXPECT_LT(d.endTime2, d.endTime1);
    EXPECT_EQ(d.startTime1, img.dir(0, d.revClus).startTime);
    EXPECT_EQ(img.dir(0, d.revClus).dirFlag, 2) << "a recording cut by the wrap goes on as a new file";
    EXPECT_EQ(m.partitions[0].currentCluster, d.currentCluster);
    EXPECT_EQ(m.partitions[0].flagF, d.flagF);
}

TEST(Wrap, RecordingCutByTheWrapContinuesAtTheStartOfTheRing)
{
    ImageFile f("wrap-split");
    const Manifest m = writeOrFail(wrapping(), f.path());
    Image img(f.path());
    const Pdp d = img.pdp(0);
    bool sawSecondSegment = false;
    for (const RecordingResult &r : m.recordings) {
        if (r.segment == 0)
            continue;
        sawSecondSegment = true;
        const RecordingResult *before = find(m, r.scenarioIndex, r.segment - 1);
        ASSERT_NE(before, nullptr);
        EXPECT_GE(r.firstCluster, d.revClus);
        EXPECT_LT(r.firstCluster, before->firstCluster);
        EXPECT_LE(r.startTime, before->endTime) << "the new file restarts the cut second";
        EXPECT_NE(r.repeatNo, before->repeatNo);
    }
    EXPECT_TRUE(sawSecondSegment);
}

TEST(Wrap, UserDataOfOverwrittenRecordingsIsDropped)
{
    ImageFile f("wrap-ud");
    const Manifest m = writeOrFail(wrapping(), f.path());
    Image img(f.path());
    const Pdp d = img.pdp(0);
    EXPECT_NE(d.udFirstItem, 1u);
    for (uint32_t n = 1; n < d.udFirstItem; ++n)
        EXPECT_EQ(le32(img.userDataItem(0, n).data() + 12), 0u) << "item " << n;
    for (const RecordingResult &r : m.recordings) {
        if (r.channel != 1 || r.state != RecordingState::Survived || r.userDataItem == 0)
            continue;
        const auto item = img.userDataItem(0, r.userDataItem);
        EXPECT_EQ(le32(item.data() + 12), r.firstCluster);
        EXPECT_EQ(img.dir(0, r.firstCluster).up, r.userDataItem);
    }
}

TEST(Wrap, LockedRecordingIsSteppedOver)
{
    ImageFile f("locked");
    Scenario s = wrapping();
    s.recordings[0].locked = true; // the very first recording
    const Manifest m = writeOrFail(s, f.path());
    Image img(f.path());
    const RecordingResult *locked = find(m, 0);
    ASSERT_NE(locked, nullptr);
    EXPECT_EQ(locked->state, RecordingState::Survived);
    EXPECT_EQ(locked->survivingClusters, locked->clusterCount);
    uint32_t c = locked->firstCluster;
    for (uint32_t n = 0; n < locked->clusterCount; ++n) {
        const DirItem item = img.dir(0, c);
        EXPECT_TRUE(item.attr & 0x20);
        EXPECT_EQ(item.dirFlag, n == 0 ? 4 : 5);
        EXPECT_EQ(img.index(0, c), 0 * 4 + 3);
        EXPECT_EQ(item.firstCluster, locked->firstCluster);
        if (n + 1 < locked->clusterCount)
            c = item.down;
    }
    EXPECT_EQ(img.chainByIndex(0, locked->firstCluster, c).size(), locked->clusterCount);
    for (uint32_t x = locked->firstCluster; x <= c; ++x) {
        const DirItem item = img.dir(0, x);
        EXPECT_TRUE(item.dirFlag == 4 || item.dirFlag == 5) << "nothing new is written inside the locked span";
        EXPECT_EQ(bool(item.attr & 0x20), item.firstCluster == locked->firstCluster);
    }
}

TEST(Wrap, LockedRecordingNotYetReachedKeepsItsFlags)
{
    ImageFile f("locked-early");
    Scenario s = smallScenario(400);
    s.recordings.push_back(video(0, at(8), 30));
    s.recordings[0].locked = true;
    const Manifest m = writeOrFail(s, f.path());
    Image img(f.path());
    const DirItem first = img.dir(0, m.recordings[0].firstCluster);
    EXPECT_EQ(first.dirFlag, 2);
    EXPECT_EQ(first.attr, 0x20);
    EXPECT_EQ(img.index(0, m.recordings[0].firstCluster), 2);
}

TEST(Wrap, PartitionFullOfLockedRecordingsIsAnError)
{
    ImageFile f("all-locked");
    Scenario s = smallScenario(64);
    for (int i = 0; i < 6; ++i) {
        s.recordings.push_back(video(0, at(8) + i * 100, 60, 5000));
        s.recordings.back().locked = true;
    }
    const Result r = writeDisk(s, f.path());
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find("locked"), std::string::npos);
}

TEST(Wrap, WorkPartitionMovesOnWhenFull)
{
    ImageFile f("ring");
    Scenario s = wrapping(150);
    s.partitions.push_back(s.partitions[0]);
    s.partitions[1].clusters = 400;
    const Manifest m = writeOrFail(s, f.path());
    Image img(f.path());
    const Pdp first = img.pdp(0), second = img.pdp(1);
    EXPECT_GT(second.currentCluster, 0u);
    EXPECT_EQ(second.flagF, 0);
    EXPECT_EQ(first.flagF, 1) << "the ring came back to the first partition";
    EXPECT_GT(first.endTime1, second.endTime1) << "the first partition holds the newest recordings again";
    EXPECT_GT(second.startTime1, first.startTime2);
    EXPECT_LT(second.endTime1, first.endTime1);
    for (const RecordingResult &r : m.recordings) {
        if (r.state == RecordingState::Survived) {
            EXPECT_EQ(img.dir(r.partition, r.firstCluster).firstCluster, r.firstCluster);
        }
    }
}

TEST(Wrap, ExplicitPartitionWrapsOnItsOwn)
{
    ImageFile f("explicit");
    Scenario s = wrapping(120);
    s.partitions.push_back(s.partitions[0]);
    s.partitions[1].clusters = 2000;
    for (RecordingSpec &r : s.recordings)
        r.partition = r.channel == 0 ? 0 : 1;
    writeOrFail(s, f.path());
    Image img(f.path());
    EXPECT_GT(img.pdp(0).flagF, 0);
    EXPECT_EQ(img.pdp(1).flagF, 0);
    for (uint32_t c = img.pdp(1).revClus; c <= img.pdp(1).currentCluster; ++c)
        EXPECT_EQ(img.dir(1, c).channel, 1);
}
