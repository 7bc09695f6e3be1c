// Damaged disks from the field: each must end quickly with a clear error, mount what is
// still sound, write nothing, and never read outside what it names. The first cases are the
// reproducers of faults found by mutating the example scenario; the others craft one kind of
// damage each against the walks the library makes over values read from the disk.
#include "cli_run.h"
#include "sim_recording.h"

#include "scenario_json.h"
#include "wfs.h"
#include "wfs_path.h"
#include "wfs_stream.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

namespace
{
const char EXAMPLE_R0[] = "/mnt/idea0/2024-03-05/000/09.00.00-09.02.00[R][@1][0].h264";
const char EXAMPLE_M1[] = "/mnt/idea0/2024-03-05/001/09.00.30-09.01.30[M][@70][0].h264";

sim::Scenario exampleScenario()
{
    sim::Scenario s;
    std::string error;
    EXPECT_TRUE(sim::loadScenarioFile(KORVANE_SOURCE_DIR "/resources/sim/example.json", s, error)) << error;
    return s;
}

sim::Manifest planOf(const sim::Scenario &s)
{
    sim::Manifest m;
    EXPECT_TRUE(sim::planDisk(s, m).ok);
    return m;
}

sim::Patch bytesAt(uint64_t block, uint32_t offset, const void *data, size_t size)
{
    sim::Patch p;
    p.block = block + offset / 512;
    p.offset = offset % 512;
    p.bytes.assign((const uint8_t *)data, (const uint8_t *)data + size);
    return p;
}

// The fields the reproducers change, addressed like the field notes: parameter block,
// time-collision block and directory item of a partition.
sim::Patch pdpWord(const sim::PartitionResult &p, uint32_t offset, uint32_t value)
{
    return bytesAt(p.startSector + p.tempOff, offset, &value, 4);
}

sim::Patch collisionWord(const sim::PartitionResult &p, uint32_t index, uint32_t value)
{
    return bytesAt(p.startSector + p.collisionOff, index * 4, &value, 4);
}

template <typename T>
sim::Patch dirField(const sim::PartitionResult &p, uint32_t cluster, uint32_t offset, T value)
{
    return bytesAt(p.startSector + p.dirOffset + cluster / 16, cluster % 16 * 32 + offset, &value,
                   sizeof value);
}

bool contains(const std::string &text, const std::string &part)
{
    return text.find(part) != std::string::npos;
}

class DamagedExample : public ::testing::Test
{
  protected:
    // The example disk with the patches made by `damage` from its layout.
    std::string write(const std::string &name,
                      const std::function<std::vector<sim::Patch>(const sim::Manifest &)> &damage)
    {
        sim::Scenario s = exampleScenario();
        s.patches = damage(planOf(s));
        disk = std::make_unique<SimDisk>(dir, name, s);
        digest = fileDigest(disk->path);
        return disk->path;
    }

    void TearDown() override
    {
        if (disk) {
            EXPECT_EQ(fileDigest(disk->path), digest) << "the image was written to";
        }
    }

    ScratchDir dir;
    std::unique_ptr<SimDisk> disk;
    uint64_t digest = 0;
};
} // namespace

// A collision at cluster 0 made a section end at cluster 0xFFFFFFFF; the section search never ended.
TEST_F(DamagedExample, ACollisionAtClusterZeroIsRefusedAndTheListEnds)
{
    std::string image = write("collision0.img", [](const sim::Manifest &m) {
        const sim::PartitionResult &p = m.partitions[0];
        return std::vector<sim::Patch>{pdpWord(p, 36, 0x100), collisionWord(p, 0, 0),
                                       dirField<uint8_t>(p, 0, 30, 2)};
    });
    CliRun list = runCli(dir, "list", image);
    EXPECT_EQ(list.status, 0) << list.err;
    EXPECT_TRUE(contains(list.err, "disk 0 partition 0: collision 0")) << list.err;
    EXPECT_TRUE(list.out.empty()) << "the refused partition shows nothing:\n" << list.out;

    ConsoleCapture console;
    mountImages({image});
    EXPECT_EQ(get_pdp(0, 0), nullptr);
    EXPECT_NE(get_pdp(0, 1), nullptr) << "the picture partition is sound";
}

