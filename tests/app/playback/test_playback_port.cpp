#include "playback/cplay.h"
#include "playback/cplaymanage.h"

#include <QDateTime>

#include <gtest/gtest.h>

#include <chrono>

namespace {
const QString kDiskPath = "/mnt/idea0/2024-03-05/002/10.15.00-10.45.00[R][@1a2b][0].h264";

qint64 localTime(int h, int m, int s)
{
    return QDateTime(QDate(2024, 3, 5), QTime(h, m, s)).toSecsSinceEpoch();
}
} // namespace

TEST(PlaybackPort, ThePathChoosesHowTheRecordingIsPlayed)
{
    EXPECT_EQ(CPlay::SourceModeOf(kDiskPath), CPlay::sourceWfs);
    EXPECT_EQ(CPlay::SourceModeOf("/home/op/export/ide0/2024-03-05/002/10.15.00-10.45.00.h264"),
              CPlay::sourceLocalCopy);
    EXPECT_EQ(CPlay::SourceModeOf("/home/op/clips/car.mp4"), CPlay::sourceFile);
}

TEST(PlaybackPort, TheNameGivesStartAndEnd)
{
    int nStart = 0, nEnd = 0;
    ASSERT_TRUE(CPlay::ParseNameTimes(kDiskPath, nStart, nEnd));
    EXPECT_EQ(nStart, 10 * 3600 + 15 * 60);
    EXPECT_EQ(nEnd, 10 * 3600 + 45 * 60);
    EXPECT_FALSE(CPlay::ParseNameTimes("/home/op/clips/car.mp4", nStart, nEnd));
}

TEST(PlaybackPort, FastWalksOneScaleAndWrapsToNormal)
{
    CPlay port(nullptr, 0, 0, nullptr, nullptr);
    std::vector<int> steps;
    for (int i = 0; i < 7; ++i) {
        port.PlayFast();
        steps.push_back(port.GetSpeed() - 5);
    }
    EXPECT_EQ(steps, (std::vector<int>{1, 2, 3, 4, 0, 1, 2}));
    port.PlaySlow();
    EXPECT_EQ(port.GetSpeed() - 5, 1) << "slow from +2 steps back on the same scale";
}

TEST(PlaybackPort, SlowWalksDownToOneSixteenthAndWraps)
{
    CPlay port(nullptr, 0, 1, nullptr, nullptr);
    std::vector<int> steps;
    for (int i = 0; i < 5; ++i) {
        port.PlaySlow();
        steps.push_back(port.GetSpeed() - 5);
    }
    EXPECT_EQ(steps, (std::vector<int>{-1, -2, -3, -4, 0}));
}

TEST(PlaybackPort, PacingFollowsTheFrameRateAndSpeed)
{
    using namespace std::chrono;
    const CPlay::Clock::time_point start = CPlay::Clock::now();
    auto periodOf = [&](int nRate, int nSpeed) { return CPlay::NextFrameDue(start, start, nRate, nSpeed) - start; };
    EXPECT_EQ(periodOf(25, 5), milliseconds(40));
    EXPECT_EQ(periodOf(25, 6), milliseconds(20));
    EXPECT_EQ(periodOf(25, 3), milliseconds(160));
    EXPECT_EQ(periodOf(0, 5), milliseconds(40)) << "no frame rate: 40 ms";
    EXPECT_EQ(periodOf(25, 1), milliseconds(640)) << "one sixteenth";
}

TEST(PlaybackPort, PacingKeepsTimeOverWorkAndRestartsAfterAHold)
{
    using namespace std::chrono;
    const CPlay::Clock::time_point start = CPlay::Clock::now();
    CPlay::Clock::time_point due{};
    CPlay::Clock::time_point now = start;
    for (int nFrame = 0; nFrame < 30; ++nFrame) {
        due = CPlay::NextFrameDue(due, now, 30, 5);
        now = due + milliseconds(7); // each frame's reading and pushing ends a little late
    }
    EXPECT_LT(due - start, milliseconds(1001)) << "thirty frames at 30 fps take one second, not 30 x 33 ms + work";
    EXPECT_GT(due - start, milliseconds(999));

    const CPlay::Clock::time_point resumed = due + seconds(5); // paused five seconds
    EXPECT_EQ(CPlay::NextFrameDue(due, resumed, 30, 5), resumed + microseconds(33333)) << "no burst to catch up";
}

TEST(PlaybackPort, PositionWithoutIndexComesFromTheName)
{
    EXPECT_EQ(CPlay::PositionFromName(kDiskPath, localTime(10, 30, 0)), 500);
    EXPECT_EQ(CPlay::PositionFromName(kDiskPath, localTime(10, 15, 0)), 0);
    EXPECT_EQ(CPlay::PositionFromName(kDiskPath, localTime(10, 21, 0)), 200);
    EXPECT_EQ(CPlay::PositionFromName(kDiskPath, localTime(10, 45, 0)), 0) << "at or past the end";
    EXPECT_EQ(CPlay::PositionFromName(kDiskPath, localTime(9, 0, 0)), 0) << "before the start";
    EXPECT_EQ(CPlay::PositionFromName("/home/op/clips/car.mp4", localTime(10, 30, 0)), 0);
}

