// Benchmarks of the media library, each beside a baseline measured in the same run on the
// same bytes, with their ratio; nothing is asserted.
//   korvane-bench-media [DATA_DIR]    the recordings are written there (default /tmp)
#include "media_fixture.h"
#include "streamreader.h"
#include "tnetsdk.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace fixture = korvane::media::fixture;

namespace {

const int kRuns = 3;

// Best wall time of several runs in seconds, after one warm-up run.
double bestSeconds(const std::function<void()> &work)
{
    double best = 1e30;
    for (int i = 0; i <= kRuns; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (i > 0) best = std::min(best, s);
    }
    return best;
}

void shell(const std::string &command)
{
    if (std::system(command.c_str()) != 0) fprintf(stderr, "bench: failed: %s\n", command.c_str());
}

void report(const char *what, double bytes, double seconds, const char *baseline, double baseBytes, double baseSeconds)
{
    const double mbps = bytes / seconds / 1e6, baseMbps = baseBytes / baseSeconds / 1e6;
    printf("%-34s %9.1f MB/s   %-28s %9.1f MB/s   ratio %.2f\n", what, mbps, baseline, baseMbps, mbps / baseMbps);
}

void parseFile(const std::string &path)
{
    std::unique_ptr<FILE, int (*)(FILE *)> file(fopen(path.c_str(), "rb"), fclose);
    std::unique_ptr<void, int32_t (*)(void *)> parser(H264_PARSER_Create(0), H264_PARSER_Destroy);
    std::vector<unsigned char> chunk(1 << 20);
    size_t n, frames = 0;
    while (file && (n = fread(chunk.data(), 1, chunk.size(), file.get())) > 0) {
        H264_PARSER_InputData(parser.get(), chunk.data(), uint32_t(n));
        while (H264_PARSER_GetNextFrame(parser.get())) ++frames;
    }
    if (frames == 0) fprintf(stderr, "bench: no frames in %s\n", path.c_str());
}

struct Waiter {
    std::mutex mutex;
    std::condition_variable ended;
    bool done = false;
    int result = 0;
};

int onMessage(int, int id, int value, int, int, const char *, void *, int64_t, int, void *user, void *)
{
    if (id == EUIMSG_COVERT_FILE_PROCESS && value < 100) return 0;
    auto *waiter = static_cast<Waiter *>(user);
    std::lock_guard<std::mutex> lock(waiter->mutex);
    waiter->result = value;
    waiter->done = true;
    waiter->ended.notify_all();
    return 0;
}

void convertFile(const std::string &source, const std::string &destination)
{
    Waiter waiter;
    TSDK_CALLBACK_INFO callback = {0, onMessage, &waiter};
    const int32_t handle = TPLAY_StartConvertFile(&callback, source.c_str(), destination.c_str(), "");
    if (handle <= 0) return;
    std::unique_lock<std::mutex> lock(waiter.mutex);
    waiter.ended.wait(lock, [&] { return waiter.done; });
    lock.unlock();
    TPLAY_CancelConvertFile(handle);
    if (waiter.result != 100) fprintf(stderr, "bench: conversion failed (%d)\n", waiter.result);
}

struct Material {
    std::string recording, silentRecording, elementary;
    size_t recordingBytes = 0, silentBytes = 0, elementaryBytes = 0;
};

// About 64 MB of 640x360 H.264 at 25 fps: the same ten seconds repeated, with and without audio.
Material makeMaterial(const std::string &dir)
{
    const std::vector<fixture::EncodedFrame> clip = fixture::encodeClip(2, 640, 360, 250, 25);
    size_t clipBytes = 0;
    for (const auto &f : clip) clipBytes += f.bytes.size();
    fixture::RecordingOptions options;
    options.repeats = int(std::max<size_t>(1, (64u << 20) / clipBytes));
    Material m{dir + "/korvane-bench-media.h264", dir + "/korvane-bench-media-silent.h264",
               dir + "/korvane-bench-media-es.h264"};
    std::vector<uint8_t> bytes = fixture::makeRecording(clip, options);
    fixture::writeFile(m.recording, bytes);
    m.recordingBytes = bytes.size();
    options.audio = false;
    options.info = false;
    bytes = fixture::makeRecording(clip, options);
    fixture::writeFile(m.silentRecording, bytes);
    m.silentBytes = bytes.size();
    bytes.clear();
    for (int r = 0; r < options.repeats; ++r)
        for (const auto &f : clip) bytes.insert(bytes.end(), f.bytes.begin(), f.bytes.end());
    fixture::writeFile(m.elementary, bytes);
    m.elementaryBytes = bytes.size();
    return m;
}

} // namespace

int main(int argc, char **argv)
{
    const std::string dir = argc > 1 ? argv[1] : "/tmp";
    const Material m = makeMaterial(dir);
    const std::string out = dir + "/korvane-bench-media.mp4", ffmpegOut = dir + "/korvane-bench-media-ffmpeg.mp4";
    printf("recording %.1f MB (%.1f MB without audio), elementary stream %.1f MB, best of %d runs\n",
           m.recordingBytes / 1e6, m.silentBytes / 1e6, m.elementaryBytes / 1e6, kRuns);

    const double cat = bestSeconds([&] { shell("cat '" + m.recording + "' > /dev/null"); });
    const double parse = bestSeconds([&] { parseFile(m.recording); });
    report("parser", double(m.recordingBytes), parse, "cat > /dev/null", double(m.recordingBytes), cat);

    const double copy = bestSeconds([&] {
        shell("ffmpeg -v error -y -f h264 -framerate 25 -i '" + m.elementary + "' -c copy '" + ffmpegOut + "'");
    });
    const double remux = bestSeconds([&] { convertFile(m.silentRecording, out); });
    report("MP4 conversion (video only)", double(m.silentBytes), remux, "ffmpeg -c copy", double(m.elementaryBytes),
           copy);
    const double withAudio = bestSeconds([&] { convertFile(m.recording, out); });
    report("MP4 conversion (G.711 -> AAC)", double(m.recordingBytes), withAudio, "ffmpeg -c copy (video only)",
           double(m.elementaryBytes), copy);

    for (const std::string &path : {m.recording, m.silentRecording, m.elementary, out, ffmpegOut}) remove(path.c_str());
    return 0;
}
