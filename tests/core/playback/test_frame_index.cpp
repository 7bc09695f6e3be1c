#include "playback/cfileindex.h"

#include "common/cfsfile.h"
#include "common/cglobalappdata.h"
#include "sim_recording.h"
#include "wfs.h"
#include "wfs_stream.h"
#include "wfs_time.h"

#include <gtest/gtest.h>

#include <QStringList>
#include <QTemporaryDir>

#include <algorithm>
#include <cstring>
#include <fcntl.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {
uint32_t stamp(int year, int month, int day, int hour, int minute, int second)
{
    return wfs_pack_time({year, month, day, hour, minute, second});
}

void put32(std::vector<uint8_t> &b, size_t at, uint32_t v) { memcpy(b.data() + at, &v, 4); }

// Recorder frames back to back; payloads are bytes that never hold a start code.
struct Frames {
    std::vector<uint8_t> bytes;

    size_t header(uint8_t type, size_t headerSize, size_t payload)
    {
        const size_t at = bytes.size();
        bytes.resize(at + headerSize + payload, 0x55);
        bytes[at] = 0, bytes[at + 1] = 0, bytes[at + 2] = 1, bytes[at + 3] = type;
        memset(bytes.data() + at + 4, 0, headerSize - 4);
        return at;
    }
    size_t key(uint32_t time, uint8_t rate, uint32_t payload = 200)
    {
        const size_t at = header(0xFC, 16, payload);
        bytes[at + 4] = 2, bytes[at + 5] = rate;
        put32(bytes, at + 8, time);
        put32(bytes, at + 12, payload);
        return at;
    }
    size_t video(uint32_t payload = 100)
    {
        const size_t at = header(0xFD, 8, payload);
        put32(bytes, at + 4, payload);
        return at;
    }
    size_t audio(uint16_t payload = 320)
    {
        const size_t at = header(0xFA, 8, payload);
        bytes[at + 4] = 14;
        memcpy(bytes.data() + at + 6, &payload, 2);
        return at;
    }
    void videos(int n)
    {
        for (int i = 0; i < n; ++i)
            video();
    }
    // One second: a key frame and rate - 1 other video frames, audio between them.
    size_t second(uint32_t time, uint8_t rate)
    {
        const size_t at = key(time, rate);
        for (int i = 1; i < rate; ++i) {
            video();
            if (i % 5 == 0) audio();
        }
        return at;
    }
};

QStringList g_messages;
void collect(QtMsgType, const QMessageLogContext &, const QString &text) { g_messages << text; }

// The index's debug lines are for the application log, not the test output.
const bool g_quiet = [] {
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &text) {
        if (type != QtDebugMsg && type != QtInfoMsg) fprintf(stderr, "%s\n", qPrintable(text));
    });
    return true;
}();

// Builds the index on its worker and waits for it to end, keeping the log lines.
bool buildIndex(CFileIndex &index, const QString &path, bool sync)
{
    g_messages.clear();
    QtMessageHandler previous = qInstallMessageHandler(collect);
    index.StartFileIndex(path, sync);
    EXPECT_TRUE(index.WaitFileIndex());
    qInstallMessageHandler(previous);
    return index.IsIndexReady();
}

class FrameIndexTest : public ::testing::Test {
protected:
    QString write(const std::vector<uint8_t> &bytes, const char *name = "rec.h264")
    {
        const QString path = m_dir.filePath(name);
        FILE *f = fopen(path.toLocal8Bit().constData(), "wb");
        EXPECT_TRUE(f);
        if (!bytes.empty()) fwrite(bytes.data(), 1, bytes.size(), f);
        fclose(f);
        return path;
    }

    bool build(CFileIndex &index, const QString &path, bool sync = false) { return buildIndex(index, path, sync); }

    QTemporaryDir m_dir;
};
} // namespace

