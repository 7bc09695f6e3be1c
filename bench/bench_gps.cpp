// Benchmark of `korvane-cli gps`: the positions of a 1 GiB recording (D1-like frame sizes,
// audio, one information frame a second with the simulator's GPS text along its route),
// as GPX and as CSV, in MB/s beside `cat` of the same file. The file is written once and reused.
//   korvane-bench-gps [DATA_DIR]
#include "info_text.h"
#include "packed_time.h"
#include "route.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;
namespace sim = korvane::sim;

namespace {
const int REPEATS = 3;
const uint64_t FILE_BYTES = 1ull << 30;

void frame(std::vector<uint8_t> &out, uint8_t type, const uint8_t *payload, uint32_t length, uint32_t stamp)
{
    const size_t header = type == 0xFC ? 16 : 8, at = out.size();
    out.resize(at + header + length, 0x55);
    uint8_t *h = out.data() + at;
    memset(h, 0, header);
    h[2] = 1, h[3] = type;
    if (type == 0xFC) {
        h[4] = 2, h[5] = 25, h[6] = 704 / 8, h[7] = 576 / 8;
        memcpy(h + 8, &stamp, 4);
        memcpy(h + 12, &length, 4);
    } else if (type == 0xFD) {
        memcpy(h + 4, &length, 4);
    } else {
        const uint16_t len = uint16_t(length);
        h[4] = type == 0xF9 ? 1 : 14;
        memcpy(h + 6, &len, 2);
    }
    if (payload) memcpy(h + header, payload, length);
}

// One second: a 40 KB key frame, the information frame, 24 video frames of about 8 KB, 25 audio frames.
void second(std::vector<uint8_t> &out, const sim::Route &route, sim::Seconds t, int n)
{
    const std::string text = sim::infoText(route.at(t), t, false);
    frame(out, 0xFC, nullptr, 40000 + 97 * (n % 50), sim::packTime(t));
    frame(out, 0xF9, reinterpret_cast<const uint8_t *>(text.data()), uint32_t(text.size()), 0);
    for (int i = 1; i < 25; ++i) {
        frame(out, 0xFD, nullptr, 7000 + 61 * ((n + i) % 40), 0);
        frame(out, 0xFA, nullptr, 320, 0);
    }
    frame(out, 0xFA, nullptr, 320, 0);
}

bool writeRecording(const std::string &path, int &seconds)
{
    FILE *f = fopen(path.c_str(), "wb");
    if (!f) return false;
    const sim::Route route(1);
    const sim::Seconds start = sim::makeTime(2024, 3, 5, 9, 0, 0);
    uint64_t written = 0;
    std::vector<uint8_t> bytes;
    for (seconds = 0; written < FILE_BYTES; ++seconds) {
        bytes.clear();
        second(bytes, route, start + seconds, seconds);
        written += fwrite(bytes.data(), 1, bytes.size(), f);
    }
    return fclose(f) == 0;
}

double bestMs(const std::string &command)
{
    double best = 1e30;
    for (int i = 0; i <= REPEATS; ++i) { // the first run warms the page cache and is not counted
        const auto start = std::chrono::steady_clock::now();
        if (std::system(command.c_str()) != 0) fprintf(stderr, "bench: failed: %s\n", command.c_str());
        const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        if (i > 0) best = std::min(best, ms);
    }
    return best;
}
} // namespace

int main(int argc, char **argv)
{
    const std::string dir = argc > 1 ? argv[1] : "build/bench-data";
    fs::create_directories(dir);
    const std::string path = dir + "/bench-gps-1gib.h264";
    int seconds = 0;
    if ((!fs::exists(path) || fs::file_size(path) < FILE_BYTES) && !writeRecording(path, seconds)) {
        fprintf(stderr, "bench: cannot write %s\n", path.c_str());
        return 1;
    }
    const std::string cli = (fs::path(argv[0]).parent_path() / "korvane-cli").string();
    const std::string points = dir + "/bench-gps.csv";
    if (std::system(("'" + cli + "' gps --format csv '" + path + "' > '" + points + "'").c_str()) != 0) {
        fprintf(stderr, "bench: korvane-cli gps failed\n");
        return 1;
    }
    const double mb = fs::file_size(path) / 1e6;
    const double gpx = bestMs("'" + cli + "' gps '" + path + "' > /dev/null");
    const double csv = bestMs("'" + cli + "' gps --format csv --datum bd09 '" + path + "' > /dev/null");
    const double cat = bestMs("cat '" + path + "' > /dev/null");
    FILE *f = fopen(points.c_str(), "r");
    int lines = 0;
    for (int c; f && (c = fgetc(f)) != EOF;) lines += c == '\n';
    if (f) fclose(f);
    printf("GPS track of a 1 GiB recording (%d positions): korvane-cli gps GPX %.0f MB/s, CSV in BD-09 %.0f MB/s "
           "| cat %.0f MB/s | ratio %.2f and %.2f\n",
           lines - 1, mb / (gpx / 1000), mb / (csv / 1000), mb / (cat / 1000), cat / gpx, cat / csv);
    return 0;
}
