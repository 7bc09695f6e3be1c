#include "sim_recording.h"

#include "wfs.h"
#include "wfs_path.h"
#include "wfs_stream.h"

#include <gtest/gtest.h>

#include <cstring>
#include <ctime>
#include <memory>

namespace {
const sim::Seconds MAR5 = sim::makeTime(2024, 3, 5);
const sim::Seconds MAR6 = sim::makeTime(2024, 3, 6);
const uint8_t KEY_FRAME[4] = {0, 0, 1, 0xFC};

enum { REC_PLAIN, REC_HIDDEN_HEADER, REC_DIR_HEADER, REC_MIDNIGHT, REC_NEXT_DAY };

sim::RecordingSpec video(int channel, sim::Seconds start, sim::Seconds seconds, uint32_t bytesPerSecond)
{
    sim::RecordingSpec r = recording(channel, start, seconds);
    r.bytesPerSecond = bytesPerSecond;
    return r;
}

// One partition: two channels recording at 10:00 side by side, a recording over
// midnight and one on the next day; two of them begin with "DHII" headers.
sim::Scenario dayScenario()
{
    sim::Scenario s;
    s.partitions = {partition(2048)};
    s.partitions[0].revClus = 8;
    s.recordings.push_back(video(0, MAR5 + 10 * 3600, 60, 8192));
    s.recordings.push_back(video(1, MAR5 + 10 * 3600, 40, 6000));
    s.recordings.back().dhiiSectors = 3;
    s.recordings.back().headSectorsInDir = false;
    s.recordings.push_back(video(0, MAR5 + 12 * 3600, 30, 5000));
    s.recordings.back().dhiiSectors = 2;
    s.recordings.push_back(video(0, MAR5 + 23 * 3600 + 50 * 60, 1800, 1024));
    s.recordings.push_back(video(0, MAR6 + 8 * 3600, 20, 4096));
    return s;
}

class StreamTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_dir = new ScratchDir;
        s_scenario = dayScenario();
        s_disk = new SimDisk(*s_dir, "day.img", s_scenario);
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
    }

    void TearDown() override
    {
        for (FILEHANDLE h : m_open) fs_fclose(h);
    }

    static const sim::RecordingResult &rec(size_t index) { return resultOf(s_disk->manifest, index); }

    static std::string pathOf(size_t index) { return recordPath(0, rec(index), rec(index).firstCluster); }

    FILEHANDLE open(const std::string &path)
    {
        FILEHANDLE h = fs_fopen(path.c_str(), "rb");
        if (h) m_open.push_back(h);
        return h;
    }

    void close(FILEHANDLE h)
    {
        m_open.erase(std::remove(m_open.begin(), m_open.end(), h), m_open.end());
        EXPECT_EQ(fs_fclose(h), 0);
    }

    // The bytes a reader gets from position 0: after the header, up to the length the directory gives.
    static std::vector<uint8_t> expected(size_t index, uint64_t fileLen)
    {
        const sim::RecordingResult &r = rec(index);
        uint64_t head = uint64_t(r.headSectors) * 512;
        std::vector<uint8_t> all = writtenBytes(s_scenario, index, r.dataBytes, fileLen);
        return std::vector<uint8_t>(all.begin() + (long)head, all.end());
    }

    static uint64_t fileLen(size_t index) { return uint64_t(rec(index).lengthKiB) * 1024; }

    static std::vector<uint8_t> readInSteps(FILEHANDLE h, size_t step, size_t limit = SIZE_MAX)
    {
        std::vector<uint8_t> out, chunk(step);
        size_t n;
        while (out.size() < limit && (n = fs_fread(chunk.data(), 1, step, h)) > 0)
            out.insert(out.end(), chunk.begin(), chunk.begin() + (long)n);
        return out;
    }

    static ScratchDir *s_dir;
    static sim::Scenario s_scenario;
    static SimDisk *s_disk;
    std::vector<FILEHANDLE> m_open;
};

ScratchDir *StreamTest::s_dir = nullptr;
sim::Scenario StreamTest::s_scenario;
SimDisk *StreamTest::s_disk = nullptr;

int64_t localSeconds(sim::Seconds zoneFree)
{
    time_t raw = (time_t)zoneFree;
    struct tm tm;
    gmtime_r(&raw, &tm);
    tm.tm_isdst = -1;
    return (int64_t)mktime(&tm);
}
} // namespace

// ---- opening