TEST_F(FrameIndexTest, KeyFramesWithOffsetsNumbersAndAClosingEntry)
{
    Frames f;
    const uint32_t t0 = stamp(2026, 3, 5, 10, 0, 0);
    const size_t k0 = f.second(t0, 25), k1 = f.second(t0 + 1, 25), k2 = f.second(t0 + 2, 25);
    CFileIndex index(7);
    ASSERT_TRUE(build(index, write(f.bytes)));
    EXPECT_TRUE(g_messages.filter("FileIndexThread Index 7 Start").size() == 1) << g_messages.join("\n").toStdString();
    EXPECT_TRUE(g_messages.filter("FileIndexThread Index 7 End").size() == 1);

    const QVector<FileIndexEntry> e = index.Entries();
    ASSERT_EQ(e.size(), 4);
    EXPECT_EQ(e[0].nOffset, (qint64)k0);
    EXPECT_EQ(e[1].nOffset, (qint64)k1);
    EXPECT_EQ(e[2].nOffset, (qint64)k2);
    EXPECT_EQ(e[0].nFrameSize, 216u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(e[i].nFrameNo, 25u * i);
        EXPECT_EQ(e[i].nFrameRate, 25);
        EXPECT_EQ(e[i].nTime, t0 + i);
    }
    EXPECT_EQ(e[3].nOffset, (qint64)f.bytes.size());
    EXPECT_EQ(e[3].nFrameSize, 0u);
    EXPECT_EQ(e[3].nFrameNo, 75u);
    EXPECT_EQ(e[3].nFrameRate, 0);
    EXPECT_EQ(e[3].nTime, t0 + 3);
    EXPECT_EQ(index.FrameCount(), 75);
    EXPECT_EQ(index.FirstTime(), t0);
    EXPECT_EQ(index.LastTime(), t0 + 3);
    EXPECT_EQ(index.Duration(), 3);
    EXPECT_EQ(index.FileLength(), (qint64)f.bytes.size());
}

TEST_F(FrameIndexTest, FortyNineFramesAfterTenSecondsPastMidnightEndTwoSecondsLater)
{
    Frames f;
    f.key(stamp(2026, 3, 5, 23, 59, 50), 25);
    f.videos(24);
    f.key(stamp(2026, 3, 6, 0, 0, 10), 25);
    f.videos(49);
    CFileIndex index;
    ASSERT_TRUE(build(index, write(f.bytes)));
    EXPECT_EQ(index.LastTime(), stamp(2026, 3, 6, 0, 0, 12)) << "the same date";
    EXPECT_EQ(index.FrameCount(), 75);
}

TEST_F(FrameIndexTest, LastStampCarriesAcrossMidnightAndMonthEnd)
{
    Frames f;
    f.key(stamp(2024, 2, 29, 23, 59, 58), 25);
    f.videos(99); // 100 frames: 4 seconds
    CFileIndex index;
    ASSERT_TRUE(build(index, write(f.bytes)));
    EXPECT_EQ(index.LastTime(), stamp(2024, 3, 1, 0, 0, 2));
    EXPECT_EQ(index.Duration(), 4);
    EXPECT_EQ(CFileIndex::AdvanceTime(stamp(2026, 12, 31, 0, 0, 5), 86400), stamp(2027, 1, 1, 0, 0, 5));
    EXPECT_EQ(CFileIndex::AdvanceTime(stamp(2026, 12, 31, 23, 30, 0), 1800), stamp(2027, 1, 1, 0, 0, 0));
}

TEST_F(FrameIndexTest, RecordingsOf1024BytesOrLessAreNeverIndexed)
{
    Frames f;
    f.key(stamp(2026, 3, 5, 10, 0, 0), 25, 1008); // exactly 1024 bytes
    ASSERT_EQ(f.bytes.size(), 1024u);
    CFileIndex index(2);
    EXPECT_FALSE(build(index, write(f.bytes)));
    EXPECT_EQ(g_messages.filter("DataLen 1024 Error 2").size(), 1) << g_messages.join("\n").toStdString();
    EXPECT_EQ(index.FileLength(), 0);
    FileIndexEntry entry;
    EXPECT_FALSE(index.FindByFraction(0, entry));
    f.bytes.clear();
    const uint32_t t = stamp(2026, 3, 5, 10, 0, 0);
    f.key(t, 25, 1009); // one byte more is enough
    EXPECT_TRUE(build(index, write(f.bytes)));
    EXPECT_EQ(index.LastTime(), t);
    EXPECT_EQ(index.FrameCount(), 1);
    EXPECT_FALSE(build(index, write({}, "empty.h264")));
    EXPECT_EQ(g_messages.filter("DataLen 0 Error 2").size(), 1);
    EXPECT_FALSE(build(index, m_dir.filePath("missing.h264")));
    EXPECT_EQ(g_messages.filter("open failed").size(), 1);
}