// A huge sector size made cat write uninitialised bytes without end; 4096 and 65536 gave short output.
TEST_F(DamagedExample, ASectorSizeOtherThan512IsRefusedAndCatFailsClearly)
{
    for (uint32_t size : {0x10000000u, 65536u, 4096u, 1024u, 256u}) {
        SCOPED_TRACE("sec_size " + std::to_string(size));
        std::string image = write("secsize.img", [&](const sim::Manifest &m) {
            return std::vector<sim::Patch>{pdpWord(m.partitions[0], 44, size)};
        });
        CliRun cat = runCli(dir, "cat", image, EXAMPLE_M1);
        EXPECT_EQ(cat.status, 1);
        EXPECT_TRUE(cat.out.empty()) << cat.out.size() << " bytes written";
        EXPECT_TRUE(contains(cat.err, "partition 0: sec_size " + std::to_string(size))) << cat.err;
        EXPECT_TRUE(contains(cat.err, "cannot open")) << cat.err;
    }
}

// Sector size 7936 with a damaged stream type made cat read before its stream buffer.
TEST_F(DamagedExample, ASectorSizeOf7936NeitherCrashesNorReads)
{
    for (bool beyondTheHeap : {false, true}) {
        std::string image = write("secsize7936.img", [&](const sim::Manifest &m) {
            const sim::PartitionResult &p = m.partitions[0];
            std::vector<sim::Patch> patches = {pdpWord(p, 44, 0x1F00), dirField<uint8_t>(p, 21, 29, 2)};
            if (beyondTheHeap) patches.push_back(dirField<uint8_t>(p, 23, 25, 1));
            return patches;
        });
        CliRun cat = runCli(dir, "cat", image, EXAMPLE_R0);
        EXPECT_EQ(cat.status, 1) << cat.err;
        EXPECT_TRUE(cat.out.empty());
        EXPECT_TRUE(contains(cat.err, "sec_size 7936")) << cat.err;
    }
}

// The sound example as the damaged cases compare with it: listed and read in full.
TEST_F(DamagedExample, TheUndamagedExampleListsAndReads)
{
    std::string image = write("sound.img", [](const sim::Manifest &) { return std::vector<sim::Patch>(); });
    CliRun list = runCli(dir, "list", image);
    EXPECT_EQ(list.status, 0);
    EXPECT_TRUE(contains(list.out, EXAMPLE_R0)) << list.out;
    EXPECT_TRUE(contains(list.out, EXAMPLE_M1)) << list.out;
    CliRun cat = runCli(dir, "cat", image, EXAMPLE_M1);
    EXPECT_EQ(cat.status, 0);
    EXPECT_EQ(cat.out.size(), 480u * 1024);
}

