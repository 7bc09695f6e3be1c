// Investigators keep disks as Expert Witness sets and as raw images cut into numbered pieces:
// either must list and read exactly as the raw image it was made from.
#include "cli_run.h"
#include "sim_disk.h"

#include "wfs.h"
#include "wfs_image.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace
{
const sim::Seconds DAY = sim::makeTime(2025, 7, 1, 6, 0, 0);

// Three channels on two partitions, with a "DHII" header and a recording over 4 MiB, so the
// pieces and segments below cut through recordings.
sim::Scenario threeChannels()
{
    sim::Scenario s;
    s.sectorsPerCluster = 64;
    s.partitions = {partition(400), partition(100)};
    s.recordings = {recording(0, DAY, 300, 0), recording(1, DAY + 10, 200, 0),
                    recording(2, DAY + 20, 100, 1)};
    s.recordings[0].bytesPerSecond = 16000;
    s.recordings[1].dhiiSectors = 3;
    return s;
}

std::vector<std::string> listedPaths(const std::string &listing)
{
    std::vector<std::string> paths;
    std::istringstream lines(listing);
    for (std::string line; std::getline(lines, line);)
        paths.push_back(line.substr(0, line.find('\t')));
    return paths;
}

// The raw image cut into pieces of `size` bytes named base.001, base.002, ...
std::vector<std::string> splitInto(const std::string &image, const std::string &base, size_t size)
{
    std::ifstream in(image, std::ios::binary);
    std::vector<char> buffer(size);
    std::vector<std::string> pieces;
    while (in.read(buffer.data(), (std::streamsize)size) || in.gcount() > 0) {
        char name[32];
        snprintf(name, sizeof name, ".%03zu", pieces.size() + 1);
        pieces.push_back(base + name);
        std::ofstream(pieces.back(), std::ios::binary).write(buffer.data(), in.gcount());
    }
    return pieces;
}

class ImageKinds : public ::testing::Test
{
  protected:
    static void SetUpTestSuite()
    {
        s_dir = new ScratchDir;
        s_disk = new SimDisk(*s_dir, "raw.img", threeChannels());
        s_listing = new std::string(runCli(*s_dir, "list", s_disk->path).out);
    }
    static void TearDownTestSuite()
    {
        delete s_listing;
        delete s_disk;
        delete s_dir;
    }

    // The same listing and the same bytes of every recording as the raw image.
    void expectReadsLikeTheRaw(const std::string &image)
    {
        CliRun list = runCli(*s_dir, "list", image);
        EXPECT_EQ(list.status, 0) << list.err;
        EXPECT_EQ(list.out, *s_listing);
        std::vector<std::string> paths = listedPaths(*s_listing);
        ASSERT_EQ(paths.size(), 3u) << *s_listing;
        for (const std::string &path : paths) {
            CliRun raw = runCli(*s_dir, "cat", s_disk->path, path),
                   other = runCli(*s_dir, "cat", image, path);
            EXPECT_EQ(other.status, 0) << other.err;
            EXPECT_GT(raw.out.size(), 0u);
            EXPECT_TRUE(raw.out == other.out)
                << path << ": " << other.out.size() << " bytes, raw " << raw.out.size();
        }
    }

    // An Expert Witness set of the raw image in segments of 1 MiB, as an investigator's tool writes it.
    std::string acquire(const std::string &base)
    {
        std::string command = "ewfacquire -q -u -t '" + base + "' -S 1MiB -c fast -f encase6 '" +
                              s_disk->path + "' > /dev/null 2>&1";
        EXPECT_EQ(system(command.c_str()), 0) << command;
        return base + ".E01";
    }

    static ScratchDir *s_dir;
    static SimDisk *s_disk;
    static std::string *s_listing;
};
ScratchDir *ImageKinds::s_dir = nullptr;
SimDisk *ImageKinds::s_disk = nullptr;
std::string *ImageKinds::s_listing = nullptr;
} // namespace

TEST_F(ImageKinds, AnExpertWitnessSetListsAndReadsLikeTheRawImage)
{
    std::string e01 = acquire(s_dir->file("evidence"));
    ASSERT_EQ(access(s_dir->file("evidence.E03").c_str(), F_OK), 0) << "several segment files";
    uint64_t before = fileDigest(e01);
    expectReadsLikeTheRaw(e01);
    EXPECT_EQ(fileDigest(e01), before);
    CliRun info = runCli(*s_dir, "info", e01);
    EXPECT_NE(info.out.find("partition 1: type 0"), std::string::npos) << info.out;
}