TEST_F(FrameIndexTest, WithoutAKeyFrameNothingIsReady)
{
    Frames f;
    f.videos(40);
    for (int i = 0; i < 10; ++i)
        f.audio();
    CFileIndex index;
    EXPECT_FALSE(build(index, write(f.bytes)));
    EXPECT_TRUE(index.Entries().isEmpty());
    FileIndexEntry entry;
    EXPECT_FALSE(index.FindByFraction(0.5, entry));
    EXPECT_FALSE(index.FindBySecond(0, entry));
    EXPECT_EQ(index.Duration(), 0);
}

TEST_F(FrameIndexTest, VideoBeforeTheFirstKeyFrameIsNotCounted)
{
    Frames f;
    f.videos(5);
    const size_t k = f.key(stamp(2026, 3, 5, 10, 0, 0), 25);
    f.videos(10);
    CFileIndex index;
    ASSERT_TRUE(build(index, write(f.bytes)));
    const QVector<FileIndexEntry> e = index.Entries();
    ASSERT_EQ(e.size(), 2);
    EXPECT_EQ(e[0].nOffset, (qint64)k);
    EXPECT_EQ(e[0].nFrameNo, 0u);
    EXPECT_EQ(index.FrameCount(), 11);
}

TEST_F(FrameIndexTest, AnImplausibleKeyFrameIsCountedButNotIndexed)
{
    Frames f;
    const uint32_t t0 = stamp(2026, 3, 5, 10, 0, 0);
    f.key(t0, 25);
    f.videos(4);
    const size_t big = f.header(0xFC, 16, 0); // a key frame header claiming 600000 bytes
    put32(f.bytes, big + 8, t0 + 1);
    put32(f.bytes, big + 12, 600000 - 16);
    const size_t k = f.key(t0 + 2, 25);
    f.videos(20);
    CFileIndex index;
    ASSERT_TRUE(build(index, write(f.bytes)));
    const QVector<FileIndexEntry> e = index.Entries();
    ASSERT_EQ(e.size(), 3);
    EXPECT_EQ(e[1].nOffset, (qint64)k);
    EXPECT_EQ(e[1].nFrameNo, 6u) << "key, four videos and the implausible key";
    EXPECT_EQ(index.FrameCount(), 27);
}

TEST_F(FrameIndexTest, GarbageInTheLast1024BytesCutsTheLength)
{
    Frames f;
    f.second(stamp(2026, 3, 5, 10, 0, 0), 25);
    const size_t end = f.bytes.size();
    f.bytes.resize(end + 1000, 0x33);
    CFileIndex index;
    ASSERT_TRUE(build(index, write(f.bytes)));
    EXPECT_EQ(index.FileLength(), (qint64)end);
    EXPECT_EQ(index.Entries().last().nOffset, (qint64)end);
}

TEST_F(FrameIndexTest, GarbageInTheMiddleIsSkippedByteByByte)
{
    Frames f;
    const uint32_t t0 = stamp(2026, 3, 5, 10, 0, 0);
    f.second(t0, 25);
    // an unknown type, a video frame claiming 2 GiB and one of a negative length
    f.bytes.insert(f.bytes.end(), {0, 0, 1, 0xF0, 9, 9, 0, 0, 1, 0xFD, 0xFF, 0xFF, 0xFF, 0x7F, 0x12});
    f.bytes.insert(f.bytes.end(), {0, 0, 1, 0xFD, 0xF0, 0xFF, 0xFF, 0xFF, 0x12});
    f.bytes.resize(f.bytes.size() + 3000, 0x33);
    const size_t k = f.second(t0 + 1, 25);
    CFileIndex index;
    ASSERT_TRUE(build(index, write(f.bytes)));
    ASSERT_EQ(index.Entries().size(), 3);
    EXPECT_EQ(index.Entries()[1].nOffset, (qint64)k);
    EXPECT_EQ(index.FrameCount(), 50);
}

