#include "wfs_mount.h"
#include "wfs_path.h"
#include "wfs_stream.h"
#include "wfs_time.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {
std::string pathOf(const wfs_record_path &p)
{
    char text[256];
    wfs_format_record_path(text, sizeof text, p);
    return text;
}

wfs_record_path parsed(const char *text)
{
    wfs_record_path p = {};
    EXPECT_TRUE(wfs_parse_record_path(text, &p)) << text;
    return p;
}
} // namespace

TEST(RecordPath, DiskPagePathParsesIntoItsParts)
{
    wfs_record_path p = parsed("/mnt/idea1/2024-03-05/002/10.15.00-10.45.00[R][@1a2b][0].h264");
    EXPECT_EQ(p.disk_letter, 'a');
    EXPECT_EQ(p.part, 1);
    EXPECT_EQ(p.year, 2024);
    EXPECT_EQ(p.month, 3);
    EXPECT_EQ(p.day, 5);
    EXPECT_EQ(p.channel, 2) << "the folder number is the 0-based channel";
    EXPECT_EQ(p.name.start_hour, 10);
    EXPECT_EQ(p.name.start_minute, 15);
    EXPECT_EQ(p.name.end_minute, 45);
    EXPECT_STREQ(p.name.letters, "R");
    EXPECT_EQ(p.name.cluster, 0x1a2bu);
    EXPECT_EQ(p.name.number, 0);
    EXPECT_STREQ(p.name.ext, "h264");
    EXPECT_EQ(wfs_record_start_time(p), wfs_pack_time({2024, 3, 5, 10, 15, 0}));
    EXPECT_EQ(wfs_record_day_time(p), wfs_pack_time({2024, 3, 5, 0, 0, 0}));
}

TEST(RecordPath, FormattedPathsParseBackToTheSameText)
{
    const char *paths[] = {
        "/mnt/idea0/2024-01-01/000/00.00.00-00.00.05[A][@10][3].h264",
        "/mnt/idec3/2031-12-31/031/23.50.00-00.20.00[H][@ffffffff][255].h264",
        "/mnt/idea2/2024-02-29/015/08.09.10-08.09.11[R][@0][0].jpg",
    };
    for (const char *text : paths) EXPECT_EQ(pathOf(parsed(text)), text);
}

TEST(RecordPath, ReadersAcceptDatesWithoutLeadingZeros)
{
    wfs_record_path p = parsed("/mnt/idea0/2024-3-5/1/10.00.00-10.00.30[R][@200][0].h264");
    EXPECT_EQ(p.month, 3);
    EXPECT_EQ(p.day, 5);
    EXPECT_EQ(p.channel, 1);
}

TEST(RecordPath, MalformedPathsAreRefused)
{
    const char *bad[] = {
        "",
        "/mnt/idea0/2024-03-05/000",
        "10.00.00-10.00.30[R][@200][0].h264",
        "/mnt/idea0/2024-03-05/000/10.00.00-10.00.30[R[@200][0].h264",
        "/mnt/idea0/2024-03-05/000/10.00.00-10.00.30[R][200][0].h264",
        "/mnt/idea0/2024-03-05/000/10.00.00-10.00.30[R][@200][0]",
        "/mnt/idea0/2024-03-05/000/10.00.00-10.00.30[R][@200][0].h264 x",
        "/mnt/idea0/2024-13-05/000/10.00.00-10.00.30[R][@200][0].h264",
        "/mnt/idea0/2024-03-05/000/32.00.00-10.00.30[R][@200][0].h264",
        "/mnt/idea0/2024-03-05/000/10.00.00-10.64.30[R][@200][0].h264",
        "/mnt/idea0/2024-03-05/abc/10.00.00-10.00.30[R][@200][0].h264",
        "/mnt/idea9/2024-03-05/000/10.00.00-10.00.30[R][@200][0].h264",
        "/mnt/disk0/2024-03-05/000/10.00.00-10.00.30[R][@200][0].h264",
    };
    for (const char *text : bad) {
        wfs_record_path p;
        EXPECT_FALSE(wfs_parse_record_path(text, &p)) << text;
    }
}

TEST(RecordPath, DayFolderPatternsParse)
{
    wfs_record_path p = {};
    ASSERT_TRUE(wfs_parse_record_dir("/mnt/ideb3/2024-03-05/007/*", &p));
    EXPECT_EQ(p.disk_letter, 'b');
    EXPECT_EQ(p.part, 3);
    EXPECT_EQ(p.channel, 7);
    EXPECT_EQ(p.day, 5);
    EXPECT_FALSE(wfs_parse_record_dir("/mnt/ideb3/2024-03-05/*", &p));
}

TEST(RecordPath, RecordingFilesAreKnownByTheirExtension)
{
    EXPECT_TRUE(wfs_is_record_file("/mnt/idea0/2024-03-05/000/x.h264"));
    EXPECT_TRUE(wfs_is_record_file("/mnt/idea0/2024-03-05/000/x.jpg"));
    EXPECT_TRUE(wfs_is_picture_file("/mnt/idea0/2024-03-05/000/x.jpg"));
    EXPECT_FALSE(wfs_is_picture_file("/mnt/idea0/2024-03-05/000/x.h264"));
    EXPECT_FALSE(wfs_is_record_file("/mnt/idea0/2024-03-05/000/x.mp4"));
    EXPECT_FALSE(wfs_is_record_file("/mnt/idea0/2024-03-05/000/x.h264.bak"));
}