// A first cluster that lists more sectors than its chain of clusters holds: an end_length beyond a
// cluster, or an item_num beyond the chain. The bytes of the chain are delivered and nothing after
// them; the read that ends early is a failure that names the end and the listed length.
TEST_F(DamagedExample, ARecordingShorterThanListedEndsInAFailureWithOnlyItsBytes)
{
    const uint32_t M1 = 0x70;
    std::string sound = write("sound.img", [](const sim::Manifest &) { return std::vector<sim::Patch>(); });
    const CliRun good = runCli(dir, "cat", sound, EXAMPLE_M1);
    ASSERT_EQ(good.status, 0);
    ASSERT_EQ(good.out.size(), 480u * 1024);
    const uint32_t clusters = 480 * 2 / 8, lastLength = 8;
    struct Damage {
        const char *field;
        uint32_t offset;
        uint16_t value;
        uint64_t listed;
    };
    const Damage damages[] = {{"end_length", 22, 0xFFFF, ((clusters - 1) * 8 + 0xFFFFull) / 2 * 1024},
                              {"item_num", 2, 300, (300 * 8ull + lastLength) / 2 * 1024}};
    for (const Damage &d : damages) {
        SCOPED_TRACE(d.field);
        std::string image = write("short.img", [&](const sim::Manifest &m) {
            return std::vector<sim::Patch>{dirField<uint16_t>(m.partitions[0], M1, d.offset, d.value)};
        });
        CliRun cat = runCli(dir, "cat", image, EXAMPLE_M1);
        EXPECT_EQ(cat.status, 1);
        EXPECT_TRUE(cat.out == good.out) << cat.out.size() << " bytes, the chain holds " << good.out.size();
        EXPECT_TRUE(contains(cat.err, "the recording ends at byte 491520 of " + std::to_string(d.listed))) << cat.err;
        EXPECT_TRUE(contains(cat.err, "partition 0 cluster 112: item_num")) << cat.err;
        EXPECT_TRUE(contains(cat.err, std::string(d.field) + " " + std::to_string(d.value))) << cat.err;
        // Export by file and by time and the GPS track never end in success on the short recording.
        const std::string ended = "the recording ends at byte 491520 of " + std::to_string(d.listed);
        for (const std::string &command : {"export --to '" + dir.file("by-file") + "'",
                                           "export --time 09:00:30-09:01:30 --to '" + dir.file("by-time") + "'"}) {
            const CliRun run = runCli(dir, command, image, EXAMPLE_M1);
            EXPECT_EQ(run.status, 1) << command;
            EXPECT_TRUE(contains(run.out, "Export failed: " + ended)) << command << ": " << run.out;
        }
        const CliRun gps = runCli(dir, "gps", image, EXAMPLE_M1);
        EXPECT_EQ(gps.status, 1) << gps.err;
        EXPECT_TRUE(contains(gps.err, "could not be read to its end")) << gps.err;

        // The stream: the listed length is its length, reads in small pieces stop at the chain's end
        // and keep failing there with the reason.
        ConsoleCapture console;
        ASSERT_EQ(mountImages({image}), WFS_OK);
        FILEHANDLE h = fs_fopen(EXAMPLE_M1, "rb");
        ASSERT_NE(h, nullptr);
        ASSERT_EQ(fs_fseek(h, 0, SEEK_END), 0);
        EXPECT_EQ(fs_ftell(h), (int64_t)d.listed);
        ASSERT_EQ(fs_fseek(h, 0, SEEK_SET), 0);
        std::string bytes;
        char chunk[5000];
        for (size_t n; (n = fs_fread(chunk, 1, sizeof chunk, h)) > 0;)
            bytes.append(chunk, n);
        EXPECT_TRUE(bytes == good.out) << bytes.size() << " bytes";
        char why[512] = "";
        EXPECT_EQ(fs_last_error(why, sizeof why), WFS_ERR_SHORT_CHAIN) << why;
        ASSERT_EQ(fs_fseek(h, 600000, SEEK_SET), 0) << "within the listed length";
        EXPECT_EQ(fs_fread(chunk, 1, sizeof chunk, h), 0u);
        EXPECT_EQ(fs_last_error(nullptr, 0), WFS_ERR_SHORT_CHAIN) << "again, past the chain's end";
        fs_fclose(h);
        EXPECT_TRUE(contains(console.text(), "its clusters end at byte 491520 of " + std::to_string(d.listed)))
            << console.text();
    }
}

