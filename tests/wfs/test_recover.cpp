// Recordings the disk still holds but no listing reaches. Each scenario leaves fragments of
// one or more kinds; every fragment the simulator reports must be found with its kind,
// clusters, times and size, read back byte for byte by its path, and listed in its folder,
// while nothing is written to the image. Damaged chains end their fragment and no more.
#include "cli_run.h"
#include "sim_disk.h"

#include "wfs.h"
#include "wfs_recover.h"
#include "wfs_stream.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <map>
#include <set>
#include <sstream>
#include <tuple>

namespace
{
// The ring wrapped once and was shut down cleanly: tails of the recordings the head cut,
// two of them on the first camera (main and sub stream).
sim::Scenario tailsWithoutRepair() { return camerasOnARing(8); }

// The recorder lost power near the end of the older lap: the mount's repair closes the open
// recordings and drops the older lap, whose whole recordings become hidden; some start with a
// "DHII" header, the sub stream pads its last cluster (end_length 0).
sim::Scenario hiddenAfterRepair()
{
    sim::Scenario s = camerasOnARing(8);
    s.uncleanStop = true;
    for (sim::RecordingSpec &r : s.recordings) {
        if (r.channel == 1) r.dhiiSectors = 3;
        if (r.streamType == 1) r.fullLastCluster = true;
    }
    s.recordings[3 * 4 + 2].headSectorsInDir = false; // only the "DHII" mark tells its header
    return s;
}

// The head was last saved in the middle of the fourth slot of a ring that never wrapped: the
// recordings begun after it lie beyond it.
sim::Scenario beyondTheSavedHead()
{
    sim::Scenario s = camerasOnARing(6, 400);
    s.partitions[0].headSavedAt = at(9) + 3 * 90 + 20;
    for (sim::RecordingSpec &r : s.recordings) {
        if (r.channel == 1) r.dhiiSectors = 2;
        if (r.streamType == 1) r.fullLastCluster = true;
    }
    return s;
}

// One camera whose recordings fill ten clusters each, so that the second lap starts its
// recordings on the clusters where the first lap's started: the last, shorter one took the
// first cluster of a recording of the same camera and stream, whose rest is a tail.
sim::Scenario newerRecordingOnTheFirstCluster()
{
    sim::Scenario s;
    s.sectorsPerCluster = 8;
    s.partitions = {partition(41)};
    for (int i = 0; i < 6; ++i) s.recordings.push_back(stream(0, at(11) + i * 60, i == 5 ? 18 : 38, 1000));
    return s;
}

// A ring that never wrapped, shut down cleanly: nothing to recover.
sim::Scenario nothingLost() { return camerasOnARing(3); }

// A picture partition, its pictures three clusters each, repaired after the head came within
// its gap of the older lap's end.
sim::Scenario picturesAfterRepair()
{
    sim::Scenario s;
    s.sectorsPerCluster = 8;
    s.partitions = {partition(32), partition(120, sim::kPictureDriverType)};
    s.partitions[1].status = 0;
    for (int i = 0; i < 62; ++i) {
        sim::RecordingSpec r = stream(i % 2, at(10) + i * 20, 3, 3500, 1);
        r.av = sim::kAvPicture;
        s.recordings.push_back(r);
    }
    return s;
}

struct WrittenDisk {
    std::string path;
    sim::Manifest manifest;
};

WrittenDisk writeDisk(const ScratchDir &dir, const std::string &name, const sim::Scenario &s)
{
    WrittenDisk disk{dir.file(name), {}};
    sim::WriteOptions options;
    options.fragmentBytes = true;
    sim::Result r = sim::writeDisk(s, disk.path, options, &disk.manifest);
    EXPECT_TRUE(r.ok) << r.message;
    return disk;
}

std::string hhmmss(uint32_t packed, char separator)
{
    const sim::Seconds t = sim::unpackTime(packed) % 86400;
    char text[16];
    snprintf(text, sizeof text, "%02d%c%02d%c%02d", int(t / 3600), separator, int(t / 60 % 60), separator,
             int(t % 60));
    return text;
}

const char *letterOf(uint8_t alarm) { return alarm == 2 ? "M" : alarm == 0 ? "R" : "?"; }

std::string folderOf(const sim::FragmentResult &g)
{
    char folder[80];
    snprintf(folder, sizeof folder, "/mnt/idea%d/recovered/%s/%03d", g.partition,
             sim::formatTime(sim::unpackTime(g.startTime)).substr(0, 10).c_str(), g.channel);
    return folder;
}

std::string nameOf(const sim::FragmentResult &g)
{
    char name[96];
    snprintf(name, sizeof name, "%s-%s[%s][@%x][%d].%s", hhmmss(g.startTime, '.').c_str(),
             hhmmss(g.endTime, '.').c_str(), letterOf(g.alarm), g.clusters.front(), g.repeatNo,
             g.av ? "h264" : "jpg");
    return name;
}

std::string pathOf(const sim::FragmentResult &g) { return folderOf(g) + "/" + nameOf(g); }

const char *kindName(sim::FragmentKind k)
{
    return k == sim::FragmentKind::Tail ? "tail" : k == sim::FragmentKind::Hidden ? "hidden" : "beyond";
}

std::vector<wfs_fragment> found(int part)
{
    uint32_t count = 0;
    EXPECT_EQ(wfs_recover_list(0, (uint32_t)part, nullptr, nullptr, 0, &count), 0u);
    std::vector<wfs_fragment> out(count);
    EXPECT_EQ(wfs_recover_list(0, (uint32_t)part, nullptr, out.data(), count, &count), 0u);
    std::sort(out.begin(), out.end(), [](const wfs_fragment &a, const wfs_fragment &b) {
        return a.first_cluster < b.first_cluster;
    });
    return out;
}

// The fragment as the finder reports it, in the simulator's terms.
std::string described(const wfs_fragment &f)
{
    std::ostringstream s;
    s << wfs_fragment_kind_name(f.kind) << " p" << int(f.part) << " ch" << int(f.channel) << " av" << int(f.av)
      << " st" << int(f.stream_type) << " rep" << int(f.repeat_no) << " @" << f.first_cluster << ".." << f.last_cluster
      << " n" << f.clusters << " ord" << f.first_ordinal << " last" << f.last_sectors << " head" << f.head_sectors
      << " " << f.start_time << "-" << f.end_time << " " << f.size_kib << "KiB " << f.bytes << "B";
    return s.str();
}

std::string described(const sim::FragmentResult &g)
{
    std::ostringstream s;
    s << kindName(g.kind) << " p" << g.partition << " ch" << g.channel << " av" << int(g.av) << " st"
      << int(g.streamType) << " rep" << int(g.repeatNo) << " @" << g.clusters.front() << ".." << g.clusters.back()
      << " n" << g.clusters.size() << " ord" << g.firstOrdinal << " last" << g.lastSectors << " head"
      << g.headSectors << " " << g.startTime << "-" << g.endTime << " " << g.sizeKiB << "KiB " << g.bytes.size()
      << "B";
    return s.str();
}

std::vector<uint8_t> readAll(const std::string &path, size_t piece)
{
    std::vector<uint8_t> out;
    FILEHANDLE h = fs_fopen(path.c_str(), "rb");
    if (!h) {
        ADD_FAILURE() << "cannot open " << path;
        return out;
    }
    std::vector<uint8_t> chunk(piece);
    size_t n;
    while ((n = fs_fread(chunk.data(), 1, chunk.size(), h)) > 0) out.insert(out.end(), chunk.begin(), chunk.begin() + n);
    EXPECT_EQ(fs_fclose(h), 0);
    return out;
}

// Seeking from the end, the start and the current position lands where the bytes say.
void expectSeeks(const std::string &path, const std::vector<uint8_t> &bytes)
{
    FILEHANDLE h = fs_fopen(path.c_str(), "rb");
    ASSERT_NE(h, nullptr) << path;
    ASSERT_EQ(fs_fseek(h, 0, SEEK_END), 0);
    EXPECT_EQ(fs_ftell(h), (int64_t)bytes.size());
    const int64_t middle = (int64_t)bytes.size() / 2 + 13;
    ASSERT_EQ(fs_fseek(h, middle, SEEK_SET), 0);
    uint8_t chunk[700];
    size_t n = fs_fread(chunk, 1, sizeof chunk, h);
    ASSERT_EQ(n, std::min<size_t>(sizeof chunk, bytes.size() - middle));
    EXPECT_TRUE(std::equal(chunk, chunk + n, bytes.begin() + middle)) << path;
    EXPECT_EQ(fs_fseek(h, -1, SEEK_SET), WFS_SEEK_OUT_OF_RANGE);
    EXPECT_EQ(fs_fseek(h, 1, SEEK_END), WFS_SEEK_OUT_OF_RANGE);
    EXPECT_EQ(fs_fclose(h), 0);
}

// Every fragment the simulator left is found as it says, read back whole by its path (in
// pieces that cross sectors and clusters), and named in its day's channel folder.
void expectRecovered(const WrittenDisk &disk)
{
    std::map<int, std::vector<const sim::FragmentResult *>> expected;
    for (const sim::FragmentResult &g : disk.manifest.fragments) expected[g.partition].push_back(&g);
    for (size_t part = 0; part < disk.manifest.partitions.size(); ++part) {
        std::vector<std::string> want, got;
        for (const sim::FragmentResult *g : expected[(int)part]) want.push_back(described(*g));
        for (const wfs_fragment &f : found((int)part)) got.push_back(described(f));
        EXPECT_EQ(got, want) << "partition " << part;
    }
    std::map<std::string, std::set<std::string>> folders;
    for (const sim::FragmentResult &g : disk.manifest.fragments) {
        const std::string path = pathOf(g);
        EXPECT_EQ(readAll(path, 32768), g.bytes) << path;
        EXPECT_EQ(readAll(path, 1000), g.bytes) << path;
        expectSeeks(path, g.bytes);
        folders[folderOf(g)].insert(nameOf(g));
    }
    for (const auto &[folder, names] : folders) {
        std::set<std::string> listed;
        wfs_find_entry entry;
        intptr_t search = fs_findfirst((folder + "/*").c_str(), &entry);
        ASSERT_NE(search, -1) << folder;
        do listed.insert(entry.name);
        while (fs_findnext(search, &entry) == 0);
        EXPECT_EQ(fs_findclose(search), 0);
        EXPECT_EQ(listed, names) << folder;
    }
}

std::string timeText(uint32_t packed) { return sim::formatTime(sim::unpackTime(packed)); }

// korvane-cli recover prints every fragment, by partition, channel and start; cat reads one.
void expectCommandLine(const ScratchDir &dir, const WrittenDisk &disk)
{
    std::vector<const sim::FragmentResult *> order;
    for (const sim::FragmentResult &g : disk.manifest.fragments) order.push_back(&g);
    std::sort(order.begin(), order.end(), [](const sim::FragmentResult *a, const sim::FragmentResult *b) {
        return std::make_tuple(a->partition, a->channel, a->startTime, a->clusters.front()) <
               std::make_tuple(b->partition, b->channel, b->startTime, b->clusters.front());
    });
    std::string lines;
    for (const sim::FragmentResult *g : order)
        lines += pathOf(*g) + "\t" + timeText(g->startTime) + "\t" + timeText(g->endTime) + "\t" +
                 std::to_string(g->sizeKiB) + "\t" + kindName(g->kind) + "\n";
    const CliRun recover = runCli(dir, "recover", disk.path);
    EXPECT_EQ(recover.status, 0) << recover.err;
    EXPECT_EQ(recover.out, lines);
    if (order.empty()) return;
    const sim::FragmentResult &last = *order.back();
    const CliRun cat = runCli(dir, "cat", disk.path, pathOf(last));
    EXPECT_EQ(cat.status, 0) << cat.err;
    EXPECT_TRUE(cat.out == std::string(last.bytes.begin(), last.bytes.end())) << pathOf(last);
}

size_t countOf(const sim::Manifest &m, sim::FragmentKind kind)
{
    return (size_t)std::count_if(m.fragments.begin(), m.fragments.end(),
                                 [&](const sim::FragmentResult &g) { return g.kind == kind; });
}

// What a scenario must leave for the test to mean something.
struct Leaves {
    size_t tails, hidden, beyond;
    bool header, fullLastCluster, partLastCluster, twoTailsOfAChannel, pictures;
    bool firstClusterRetaken = false; // by a newer recording of the same channel and stream
};

struct RecoveryCase {
    const char *name;
    sim::Scenario (*make)();
    Leaves leaves;
};

void PrintTo(const RecoveryCase &c, std::ostream *os) { *os << c.name; }

class Recovery : public ::testing::TestWithParam<RecoveryCase>
{
};

TEST_P(Recovery, EveryFragmentIsFoundAndReadBackByteForByte)
{
    ScratchDir dir;
    const WrittenDisk disk = writeDisk(dir, "disk.img", GetParam().make());
    const sim::Manifest &m = disk.manifest;
    const Leaves &leaves = GetParam().leaves;
    EXPECT_GE(countOf(m, sim::FragmentKind::Tail), leaves.tails);
    EXPECT_GE(countOf(m, sim::FragmentKind::Hidden), leaves.hidden);
    EXPECT_GE(countOf(m, sim::FragmentKind::Beyond), leaves.beyond);
    auto any = [&](const std::function<bool(const sim::FragmentResult &)> &test) {
        return std::any_of(m.fragments.begin(), m.fragments.end(), test);
    };
    EXPECT_TRUE(!leaves.header || any([](const sim::FragmentResult &g) { return g.headSectors > 0; }));
    const sim::Scenario plan = GetParam().make();
    auto endsItsRecording = [&](const sim::FragmentResult &g) {
        return g.firstOrdinal + g.clusters.size() == m.recordings[g.recording].clusterCount;
    };
    auto padded = [&](const sim::FragmentResult &g) {
        return plan.recordings[m.recordings[g.recording].scenarioIndex].fullLastCluster;
    };
    EXPECT_TRUE(!leaves.fullLastCluster ||
                any([&](const sim::FragmentResult &g) { return endsItsRecording(g) && padded(g); }));
    EXPECT_TRUE(!leaves.partLastCluster || any([&](const sim::FragmentResult &g) {
                    return endsItsRecording(g) && !padded(g) && g.lastSectors < m.secPerClus;
                }));
    std::map<int, int> tails;
    for (const sim::FragmentResult &g : m.fragments) tails[g.channel] += g.kind == sim::FragmentKind::Tail;
    EXPECT_TRUE(!leaves.twoTailsOfAChannel ||
                std::any_of(tails.begin(), tails.end(), [](const auto &t) { return t.second >= 2; }));
    EXPECT_TRUE(!leaves.pictures || any([](const sim::FragmentResult &g) { return g.av == 0; }));
    EXPECT_TRUE(!leaves.firstClusterRetaken || any([&](const sim::FragmentResult &g) {
        const sim::RecordingResult &lost = m.recordings[g.recording];
        return std::any_of(m.recordings.begin(), m.recordings.end(), [&](const sim::RecordingResult &r) {
            return r.state == sim::RecordingState::Survived && r.firstCluster == lost.firstCluster &&
                   r.channel == lost.channel && r.streamType == lost.streamType;
        });
    }));

    const uint64_t before = fileDigest(disk.path);
    ASSERT_EQ(mountImages({disk.path}), 0u);
    wfs_register_stream_ops();
    expectRecovered(disk);
    expectCommandLine(dir, disk);
    EXPECT_EQ(fileDigest(disk.path), before) << "the image was written to";
}

INSTANTIATE_TEST_SUITE_P(
    Scenarios, Recovery,
    ::testing::Values(RecoveryCase{"TailsWithoutRepair", tailsWithoutRepair, {3, 0, 0, false, false, true, true, false}},
                      RecoveryCase{"HiddenAfterRepair", hiddenAfterRepair, {3, 3, 0, true, true, true, true, false}},
                      RecoveryCase{"BeyondTheSavedHead", beyondTheSavedHead, {0, 0, 4, true, true, true, false, false}},
                      RecoveryCase{"NewerRecordingOnTheFirstCluster", newerRecordingOnTheFirstCluster,
                                   {1, 0, 0, false, false, true, false, false, true}},
                      RecoveryCase{"NothingLost", nothingLost, {0, 0, 0, false, false, false, false, false}},
                      RecoveryCase{"PicturesAfterRepair", picturesAfterRepair, {1, 3, 0, false, false, true, false, true}}),
    [](const ::testing::TestParamInfo<RecoveryCase> &info) { return std::string(info.param.name); });

// ---- damaged chains

// A directory field of a cluster, as a patch over the written image.
template <typename T> sim::Patch dirField(const sim::PartitionResult &p, uint32_t cluster, uint32_t offset, T value)
{
    sim::Patch patch;
    patch.block = p.startSector + p.dirOffset + cluster / 16;
    patch.offset = cluster % 16 * 32 + offset;
    patch.bytes.resize(sizeof value);
    memcpy(patch.bytes.data(), &value, sizeof value);
    return patch;
}

const uint32_t ITEM_NUM = 2, UP = 4, DOWN = 8, CHANNEL_AV = 31;

// One kind of damage to cluster k of a tail, and where it cuts the tail: into [0, k) and
// [k, n), or also [k, k + 1) and [k + 1, n) when cluster k itself no longer fits either side.
struct DamageCase {
    const char *name;
    std::function<sim::Patch(const sim::PartitionResult &, const sim::FragmentResult &, size_t k)> damage;
    bool isolatesTheCluster;
};

void PrintTo(const DamageCase &c, std::ostream *os) { *os << c.name; }

class DamagedChain : public ::testing::TestWithParam<DamageCase>
{
};

sim::Scenario ringWithReservedClusters()
{
    sim::Scenario s = tailsWithoutRepair();
    s.partitions[0].revClus = 4;
    return s;
}

TEST_P(DamagedChain, EndsTheFragmentThereAndLosesNothingElse)
{
    ScratchDir dir;
    const sim::Scenario plan = ringWithReservedClusters();
    const WrittenDisk sound = writeDisk(dir, "sound.img", plan);
    const sim::Manifest &m = sound.manifest;
    ASSERT_FALSE(m.fragments.empty());
    const auto longest = std::max_element(m.fragments.begin(), m.fragments.end(), [](const auto &a, const auto &b) {
        return a.clusters.size() < b.clusters.size();
    });
    const sim::FragmentResult &tail = *longest;
    ASSERT_EQ(tail.kind, sim::FragmentKind::Tail);
    ASSERT_GE(tail.clusters.size(), 6u);
    const size_t k = 3, n = tail.clusters.size();
    sim::Scenario damaged = plan;
    damaged.patches = {GetParam().damage(m.partitions[0], tail, k)};
    const WrittenDisk disk = writeDisk(dir, "damaged.img", damaged);

    const CliRun listedSound = runCli(dir, "list", sound.path);
    const CliRun listedDamaged = runCli(dir, "list", disk.path);
    EXPECT_EQ(listedDamaged.status, 0);
    EXPECT_EQ(listedDamaged.out, listedSound.out) << "the damage is in no listed recording";
    EXPECT_EQ(runCli(dir, "recover", disk.path).status, 0);

    ASSERT_EQ(mountImages({disk.path}), 0u);
    wfs_register_stream_ops();
    std::vector<std::pair<size_t, size_t>> pieces = {{0, k}, {k, n}};
    if (GetParam().isolatesTheCluster) pieces = {{0, k}, {k, k + 1}, {k + 1, n}};
    const uint64_t clusterBytes = uint64_t(m.secPerClus) * 512;
    std::set<uint32_t> starts;
    for (const auto &[from, to] : pieces) {
        const uint32_t first = tail.clusters[from];
        starts.insert(first);
        wfs_fragment f;
        ASSERT_EQ(wfs_recover_fragment(0, 0, first, &f), 0u) << "cluster " << from;
        EXPECT_EQ(f.kind, WFS_FRAGMENT_TAIL);
        EXPECT_EQ(f.clusters, to - from);
        EXPECT_EQ(f.last_cluster, tail.clusters[to - 1]);
        EXPECT_EQ(f.last_sectors, to == n ? tail.lastSectors : m.secPerClus) << "a broken chain counts whole";
        const uint64_t begin = from * clusterBytes, end = to == n ? tail.bytes.size() : to * clusterBytes;
        char path[256];
        wfs_recover_format_path(path, sizeof path, f);
        EXPECT_EQ(readAll(path, 32768), std::vector<uint8_t>(tail.bytes.begin() + begin, tail.bytes.begin() + end))
            << path;
    }
    std::vector<std::string> others, want;
    for (const wfs_fragment &f : found(0))
        if (!starts.count(f.first_cluster)) others.push_back(described(f));
    for (const sim::FragmentResult &g : m.fragments)
        if (&g != &tail) want.push_back(described(g));
    EXPECT_EQ(others, want) << "the other fragments stay as they were";
}

INSTANTIATE_TEST_SUITE_P(
    Damage, DamagedChain,
    ::testing::Values(
        DamageCase{"ChannelChanges",
                   [](const sim::PartitionResult &p, const sim::FragmentResult &t, size_t k) {
                       return dirField(p, t.clusters[k], CHANNEL_AV, uint8_t((t.channel + 5) << 2 | t.av));
                   },
                   true},
        DamageCase{"OrdinalJumps",
                   [](const sim::PartitionResult &p, const sim::FragmentResult &t, size_t k) {
                       return dirField(p, t.clusters[k], ITEM_NUM, uint16_t(t.firstOrdinal + k + 3));
                   },
                   true},
        DamageCase{"PointsToAReservedCluster",
                   [](const sim::PartitionResult &p, const sim::FragmentResult &t, size_t k) {
                       return dirField(p, t.clusters[k - 1], DOWN, uint32_t(2));
                   },
                   false},
        DamageCase{"PointsOutOfThePartition",
                   [](const sim::PartitionResult &p, const sim::FragmentResult &t, size_t k) {
                       return dirField(p, t.clusters[k - 1], DOWN, p.totalClus + 7);
                   },
                   false},
        DamageCase{"PointsBackElsewhere",
                   [](const sim::PartitionResult &p, const sim::FragmentResult &t, size_t k) {
                       return dirField(p, t.clusters[k], UP, t.clusters[0]);
                   },
                   false},
        DamageCase{"LoopsBack",
                   [](const sim::PartitionResult &p, const sim::FragmentResult &t, size_t k) {
                       return dirField(p, t.clusters[k - 1], DOWN, t.clusters[0]);
                   },
                   false}),
    [](const ::testing::TestParamInfo<DamageCase> &info) { return std::string(info.param.name); });

} // namespace
