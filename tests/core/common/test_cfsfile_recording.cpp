#include "common/cfsfile.h"
#include "common/cfsfilefind.h"

#include "sim_recording.h"
#include "wfs.h"
#include "wfs_stream.h"

#include <gtest/gtest.h>

namespace {
const sim::Seconds DAY = sim::makeTime(2024, 3, 5, 9, 0, 0);

sim::Scenario twoChannels()
{
    sim::Scenario s;
    s.partitions = {partition(1024)};
    for (int ch = 0; ch < 2; ++ch) {
        sim::RecordingSpec r = recording(ch, DAY, 50);
        r.bytesPerSecond = 7000 + 1000 * ch;
        r.dhiiSectors = ch == 1 ? 4 : 0;
        s.recordings.push_back(r);
    }
    return s;
}

class RecordingFileTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_dir = new ScratchDir;
        s_scenario = twoChannels();
        s_disk = new SimDisk(*s_dir, "two.img", s_scenario);
    }

    static void TearDownTestSuite()
    {
        delete s_disk;
        delete s_dir;
    }

    void SetUp() override
    {
        ASSERT_TRUE(s_disk->ok);
        ASSERT_EQ(mountImages({s_disk->path}), WFS_OK);
        ASSERT_NE(wfs_register_stream_ops(), -1);
    }

    void TearDown() override { wfs_mount_register(WFS_STREAM_PREFIX, nullptr); }

    static QString pathOf(int channel)
    {
        const sim::RecordingResult &r = resultOf(s_disk->manifest, (size_t)channel);
        return QString::fromStdString(recordPath(0, r, r.firstCluster));
    }

    // The recording after its header, up to the length its directory item gives.
    static std::vector<uint8_t> expected(int channel)
    {
        const sim::RecordingResult &r = resultOf(s_disk->manifest, (size_t)channel);
        std::vector<uint8_t> all = writtenBytes(s_scenario, (size_t)channel, r.dataBytes, uint64_t(r.lengthKiB) * 1024);
        return std::vector<uint8_t>(all.begin() + r.headSectors * 512, all.end());
    }

    static std::vector<uint8_t> readAll(CFSFile &f, qint64 step)
    {
        std::vector<uint8_t> out, chunk((size_t)step);
        qint64 n;
        while ((n = f.Read(chunk.data(), step)) > 0) out.insert(out.end(), chunk.begin(), chunk.begin() + n);
        return out;
    }

    static ScratchDir *s_dir;
    static sim::Scenario s_scenario;
    static SimDisk *s_disk;
};

ScratchDir *RecordingFileTest::s_dir = nullptr;
sim::Scenario RecordingFileTest::s_scenario;
SimDisk *RecordingFileTest::s_disk = nullptr;
} // namespace

TEST_F(RecordingFileTest, RecordingReadsLikeAFileFromAfterItsHeader)
{
    for (int channel : {0, 1}) {
        CFSFile f;
        ASSERT_TRUE(f.Open(pathOf(channel), CFSFile::modeRead)) << channel;
        const std::vector<uint8_t> want = expected(channel);
        EXPECT_EQ(f.GetLength(), (qint64)want.size());
        EXPECT_EQ(f.GetPosition(), 0);
        EXPECT_EQ(readAll(f, 32768), want) << channel;
        EXPECT_EQ(f.GetPosition(), (qint64)want.size());
        EXPECT_EQ(f.Seek(0, SEEK_SET), 0);
        EXPECT_EQ(f.Seek(0, SEEK_END), (qint64)want.size());
    }
}

TEST_F(RecordingFileTest, SeekBeyondTheEndLeavesThePosition)
{
    CFSFile f;
    ASSERT_TRUE(f.Open(pathOf(0), CFSFile::modeRead));
    ASSERT_EQ(f.Seek(1000, SEEK_SET), 1000);
    EXPECT_EQ(f.Seek(f.GetLength() + 1, SEEK_SET), 0);
    EXPECT_EQ(f.GetPosition(), 1000);
}

TEST_F(RecordingFileTest, RecordingsAreNeverOpenedForWriting)
{
    ConsoleCapture console;
    const uint64_t before = fileDigest(s_disk->path);
    CFSFile f;
    EXPECT_FALSE(f.Open(pathOf(0), CFSFile::modeWrite));
    EXPECT_FALSE(f.Open(pathOf(0), CFSFile::modeCreate | CFSFile::modeNoTruncate | CFSFile::modeReadWrite));
    EXPECT_FALSE(CFSFile::Rename(pathOf(0), pathOf(1)));
    EXPECT_FALSE(CFSFile::Remove(pathOf(0)));
    EXPECT_TRUE(CFSFile::Access(pathOf(0), 0));
    EXPECT_EQ(fileDigest(s_disk->path), before);
}

TEST_F(RecordingFileTest, DiskSpaceOfARecordPartition)
{
    const sim::PartitionResult &p = s_disk->manifest.partitions[0];
    quint64 freeBytes = 0, total = 0;
    ASSERT_TRUE(CFSFile::GetDiskSpace("/mnt/idea0", &freeBytes, &total));
    EXPECT_EQ(total, quint64(p.totalClus) * p.secPerClus * 512);
    EXPECT_EQ(freeBytes, quint64(p.totalClus - p.currentCluster) * p.secPerClus * 512);
}

TEST_F(RecordingFileTest, FilesOpenBeforeARescanReadNothing)
{
    CFSFile f;
    ASSERT_TRUE(f.Open(pathOf(0), CFSFile::modeRead));
    ASSERT_EQ(mountImages({s_disk->path}), WFS_OK);
    ConsoleCapture console;
    char buf[512];
    EXPECT_EQ(f.Read(buf, sizeof buf), 0);
    EXPECT_EQ(f.GetPosition(), 0);
}

TEST_F(RecordingFileTest, FindListsTheDayOfAChannel)
{
    CFSFileFind find;
    ASSERT_TRUE(find.FindFile("/mnt/idea0/2024-03-05/001/*"));
    const sim::RecordingResult &r = resultOf(s_disk->manifest, 1);
    const QString path = QString::fromStdString(recordPath(0, r, r.firstCluster, r.repeatNo));
    EXPECT_EQ(find.GetFilePath(), path);
    EXPECT_EQ(find.GetFileName(), path.mid(path.lastIndexOf('/') + 1));
    EXPECT_EQ(find.GetLength(), find.GetSize() / 1024);
    EXPECT_TRUE(find.IsNormal());
    EXPECT_FALSE(find.FindNextFile());
    CFSFile f;
    EXPECT_TRUE(f.Open(find.GetFilePath(), CFSFile::modeRead)) << "a listed name opens";
}

TEST_F(RecordingFileTest, StreamsOfAnEarlierDiskScanAreDeadEvenWhenTheirSlotIsReused)
{
    CFSFile before;
    ASSERT_TRUE(before.Open(pathOf(0), 0));
    ASSERT_EQ(mountImages({s_disk->path}), WFS_OK);
    CFSFile after;
    ASSERT_TRUE(after.Open(pathOf(1), 0)) << "takes the slot the first stream had";
    EXPECT_FALSE(before.IsOpen());
    char byte;
    EXPECT_EQ(before.Read(&byte, 1), 0) << "never reads another recording's bytes";
    before.Close();
    EXPECT_EQ(readAll(after, 4096), expected(1)) << "closing the dead stream leaves the new one alone";
}