TEST_F(StreamTest, OpensByClusterAndReadsTheWholeRecordingInOddPieces)
{
    FILEHANDLE h = open(pathOf(REC_PLAIN));
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(h->buf_size, (uint32_t)WFS_VIDEO_BUFFER);
    EXPECT_EQ(h->file_len, fileLen(REC_PLAIN));
    EXPECT_EQ(fs_ftell(h), 0);
    std::vector<uint8_t> got = readInSteps(h, 1000);
    ASSERT_GT(fileLen(REC_PLAIN), 3u * WFS_VIDEO_BUFFER) << "the recording spans several buffers";
    EXPECT_EQ(got, expected(REC_PLAIN, fileLen(REC_PLAIN)));
    EXPECT_EQ(0, memcmp(got.data(), KEY_FRAME, 4));
    EXPECT_EQ(fs_ftell(h), (int64_t)fileLen(REC_PLAIN));
}

TEST_F(StreamTest, LargeAlignedReadsGoStraightToTheCallerWithTheSameBytes)
{
    FILEHANDLE h = open(pathOf(REC_PLAIN));
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(readInSteps(h, 65536), expected(REC_PLAIN, fileLen(REC_PLAIN)));
}

TEST_F(StreamTest, MixedSmallAndLargeReadsStayInStep)
{
    FILEHANDLE h = open(pathOf(REC_PLAIN));
    ASSERT_NE(h, nullptr);
    std::vector<uint8_t> got(fileLen(REC_PLAIN));
    size_t at = 0;
    const size_t steps[] = {512, 40960, 777, 20000, 512, 16896, 3};
    for (size_t i = 0; at < got.size(); ++i) {
        size_t n = fs_fread(&got[at], 1, std::min(steps[i % 7], got.size() - at), h);
        ASSERT_GT(n, 0u) << "at " << at;
        at += n;
    }
    EXPECT_EQ(got, expected(REC_PLAIN, fileLen(REC_PLAIN)));
}

TEST_F(StreamTest, ItemsAreCountedInWholeItems)
{
    FILEHANDLE h = open(pathOf(REC_PLAIN));
    ASSERT_NE(h, nullptr);
    std::vector<uint8_t> got(3000);
    EXPECT_EQ(fs_fread(got.data(), 100, 30, h), 30u);
    EXPECT_EQ(fs_ftell(h), 3000);
}

TEST_F(StreamTest, NameWithoutClusterOpensByChannelAndStartTime)
{
    for (size_t index : {REC_PLAIN, REC_HIDDEN_HEADER}) {
        FILEHANDLE h = open(recordPath(0, rec(index), 0));
        ASSERT_NE(h, nullptr) << "channel folder " << rec(index).channel;
        EXPECT_EQ(h->first_cluster, rec(index).firstCluster);
        std::vector<uint8_t> got = readInSteps(h, 4096, 8192);
        got.resize(8192);
        std::vector<uint8_t> want = expected(index, fileLen(index));
        EXPECT_TRUE(std::equal(got.begin(), got.end(), want.begin())) << "recording " << index;
    }
}

TEST_F(StreamTest, ClusterBelowTheDataAreaAlsoOpensByTime)
{
    FILEHANDLE h = open(recordPath(0, rec(REC_DIR_HEADER), 1));
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(h->first_cluster, rec(REC_DIR_HEADER).firstCluster);
}

TEST_F(StreamTest, DhiiHeaderFoundInTheFirstSectorIsSkipped)
{
    FILEHANDLE h = open(pathOf(REC_HIDDEN_HEADER));
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(h->head_skip, 3u * 512);
    EXPECT_EQ(fs_ftell(h), 0);
    std::vector<uint8_t> got = readInSteps(h, 5000);
    EXPECT_EQ(0, memcmp(got.data(), KEY_FRAME, 4));
    EXPECT_EQ(got, expected(REC_HIDDEN_HEADER, fileLen(REC_HIDDEN_HEADER)));
}

TEST_F(StreamTest, SeekToStartLandsAfterTheHeader)
{
    for (size_t index : {REC_HIDDEN_HEADER, REC_DIR_HEADER}) {
        FILEHANDLE h = open(pathOf(index));
        ASSERT_NE(h, nullptr);
        uint8_t first[4];
        ASSERT_EQ(fs_fread(first, 1, 4, h), 4u);
        EXPECT_EQ(fs_fseek(h, 0, SEEK_SET), 0);
        EXPECT_EQ(fs_ftell(h), 0);
        ASSERT_EQ(fs_fread(first, 1, 4, h), 4u);
        EXPECT_EQ(0, memcmp(first, KEY_FRAME, 4)) << "recording " << index;
        EXPECT_EQ(fs_fseek(h, -1, SEEK_SET), WFS_SEEK_OUT_OF_RANGE) << "the header is not part of the stream";
    }
}