// An end hour of 25 in a directory item: the path list prints carries the time as stored, opens,
// and reads the recording; the damaged value is logged with its partition and cluster.
TEST_F(DamagedExample, AListedPathWithADamagedTimeOpens)
{
    const uint32_t hour25 = wfs_pack_time({2024, 3, 5, 25, 0, 0});
    std::string image = write("hour25.img", [&](const sim::Manifest &m) {
        return std::vector<sim::Patch>{dirField<uint32_t>(m.partitions[0], 0x70, 16, hour25)};
    });
    CliRun list = runCli(dir, "list", image);
    EXPECT_EQ(list.status, 0);
    const std::string listed = "/mnt/idea0/2024-03-05/001/09.00.30-25.00.00[M][@70][0].h264";
    EXPECT_TRUE(contains(list.out, listed + "\t")) << list.out;
    char value[64];
    snprintf(value, sizeof value, "partition 0 cluster 112: damaged end_time 0x%08x", hour25);
    EXPECT_TRUE(contains(list.err, value)) << list.err;
    CliRun cat = runCli(dir, "cat", image, listed);
    EXPECT_EQ(cat.status, 0) << cat.err;
    EXPECT_EQ(cat.out.size(), 480u * 1024);
    EXPECT_TRUE(contains(cat.err, value)) << cat.err;
}

namespace
{
const sim::Seconds DAY = sim::makeTime(2026, 3, 5, 8, 0, 0);

// Two channels of recordings side by side on one partition, and a second partition after it.
sim::Scenario twoChannels()
{
    sim::Scenario s;
    s.partitions = {partition(600), partition(600)};
    s.recordings = {recording(0, DAY, 120, 0), recording(1, DAY, 120, 0), recording(0, DAY + 300, 60, 1)};
    return s;
}

class CraftedDamage : public ::testing::Test
{
  protected:
    void write(const sim::Scenario &s)
    {
        disk = std::make_unique<SimDisk>(dir, "crafted.img", s);
        digest = fileDigest(disk->path);
        console.reset();
        console = std::make_unique<ConsoleCapture>();
        ASSERT_EQ(mountImages({disk->path}), WFS_OK);
    }
    void TearDown() override
    {
        for (FILEHANDLE h : open)
            fs_fclose(h);
        if (disk) {
            EXPECT_EQ(fileDigest(disk->path), digest);
        }
    }
    // The whole recording through the stream layer; empty when it does not open.
    std::string readAll(const std::string &path)
    {
        FILEHANDLE h = fs_fopen(path.c_str(), "rb");
        if (!h) return std::string();
        open.push_back(h);
        std::string bytes;
        char chunk[65536];
        size_t n;
        while ((n = fs_fread(chunk, 1, sizeof chunk, h)) > 0)
            bytes.append(chunk, n);
        return bytes;
    }

    ScratchDir dir;
    std::unique_ptr<SimDisk> disk;
    std::unique_ptr<ConsoleCapture> console;
    std::vector<FILEHANDLE> open;
    uint64_t digest = 0;
};
} // namespace

// The clusters of a recording link to each other in a circle: reading follows the index area
// upward and ends where the recording ends.
TEST_F(CraftedDamage, AChainWhoseLinksLoopIsReadOnceToItsEnd)
{
    sim::Scenario s = twoChannels();
    write(s);
    const sim::RecordingResult rec = resultOf(disk->manifest, 0); // copies: write() below makes a new disk
    const sim::PartitionResult p = disk->manifest.partitions[0];
    std::vector<uint32_t> chain = {rec.firstCluster};
    for (uint32_t next = 0;
         get_next_clus_no(get_pdp(0, 0), WFS_SEARCH_NEXT_OF_FILE, chain.back(), 0, &next, 0) == WFS_OK;)
        chain.push_back(next);
    ASSERT_EQ(chain.size(), rec.clusterCount);
    ASSERT_GE(chain.size(), 4u);
    const std::string sound = readAll(recordPath(0, rec, rec.firstCluster));
    ASSERT_EQ(sound.size(), rec.lengthKiB * 1024ull);

    // The third cluster leads back to the second, the second up to the third, the last to the first.
    s.patches = {dirField<uint32_t>(p, chain[2], 8, chain[1]), dirField<uint32_t>(p, chain[1], 4, chain[2]),
                 dirField<uint32_t>(p, chain.back(), 8, rec.firstCluster)};
    write(s);
    uint32_t count = 100;
    std::vector<wfs_file_info_v2> records(count);
    ASSERT_EQ(wfs_file_list(0, rec.startTime, wfs_time_add_seconds(rec.endTime, 3600), &count, records.data(),
                            0xFFFFFFFF, 0, WFS_LIST_VIDEO, WFS_STREAM_ANY),
              WFS_OK);
    EXPECT_EQ(records[0].first_cluster_no, rec.firstCluster);
    EXPECT_EQ(readAll(recordPath(0, rec, rec.firstCluster)), sound) << "the bytes of the recording, once";
}

