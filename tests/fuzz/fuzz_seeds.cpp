// Writes the seed corpus of every fuzz target from the recorder simulator:
//   korvane-fuzz-seeds OUT_DIR [SCENARIO.json]...
// OUT_DIR/wfs_disk: small disk images of many shapes, zeros written short; stream_parser and
// frame_index: the recordings of a disk with real H.264/H.265, audio and information frames;
// frame_info: information texts of the simulated vehicle; map_key: map page lines;
// local_index: index files of an exported folder.
#include "zero_runs.h"

#include "info_text.h"
#include "route.h"
#include "scenario_json.h"
#include "simulator.h"
#include "wfs.h"
#include "wfs_path.h"
#include "wfs_stream.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace fs = std::filesystem;
namespace sim = korvane::sim;

// The seeds are written at build time, in sanitizer builds too; libx265 keeps a few encoder
// buffers until the process ends, and they are not ours to free.
extern "C" const char *__lsan_default_suppressions()
{
    return "leak:libx265.so\n";
}

namespace
{
const sim::Seconds DAY = sim::makeTime(2024, 6, 1, 7, 0, 0);

bool writeFile(const fs::path &path, const std::vector<uint8_t> &bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char *>(bytes.data()), std::streamsize(bytes.size()));
    return bool(out);
}

