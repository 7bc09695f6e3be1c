#include "sim_test_support.h"

using namespace simtest;

namespace {

Scenario withClockJump()
{
    Scenario s = smallScenario(400);
    s.recordings.push_back(video(0, at(9), 30, 3000));
    s.recordings.push_back(video(1, at(9, 0, 10), 40, 3000));
    s.recordings.push_back(video(0, at(9, 1), 30, 3000));
    s.recordings.push_back(video(0, at(9, 2), 30, 3000));
    s.clockJumps.push_back({at(9, 0, 50), 3600});
    s.clockJumps.push_back({at(9, 1, 55), 600});
    return s;
}

} // namespace

TEST(ClockJump, CollisionBlockListsTheClustersWhereTimeRestarts)
{
    ImageFile f("collision");
    const Manifest m = writeOrFail(withClockJump(), f.path());
    Image img(f.path());
    const std::vector<uint32_t> collisions = img.collisions(0);
    ASSERT_EQ(collisions.size(), 2u);
    EXPECT_LT(collisions[0], collisions[1]);
    for (uint32_t x : collisions)
        EXPECT_LT(img.dir(0, x).startTime, img.dir(0, x - 1).startTime) << "cluster " << x;
    EXPECT_EQ(img.dir(0, collisions[0]).startTime, packTime(at(8, 1)));
    EXPECT_EQ(find(m, 2)->startTime, packTime(at(8, 1)));
    EXPECT_EQ(find(m, 3)->startTime, packTime(at(7, 52)));
    EXPECT_EQ(m.partitions[0].collisions, collisions);
}

TEST(ClockJump, KeyFrameStampsFollowTheRecorderClock)
{
    ImageFile f("collision-stamps");
    const Manifest m = writeOrFail(withClockJump(), f.path());
    Image img(f.path());
    const RecordingResult *r = find(m, 1); // 09:00:10 to 09:00:50 real time, the jump at its very end
    const auto bytes = img.recordingBytes(0, r->firstCluster);
    EXPECT_EQ(le32(bytes.data() + 8), packTime(at(9, 0, 10)));
    EXPECT_EQ(img.dir(0, r->firstCluster).endTime, packTime(at(9, 0, 50)));
}

TEST(ClockJump, ExplicitCollisionOffsetIsUsed)
{
    ImageFile f("collision-off");
    Scenario s = withClockJump();
    s.partitions[0].collisionOff = 40;
    writeOrFail(s, f.path());
    Image img(f.path());
    EXPECT_EQ(img.pdp(0).collisionOff, 40u);
    EXPECT_EQ(img.collisions(0).size(), 2u);
    EXPECT_EQ(le32(img.volumeBlock(img.pdp(0).tempOff + 4).data()), 0u);
}

TEST(UncleanStop, NewestRecordingIsLeftOpen)
{
    ImageFile f("unclean");
    Scenario s = smallScenario(400);
    s.recordings.push_back(video(0, at(10), 60, 3000));
    s.recordings.push_back(video(1, at(10, 0, 30), 45, 3000)); // still running at the end
    s.uncleanStop = true;
    const Manifest m = writeOrFail(s, f.path());
    Image img(f.path());
    const Pdp d = img.pdp(0);
    EXPECT_NE(d.status, 0xAAu);
    const RecordingResult *open = find(m, 1);
    ASSERT_NE(open, nullptr);
    EXPECT_EQ(open->state, RecordingState::Open);
    EXPECT_EQ(find(m, 0)->state, RecordingState::Survived);
    const DirItem first = img.dir(0, open->firstCluster);
    EXPECT_EQ(first.itemNum, 0) << "the first cluster is not closed yet";
    EXPECT_EQ(first.endLength, 0);
    const std::vector<uint32_t> chain = img.chainByIndex(0, open->firstCluster);
    ASSERT_EQ(chain.size(), open->clusterCount);
    const DirItem last = img.dir(0, chain.back());
    EXPECT_EQ(last.down, 0xFFFFFFFFu);
    EXPECT_EQ(last.itemNum, open->clusterCount - 1);
    EXPECT_EQ(last.endLength, open->endLength);
    EXPECT_EQ(last.endTime, packTime(at(10, 1, 15)));
    EXPECT_LE(d.currentCluster, chain.back());
    EXPECT_EQ(m.partitions[0].headCluster, chain.back());
}