// The first cluster lists more clusters than its chain has, and the cluster the index search finds
// after the chain's end passes as a continuation but belongs to the next recording: its bytes are
// never read as this recording's.
TEST_F(CraftedDamage, AChainNeverRunsIntoTheNextRecording)
{
    sim::Scenario s;
    s.partitions = {partition(600)};
    s.recordings = {recording(0, DAY, 60, 0), recording(0, DAY + 60, 60, 0)};
    write(s);
    const sim::RecordingResult first = resultOf(disk->manifest, 0), next = resultOf(disk->manifest, 1);
    const sim::PartitionResult p = disk->manifest.partitions[0];
    const std::string path = recordPath(0, first, first.firstCluster);
    const std::string sound = readAll(path);
    ASSERT_EQ(sound.size(), first.lengthKiB * 1024ull);
    ASSERT_GT(next.firstCluster, first.firstCluster);

    const uint8_t continuation = 0 << 2 | 0;
    s.patches = {dirField<uint16_t>(p, first.firstCluster, 2, (uint16_t)(first.clusterCount - 1 + 10)),
                 dirField<uint8_t>(p, next.firstCluster, 1, 1),
                 bytesAt(p.startSector + p.indexOffset + next.firstCluster / 512, next.firstCluster % 512,
                         &continuation, 1)};
    write(s);
    EXPECT_EQ(readAll(path), sound);
    EXPECT_EQ(fs_last_error(nullptr, 0), WFS_ERR_SHORT_CHAIN);
    FILEHANDLE h = fs_fopen(path.c_str(), "rb");
    ASSERT_NE(h, nullptr);
    open.push_back(h);
    std::vector<char> all(sound.size() + 10 * 4096);
    EXPECT_EQ(fs_fread(all.data(), 1, all.size(), h), sound.size()) << "straight into the caller's memory";
    EXPECT_EQ(fs_fread(all.data(), 1, 4096, h), 0u);
}

// A continuation cluster whose ordinal (item_num) is damaged: positions count the clusters
// walked, so a read lands where it should and never outside the stream's buffer.
TEST_F(CraftedDamage, ADamagedClusterOrdinalDoesNotMoveTheStream)
{
    sim::Scenario s = twoChannels();
    write(s);
    const sim::RecordingResult rec = resultOf(disk->manifest, 0); // copies: each write() makes a new disk
    const sim::PartitionResult p = disk->manifest.partitions[0];
    uint32_t third = rec.firstCluster;
    for (int i = 0; i < 2; ++i)
        ASSERT_EQ(get_next_clus_no(get_pdp(0, 0), WFS_SEARCH_NEXT_OF_FILE, third, 0, &third, 0), WFS_OK);
    const std::string sound = readAll(recordPath(0, rec, rec.firstCluster));
    for (uint16_t ordinal : {uint16_t(40), uint16_t(0), uint16_t(1)}) {
        SCOPED_TRACE("item_num " + std::to_string(ordinal));
        s.patches = {dirField<uint16_t>(p, third, 2, ordinal)};
        write(s);
        EXPECT_EQ(readAll(recordPath(0, rec, rec.firstCluster)), sound);
        FILEHANDLE h = fs_fopen(recordPath(0, rec, rec.firstCluster).c_str(), "rb");
        ASSERT_NE(h, nullptr);
        open.push_back(h);
        std::string tail(3000, '\0');
        ASSERT_EQ(fs_fseek(h, 2 * 4096 + 1100, SEEK_SET), 0);
        ASSERT_EQ(fs_fread(&tail[0], 1, tail.size(), h), tail.size());
        EXPECT_EQ(tail, sound.substr(2 * 4096 + 1100, tail.size())) << "a seek into the damaged cluster";
    }
}