TEST_F(StreamTest, ReadCrossingTheEndReturnsOnlyTheBytesUpToIt)
{
    FILEHANDLE h = open(pathOf(REC_PLAIN));
    ASSERT_NE(h, nullptr);
    const uint64_t len = fileLen(REC_PLAIN);
    std::vector<uint8_t> want = expected(REC_PLAIN, len), got(5000);
    ASSERT_EQ(fs_fseek(h, -100, SEEK_END), 0);
    EXPECT_EQ(fs_ftell(h), (int64_t)len - 100);
    ASSERT_EQ(fs_fread(got.data(), 1, 5000, h), 100u);
    EXPECT_TRUE(std::equal(got.begin(), got.begin() + 100, want.end() - 100));
    EXPECT_EQ(fs_fread(got.data(), 1, 5000, h), 0u);

    ASSERT_EQ(fs_fseek(h, -1024, SEEK_END), 0);
    std::vector<uint8_t> big(65536);
    ASSERT_EQ(fs_fread(big.data(), 1, big.size(), h), 1024u) << "a large aligned read stops at the end too";
    EXPECT_TRUE(std::equal(big.begin(), big.begin() + 1024, want.end() - 1024));
    EXPECT_EQ(fs_fread(big.data(), 1, big.size(), h), 0u);
}

TEST_F(StreamTest, SeeksWithinAndOutsideTheBufferReadTheRightBytes)
{
    FILEHANDLE h = open(pathOf(REC_PLAIN));
    ASSERT_NE(h, nullptr);
    std::vector<uint8_t> want = expected(REC_PLAIN, fileLen(REC_PLAIN)), got(3000);
    const int64_t offsets[] = {100000, 100100, 4095, 4096, 32768, 491520 - 3000, 0, 250000, 249000, 123};
    for (int64_t offset : offsets) {
        ASSERT_EQ(fs_fseek(h, offset, SEEK_SET), 0) << offset;
        ASSERT_EQ(fs_fread(got.data(), 1, got.size(), h), got.size()) << offset;
        EXPECT_TRUE(std::equal(got.begin(), got.end(), want.begin() + offset)) << offset;
    }
    ASSERT_EQ(fs_fseek(h, -2000, SEEK_CUR), 0);
    ASSERT_EQ(fs_fread(got.data(), 1, got.size(), h), got.size());
    EXPECT_TRUE(std::equal(got.begin(), got.end(), want.begin() + 123 + 3000 - 2000)) << "relative seek";
}

TEST_F(StreamTest, SeeksOutsideTheRecordingFailAndKeepThePosition)
{
    FILEHANDLE h = open(pathOf(REC_PLAIN));
    ASSERT_NE(h, nullptr);
    ASSERT_EQ(fs_fseek(h, 5000, SEEK_SET), 0);
    EXPECT_EQ(fs_fseek(h, 1, SEEK_END), WFS_SEEK_OUT_OF_RANGE);
    EXPECT_EQ(fs_fseek(h, (int64_t)fileLen(REC_PLAIN) + 1, SEEK_SET), WFS_SEEK_OUT_OF_RANGE);
    EXPECT_EQ(fs_fseek(h, -5001, SEEK_CUR), WFS_SEEK_OUT_OF_RANGE);
    EXPECT_EQ(fs_fseek(h, 0, 7), WFS_SEEK_OUT_OF_RANGE);
    EXPECT_EQ(fs_ftell(h), 5000);
    EXPECT_EQ(fs_fseek(h, 0, SEEK_END), 0);
    EXPECT_EQ(fs_ftell(h), (int64_t)fileLen(REC_PLAIN));
}

TEST_F(StreamTest, RecordingOverMidnightReadsToItsEnd)
{
    FILEHANDLE h = open(pathOf(REC_MIDNIGHT));
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(readInSteps(h, 30000), expected(REC_MIDNIGHT, fileLen(REC_MIDNIGHT)));
}

TEST_F(StreamTest, PathsThatNameNoRecordingDoNotOpen)
{
    ConsoleCapture console;
    const sim::RecordingResult &r = rec(REC_MIDNIGHT);
    EXPECT_EQ(open(recordPath(0, r, r.firstCluster + 5)), nullptr) << "a cluster in the middle of a recording";
    EXPECT_EQ(open(recordPath(3, r, r.firstCluster)), nullptr) << "no such partition";
    EXPECT_EQ(open("/mnt/idea0/2024-03-05/000/not-a-name.h264"), nullptr);
    EXPECT_EQ(open("/mnt/idea0/2024-03-05/000/x.txt"), nullptr);
    EXPECT_EQ(fs_fopen(pathOf(REC_PLAIN).c_str(), "wb"), nullptr) << "nothing is ever written to a recorder disk";
    std::string log = console.text();
    EXPECT_NE(log.find("No such driver!"), std::string::npos);
    EXPECT_NE(log.find("No file /mnt/idea0/2024-03-05/000/23.50.00-00.20.00"), std::string::npos);
}