TEST_F(FrameIndexTest, AFrameRunningPastTheEndIsNotIndexed)
{
    Frames f;
    const uint32_t t0 = stamp(2026, 3, 5, 10, 0, 0);
    f.second(t0, 25);
    const size_t cut = f.key(t0 + 1, 25, 5000);
    f.bytes.resize(cut + 2000);
    CFileIndex index;
    ASSERT_TRUE(build(index, write(f.bytes)));
    ASSERT_EQ(index.Entries().size(), 2);
    EXPECT_EQ(index.FrameCount(), 26) << "counted all the same";
    EXPECT_EQ(index.FileLength(), (qint64)f.bytes.size()) << "the true length, not the frame's end";
}

TEST_F(FrameIndexTest, SyncModeBlocksGiveTheSameIndex)
{
    Frames f;
    const uint32_t t0 = stamp(2026, 3, 5, 10, 0, 0);
    for (int s = 0; s < 6; ++s) {
        f.key(t0 + s, 25, 300000 + 7919 * s); // keys and videos straddle the blocks
        for (int i = 1; i < 25; ++i)
            f.video(i % 7 == 0 ? 40000 : 1000 + 13 * i);
    }
    CFileIndex full, sync;
    ASSERT_TRUE(build(full, write(f.bytes)));
    ASSERT_TRUE(build(sync, write(f.bytes), true));
    const QVector<FileIndexEntry> a = full.Entries(), b = sync.Entries();
    ASSERT_EQ(a.size(), 7);
    ASSERT_EQ(b.size(), a.size());
    for (int i = 0; i < a.size(); ++i) {
        EXPECT_EQ(a[i].nOffset, b[i].nOffset);
        EXPECT_EQ(a[i].nFrameNo, b[i].nFrameNo);
        EXPECT_EQ(a[i].nTime, t0 + i);
    }
    EXPECT_EQ(full.FrameCount(), 150);
    EXPECT_EQ(sync.FrameCount(), 150);
}

TEST_F(FrameIndexTest, SeekByFractionTakesTheKeyFrameAtOrBefore)
{
    Frames f;
    const uint32_t t0 = stamp(2026, 3, 5, 10, 0, 0);
    std::vector<size_t> keys;
    for (int s = 0; s < 3; ++s)
        keys.push_back(f.second(t0 + s, 25));
    CFileIndex index;
    FileIndexEntry entry;
    EXPECT_FALSE(index.FindByFraction(0.5, entry)) << "not ready";
    ASSERT_TRUE(build(index, write(f.bytes)));
    ASSERT_TRUE(index.FindByFraction(0.5, entry)); // frame 37
    EXPECT_EQ(entry.nOffset, (qint64)keys[1]);
    EXPECT_EQ(CFileIndex::SecondOfDay(entry.nTime), 36001);
    ASSERT_TRUE(index.FindByFraction(0.34, entry)); // frame 25 exactly
    EXPECT_EQ(entry.nFrameNo, 25u);
    ASSERT_TRUE(index.FindByFraction(0, entry));
    EXPECT_EQ(entry.nOffset, (qint64)keys[0]);
    ASSERT_TRUE(index.FindByFraction(0.99, entry));
    EXPECT_EQ(entry.nOffset, (qint64)keys[2]);
    ASSERT_TRUE(index.FindByFraction(1.0, entry));
    EXPECT_EQ(entry.nFrameSize, 0u) << "the closing entry";
    EXPECT_EQ(entry.nOffset, (qint64)f.bytes.size());
}

// Windows in step seek each other by the full date-time, so a recording over midnight finds
// its key frames after 00:00 (a second of day there would be smaller than every one before).
TEST_F(FrameIndexTest, SeekByDateTimeAcrossMidnight)
{
    Frames f;
    const size_t before = f.second(stamp(2026, 3, 5, 23, 59, 58), 50);
    const size_t midnight = f.second(stamp(2026, 3, 6, 0, 0, 0), 50);
    const size_t after = f.second(stamp(2026, 3, 6, 0, 0, 2), 50);
    CFileIndex index;
    ASSERT_TRUE(build(index, write(f.bytes)));
    FileIndexEntry entry;
    ASSERT_TRUE(index.FindByTime(stamp(2026, 3, 6, 0, 0, 1), entry));
    EXPECT_EQ(entry.nOffset, (qint64)midnight);
    ASSERT_TRUE(index.FindByTime(stamp(2026, 3, 5, 23, 59, 59), entry));
    EXPECT_EQ(entry.nOffset, (qint64)before);
    ASSERT_TRUE(index.FindByTime(stamp(2026, 3, 6, 0, 0, 2), entry));
    EXPECT_EQ(entry.nOffset, (qint64)after);
    EXPECT_FALSE(index.FindByTime(stamp(2026, 3, 5, 23, 0, 0), entry)) << "before the recording";
    EXPECT_FALSE(index.FindBySecond(1, entry)) << "what a second of day cannot find";
}

