// Investigators keep disks as Expert Witness sets and as raw images cut into numbered pieces:
// either must list and read exactly as the raw image it was made from.
#include "cli_run.h"
#include "sim_disk.h"

#include "wfs.h"
#include "wfs_image.h"
#include "wfs_readahead.h"
#include "wfs_stream.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

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

    wfs_image *set = wfs_image_open(pieces.front().c_str());
    ASSERT_NE(set, nullptr);
    const uint64_t size = wfs_image_size(set);
    std::vector<uint8_t> bytes(4096);
    EXPECT_EQ(wfs_image_read(set, bytes.data(), bytes.size(), size - 100), -1) << "no zeros past the end";
    EXPECT_EQ(wfs_image_last_failure()->kind, WFS_IMAGE_PAST_END) << wfs_image_last_failure()->text;
    EXPECT_EQ(wfs_image_read(set, bytes.data(), bytes.size(), 1000003ull - 100), 0) << "across a cut";
    wfs_image_close(set);

    ASSERT_EQ(remove(pieces[3].c_str()), 0);
    char why[600] = "";
    EXPECT_EQ(wfs_image_open(pieces.front().c_str(), why, sizeof why), nullptr)
        << "the pieces after a gap would be read at the wrong offsets";
    EXPECT_NE(std::string(why).find("missing segment: piece " + pieces[3]), std::string::npos) << why;
}

// A piece cut short (an interrupted copy), or a last piece larger than the others, would shift or
// mix every byte after it: such a set does not open, and the message names the piece.
TEST_F(ImageKinds, ASetWithAPieceOfTheWrongSizeIsRefusedNamingThePiece)
{
    struct Case {
        size_t piece;
        int64_t change;
        const char *says;
    };
    const Case cases[] = {{0, -512, "has 1048064 bytes where the pieces before the last have 1048576"},
                          {2, -1, "has 1048575 bytes where the pieces before the last have 1048576"},
                          {99, +513, "has 1049089 bytes, more than the 1048576 of the pieces before it"}};
    for (const Case &c : cases) {
        std::vector<std::string> pieces = splitInto(s_disk->path, s_dir->file("sizes.img"), 1 << 20);
        ASSERT_GE(pieces.size(), 4u);
        const std::string &piece = c.piece < pieces.size() ? pieces[c.piece] : pieces.back();
        SCOPED_TRACE(piece);
        struct stat st;
        ASSERT_EQ(stat(piece.c_str(), &st), 0);
        const int64_t size = c.change > 0 ? (1 << 20) + c.change : st.st_size + c.change;
        ASSERT_EQ(truncate(piece.c_str(), size), 0);
        CliRun cat = runCli(*s_dir, "cat", pieces.front(), listedPaths(*s_listing).front());
        EXPECT_EQ(cat.status, 1);
        EXPECT_EQ(cat.out, "");
        EXPECT_NE(cat.err.find("cannot open image " + pieces.front() + ": "), std::string::npos) << cat.err;
        EXPECT_NE(cat.err.find(piece + " " + c.says), std::string::npos) << cat.err;
    }
}