std::vector<uint8_t> readFile(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

sim::RecordingSpec rec(int channel, sim::Seconds start, sim::Seconds seconds, uint32_t bytesPerSecond = 400)
{
    sim::RecordingSpec r;
    r.channel = channel;
    r.start = start;
    r.end = start + seconds;
    r.bytesPerSecond = bytesPerSecond;
    return r;
}

sim::PartitionSpec part(uint32_t clusters, uint32_t type = 0)
{
    sim::PartitionSpec p;
    p.clusters = clusters;
    p.driverType = type;
    return p;
}

// Small disks, each with another of the shapes the reader meets.
std::vector<std::pair<std::string, sim::Scenario>> diskScenarios()
{
    std::vector<std::pair<std::string, sim::Scenario>> all;
    sim::Scenario plain;
    plain.partitions = {part(96), part(48, sim::kPictureDriverType)};
    plain.recordings = {rec(0, DAY, 20), rec(1, DAY + 5, 12), rec(0, DAY + 60, 8)};
    plain.recordings.push_back(rec(1, DAY + 30, 4));
    plain.recordings.back().av = 0;
    all.push_back({"plain", plain});

    sim::Scenario wrapped;
    wrapped.partitions = {part(48)};
    for (int i = 0; i < 6; ++i)
        wrapped.recordings.push_back(rec(i % 2, DAY + i * 50, 40, 1000));
    all.push_back({"wrapped", wrapped});

    sim::Scenario jumps;
    jumps.partitions = {part(128)};
    jumps.recordings = {rec(0, DAY, 30), rec(0, DAY + 100, 30), rec(2, DAY + 200, 30)};
    jumps.clockJumps = {{DAY + 80, 600}, {DAY + 180, 3600}};
    all.push_back({"clock-jumps", jumps});

    sim::Scenario unclean = plain;
    unclean.uncleanStop = true;
    all.push_back({"unclean", unclean});

    // A real "WFS0.3" layout keeps 60 MiB free for its converted user-data area; the reader's
    // conversion runs on the version text alone.
    sim::Scenario old = plain;
    old.mbrStart = 63;
    sim::Patch version;
    version.bytes = {'3'};
    version.offset = 5;
    old.patches = {version};
    all.push_back({"wfs03-mbr", old});

    sim::Scenario rich;
    rich.partitions = {part(96), part(64)};
    rich.partitions[0].extDir = true;
    rich.partitions[0].udItems = 64;
    rich.recordings = {rec(0, DAY, 15), rec(1, DAY + 3, 15), rec(0, DAY + 30, 10, 300)};
    rich.recordings[0].card = "6214830012345678";
    rich.recordings[0].alarm = 2;
    rich.recordings[1].locked = true;
    rich.recordings[1].dhiiSectors = 2;
    rich.recordings[1].streamType = 1;
    rich.recordings[2].partition = 1;
    rich.recordings[2].extEvents = 5;
    all.push_back({"cards-locks-headers", rich});

    sim::Scenario midnight;
    midnight.partitions = {part(96)};
    midnight.recordings = {rec(0, sim::makeTime(2024, 6, 1, 23, 59, 50), 25)};
    all.push_back({"midnight", midnight});
    return all;
}

// Every recording of a disk as the stream layer reads it.
std::vector<std::vector<uint8_t>> recordingsOf(const std::string &image)
{
    const char *paths[] = {image.c_str()};
    ide_set_images(paths, 1);
    ide_set_scan_devices(false);
    ide_init();
    int normal = 0;
    wfs_file_sys_init(&normal, 0);
    wfs_register_stream_ops();
    std::vector<std::vector<uint8_t>> all;
    wfs_file_info_v2 records[32];
    uint32_t count = 32;
    wfs_file_list(WFS_ANY_CHANNEL, sim::packTime(DAY - 86400), sim::packTime(DAY + 86400), &count, records,
                  0xFFFFFFFF, 0, WFS_LIST_VIDEO, WFS_STREAM_ANY);
    for (uint32_t i = 0; i < count; ++i) {
        const wfs_file_info_v2 &r = records[i];
        wfs_date_time s = wfs_unpack_time(r.start_time), e = wfs_unpack_time(r.end_time);
        wfs_record_path p = {char('a' + r.disk), r.part, s.year, s.month, s.day, r.channel, {}};
        p.name = {s.hour, s.minute, s.second, e.hour, e.minute, e.second, "R", r.first_cluster_no, 0, "h264"};
        char path[256];
        wfs_format_record_path(path, sizeof path, p);
        FILEHANDLE h = fs_fopen(path, "rb");
        if (!h) continue;
        std::vector<uint8_t> bytes(256 << 10);
        bytes.resize(fs_fread(bytes.data(), 1, bytes.size(), h));
        fs_fclose(h);
        all.push_back(bytes);
    }
    ide_set_images(nullptr, 0);
    ide_init();
    return all;
}

sim::Scenario realMediaDisk()
{
    sim::Scenario s;
    s.payloads = sim::PayloadKind::Real;
    s.partitions = {part(512)};
    s.sectorsPerCluster = 16;
    sim::RecordingSpec h264 = rec(0, DAY, 4), h265 = rec(1, DAY, 3);
    h264.width = h265.width = 176;
    h264.height = h265.height = 144;
    h264.fps = h265.fps = 6;
    h264.audio = true;
    h265.codec = 3;
    s.recordings = {h264, h265};
    return s;
}

bool writeDiskSeeds(const fs::path &out, const fs::path &scratch,
                    const std::vector<std::string> &scenarioFiles)
{
    std::vector<std::pair<std::string, sim::Scenario>> all = diskScenarios();
    for (const std::string &file : scenarioFiles) {
        sim::Scenario s;
        std::string error;
        if (!sim::loadScenarioFile(file, s, error)) {
            fprintf(stderr, "korvane-fuzz-seeds: %s: %s\n", file.c_str(), error.c_str());
            return false;
        }
        for (sim::RecordingSpec &r : s.recordings) { // the metadata is what matters
            r.bytesPerSecond = 400;
            r.audio = false;
        }
        all.push_back({fs::path(file).stem().string(), s});
    }
    for (const auto &named : all) {
        fs::path image = scratch / (named.first + ".img");
        sim::Result r = sim::writeDisk(named.second, image.string());
        if (!r.ok) {
            fprintf(stderr, "korvane-fuzz-seeds: %s: %s\n", named.first.c_str(), r.message.c_str());
            return false;
        }
        writeFile(out / (named.first + ".wfs"), korvane::fuzz::writeZeroRuns(readFile(image)));
    }
    return true;
}

void writeStreamSeeds(const fs::path &parser, const fs::path &index, const fs::path &scratch)
{
    fs::path image = scratch / "real.img";
    if (!sim::writeDisk(realMediaDisk(), image.string()).ok) return;
    int n = 0;
    for (std::vector<uint8_t> &bytes : recordingsOf(image.string())) {
        std::vector<uint8_t> chunked = {uint8_t(n * 37 + 4), uint8_t(n)};
        chunked.insert(chunked.end(), bytes.begin(),
                       bytes.begin() + std::min<size_t>(bytes.size(), 48 << 10));
        writeFile(parser / ("recording-" + std::to_string(n) + ".bin"), chunked);
        std::vector<uint8_t> scan = {uint8_t(n & 1)};
        scan.insert(scan.end(), bytes.begin(), bytes.end());
        writeFile(index / ("recording-" + std::to_string(n) + ".bin"), scan);
        ++n;
    }
}

void writeTextSeeds(const fs::path &info, const fs::path &mapKey)
{
    sim::Route route(3);
    for (int i = 0; i < 6; ++i) {
        sim::Seconds t = DAY + i * 47;
        std::string text = sim::infoText(route.at(t), t, i % 3 == 0);
        writeFile(info / ("info-" + std::to_string(i) + ".txt"),
                  std::vector<uint8_t>(text.begin(), text.end()));
    }
    const std::string extra = "INFO:plate AB-123 seat 4;PASSENGER:00=3,10=1,01=0,11=7;STATUS:1,0,1,1,0,0,1,0;"
                              "GPS:$GPRMC,235959.000,A,5130.1234,N,00007.5678,W,12.5,270.0,311224,,,A*5C;";
    writeFile(info / "items.txt", std::vector<uint8_t>(extra.begin(), extra.end()));
    const std::string pages[] = {
        "\x01<script "
        "src=\"https://maps.example/api?v=3.0&ak=AbCdEf0123456789&services=&t=20240101\"></script>\n",
        "\x02<script>window._AMapSecurityConfig = { securityJsCode: \"0123abcd\" };</script>\n"
        "<script src=\"https://maps.example/maps?v=2.0&key=fedcba9876543210&plugin=x\"></script>\n",
        "\x03<script src=\"https://maps.example/js?key=KEY123&callback=init\"></script>\n"};
    int n = 0;
    for (const std::string &page : pages)
        writeFile(mapKey / ("page-" + std::to_string(n++) + ".html"),
                  std::vector<uint8_t>(page.begin(), page.end()));
}
void writeIndexSeeds(const fs::path &localIndex)
{
    const std::string indexes[] = {
        "idea0/2024-03-05/001/10.00.00-10.10.00[R][@1][0].h264\r\n",
        "idea0/2024-03-05/001/10.00.00-10.10.00[R][@1][0].h264\r\nidea0/2024-03-05/001/10.00.00-10.10.00[R][@1][0].h264\n"
        "idea0/2024-03-05/002/10.00.00-10.10.00[R][@2][0].h264\n",
        "\n\nidea0/2024-03-05/001/../../../../etc/hostname\n/etc/hostname\nidea0/2024-13-45/001/x.h264",
    };
    int n = 0;
    for (const std::string &index : indexes)
        writeFile(localIndex / ("index-" + std::to_string(n++) + ".data"),
                  std::vector<uint8_t>(index.begin(), index.end()));
}
} // namespace

int main(int argc, char **argv)
{
    if (argc < 2) {
        fprintf(stderr, "usage: korvane-fuzz-seeds OUT_DIR [SCENARIO.json]...\n");
        return 2;
    }
    const fs::path out = argv[1];
    const fs::path scratch = out / "scratch";
    for (const char *target : {"wfs_disk", "stream_parser", "frame_index", "frame_info", "map_key", "local_index"}) {
        fs::remove_all(out / target);
        fs::create_directories(out / target);
    }
    fs::create_directories(scratch);
    wfs_set_console(fopen("/dev/null", "w"));
    bool ok = writeDiskSeeds(out / "wfs_disk", scratch, std::vector<std::string>(argv + 2, argv + argc));
    writeStreamSeeds(out / "stream_parser", out / "frame_index", scratch);
    writeTextSeeds(out / "frame_info", out / "map_key");
    writeIndexSeeds(out / "local_index");
    fs::remove_all(scratch);
    for (const char *target : {"wfs_disk", "stream_parser", "frame_index", "frame_info", "map_key", "local_index"})
        if (fs::is_empty(out / target)) {
            fprintf(stderr, "korvane-fuzz-seeds: no seeds for %s\n", target);
            ok = false;
        }
    return ok ? 0 : 1;
}