TEST_F(FrameIndexTest, SeekBySecondOfDay)
{
    Frames f;
    const uint32_t t0 = stamp(2026, 3, 5, 10, 0, 0);
    std::vector<size_t> keys;
    for (int s = 0; s < 4; s += 2) // a key frame every two seconds
        keys.push_back(f.second(t0 + s, 50));
    CFileIndex index;
    ASSERT_TRUE(build(index, write(f.bytes)));
    FileIndexEntry entry;
    EXPECT_FALSE(index.FindBySecond(35999, entry));
    ASSERT_TRUE(index.FindBySecond(36000, entry));
    EXPECT_EQ(entry.nOffset, (qint64)keys[0]);
    ASSERT_TRUE(index.FindBySecond(36001, entry));
    EXPECT_EQ(entry.nOffset, (qint64)keys[0]);
    ASSERT_TRUE(index.FindBySecond(36002, entry));
    EXPECT_EQ(entry.nOffset, (qint64)keys[1]);
    ASSERT_TRUE(index.FindBySecond(40000, entry));
    EXPECT_EQ(entry.nFrameSize, 0u) << "the closing entry, one second after the last key frame";
    EXPECT_EQ(CFileIndex::SecondOfDay(entry.nTime), 36003);
}

TEST_F(FrameIndexTest, StopDropsTheIndexAndRestartBuildsItAgain)
{
    Frames f;
    f.second(stamp(2026, 3, 5, 10, 0, 0), 25);
    const QString path = write(f.bytes);
    CFileIndex index;
    ASSERT_TRUE(build(index, path));
    index.StopFileIndex();
    EXPECT_FALSE(index.IsIndexReady());
    EXPECT_TRUE(index.Entries().isEmpty());
    EXPECT_EQ(index.FileLength(), 0);
    index.RestartFileIndex(path, true);
    ASSERT_TRUE(index.WaitFileIndex());
    EXPECT_TRUE(index.IsIndexReady());
    EXPECT_EQ(index.Entries().size(), 2);
}

TEST_F(FrameIndexTest, RestartsFromThePlayWorkerAndStopsFromTheInterfaceMeetSafely)
{
    Frames f;
    f.second(stamp(2026, 3, 5, 10, 0, 0), 25);
    const QString path = write(f.bytes);
    CFileIndex index;
    std::thread player([&] {
        for (int i = 0; i < 40; ++i)
            index.RestartFileIndex(path, true);
    });
    for (int i = 0; i < 40; ++i)
        index.StopFileIndex();
    player.join();
    index.RestartFileIndex(path, false);
    ASSERT_TRUE(index.WaitFileIndex());
    EXPECT_TRUE(index.IsIndexReady());
    EXPECT_EQ(index.Entries().size(), 2);
}

TEST_F(FrameIndexTest, AStoppedScanPublishesNothing)
{
    // Large enough that the worker is most likely still scanning when asked to stop;
    // whichever comes first, nothing is left behind.
    Frames f;
    f.second(stamp(2026, 3, 5, 10, 0, 0), 25);
    f.bytes.resize(64 << 20, 0x33);
    const QString path = write(f.bytes);
    CFileIndex index;
    index.StartFileIndex(path, false);
    index.StopFileIndex(0);
    ASSERT_TRUE(index.WaitFileIndex());
    EXPECT_FALSE(index.IsIndexReady());
    EXPECT_TRUE(index.Entries().isEmpty());
    EXPECT_EQ(index.FileLength(), 0);
}

