// Benchmark of the frame index: the build of a 1 GiB recording (D1-like frame sizes,
// audio and one information frame a second) in MB/s, with 1 MiB and with 32 KiB
// blocks, beside `cat` of the same file. The file is written once and reused.
//   korvane-bench-index [DATA_DIR]
#include "playback/cfileindex.h"

#include "bench_support.h"

#include <QElapsedTimer>
#include <QString>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {
const int REPEATS = 3;
const uint64_t FILE_BYTES = 1ull << 30;

void frame(std::vector<uint8_t> &out, uint8_t type, uint32_t payload, uint32_t stamp)
{
    const size_t header = type == 0xFC ? 16 : 8, at = out.size();
    out.resize(at + header + payload, 0x55);
    uint8_t *h = out.data() + at;
    memset(h, 0, header);
    h[2] = 1, h[3] = type;
    if (type == 0xFC) {
        h[4] = 2, h[5] = 25;
        memcpy(h + 8, &stamp, 4);
        memcpy(h + 12, &payload, 4);
    } else if (type == 0xFD) {
        memcpy(h + 4, &payload, 4);
    } else {
        const uint16_t len = (uint16_t)payload;
        memcpy(h + 6, &len, 2);
    }
}

// One second: a 40 KB key frame, 24 video frames of about 8 KB, 25 audio frames, an information frame.
std::vector<uint8_t> second(uint32_t stamp, int n)
{
    std::vector<uint8_t> out;
    frame(out, 0xFC, 40000 + 97 * (n % 50), stamp);
    frame(out, 0xF9, 180, 0);
    for (int i = 1; i < 25; ++i) {
        frame(out, 0xFD, 7000 + 61 * ((n + i) % 40), 0);
        frame(out, 0xFA, 320, 0);
    }
    frame(out, 0xFA, 320, 0);
    return out;
}

bool writeRecording(const std::string &path)
{
    FILE *f = fopen(path.c_str(), "wb");
    if (!f) return false;
    const uint32_t start = (26u << 26) | (3u << 22) | (5u << 17) | (9u << 12);
    uint64_t written = 0;
    for (int n = 0; written < FILE_BYTES; ++n) {
        const uint32_t s = (uint32_t)n;
        const uint32_t stamp = start + ((s / 3600) << 12) + ((s / 60 % 60) << 6) + s % 60;
        const std::vector<uint8_t> bytes = second(stamp, n);
        written += fwrite(bytes.data(), 1, bytes.size(), f);
    }
    return fclose(f) == 0;
}

double indexMs(const std::string &path, bool sync, int &entries)
{
    double best = 1e30;
    for (int i = 0; i <= REPEATS; ++i) {
        CFileIndex index;
        QElapsedTimer clock;
        clock.start();
        index.StartFileIndex(QString::fromStdString(path), sync);
        index.WaitFileIndex();
        const double ms = clock.nsecsElapsed() / 1e6;
        entries = index.Entries().size();
        if (i > 0) best = std::min(best, ms);
    }
    return best;
}

double catMs(const std::string &path)
{
    const std::string command = "cat '" + path + "' > /dev/null";
    double best = 1e30;
    for (int i = 0; i <= REPEATS; ++i) {
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
    qInstallMessageHandler(quietHandler);
    const std::string dir = argc > 1 ? argv[1] : "build/bench-data";
    fs::create_directories(dir);
    const std::string path = dir + "/bench-index-1gib.h264";
    if ((!fs::exists(path) || fs::file_size(path) < FILE_BYTES) && !writeRecording(path)) {
        fprintf(stderr, "bench: cannot write %s\n", path.c_str());
        return 1;
    }
    const double mb = fs::file_size(path) / 1e6;
    int entries = 0, syncEntries = 0;
    const double ms = indexMs(path, false, entries), syncMs = indexMs(path, true, syncEntries);
    const double cat = catMs(path);
    printf("Frame index of a 1 GiB recording (%d entries): 1 MiB blocks %.0f MB/s, 32 KiB blocks %.0f MB/s (%d entries) "
           "| cat %.0f MB/s | ratio %.2f and %.2f\n",
           entries, mb / (ms / 1000), mb / (syncMs / 1000), syncEntries, mb / (cat / 1000), cat / ms, cat / syncMs);
    return 0;
}
