// CSyncPlayPlan: which files of which channel play in which window when a day is played
// in step from one of its files, across midnight, from files already running, and with
// more channels than the wall has windows.
#include "catalogue/csyncplayplan.h"

#include <gtest/gtest.h>

namespace {

SyncPlayFile file(int nChannel, const QString &strTimes)
{
    const QString strName = strTimes + "[R][@10][0].h264";
    return {nChannel, strName, QString("/mnt/idea0/2026-03-05/%1/%2").arg(nChannel, 3, 10, QChar('0')).arg(strName)};
}

QString path(int nChannel, const QString &strTimes)
{
    return file(nChannel, strTimes).strPath;
}

TEST(SyncPlayPlan, ARecordingOverMidnightQueuesEveryChannelOfItsTime)
{
    const QVector<SyncPlayFile> day = {
        file(0, "23.50.00-23.58.45"), file(0, "23.58.45-00.01.15"),
        file(1, "23.58.40-00.00.30"), // running at the chosen begin
        file(2, "23.59.10-23.59.50"), file(2, "23.59.50-00.03.00"),
        file(3, "23.40.00-23.50.00"), // over before the chosen begin
    };
    const CSyncPlayPlan plan("23.58.45-00.01.15[R][@10][0].h264", day);
    ASSERT_TRUE(plan.isValid());
    EXPECT_EQ(plan.beginSecond(), 23 * 3600 + 58 * 60 + 45);
    EXPECT_EQ(plan.queues().value(0), QStringList({path(0, "23.58.45-00.01.15")}));
    EXPECT_EQ(plan.queues().value(1), QStringList({path(1, "23.58.40-00.00.30")}));
    EXPECT_EQ(plan.queues().value(2), QStringList({path(2, "23.59.10-23.59.50"), path(2, "23.59.50-00.03.00")}));
    EXPECT_FALSE(plan.queues().contains(3));
    EXPECT_EQ(plan.windowCount(), 3);
}

TEST(SyncPlayPlan, AFileRunningAtTheBeginComesFirstThenEveryLaterFile)
{
    // Given out of order, as an exported folder's index may list them.
    const QVector<SyncPlayFile> day = {
        file(4, "10.30.00-10.40.00"), file(4, "09.59.57-10.10.00"), file(4, "10.10.00-10.20.00"),
        file(4, "09.00.00-09.59.57"), file(0, "10.00.00-10.05.00"),
    };
    const CSyncPlayPlan plan("10.00.00-10.05.00[R][@10][0].h264", day);
    EXPECT_EQ(plan.queues().value(4), QStringList({path(4, "09.59.57-10.10.00"), path(4, "10.10.00-10.20.00"),
                                                   path(4, "10.30.00-10.40.00")}))
        << "the channel does not start late: its file from three seconds before plays from the begin";
    EXPECT_EQ(plan.windowCount(), 5);
}

TEST(SyncPlayPlan, ChannelsKeepTheirWindowAndTheLayoutShowsTheHighest)
{
    const CSyncPlayPlan plan("08.00.00-08.10.00[R][@10][0].h264",
                             {file(0, "08.00.00-08.10.00"), file(5, "08.00.00-08.10.00")});
    EXPECT_EQ(plan.queues().keys(), QList<int>({0, 5}));
    EXPECT_EQ(plan.windowCount(), 6) << "window 5 must be shown, not hidden by a four-window layout";
    EXPECT_TRUE(plan.withoutWindowMessage().isEmpty());
}

TEST(SyncPlayPlan, ChannelsBeyondTheSixteenWindowsAreReported)
{
    const CSyncPlayPlan plan("08.00.00-08.10.00[R][@10][0].h264",
                             {file(0, "08.00.00-08.10.00"), file(15, "08.01.00-08.02.00"),
                              file(16, "08.00.00-08.10.00"), file(20, "07.59.00-08.30.00"),
                              file(21, "09.00.00-09.10.00")});
    EXPECT_EQ(plan.windowCount(), 16);
    EXPECT_EQ(plan.channelsWithoutWindow(), QList<int>({16, 20})) << "channel 21 has nothing in the time anyway";
    EXPECT_EQ(plan.withoutWindowMessage(), "Channels 017, 021 cannot play in step: the wall has 16 windows.");
}

TEST(SyncPlayPlan, AChannelWithNothingInTheChosenTimeStaysEmpty)
{
    const CSyncPlayPlan plan("08.10.00-08.20.00[R][@10][0].h264",
                             {file(0, "08.10.00-08.20.00"), file(1, "08.20.00-08.30.00"), file(2, "08.00.00-08.10.00"),
                              file(3, "bad name")});
    EXPECT_EQ(plan.queues().keys(), QList<int>({0}));
    EXPECT_FALSE(CSyncPlayPlan("no times here", {file(0, "08.10.00-08.20.00")}).isValid());
}

} // namespace