// ---- handles

TEST_F(StreamTest, HandlesOpenedBeforeARescanAreRefused)
{
    FILEHANDLE h = open(pathOf(REC_PLAIN));
    ASSERT_NE(h, nullptr);
    ASSERT_EQ(mountImages({s_disk->path}), WFS_OK);
    ConsoleCapture console;
    uint8_t buf[4096];
    EXPECT_EQ(fs_fread(buf, 1, sizeof buf, h), 0u);
    EXPECT_EQ(fs_ftell(h), WFS_SEEK_BAD_HANDLE);
    EXPECT_EQ(fs_fseek(h, 0, SEEK_SET), WFS_SEEK_BAD_HANDLE);
    EXPECT_EQ(fs_fclose(h), -1);
    m_open.clear();
    EXPECT_NE(console.text().find("INVALID HANDLE: Src\\adapt"), std::string::npos);
}

TEST_F(StreamTest, ClosedHandleIsRefusedAndItsSlotReused)
{
    FILEHANDLE h = open(pathOf(REC_PLAIN));
    ASSERT_NE(h, nullptr);
    close(h);
    ConsoleCapture console;
    uint8_t buf[16];
    EXPECT_EQ(fs_fread(buf, 1, sizeof buf, h), 0u);
    EXPECT_EQ(fs_fclose(h), -1);
    EXPECT_EQ(open(pathOf(REC_DIR_HEADER)), h);
}

// ---- work directory

TEST_F(StreamTest, WorkDirectoryReturnsTheDaysWithRecordingsOnce)
{
    FILEHANDLE h = open("/mnt/idea0/WorkDirectory");
    ASSERT_NE(h, nullptr);
    std::vector<uint32_t> words(WFS_DAY_TABLE_WORDS, 0xDEADBEEF);
    ASSERT_EQ(fs_fread(words.data(), 1, WFS_DAY_TABLE_BYTES, h), (size_t)WFS_DAY_TABLE_BYTES);
    const size_t march2024 = 24 * 13 + 3;
    for (size_t i = 0; i < words.size(); ++i)
        EXPECT_EQ(words[i], i == march2024 ? (1u << 5 | 1u << 6) : 0u) << "word " << i;
    EXPECT_EQ(fs_fread(words.data(), 1, WFS_DAY_TABLE_BYTES, h), 0u) << "the table is read once";
}

TEST_F(StreamTest, WorkDirectoryAnswersOnlyAWholeTable)
{
    FILEHANDLE h = open("/mnt/idea0/WorkDirectory");
    ASSERT_NE(h, nullptr);
    std::vector<uint8_t> buf(WFS_DAY_TABLE_BYTES * 2);
    EXPECT_EQ(fs_fread(buf.data(), 1, 512, h), 0u);
    EXPECT_EQ(fs_fread(buf.data(), 1, WFS_DAY_TABLE_BYTES, h), (size_t)WFS_DAY_TABLE_BYTES);
    ConsoleCapture console;
    EXPECT_EQ(open("/mnt/idea3/WorkDirectory"), nullptr);
    EXPECT_NE(console.text().find("No such driver!"), std::string::npos);
}

// ---- day listings

namespace {
struct Listed {
    std::string name;
    int64_t size;
    int64_t time;
};

std::vector<Listed> listDay(const char *pattern)
{
    std::vector<Listed> out;
    wfs_find_entry e;
    intptr_t search = fs_findfirst(pattern, &e);
    if (search == -1) return out;
    do
        out.push_back({e.name, e.size, e.time_write});
    while (fs_findnext(search, &e) == 0);
    EXPECT_EQ(fs_findclose(search), 0);
    return out;
}
} // namespace

