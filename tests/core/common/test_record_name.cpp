// The one reading of recording paths and names that export, cut, playback, sync play, the Local
// page and the command line share.
#include "common/crecordname.h"

#include <gtest/gtest.h>

TEST(RecordName, AnEndBeforeTheBeginOrAtTwentyFourEndsOnTheNextDay)
{
    const struct {
        const char *name;
        int begin, end;
    } cases[] = {
        {"23.58.45-00.01.15[R][@1][0].h264", 86325, 86400 + 75},
        {"06.10.00-00.01.15[R][@1][0].h264", 22200, 86400 + 75}, // a merged file of 18 hours
        {"21.59.00-00.01.00", 79140, 86460},
        {"10.00.00-24.00.00[M][@2][0].h265", 36000, 86400},
        {"00.00.00-24.00.00", 0, 86400},
        {"08.00.00-08.10.00", 28800, 29400},
        {"08.00.00-08.00.00", 28800, 28800},
    };
    for (const auto &c : cases) {
        const CRecordName name(c.name);
        ASSERT_TRUE(name.hasTimes()) << c.name;
        EXPECT_EQ(name.beginSeconds(), c.begin) << c.name;
        EXPECT_EQ(name.endSeconds(), c.end) << c.name;
        EXPECT_EQ(name.crossesMidnight(), c.end >= 86400) << c.name;
    }
    EXPECT_EQ(CRecordName::endSeconds(QTime(23, 0), QTime(0, 30)), 86400 + 1800);
    EXPECT_EQ(CRecordName::endSeconds(QTime(10, 0), QTime(10, 0)), 36000);
    EXPECT_EQ(CRecordName::nameTime(QTime(0, 0), true), "24.00.00");
    EXPECT_EQ(CRecordName::nameTime(QTime(0, 0), false), "00.00.00");
}

TEST(RecordName, NamesWithoutTimesOrWithImpossibleTimesHaveNone)
{
    for (const char *text : {"index.data", "09.00.30-25.00.00[M][@70][0].h264", "24.00.00-01.00.00", "10.00.00_11.00.00",
                             "car.mp4", ""})
        EXPECT_FALSE(CRecordName(text).hasTimes()) << text;
}

TEST(RecordName, RecorderPathsCountChannelsFromZeroExportsFromOne)
{
    const CRecordName disk("/mnt/idec1/2024-03-05/002/10.15.00-10.45.00[R][@1a2b][0].h264");
    ASSERT_TRUE(disk.hasFolders());
    EXPECT_TRUE(disk.isRecorderPath());
    EXPECT_EQ(disk.diskLetter(), 'c');
    EXPECT_EQ(disk.partition(), 1);
    EXPECT_EQ(disk.date(), QDate(2024, 3, 5));
    EXPECT_EQ(disk.channel(), 2);
    EXPECT_EQ(disk.fileName(), "10.15.00-10.45.00[R][@1a2b][0].h264");
    EXPECT_EQ(CRecordName::recordPath(2, 1, QDate(2024, 3, 5), 2, disk.fileName()), QString(disk.fileName())
                                                                                        .prepend("/mnt/idec1/2024-03-05/002/"));

    const CRecordName exported("/home/op/out/idea0/2024-03-05/003/06.10.00-00.01.15[R][@1][0].h264");
    ASSERT_TRUE(exported.hasFolders());
    EXPECT_FALSE(exported.isRecorderPath());
    EXPECT_EQ(exported.channel(), 2);
    EXPECT_EQ(CRecordName::channelLabel(exported.channel()), "003");
    EXPECT_TRUE(CRecordName("idea0/2024-03-05/001/x.h264").hasFolders()) << "a line of index.data";
    EXPECT_FALSE(exported.isRecovered());

    const CRecordName recovered("/mnt/idea2/recovered/2024-03-05/001/09.01.30-09.02.30[R][@5c][0].h264");
    ASSERT_TRUE(recovered.hasFolders());
    EXPECT_TRUE(recovered.isRecovered());
    EXPECT_TRUE(recovered.isRecorderPath());
    EXPECT_EQ(recovered.partition(), 2);
    EXPECT_EQ(recovered.channel(), 1);
    EXPECT_EQ(recovered.endSeconds() - recovered.beginSeconds(), 60);
    const CRecordName recoveredCopy("/out/idea2/recovered/2024-03-05/002/09.01.30-09.02.30[R][@5c][0].h264");
    EXPECT_TRUE(recoveredCopy.isRecovered());
    EXPECT_EQ(recoveredCopy.channel(), 1);

    EXPECT_FALSE(CRecordName("/home/op/out/idea0/2024-03-05/000/x.h264").hasFolders()) << "exports count from 001";
    EXPECT_FALSE(CRecordName("/home/op/out/idea0/2024-02-30/001/x.h264").hasFolders()) << "no such day";
    EXPECT_FALSE(CRecordName("/home/op/clips/car.mp4").hasFolders());
}