// Offsets beyond 2 GiB (and near 4 GiB) in a sparse file: a chain of the largest
// plausible video frames with key frames among them.
TEST_F(FrameIndexTest, OffsetsBeyondTwoGiB)
{
    const QString path = m_dir.filePath("big.h264");
    const int fd = open(path.toLocal8Bit().constData(), O_CREAT | O_WRONLY | O_TRUNC, 0644);
    ASSERT_GE(fd, 0);
    const uint32_t t0 = stamp(2026, 3, 5, 10, 0, 0);
    const int frames = 8389; // 116 + 8388 x 512000 bytes: just under 4 GiB
    const std::vector<int> keyAt = {0, 2048, 4200, 8388};
    std::vector<int64_t> keyOffsets;
    int64_t offset = 0;
    for (int i = 0; i < frames; ++i) {
        const bool key = std::find(keyAt.begin(), keyAt.end(), i) != keyAt.end();
        const uint32_t size = i == 0 ? 116 : 512000;
        uint8_t h[16] = {0, 0, 1, uint8_t(key ? 0xFC : 0xFD)};
        if (key) {
            h[5] = 25;
            const uint32_t t = wfs_time_add_seconds(t0, i / 25), payload = size - 16;
            memcpy(h + 8, &t, 4);
            memcpy(h + 12, &payload, 4);
            keyOffsets.push_back(offset);
        } else {
            const int32_t payload = int32_t(size - 8);
            memcpy(h + 4, &payload, 4);
        }
        ASSERT_EQ(pwrite(fd, h, 16, offset), 16);
        offset += size;
    }
    ASSERT_EQ(ftruncate(fd, offset), 0);
    close(fd);
    ASSERT_GT(offset, int64_t(0xFFF00000));
    ASSERT_LT(offset, int64_t(4294967295));

    CFileIndex index;
    ASSERT_TRUE(build(index, path, true));
    const QVector<FileIndexEntry> e = index.Entries();
    ASSERT_EQ(e.size(), 5);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(e[i].nOffset, keyOffsets[size_t(i)]) << i;
        EXPECT_EQ(e[i].nFrameNo, uint32_t(keyAt[size_t(i)]));
    }
    EXPECT_GT(e[2].nOffset, int64_t(INT32_MAX));
    EXPECT_EQ(e[4].nOffset, offset);
    EXPECT_EQ(index.FileLength(), offset);
    EXPECT_EQ(index.FrameCount(), frames);
    FileIndexEntry entry;
    ASSERT_TRUE(index.FindByFraction(0.6, entry));
    EXPECT_EQ(entry.nOffset, keyOffsets[2]);
}