// An Expert Witness chunk that fails its checksum: libewf hands it out as zeros once it has seen it,
// so every read that touches it must fail, however often, naming the chunk.
TEST_F(ImageKinds, AChunkThatFailsItsChecksumFailsEveryRead)
{
    const std::string base = s_dir->file("chunk");
    const std::string command = "ewfacquire -q -u -t '" + base + "' -S 1MiB -c none -b 64 '" + s_disk->path +
                                "' > /dev/null 2>&1";
    ASSERT_EQ(system(command.c_str()), 0) << command;
    // A byte inside the first recording's data, found in the segment files by the bytes around it.
    const sim::PartitionResult &p = s_disk->manifest.partitions[0];
    const sim::RecordingResult &r = s_disk->manifest.recordings[0];
    const uint64_t at = (s_disk->manifest.baseSector + p.startSector + p.dataOffset +
                         (uint64_t)r.firstCluster * p.secPerClus) * 512 + 40000;
    std::ifstream raw(s_disk->path, std::ios::binary);
    std::string probe(64, '\0');
    raw.seekg((std::streamoff)at);
    raw.read(&probe[0], 64);
    bool flipped = false;
    for (int n = 1; n <= 99 && !flipped; ++n) {
        char name[16];
        snprintf(name, sizeof name, ".E%02d", n);
        std::fstream segment(base + name, std::ios::in | std::ios::out | std::ios::binary);
        if (!segment) break;
        std::string bytes((std::istreambuf_iterator<char>(segment)), std::istreambuf_iterator<char>());
        size_t found = bytes.find(probe);
        if (found == std::string::npos) continue;
        segment.seekp((std::streamoff)found + 10);
        segment.put((char)(bytes[found + 10] ^ 1));
        flipped = true;
    }
    ASSERT_TRUE(flipped);

    wfs_image *e01 = wfs_image_open((base + ".E01").c_str());
    ASSERT_NE(e01, nullptr);
    const std::string chunk = "chunk " + std::to_string(at / 32768) + " ";
    std::vector<uint8_t> bytes(4096);
    for (int attempt = 0; attempt < 3; ++attempt) {
        SCOPED_TRACE("read " + std::to_string(attempt + 1));
        EXPECT_EQ(wfs_image_read(e01, bytes.data(), 512, at / 512 * 512), -1);
        EXPECT_EQ(wfs_image_last_failure()->kind, WFS_IMAGE_CHECKSUM);
        EXPECT_NE(std::string(wfs_image_last_failure()->text).find("checksum failure: " + chunk), std::string::npos)
            << wfs_image_last_failure()->text;
    }
    EXPECT_EQ(wfs_image_read(e01, bytes.data(), bytes.size(), at / 32768 * 32768 + 32768), 0) << "the next chunk";
    wfs_image_close(e01);

    CliRun cat = runCli(*s_dir, "cat", base + ".E01", listedPaths(*s_listing).front());
    EXPECT_EQ(cat.status, 1);
    EXPECT_NE(cat.err.find("checksum failure: " + chunk), std::string::npos) << cat.err;
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

// An image that shrinks while it is read (a copy still being made, a disk that went away): what lies
// past its new end is a read failure that says so, for a recording's bytes and for the listing alike.
TEST_F(ImageKinds, AnImageThatShrinksUnderTheReaderFailsPastItsEnd)
{
    const std::string image = s_dir->file("shrinking.img");
    {
        std::ifstream in(s_disk->path, std::ios::binary);
        std::ofstream(image, std::ios::binary) << in.rdbuf();
    }
    ConsoleCapture console;
    ASSERT_EQ(mountImages({image}), WFS_OK);
    const std::string path = listedPaths(*s_listing).front();
    FILEHANDLE h = fs_fopen(path.c_str(), "rb");
    ASSERT_NE(h, nullptr);
    const sim::PartitionResult &p = s_disk->manifest.partitions[0];
    const sim::RecordingResult &r = s_disk->manifest.recordings[0];
    const uint64_t data = (s_disk->manifest.baseSector + p.startSector + p.dataOffset +
                           (uint64_t)r.firstCluster * p.secPerClus) * 512;
    const uint64_t cut = data + 200000;
    ASSERT_EQ(truncate(image.c_str(), (off_t)cut), 0);

    std::string bytes;
    std::vector<char> chunk(1 << 20);
    for (size_t n; (n = fs_fread(chunk.data(), 1, chunk.size(), h)) > 0;)
        bytes.append(chunk.data(), n);
    EXPECT_LE(bytes.size(), 200000u);
    char why[512] = "";
    EXPECT_EQ(fs_last_error(why, sizeof why), WFS_ERR_READ);
    EXPECT_NE(std::string(why).find("past the end: byte"), std::string::npos) << why;
    EXPECT_NE(std::string(why).find("which has " + std::to_string(cut) + " bytes now"), std::string::npos) << why;
    fs_fclose(h);

    EXPECT_NE(console.text().find("past the end"), std::string::npos) << console.text();

    // The listing, once the metadata of the second partition (cut away with the rest) is read anew.
    buffer_init();
    wfs_readahead_reset();
    uint32_t count = 10;
    wfs_file_info_v2 records[10];
    EXPECT_EQ(wfs_file_list(0xFF, sim::packTime(DAY - 60), sim::packTime(DAY + 3600), &count, records, 0xFFFFFFFF,
                            0, WFS_LIST_VIDEO, WFS_STREAM_ANY),
              WFS_ERR_READ)
        << "a listing that could not read the disk is no empty listing";
    EXPECT_EQ(wfs_image_last_failure()->kind, WFS_IMAGE_PAST_END) << wfs_image_last_failure()->text;
}
