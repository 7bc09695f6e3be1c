// Benchmarks of the WFS reader, recovery included. Each prints its figure beside a baseline
// measured in the same run on the same bytes, and their ratio; nothing is asserted.
//   korvane-bench [DATA_DIR]    images are written there once and reused
#include "builtin_scenarios.h"
#include "simulator.h"
#include "wfs.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace fs = std::filesystem;
namespace sim = korvane::sim;

namespace {
const int REPEATS = 5;

// Best wall time of several runs, in milliseconds; the first run also warms the page cache.
double bestMs(const std::function<void()> &work)
{
    double best = 1e30;
    for (int i = 0; i <= REPEATS; ++i) {
        auto start = std::chrono::steady_clock::now();
        work();
        double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        if (i > 0) best = std::min(best, ms);
    }
    return best;
}

void run(const std::string &command)
{
    if (std::system(command.c_str()) != 0) fprintf(stderr, "bench: failed: %s\n", command.c_str());
}

std::string dd(const std::string &image, uint64_t firstByte, uint64_t bytes)
{
    return "dd if='" + image + "' of=/dev/null bs=1M iflag=skip_bytes,count_bytes status=none skip=" +
           std::to_string(firstByte) + " count=" + std::to_string(bytes);
}

bool ensureImage(const std::string &path, const sim::Scenario &scenario, bool metadataOnly, sim::Manifest *manifest)
{
    sim::WriteOptions options;
    options.metadataOnly = metadataOnly;
    if (fs::exists(path)) return sim::planDisk(scenario, *manifest).ok;
    sim::Result r = sim::writeDisk(scenario, path, options, manifest);
    if (!r.ok) fprintf(stderr, "bench: %s\n", r.message.c_str());
    return r.ok;
}

struct Run {
    uint64_t first, count;
};
std::vector<Run> g_reads;

void noteRead(int, uint64_t sector, uint16_t count)
{
    if (!g_reads.empty() && g_reads.back().first + g_reads.back().count == sector) g_reads.back().count += count;
    else g_reads.push_back({sector, count});
}

void mountImage(const std::string &image)
{
    const char *paths[] = {image.c_str()};
    ide_set_images(paths, 1);
    ide_set_scan_devices(false);
    ide_init();
    int count = 0;
    wfs_file_sys_init(&count, 0);
}

void benchMount(const std::string &image)
{
    g_reads.clear();
    ide_set_read_observer(noteRead);
    mountImage(image);
    ide_set_read_observer(nullptr);
    uint64_t blocks = 0;
    std::string baseline = "true";
    for (const Run &r : g_reads) {
        blocks += r.count;
        baseline += " && " + dd(image, r.first * 512, r.count * 512);
    }
    double mountMs = bestMs([&] { mountImage(image); });
    double ddMs = bestMs([&] { run(baseline); });
    printf("mount 2 TiB metadata-only image: wfs_file_sys_init %.2f ms | dd of the same %llu blocks (%zu runs) "
           "%.2f ms | ratio %.2f\n",
           mountMs, (unsigned long long)blocks, g_reads.size(), ddMs, mountMs / ddMs);
}

void benchList(const std::string &cli, const std::string &image, const sim::Manifest &m)
{
    std::string list = "'" + cli + "' list --no-devices --image '" + image + "' > /dev/null";
    std::string baseline = "true";
    uint64_t bytes = 0;
    for (const sim::PartitionResult &p : m.partitions) {
        uint64_t dirBytes = (p.totalClus + 15) / 16 * 512ull, indexBytes = (p.totalClus + 511) / 512 * 512ull;
        baseline += " && " + dd(image, (p.startSector + p.dirOffset) * 512, dirBytes);
        baseline += " && " + dd(image, (p.startSector + p.indexOffset) * 512, indexBytes);
        bytes += dirBytes + indexBytes;
    }
    size_t recordings = 0;
    for (const sim::RecordingResult &r : m.recordings) recordings += r.state != sim::RecordingState::Overwritten;
    double listMs = bestMs([&] { run(list); });
    double ddMs = bestMs([&] { run(baseline); });
    printf("list 2 TiB image, 16 channels x 30 days: korvane-cli list %.0f ms (%.0f recordings/s of %zu) | dd of "
           "directory and index areas (%.1f MiB) %.0f ms | ratio %.2f\n",
           listMs, recordings / (listMs / 1000), recordings, bytes / 1048576.0, ddMs, listMs / ddMs);
}

// Finding what no listing reaches beside the listing itself, both as the command line runs them.
void benchRecover(const std::string &cli, const std::string &image, const sim::Manifest &m)
{
    const std::string disk = " --no-devices --image '" + image + "' > /dev/null";
    const std::string list = "'" + cli + "' list" + disk, recover = "'" + cli + "' recover" + disk;
    double listMs = bestMs([&] { run(list); });
    double recoverMs = bestMs([&] { run(recover); });
    printf("recover 2 TiB image (%zu fragments): korvane-cli recover %.0f ms | korvane-cli list %.0f ms | ratio %.2f\n",
           m.fragments.size(), recoverMs, listMs, recoverMs / listMs);
}

sim::Scenario largeRecording()
{
    sim::Scenario s;
    s.sectorsPerCluster = 4096;
    sim::PartitionSpec p;
    p.clusters = 160;
    s.partitions = {p};
    sim::RecordingSpec r;
    r.start = sim::makeTime(2026, 3, 5, 8, 0, 0);
    r.end = r.start + 128;
    r.bytesPerSecond = 2 << 20;
    r.partition = 0;
    s.recordings = {r};
    return s;
}

void benchCat(const std::string &cli, const std::string &dir)
{
    std::string image = dir + "/bench-large-recording.img";
    sim::Manifest m;
    if (!ensureImage(image, largeRecording(), false, &m)) return;
    const sim::RecordingResult &r = m.recordings.front();
    const sim::PartitionResult &p = m.partitions.front();
    uint64_t bytes = ((uint64_t)(r.clusterCount - 1) * p.secPerClus + r.endLength) * 512;
    char path[160];
    snprintf(path, sizeof path, "/mnt/idea0/2026-03-05/000/08.00.00-08.02.08[R][@%x][0].h264", r.firstCluster);
    std::string cat = "'" + cli + "' cat --no-devices --image '" + image + "' '" + path + "' > /dev/null";
    // The same command on a recording the disk does not hold: the program's start and the mount, no copy.
    std::string start = "'" + cli + "' cat --no-devices --image '" + image +
                        "' '/mnt/idea0/2026-03-05/000/00.00.00-00.00.01[R][@7fffffff][0].h264' > /dev/null 2>&1; true";
    uint64_t first = (p.startSector + p.dataOffset + (uint64_t)r.firstCluster * p.secPerClus) * 512;
    double catMs = bestMs([&] { run(cat); });
    double ddMs = bestMs([&] { run(dd(image, first, bytes)); });
    double startMs = bestMs([&] { run(start); });
    double mb = bytes / 1e6, copyMs = catMs - startMs;
    printf("cat %.0f MB recording: korvane-cli cat %.0f ms (%.0f MB/s) | dd of the same clusters %.0f ms (%.0f MB/s) | "
           "throughput %.2f of dd\n",
           mb, catMs, mb / (catMs / 1000), ddMs, mb / (ddMs / 1000), ddMs / catMs);
    printf("  of which korvane-cli's start and mount %.0f ms; the copy alone %.0f ms (%.0f MB/s) | "
           "throughput %.2f of dd\n",
           startMs, copyMs, mb / (copyMs / 1000), ddMs / copyMs);
}
} // namespace

int main(int argc, char **argv)
{
    std::string dir = argc > 1 ? argv[1] : "build/bench-data";
    fs::create_directories(dir);
    std::string cli = (fs::path(argv[0]).parent_path() / "korvane-cli").string();
    std::string image = dir + "/bench-2tib.img";
    sim::Manifest manifest;
    if (!ensureImage(image, sim::bench2TibScenario(), true, &manifest)) return 1;
    wfs_set_console(stderr);
    benchMount(image);
    benchList(cli, image, manifest);
    benchRecover(cli, image, manifest);
    benchCat(cli, dir);
    return 0;
}
