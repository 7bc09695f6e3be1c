// Benchmarks of korvane-cli mount, each beside korvane-cli reading the same recordings in the same
// run; both figures and their ratio are printed, nothing is asserted.
//   korvane-bench-mount [DATA_DIR]    images are written there once and reused
#include "builtin_scenarios.h"
#include "simulator.h"

#include <algorithm>
#include <chrono>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;
namespace sim = korvane::sim;

namespace
{
const int REPEATS = 5;

double msSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// Best wall time of several runs, in milliseconds; the first run warms the page cache and is not counted.
double bestMs(const std::function<void()> &work)
{
    double best = 1e30;
    for (int i = 0; i <= REPEATS; ++i) {
        auto start = std::chrono::steady_clock::now();
        work();
        if (i > 0) best = std::min(best, msSince(start));
    }
    return best;
}

bool run(const std::string &command)
{
    if (std::system(command.c_str()) == 0) return true;
    fprintf(stderr, "bench: failed: %s\n", command.c_str());
    return false;
}

std::string output(const std::string &command)
{
    std::string text;
    FILE *pipe = popen(command.c_str(), "r");
    if (!pipe) return text;
    char chunk[4096];
    for (size_t n; (n = fread(chunk, 1, sizeof chunk, pipe)) > 0;)
        text.append(chunk, n);
    pclose(pipe);
    return text;
}

std::string inQuotes(const std::string &text)
{
    return "'" + text + "'";
}

bool ensureImage(const std::string &path, const sim::Scenario &scenario, bool metadataOnly)
{
    if (fs::exists(path)) return true;
    sim::WriteOptions options;
    options.metadataOnly = metadataOnly;
    sim::Manifest manifest;
    sim::Result r = sim::writeDisk(scenario, path, options, &manifest);
    if (!r.ok) fprintf(stderr, "bench: %s\n", r.message.c_str());
    return r.ok;
}

// The 268 MB recording korvane-bench copies with cat (the same image file when both run on one folder).
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

// A mount of one image for the life of the object.
class Mount
{
  public:
    Mount(const std::string &cli, const std::string &image, const std::string &point) : m_point(point)
    {
        fs::create_directories(point);
        ok = run(inQuotes(cli) + " mount --no-devices --image " + inQuotes(image) + " " + inQuotes(point));
    }
    ~Mount()
    {
        if (ok) run("fusermount3 -u " + inQuotes(m_point));
    }
    bool ok;

  private:
    std::string m_point;
};

// The listing's paths, the first one or the one in the middle.
std::string listedPath(const std::string &cli, const std::string &image, bool middle)
{
    std::string listing = output(inQuotes(cli) + " list --no-devices --image " + inQuotes(image));
    size_t lines = std::count(listing.begin(), listing.end(), '\n'), at = 0;
    for (size_t skip = middle ? lines / 2 : 0; skip > 0; --skip)
        at = listing.find('\n', at) + 1;
    return listing.substr(at, listing.find('\t', at) - at);
}

void benchSequentialRead(const std::string &cli, const std::string &dir)
{
    const std::string image = dir + "/bench-large-recording.img", point = dir + "/mnt-large";
    if (!ensureImage(image, largeRecording(), false)) return;
    const std::string path = listedPath(cli, image, false);
    const std::string cat =
        inQuotes(cli) + " cat --no-devices --image " + inQuotes(image) + " " + inQuotes(path);
    const uint64_t bytes = std::stoull(output(cat + " | wc -c"));
    Mount mount(cli, image, point);
    if (!mount.ok) return;
    const std::string file = inQuotes(point + "/" + path.substr(strlen("/mnt/")));
    const double ddMs = bestMs([&] { run("dd if=" + file + " of=/dev/null bs=1M status=none"); });
    const double catMs = bestMs([&] { run(cat + " > /dev/null"); });
    const double mb = bytes / 1e6;
    printf("read %.0f MB recording: dd bs=1M through the mount %.0f ms (%.0f MB/s) | korvane-cli cat %.0f ms "
           "(%.0f MB/s) | throughput %.2f of cat\n",
           mb, ddMs, mb / (ddMs / 1000), catMs, mb / (catMs / 1000), catMs / ddMs);
    const double sumMountMs = bestMs([&] { run("sha256sum " + file + " > /dev/null"); });
    const double sumCatMs = bestMs([&] { run(cat + " | sha256sum > /dev/null"); });
    printf("  sha256sum through the mount %.0f ms | korvane-cli cat | sha256sum %.0f ms | throughput %.2f\n",
           sumMountMs, sumCatMs, sumCatMs / sumMountMs);
}

// A channel folder listed cold: the first ls -l after the mount, which reads every recording's length.
void benchChannelListing(const std::string &cli, const std::string &dir)
{
    const std::string image = dir + "/bench-2tib.img", point = dir + "/mnt-2tib";
    if (!ensureImage(image, sim::bench2TibScenario(), true)) return;
    const std::string path = listedPath(cli, image, true);
    const std::string folder = path.substr(0, path.rfind('/'));
    const std::string disk = " --no-devices --image " + inQuotes(image);
    double mountMs = 1e30, lsMs = 1e30;
    size_t files = 0;
    for (int i = 0; i <= REPEATS; ++i) {
        auto start = std::chrono::steady_clock::now();
        Mount mount(cli, image, point);
        if (!mount.ok) return;
        if (i > 0) mountMs = std::min(mountMs, msSince(start));
        start = std::chrono::steady_clock::now();
        std::string listing = output("ls -l " + inQuotes(point + "/" + folder.substr(strlen("/mnt/"))));
        if (i > 0) lsMs = std::min(lsMs, msSince(start));
        files = std::count(listing.begin(), listing.end(), '\n') - 1;
    }
    const double findMs =
        bestMs([&] { run(inQuotes(cli) + " find" + disk + " " + inQuotes(folder + "/*") + " >/dev/null"); });
    const double listMs = bestMs([&] { run(inQuotes(cli) + " list" + disk + " >/dev/null"); });
    printf("ls -l of a channel folder (%zu recordings) of the 2 TiB image, first after the mount: %.1f ms | "
           "korvane-cli find of that day and channel %.1f ms | ratio %.2f\n",
           files, lsMs, findMs, lsMs / findMs);
    printf("  the mount itself (lists every recording) %.0f ms | korvane-cli list %.0f ms | ratio %.2f\n",
           mountMs, listMs, mountMs / listMs);
}
} // namespace

int main(int argc, char **argv)
{
    std::string dir = argc > 1 ? argv[1] : "build/bench-data";
    fs::create_directories(dir);
    dir = fs::absolute(dir).string();
    const std::string cli = (fs::absolute(argv[0]).parent_path() / "korvane-cli").string();
    int fuse = open("/dev/fuse", O_RDWR | O_CLOEXEC);
    if (fuse < 0) {
        printf("mount benchmarks skipped: /dev/fuse does not open (%s)\n", strerror(errno));
        return 0;
    }
    close(fuse);
    benchSequentialRead(cli, dir);
    benchChannelListing(cli, dir);
    return 0;
}