TEST_F(StreamTest, DayListingNamesEveryRecordingOfTheChannel)
{
    std::vector<Listed> day = listDay("/mnt/idea0/2024-03-05/000/*");
    ASSERT_EQ(day.size(), 3u);
    const size_t order[] = {REC_PLAIN, REC_DIR_HEADER, REC_MIDNIGHT};
    for (size_t i = 0; i < 3; ++i) {
        const sim::RecordingResult &r = rec(order[i]);
        std::string path = recordPath(0, r, r.firstCluster, r.repeatNo);
        EXPECT_EQ(day[i].name, path.substr(path.rfind('/') + 1));
        int64_t sectors = int64_t(r.clusterCount - 1) * 8 + r.endLength - r.headSectors;
        EXPECT_EQ(day[i].size, sectors * 512) << day[i].name;
        EXPECT_EQ(day[i].time, localSeconds(sim::unpackTime(r.startTime))) << day[i].name;
    }
    EXPECT_EQ(day[2].name.substr(0, 17), "23.50.00-00.20.00");
}

TEST_F(StreamTest, RecordingOverMidnightIsListedUnderItsFirstDayOnly)
{
    std::vector<Listed> day = listDay("/mnt/idea0/2024-03-06/000/*");
    ASSERT_EQ(day.size(), 1u);
    EXPECT_EQ(day[0].name.substr(0, 17), "08.00.00-08.00.20");
}

TEST_F(StreamTest, ListedNamesOpenTheirRecordings)
{
    std::vector<Listed> day = listDay("/mnt/idea0/2024-03-05/001/*");
    ASSERT_EQ(day.size(), 1u);
    FILEHANDLE h = open("/mnt/idea0/2024-03-05/001/" + day[0].name);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(h->first_cluster, rec(REC_HIDDEN_HEADER).firstCluster);
}

TEST(StreamListing, DayListingKeepsToTheStreamTypeOfItsFirstRecording)
{
    ScratchDir dir;
    sim::Scenario s;
    s.partitions = {partition(1024)};
    for (uint8_t stream : {0, 1, 0, 1}) {
        s.recordings.push_back(video(4, MAR5 + 9 * 3600 + (stream ? 1 : 0) + 300 * (int)s.recordings.size(), 30, 4000));
        s.recordings.back().streamType = stream;
    }
    SimDisk disk(dir, "streams.img", s);
    ASSERT_EQ(mountImages({disk.path}), WFS_OK);
    std::vector<Listed> day = listDay("/mnt/idea0/2024-03-05/004/*");
    ASSERT_EQ(day.size(), 2u);
    EXPECT_EQ(day[0].name.substr(0, 8), "09.00.00");
    EXPECT_EQ(day[1].name.substr(0, 8), "09.10.00");
}

TEST_F(StreamTest, DayWithoutRecordingsListsNothing)
{
    wfs_find_entry e;
    EXPECT_EQ(fs_findfirst("/mnt/idea0/2024-03-07/000/*", &e), -1);
    EXPECT_EQ(fs_findfirst("/mnt/idea0/2024-03-05/005/*", &e), -1);
    EXPECT_EQ(fs_findfirst("/mnt/idea2/2024-03-05/000/*", &e), -1);
    EXPECT_EQ(fs_findnext(-1, &e), -1);
}

// ---- the rest of the table

TEST_F(StreamTest, DiskSpaceCountsClustersAboveTheWriteHeadAsFree)
{
    const sim::PartitionResult &p = s_disk->manifest.partitions[0];
    uint64_t freeBytes = 0, total = 0, again = 0;
    ASSERT_EQ(fs_disk_space("/mnt/idea0/2024-03-05/000/x", &freeBytes, &total, &again), 0);
    const uint64_t cluster = uint64_t(p.secPerClus) * 512;
    EXPECT_EQ(total, uint64_t(p.totalClus) * cluster);
    EXPECT_EQ(freeBytes, uint64_t(p.totalClus - p.currentCluster) * cluster);
    EXPECT_EQ(again, freeBytes);
    EXPECT_EQ(fs_disk_space("/mnt/idea3", &freeBytes, &total, &again), -1);
}

TEST(StreamTable, PathOperationsOfRecordingsAreRefusedExceptAccess)
{
    const wfs_fs_ops *ops = wfs_stream_ops();
    const char *path = "/mnt/idea0/2024-03-05/000/10.00.00-10.01.00[R][@10][0].h264";
    EXPECT_EQ(ops->access(path, 0), 0);
    EXPECT_EQ(ops->rename(path, "/mnt/idea0/x"), -1);
    EXPECT_EQ(ops->remove(path), -1);
    EXPECT_EQ(ops->mkdir("/mnt/idea0/2024-03-05"), -1);
    EXPECT_EQ(ops->rmdir("/mnt/idea0/2024-03-05"), -1);
    char line[16];
    EXPECT_EQ(ops->fgets(line, sizeof line, nullptr), nullptr);
    EXPECT_EQ(ops->fputs("x", nullptr), -1);
}
