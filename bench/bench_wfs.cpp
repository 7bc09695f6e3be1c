// Benchmarks of the WFS reader, recovery included. Each prints its figure beside a baseline
// measured in the same run on the same bytes, and their ratio; nothing is asserted.
//   korvane-bench [DATA_DIR]    images are written there once and reused
#include "builtin_scenarios.h"
#include "simulator.h"
#include "wfs.h"
#include "wfs_stream.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fcntl.h>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <unistd.h>
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

uint32_t dayStart(uint32_t packed) { return packed & ~0x1FFFFu; }
uint32_t dayEnd(uint32_t packed) { return dayStart(packed) | 23u << 12 | 59u << 6 | 59u; }

// The listing the Disk page asks the library for, in this process and without formatting: every
// record partition, 32 channels, in calls of up to 12000 records resumed from the last end time.
size_t listLikeTheDiskPage()
{
    const uint32_t VIDEO_ON_RECORD_PARTITIONS = 0x23;
    std::vector<wfs_file_info_v2> records(12000);
    size_t listed = 0;
    IdeInfo ide;
    ide_get_info(&ide);
    for (int disk = 0; disk < ide.ide_num; ++disk) {
        wfs_part_entry entries[WFS_MAX_PARTS] = {};
        if (wfs_read_partitions((uint32_t)disk, entries, WFS_MAX_PARTS) != WFS_OK) continue;
        for (uint32_t part = 0; part < WFS_MAX_PARTS; ++part) {
            wfs_pdp *pdp = entries[part].total ? get_pdp((uint32_t)disk, part) : nullptr;
            if (!pdp || (pdp->driver_type != 0 && pdp->driver_type != 1 && pdp->driver_type != 5)) continue;
            wfs_build_time_sections(pdp);
            uint32_t start = pdp->start_time1, end = std::max(pdp->end_time1, pdp->end_time2);
            if (pdp->start_time2 != 0 && pdp->start_time2 < start) start = pdp->start_time2;
            if (end <= start) continue;
            for (uint8_t channel = 0; channel < 32; ++channel) {
                for (uint32_t from = dayStart(start);;) {
                    uint32_t found = (uint32_t)records.size();
                    wfs_file_list_in(pdp, channel, from, dayEnd(end), &found, records.data(), 0xFFFFFFFF, 0,
                                     VIDEO_ON_RECORD_PARTITIONS, 2);
                    listed += found;
                    if (found == 0 || records[found - 1].end_time >= dayEnd(end)) break;
                    from = records[found - 1].end_time;
                }
            }
        }
    }
    return listed;
}

void benchLibraryList(const std::string &image, double ddMs)
{
    size_t listed = 0;
    double ms = bestMs([&] {
        mountImage(image);
        listed = listLikeTheDiskPage();
    });
    double mountMs = bestMs([&] { mountImage(image); });
    printf("  the library's listing alone (mount and %zu records in this process, no output) %.0f ms, of which "
           "mount %.0f ms | ratio %.2f of dd\n",
           listed, ms, mountMs, ms / ddMs);
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
    std::string start = "'" + cli + "' --version > /dev/null";
    double startMs = bestMs([&] { run(start); });
    printf("list 2 TiB image, 16 channels x 30 days: korvane-cli list %.0f ms (%.0f recordings/s of %zu) | dd of "
           "directory and index areas (%.1f MiB) %.0f ms | ratio %.2f\n",
           listMs, recordings / (listMs / 1000), recordings, bytes / 1048576.0, ddMs, listMs / ddMs);
    printf("  of which korvane-cli's start (--version) %.0f ms; the rest %.0f ms | ratio %.2f of dd\n", startMs,
           listMs - startMs, (listMs - startMs) / ddMs);
    benchLibraryList(image, ddMs);
}

// What korvane-cli cat does with a recording, in this process: 1 MiB sector-aligned reads through
// the stream layer, each written to /dev/null.
uint64_t copyLikeCat(const char *path)
{
    const size_t CHUNK = 1 << 20;
    static int devNull = open("/dev/null", O_WRONLY | O_CLOEXEC);
    std::unique_ptr<char, decltype(&free)> chunk((char *)aligned_alloc(4096, CHUNK), free);
    FILEHANDLE h = fs_fopen(path, "rb");
    if (!h) return 0;
    uint64_t copied = 0;
    for (size_t n; (n = fs_fread(chunk.get(), 1, CHUNK, h)) > 0; copied += n)
        if (write(devNull, chunk.get(), n) != (ssize_t)n) break;
    fs_fclose(h);
    return copied;
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
    uint64_t first = (p.startSector + p.dataOffset + (uint64_t)r.firstCluster * p.secPerClus) * 512;
    double catMs = bestMs([&] { run(cat); });
    double ddMs = bestMs([&] { run(dd(image, first, bytes)); });
    uint64_t copied = 0;
    mountImage(image);
    wfs_register_stream_ops();
    double copyMs = bestMs([&] { copied = copyLikeCat(path); });
    double mb = bytes / 1e6;
    printf("cat %.0f MB recording: korvane-cli cat %.0f ms (%.0f MB/s) | dd of the same clusters %.0f ms (%.0f MB/s) | "
           "throughput %.2f of dd\n",
           mb, catMs, mb / (catMs / 1000), ddMs, mb / (ddMs / 1000), ddMs / catMs);
    printf("  the copy itself (the stream reads cat makes, into /dev/null, in this process, %llu bytes) %.0f ms "
           "(%.0f MB/s) | throughput %.2f of dd\n",
           (unsigned long long)copied, copyMs, mb / (copyMs / 1000), ddMs / copyMs);
}

// Whole processes that start and stop at once: the cost of korvane-cli's start beside /bin/true.
void benchStart(const std::string &cli, const std::string &dir)
{
    const std::string empty = dir + "/bench-empty.img";
    if (!fs::exists(empty)) fs::resize_file((std::ofstream(empty), empty), 1 << 20);
    const int TIMES = 50;
    auto many = [&](const std::string &command) {
        std::string line = "for i in $(seq " + std::to_string(TIMES) + "); do " + command + "; done";
        return bestMs([&] { run(line); }) / TIMES;
    };
    const double trueMs = many("/bin/true");
    const double versionMs = many("'" + cli + "' --version > /dev/null");
    const double listMs = many("'" + cli + "' list --no-devices --image '" + empty + "' > /dev/null 2>&1 || true");
    printf("start: korvane-cli --version %.1f ms, list of an empty image %.1f ms | /bin/true %.1f ms | %.1f and "
           "%.1f ms more\n",
           versionMs, listMs, trueMs, versionMs - trueMs, listMs - trueMs);
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
    benchStart(cli, dir);
    return 0;
}