TEST(RecordPath, IdeComponentNamesDiskAndPartition)
{
    uint32_t disk = 99, part = 99;
    ASSERT_TRUE(wfs_parse_ide_component("/mnt/idec2/WorkDirectory", &disk, &part));
    EXPECT_EQ(disk, 2u);
    EXPECT_EQ(part, 2u);
    EXPECT_FALSE(wfs_parse_ide_component("/mnt/usb/WorkDirectory", &disk, &part));
}

TEST(TypeLetters, EveryAlarmTypeHasItsLetter)
{
    const char *letters = "RAMCHISFNKGUPTBV";
    for (unsigned alarm = 0; alarm < 16; ++alarm)
        EXPECT_EQ(wfs_alarm_letter(alarm), std::string(1, letters[alarm])) << alarm;
    EXPECT_STREQ(wfs_alarm_letter(16), "R");
    EXPECT_STREQ(wfs_alarm_letter(255), "R");
}

TEST(TypeLetters, DayListingsUseOnlyTheFirstFourLetters)
{
    EXPECT_STREQ(wfs_alarm_letter_short(1), "A");
    EXPECT_STREQ(wfs_alarm_letter_short(4), "H");
    EXPECT_STREQ(wfs_alarm_letter_short(5), "R");
    EXPECT_STREQ(wfs_alarm_letter_short(0), "R");
}

TEST(TypeLetters, OpeningMapsTheFirstFourLettersBack)
{
    EXPECT_EQ(wfs_alarm_of_letters("A"), 1);
    EXPECT_EQ(wfs_alarm_of_letters("M"), 2);
    EXPECT_EQ(wfs_alarm_of_letters("C"), 3);
    EXPECT_EQ(wfs_alarm_of_letters("H"), 4);
    EXPECT_EQ(wfs_alarm_of_letters("I"), 0);
    EXPECT_EQ(wfs_alarm_of_letters("R"), 0);
    EXPECT_EQ(wfs_alarm_of_letters(""), 0);
}

class MountRegistry : public ::testing::Test {
protected:
    void TearDown() override
    {
        for (const char *prefix : {WFS_STREAM_PREFIX, "/a", "/b"})
            while (wfs_mount_register(prefix, nullptr) != -1) {
            }
    }
};

TEST_F(MountRegistry, RecordingPathsGoToTheWfsTable)
{
    ASSERT_EQ(wfs_register_stream_ops(), 1);
    EXPECT_EQ(wfs_mount_lookup("/mnt/idea0/2024-01-01/001/x")->fopen, wfs_stream_ops()->fopen);
    EXPECT_EQ(wfs_mount_lookup("C:/mnt/x"), wfs_default_ops());
    EXPECT_EQ(wfs_mount_lookup("/tmp/x"), wfs_default_ops());
    EXPECT_EQ(wfs_mount_lookup("mnt/x"), wfs_default_ops());
    EXPECT_EQ(wfs_mount_lookup("/mnt/usb/export/x"), wfs_default_ops()) << "drives mounted under /mnt are PC files";
}

TEST_F(MountRegistry, UnregisteringSendsPathsBackToTheDefault)
{
    ASSERT_EQ(wfs_register_stream_ops(), 1);
    EXPECT_EQ(wfs_mount_register(WFS_STREAM_PREFIX, nullptr), 1);
    EXPECT_EQ(wfs_mount_lookup("/mnt/idea0/2024-01-01/001/x"), wfs_default_ops());
    EXPECT_EQ(wfs_mount_register(WFS_STREAM_PREFIX, nullptr), -1) << "nothing left to empty";
}

TEST_F(MountRegistry, FirstMatchingEntryServesAndEmptiedEntriesAreReused)
{
    wfs_fs_ops other = *wfs_default_ops();
    ASSERT_EQ(wfs_mount_register("/a", &other), 1);
    ASSERT_EQ(wfs_mount_register("/b", wfs_stream_ops()), 2);
    EXPECT_EQ(wfs_mount_lookup("/a/x")->fopen, other.fopen);
    EXPECT_NE(wfs_mount_lookup("/a/x"), wfs_default_ops()) << "a copy of the table, not the default entry";
    EXPECT_EQ(wfs_mount_lookup("/b/x")->fopen, wfs_stream_ops()->fopen);
    EXPECT_EQ(wfs_mount_register("/a", nullptr), 1);
    EXPECT_EQ(wfs_mount_register(WFS_STREAM_PREFIX, wfs_stream_ops()), 1);
}

TEST_F(MountRegistry, ThirtyOneEntriesAtMost)
{
    for (int i = 1; i < WFS_MOUNT_ENTRIES; ++i) ASSERT_EQ(wfs_register_stream_ops(), i);
    EXPECT_EQ(wfs_register_stream_ops(), -1);
    EXPECT_EQ(wfs_mount_lookup("/mnt/idex")->fopen, wfs_stream_ops()->fopen);
}