TEST(PlaybackPort, StreamInformationIsReadAsJson)
{
    CPlay port(nullptr, 0, 2, nullptr, nullptr);
    port.ParseMediaInfo(R"({"fps":25,"bits":512000,"width":704,"height":576})");
    EXPECT_EQ(port.GetWidth(), 704);
    EXPECT_EQ(port.GetHeight(), 576);
    EXPECT_EQ(port.GetFrameRate(), 25);
    port.ParseMediaInfo("{\"fps\":25,");
    EXPECT_EQ(port.GetWidth(), 0);
    EXPECT_EQ(port.GetHeight(), 0);
}

TEST(PlaybackPort, AnIdlePortIsStoppedAndRefusesAClipOfNoRecording)
{
    CPlay port(nullptr, 0, 3, nullptr, nullptr);
    EXPECT_FALSE(port.IsPlaying());
    EXPECT_EQ(port.GetSpeed(), 5);
    EXPECT_FALSE(port.StartRecord("/tmp"));
    port.StopPlay();
    EXPECT_TRUE(port.GetPath().isEmpty());
}

namespace {
quint32 packed(int nYear, int nMonth, int nDay, int nHour, int nMinute, int nSecond)
{
    return quint32(nYear - 2000) << 26 | quint32(nMonth) << 22 | quint32(nDay) << 17 | quint32(nHour) << 12 |
           quint32(nMinute) << 6 | quint32(nSecond);
}
} // namespace

TEST(PlaybackManage, PacingHoldsEveryWindowToTheSlowest)
{
    quint32 nTimes[CPlayManage::kPortCount] = {};
    nTimes[0] = packed(2024, 3, 5, 10, 0, 5);
    nTimes[1] = packed(2024, 3, 5, 10, 0, 3);
    nTimes[2] = packed(2024, 3, 5, 10, 0, 7);
    int nSlowest = 0, nFastest = 0;
    CPlayManage::ChooseSlowest(nTimes, nSlowest, nFastest);
    EXPECT_EQ(nSlowest, 1);
    EXPECT_EQ(nFastest, 2);

    // Across midnight the window already in the new day is ahead, not behind.
    nTimes[0] = packed(2024, 3, 6, 0, 0, 1);
    nTimes[1] = packed(2024, 3, 5, 23, 59, 59);
    nTimes[2] = packed(2024, 3, 6, 0, 0, 0);
    CPlayManage::ChooseSlowest(nTimes, nSlowest, nFastest);
    EXPECT_EQ(nSlowest, 1);
    EXPECT_EQ(nFastest, 0);
    // And at the turn of a year.
    nTimes[0] = packed(2025, 1, 1, 0, 0, 0);
    nTimes[1] = packed(2024, 12, 31, 23, 59, 58);
    nTimes[2] = 0;
    CPlayManage::ChooseSlowest(nTimes, nSlowest, nFastest);
    EXPECT_EQ(nSlowest, 1);
    EXPECT_EQ(nFastest, 0);
}

TEST(PlaybackManage, AWindowWithoutAFrameClockIsNeverTheSlowest)
{
    quint32 nTimes[CPlayManage::kPortCount] = {};
    int nSlowest = 0, nFastest = 0;
    CPlayManage::ChooseSlowest(nTimes, nSlowest, nFastest);
    EXPECT_EQ(nSlowest, -1);
    EXPECT_EQ(nFastest, -1);
    nTimes[3] = packed(2024, 3, 5, 10, 0, 10);
    nTimes[5] = packed(2024, 3, 5, 10, 0, 10);
    CPlayManage::ChooseSlowest(nTimes, nSlowest, nFastest);
    EXPECT_EQ(nSlowest, 3) << "the first window found keeps a tie";
    EXPECT_EQ(nFastest, 3);
}

TEST(PlaybackManage, RequestsForMissingOrIdleWindowsAreRefused)
{
    CPlayManage *pManage = CPlayManage::instance();
    EXPECT_FALSE(pManage->CreatePort(0, 16, nullptr, nullptr));
    EXPECT_FALSE(pManage->PlayRecord(-1, "/tmp/x.h264", false));
    EXPECT_EQ(pManage->GetSpeed(20), 5);
    EXPECT_EQ(pManage->GetIndexState(0), -1);
    EXPECT_TRUE(pManage->SetPlayPos(0, 0.5f)) << "an idle window moves nothing";
    EXPECT_FALSE(pManage->PlayFast(0));
    CPlayManage::release();
}