TEST(UncleanStop, EveryRecordingRunningAtTheStopIsOpenAndTheHeadLags)
{
    ImageFile f("unclean-two");
    Scenario s = smallScenario(400);
    s.recordings.push_back(video(0, at(10), 60, 3000));
    s.recordings.push_back(video(1, at(10, 0, 30), 30, 3000));
    s.uncleanStop = true;
    const Manifest m = writeOrFail(s, f.path());
    Image img(f.path());
    const Pdp d = img.pdp(0);
    uint32_t oldestOpenLast = UINT32_MAX;
    for (const RecordingResult &r : m.recordings) {
        EXPECT_EQ(r.state, RecordingState::Open);
        uint32_t c = r.firstCluster;
        for (uint32_t n = 1; n < r.clusterCount; ++n)
            c = img.dir(0, c).down;
        EXPECT_EQ(img.dir(0, c).down, 0xFFFFFFFFu);
        oldestOpenLast = std::min(oldestOpenLast, c);
    }
    EXPECT_EQ(d.currentCluster, oldestOpenLast) << "the saved head names the oldest open cluster";
    EXPECT_LT(d.currentCluster, m.partitions[0].headCluster);
    EXPECT_EQ(img.dir(0, m.partitions[0].headCluster).down, 0xFFFFFFFFu);
}

TEST(UncleanStop, ExplicitStatusWins)
{
    ImageFile f("status");
    Scenario s = smallScenario();
    s.recordings.push_back(video(0, at(10), 10));
    s.partitions[0].status = 0x55;
    writeOrFail(s, f.path());
    EXPECT_EQ(Image(f.path()).pdp(0).status, 0x55u);
}

TEST(UserData, CardNumberIsStoredAsBcdWithLapAndFirstCluster)
{
    ImageFile f("card");
    Scenario s = smallScenario();
    RecordingSpec r = video(2, at(11), 10);
    r.card = "12345678901234567890";
    r.cardKind = 7;
    r.alarm = 1;
    s.recordings.push_back(r);
    s.recordings.push_back(video(3, at(11), 10));
    const Manifest m = writeOrFail(s, f.path());
    Image img(f.path());
    const Pdp d = img.pdp(0);
    EXPECT_EQ(d.udItemSize, 16u);
    EXPECT_EQ(d.udFirstItem, 1u);
    EXPECT_EQ(d.udLastItem, 2u);
    const RecordingResult *carded = find(m, 0);
    EXPECT_EQ(carded->userDataItem, 1u);
    EXPECT_EQ(img.dir(0, carded->firstCluster).up, 1u);
    EXPECT_EQ(img.dir(0, find(m, 1)->firstCluster).up, 0u);
    const auto item = img.userDataItem(0, 1);
    EXPECT_EQ(item[9], 0x12);
    EXPECT_EQ(item[0], 0x90);
    EXPECT_EQ(item[10], 7);
    EXPECT_EQ(item[11], 0);
    EXPECT_EQ(le32(item.data() + 12), carded->firstCluster);
}

TEST(UserData, BadCardNumberIsRefused)
{
    ImageFile f("bad-card");
    Scenario s = smallScenario();
    s.recordings.push_back(video(2, at(11), 10));
    s.recordings[0].card = "12AB";
    EXPECT_FALSE(writeDisk(s, f.path()).ok);
}

TEST(ExtendedDirectory, ItemsCarryCodesAndEvents)
{
    ImageFile f("ext");
    Scenario s = smallScenario();
    s.partitions[0].extDir = true;
    RecordingSpec r = video(0, at(11), 10);
    r.extCode0 = 5;
    r.extCode1 = 9;
    r.extEvents = 0x81;
    s.recordings.push_back(r);
    const Manifest m = writeOrFail(s, f.path());
    Image img(f.path());
    const Pdp d = img.pdp(0);
    const uint32_t c = m.recordings[0].firstCluster;
    const Block b = img.volumeBlock(d.extDirOffset + c / 16);
    const uint8_t *item = b.data() + (c % 16) * 32;
    EXPECT_EQ(item[0], 5);
    EXPECT_EQ(item[1], 9);
    EXPECT_EQ(le32(item + 4), 0x81u);
}