// A first cluster named at the partition's last directory item: the directory has that item,
// the data area has no such cluster, and what lies after it belongs to the next partition.
TEST_F(CraftedDamage, AChainThatLeavesThePartitionIsNotRead)
{
    sim::Scenario s = twoChannels();
    sim::Manifest m = planOf(s);
    const sim::PartitionResult &p = m.partitions[0];
    const uint32_t outside = p.totalClus;
    wfs_dir_item item = {};
    item.dir_flag = 2;
    item.item_num = 3;
    item.down_cluster_no = 0;
    item.start_time = sim::packTime(DAY);
    item.end_time = sim::packTime(DAY + 60);
    item.first_cluster_no = outside;
    item.chn_av = 0 << 2 | 2;
    s.patches = {bytesAt(p.startSector + p.dirOffset + outside / 16, outside % 16 * 32, &item, sizeof item)};
    write(s);
    char path[160];
    snprintf(path, sizeof path, "/mnt/idea0/2026-03-05/000/08.00.00-08.01.00[R][@%x][0].h264", outside);
    EXPECT_EQ(readAll(path), "");
    EXPECT_TRUE(contains(console->text(), "GET_DIR_ITEM(0 " + std::to_string(outside))) << console->text();

    FILEHANDLE h = nullptr;
    ASSERT_EQ(wfs_file_open(&h, 1, 0), WFS_OK);
    EXPECT_EQ(wfs_file_goto_clus(h, 0, 0, outside), WFS_ERR_CLUSTER_RANGE);
    uint8_t sector[512];
    EXPECT_NE(wfs_file_read(h, sector, 1), WFS_OK);
    wfs_file_close(h);
}

// A user-data ring whose last item lies outside it: cleaning expired items goes round once.
TEST_F(CraftedDamage, AUserDataRingWithoutItsEndIsClearedOnce)
{
    write(twoChannels());
    wfs_pdp *pdp = get_pdp(0, 0);
    ASSERT_NE(pdp, nullptr);
    ASSERT_GT(pdp->ud_item_count, 1u);
    pdp->flag_f = 3;
    pdp->ud_first_item = 1;
    pdp->ud_last_item = pdp->ud_item_count + 7;
    ud_check_item(pdp);
    EXPECT_GE(pdp->ud_first_item, 1u);
    EXPECT_LT(pdp->ud_first_item, pdp->ud_item_count);
    EXPECT_NE(console->text().find("del ud fir_clus=0"), std::string::npos);
}

namespace
{
// A partition of almost 2^32 one-sector clusters whose first data cluster lies above 2^31, so
// that the first and last cluster of its section add up past 32 bits. Only the metadata that
// is read is written; the image is sparse.
class HugePartition : public ::testing::Test
{
  protected:
    static const uint64_t START = 2048;
    static const uint32_t TOTAL = 0xF0000000;
    static const uint32_t REV = 0x90000000;
    static const uint32_t HEAD = 0xEFFFFF00; // the write head, last cluster of the recording
    static const uint32_t DIR = 64;
    static const uint32_t INDEX = DIR + TOTAL / 16 + 1;
    static const uint32_t DATA = INDEX + TOTAL / 512 + 1;