TEST_F(FrameIndexTest, ALengthOf4294967295OrMoreIsRefused)
{
    const QString path = m_dir.filePath("huge.h264");
    const int fd = open(path.toLocal8Bit().constData(), O_CREAT | O_WRONLY | O_TRUNC, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(ftruncate(fd, 4294967295LL), 0);
    close(fd);
    CFileIndex index;
    EXPECT_FALSE(build(index, path));
    EXPECT_EQ(g_messages.filter("DataLen 4294967295 Error").size(), 1);
    EXPECT_EQ(index.FileLength(), 0);
}

namespace {
const sim::Seconds DAY = sim::makeTime(2026, 3, 5, 9, 0, 0);
const int kSeconds = 10;

sim::Scenario twoCodecs()
{
    sim::Scenario s;
    s.payloads = sim::PayloadKind::Real;
    s.partitions = {partition(1024)};
    for (int ch = 0; ch < 2; ++ch) {
        sim::RecordingSpec r = recording(ch, DAY, kSeconds);
        r.width = 176;
        r.height = 144;
        r.codec = ch == 0 ? 2 : 3;
        r.audio = ch == 1;
        s.recordings.push_back(r);
    }
    return s;
}

// The recorder frames of a whole recording, frame by frame: video frames and
// key frames that end within the file, and where the last whole frame ends.
struct Walk {
    int keys = 0;
    int videos = 0;
    qint64 end = 0;
};

Walk walkFrames(CFSFile &file)
{
    std::vector<uint8_t> b((size_t)file.GetLength());
    EXPECT_EQ(file.Read(b.data(), (qint64)b.size()), (qint64)b.size());
    Walk w;
    size_t pos = 0;
    while (pos + 16 <= b.size() && b[pos] == 0 && b[pos + 1] == 0 && b[pos + 2] == 1) {
        uint32_t u32;
        uint16_t u16;
        memcpy(&u32, &b[pos + (b[pos + 3] == 0xFC ? 12 : 4)], 4);
        memcpy(&u16, &b[pos + 6], 2);
        const size_t size = b[pos + 3] == 0xFC ? 16 + u32 : b[pos + 3] == 0xFD ? 8 + u32 : 8 + u16;
        if (pos + size > b.size()) break;
        w.keys += b[pos + 3] == 0xFC;
        w.videos += b[pos + 3] == 0xFC || b[pos + 3] == 0xFD;
        pos += size;
    }
    w.end = (qint64)pos;
    return w;
}

// Recordings of a simulator disk, read through "/mnt/ide..." under the disk read lock.
class DiskRecordingIndexTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_appDir = new QTemporaryDir;
        CGlobalAppData::setAppPathOverride(s_appDir->path());
        s_dir = new ScratchDir;
        s_disk = new SimDisk(*s_dir, "index.img", twoCodecs());
    }

    static void TearDownTestSuite()
    {
        CGlobalAppData::saveAndRelease();
        CGlobalAppData::setAppPathOverride(QString());
        delete s_disk;
        delete s_dir;
        delete s_appDir;
    }

    void SetUp() override
    {
        ASSERT_TRUE(s_disk->ok);
        ASSERT_EQ(mountImages({s_disk->path}), WFS_OK);
        ASSERT_NE(wfs_register_stream_ops(), -1);
    }

    void TearDown() override { wfs_mount_register(WFS_STREAM_PREFIX, nullptr); }

    static QTemporaryDir *s_appDir;
    static ScratchDir *s_dir;
    static SimDisk *s_disk;
};

QTemporaryDir *DiskRecordingIndexTest::s_appDir = nullptr;
ScratchDir *DiskRecordingIndexTest::s_dir = nullptr;
SimDisk *DiskRecordingIndexTest::s_disk = nullptr;
} // namespace

TEST_F(DiskRecordingIndexTest, OneEntryPerSecondOfEachRecording)
{
    for (int channel : {0, 1}) {
        const sim::RecordingResult &r = resultOf(s_disk->manifest, (size_t)channel);
        const QString path = QString::fromStdString(recordPath(0, r, r.firstCluster));
        CFileIndex index(channel);
        ASSERT_TRUE(buildIndex(index, path, channel == 1)) << path.toStdString();
        CFSFile file;
        ASSERT_TRUE(file.Open(path, CFSFile::modeRead));
        const Walk walk = walkFrames(file);
        const QVector<FileIndexEntry> e = index.Entries();
        ASSERT_EQ(e.size(), walk.keys + 1) << channel;
        ASSERT_GE(walk.keys, kSeconds - 1) << "at most the last second is cut by the length in KiB";
        EXPECT_EQ(index.FrameCount(), walk.videos);
        EXPECT_EQ(index.FileLength(), walk.end);
        EXPECT_EQ(index.FirstTime(), r.startTime);
        EXPECT_EQ(index.LastTime(), wfs_time_add_seconds(r.startTime, walk.videos / 25));
        EXPECT_EQ(index.Duration(), walk.videos / 25);
        for (int i = 0; i < walk.keys; ++i) {
            EXPECT_EQ(e[i].nFrameNo, uint32_t(25 * i));
            EXPECT_EQ(e[i].nFrameRate, 25);
            EXPECT_EQ(e[i].nTime, wfs_time_add_seconds(r.startTime, i));
            uint8_t h[16] = {};
            ASSERT_EQ(file.Seek(e[i].nOffset, SEEK_SET), e[i].nOffset);
            ASSERT_EQ(file.Read(h, 16), 16);
            EXPECT_EQ(h[3], 0xFC) << "a key frame starts at entry " << i;
            uint32_t t;
            memcpy(&t, h + 8, 4);
            EXPECT_EQ(t, e[i].nTime);
        }
        FileIndexEntry entry;
        ASSERT_TRUE(index.FindBySecond(CFileIndex::SecondOfDay(r.startTime) + 4, entry));
        EXPECT_EQ(entry.nOffset, e[4].nOffset);
    }
}
