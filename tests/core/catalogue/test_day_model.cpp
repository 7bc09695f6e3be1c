// The day model the timeline and the report draw: lanes per disk, partition and channel, a
// recording over midnight on both days and still one recording, recovered fragments apart.
#include "catalogue/cdaymodel.h"

#include "sim_disk.h"
#include "wfs.h"

#include <gtest/gtest.h>

namespace {

const sim::Seconds DAY = sim::makeTime(2024, 3, 5, 0, 0, 0);

QString spansOf(const DayLane &lane)
{
    QStringList spans;
    for (const DaySpan &span : lane.spans) spans << CDayModel::clockText(span.nBegin) + "-" + CDayModel::clockText(span.nEnd);
    return spans.join(' ');
}

TEST(DayModel, LanesClipAtMidnightAndKeepEachRecordingOnce)
{
    ScratchDir dir;
    sim::Scenario s;
    s.partitions = {partition(4000), partition(2000)};
    s.recordings = {recording(1, DAY + 10 * 3600, 60, 0), recording(0, DAY + 86340, 120, 0),
                    recording(0, DAY + 9 * 3600, 30, 0), recording(0, DAY + 10 * 3600, 40, 1)};
    SimDisk disk(dir, "days.img", s);
    ASSERT_TRUE(disk.ok);
    ASSERT_EQ(mountImages({disk.path}), WFS_OK);
    const QVector<DayRecording> all = CDayModel::loadDisks(false);
    ASSERT_EQ(all.size(), 4);
    EXPECT_EQ(CDayModel::days(all), QList<QDate>({QDate(2024, 3, 5), QDate(2024, 3, 6)}));

    const CDayModel first(QDate(2024, 3, 5), all);
    ASSERT_EQ(first.lanes().size(), 3);
    EXPECT_EQ(first.lanes()[0].label(), "001");
    EXPECT_EQ(spansOf(first.lanes()[0]), "09:00:00-09:00:30 23:59:00-24:00:00");
    EXPECT_EQ(spansOf(first.lanes()[1]), "10:00:00-10:01:00");
    EXPECT_EQ(first.lanes()[2].nPart, 1);
    const DayRecording &late = first.recording(first.lanes()[0].spans[1]);
    EXPECT_EQ(late.strKind, "listed");
    EXPECT_EQ(late.strPath, "/mnt/idea0/2024-03-05/000/23.59.00-00.01.00[R][@" +
                                late.strPath.section("@", 1, 1).section("]", 0, 0) + "][0].h264");

    const CDayModel second(QDate(2024, 3, 6), all);
    ASSERT_EQ(second.lanes().size(), 1);
    EXPECT_EQ(spansOf(second.lanes()[0]), "00:00:00-00:01:00");
    EXPECT_EQ(&second.recording(second.lanes()[0].spans[0]) - second.recordings().data(),
              &late - first.recordings().data())
        << "the same recording on both days";
    EXPECT_TRUE(CDayModel(QDate(2024, 3, 7), all).isEmpty());
}

TEST(DayModel, RecoveredFragmentsJoinTheirChannelsWithTheirKind)
{
    ScratchDir dir;
    SimDisk disk(dir, "ring.img", camerasOnARing(8));
    ASSERT_TRUE(disk.ok);
    ASSERT_EQ(mountImages({disk.path}), WFS_OK);
    const QVector<DayRecording> listed = CDayModel::loadDisks(false), all = CDayModel::loadDisks(true);
    ASSERT_GT(all.size(), listed.size());
    int nTails = 0;
    for (const DayRecording &r : all) {
        if (!r.isRecovered()) continue;
        EXPECT_EQ(r.strKind, "tail");
        EXPECT_TRUE(r.strPath.contains("/recovered/")) << qPrintable(r.strPath);
        ++nTails;
    }
    EXPECT_EQ(nTails, all.size() - listed.size());
}

} // namespace