    void SetUp() override
    {
        image = std::make_unique<RawImage>(dir.file("huge.img"), START + DATA + (uint64_t)TOTAL);
        image->text(0, 0, "WFS0.4", 7);
        image->text(0, 510, "KV", 2);
        image->put64(20, 56, START);
        image->put64(20, 64, DATA + (uint64_t)TOTAL);
        const uint64_t pdp = START + 24;
        const std::pair<uint32_t, uint32_t> fields[] = {{12, WFS_STATUS_CLEAN},
                                                        {16, first},
                                                        {20, last},
                                                        {24, HEAD},
                                                        {44, 512},
                                                        {48, 1},
                                                        {56, REV},
                                                        {60, INDEX},
                                                        {68, DIR},
                                                        {72, DATA},
                                                        {76, TOTAL},
                                                        {328, WFS_PARAM_MARK}};
        for (const auto &f : fields)
            image->put32(pdp, f.first, f.second);
        for (uint32_t i = 0; i < 4; ++i) {
            wfs_dir_item d = {};
            d.dir_flag = i == 0 ? 2 : 1;
            d.item_num = i == 0 ? 3 : (uint16_t)i;
            d.up_cluster_no = i == 0 ? 0 : HEAD - 3 + i - 1;
            d.down_cluster_no = i == 3 ? 0 : HEAD - 3 + i + 1;
            d.start_time = wfs_time_add_seconds(first, 20 * i);
            d.end_time = i == 0 || i == 3 ? last : wfs_time_add_seconds(first, 20 * i + 20);
            d.first_cluster_no = HEAD - 3;
            d.chn_av = 2;
            putItem(HEAD - 3 + i, d);
            uint8_t index = i == 0 ? 2 : 0;
            image->write(START + INDEX + (HEAD - 3 + i) / 512, (HEAD - 3 + i) % 512, &index, 1);
        }
    }

    void putItem(uint32_t cluster, const wfs_dir_item &d)
    {
        image->write(START + DIR + cluster / 16, cluster % 16 * 32, &d, sizeof d);
    }

    ScratchDir dir;
    std::unique_ptr<RawImage> image;
    const uint32_t first = sim::packTime(DAY);
    const uint32_t last = sim::packTime(DAY + 80);
};
} // namespace

TEST_F(HugePartition, TheSectionSearchHalvesItsRangeWithoutWrapping)
{
    // A reserved cluster below the section, where a midpoint that wrapped at 32 bits would land,
    // carries a time after every recording: a search that went there would lose the recording.
    wfs_dir_item late = {};
    late.start_time = late.end_time = sim::packTime(DAY + 86400 * 300);
    putItem((uint32_t)(REV + HEAD) / 2, late);
    ConsoleCapture console;
    ASSERT_EQ(mountImages({image->path()}), WFS_OK) << console.text();
    FILEHANDLE h = nullptr;
    ASSERT_EQ(wfs_file_open(&h, 1, 0), WFS_OK);
    uint32_t inside = wfs_time_add_seconds(first, 30);
    ASSERT_EQ(file_goto_work_driver(h, 0, inside, WFS_SEARCH_USABLE, 0, 0xFFFFFFFF, 0xFF, 0, WFS_STREAM_ANY),
              WFS_OK);
    EXPECT_EQ(h->first_cluster, HEAD - 3);
    EXPECT_EQ(h->cur_cluster, HEAD - 2) << "the cluster that covers the time";
    EXPECT_EQ(file_goto_driver(h, inside, REV, 0xFFFFFFFF, WFS_SEARCH_USABLE, 0, WFS_STREAM_ANY),
              FS_NO_EXIST_FILE)
        << "a section that ends beyond the clusters is not searched";
    wfs_file_close(h);

    uint32_t count = 10;
    wfs_file_info_v2 records[10];
    ASSERT_EQ(wfs_file_list(0, first - 1, wfs_time_add_seconds(last, 60), &count, records, 0xFFFFFFFF, 0,
                            WFS_LIST_VIDEO, WFS_STREAM_ANY),
              WFS_OK);
    ASSERT_EQ(count, 1u);
    EXPECT_EQ(records[0].first_cluster_no, HEAD - 3);
}