TEST_F(ImageKinds, AnExpertWitnessSetWithoutASegmentIsRefused)
{
    std::string e01 = acquire(s_dir->file("partial"));
    ASSERT_EQ(remove(s_dir->file("partial.E02").c_str()), 0);
    CliRun list = runCli(*s_dir, "list", e01);
    EXPECT_EQ(list.status, 1);
    EXPECT_NE(list.err.find("cannot open image " + e01 + ": its segment files are incomplete or damaged"),
              std::string::npos)
        << list.err;
    EXPECT_EQ(list.out, "");
}

// A segment file damaged in the middle: what lies there cannot be read, and cat says so
// instead of ending early with success (or passing on zeros).
TEST_F(ImageKinds, ADamagedSegmentIsAReadFailureNeverShortOrZeroData)
{
    std::string e01 = acquire(s_dir->file("damaged"));
    {
        std::fstream segment(s_dir->file("damaged.E02"), std::ios::in | std::ios::out | std::ios::binary);
        segment.seekp(200000);
        std::string junk(300000, '\x55');
        segment.write(junk.data(), (std::streamsize)junk.size());
    }
    int failed = 0;
    for (const std::string &path : listedPaths(*s_listing)) {
        CliRun raw = runCli(*s_dir, "cat", s_disk->path, path), damaged = runCli(*s_dir, "cat", e01, path);
        if (damaged.status == 0) {
            EXPECT_TRUE(damaged.out == raw.out) << path;
            continue;
        }
        ++failed;
        EXPECT_EQ(damaged.status, 1);
        EXPECT_NE(damaged.err.find(path + ": read failed after"), std::string::npos) << damaged.err;
    }
    EXPECT_GT(failed, 0) << "the damage lies inside a recording";
}

TEST_F(ImageKinds, ARawImageInNumberedPiecesReadsAsOneDisk)
{
    // An odd piece size: sectors, clusters and reads all straddle the cuts.
    std::vector<std::string> pieces = splitInto(s_disk->path, s_dir->file("pieces.img"), 1000003);
    ASSERT_GT(pieces.size(), 5u);
    expectReadsLikeTheRaw(pieces.front());

    ASSERT_EQ(remove(pieces[3].c_str()), 0);
    wfs_image *cut = wfs_image_open(pieces.front().c_str());
    ASSERT_NE(cut, nullptr);
    EXPECT_EQ(wfs_image_size(cut), 3 * 1000003ull) << "the pieces before the gap";
    std::vector<uint8_t> bytes(4096);
    EXPECT_EQ(wfs_image_read(cut, bytes.data(), bytes.size(), 3 * 1000003ull - 100), -1)
        << "no zeros past the end";
    EXPECT_EQ(wfs_image_read(cut, bytes.data(), bytes.size(), 1000003ull - 100), 0);
    wfs_image_close(cut);
}

TEST_F(ImageKinds, APieceThatIsNotTheFirstIsAnOrdinaryRawImage)
{
    std::vector<std::string> pieces = splitInto(s_disk->path, s_dir->file("second.img"), 1 << 20);
    wfs_image *second = wfs_image_open(pieces[1].c_str());
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(wfs_image_size(second), 1u << 20);
    EXPECT_STREQ(wfs_image_kind(second), "raw");
    wfs_image_close(second);
}

TEST_F(ImageKinds, AnImageInMemoryMountsLikeItsFile)
{
    std::ifstream in(s_disk->path, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ide_set_memory_image(bytes.data(), bytes.size());
    EXPECT_EQ(mountImages({}), WFS_OK);
    ide_set_memory_image(nullptr, 0);
    EXPECT_STREQ(ide_get_drive_path(0), "(memory)");
    ASSERT_NE(get_pdp(0, 0), nullptr);
    ASSERT_NE(get_pdp(0, 1), nullptr);
    uint32_t count = 10;
    wfs_file_info_v2 records[10];
    EXPECT_EQ(wfs_file_list(0xFF, sim::packTime(DAY - 60), sim::packTime(DAY + 3600), &count, records,
                            0xFFFFFFFF, 0, WFS_LIST_VIDEO, WFS_STREAM_ANY),
              WFS_OK);
    EXPECT_EQ(count, 3u);
}
