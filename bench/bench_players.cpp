// Benchmarks of the players. Each prints its figure beside a baseline measured in the same
// run, with their ratio; nothing is asserted.
//   korvane-bench-players [DATA_DIR]    the streams are written there (default /tmp)
// - decoding with the players' decoder (pictures stay YUV until a window paints them) of D1 and
//   1080p H.264 and H.265, frames per second, beside `ffmpeg -threads 1 ... -f null` decoding the
//   same stream;
// - CPU use of 16 push-mode players of D1 at 25 fps showing into widgets, beside 16 times the
//   single-player decoding cost of the same frames.
#include "media_fixture.h"
#include "tnetsdk.h"
#include "video_decoder.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <sys/resource.h>
#include <thread>
#include <vector>

namespace fixture = korvane::media::fixture;
using korvane::media::VideoDecoder;

namespace {
const int PLAYERS = 16;
const int PLAY_SECONDS = 10;
const int FPS = 25;

double seconds(const std::function<void()> &work)
{
    auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double cpuSeconds()
{
    rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Frames per second of our decoder (best of three) over the clip.
double ourDecodeFps(uint32_t encodeType, const std::vector<fixture::EncodedFrame> &clip)
{
    double best = 1e30;
    for (int run = 0; run < 3; ++run) {
        VideoDecoder decoder;
        decoder.open(encodeType);
        size_t shown = 0;
        korvane::media::DecodedPicture picture;
        int64_t seq = 0;
        best = std::min(best, seconds([&] {
            for (size_t i = 0; i < clip.size(); ++i) {
                decoder.send(clip[i].bytes.data(), clip[i].bytes.size(), (int64_t)i);
                while (decoder.receive(picture, seq)) ++shown;
            }
            decoder.flush();
            while (decoder.receive(picture, seq)) ++shown;
        }));
        if (shown != clip.size()) fprintf(stderr, "bench: %zu of %zu pictures decoded\n", shown, clip.size());
    }
    return clip.size() / best;
}

double ffmpegDecodeFps(uint32_t encodeType, const std::vector<fixture::EncodedFrame> &clip, const std::string &dir)
{
    std::string path = dir + (encodeType == 2 ? "/bench-clip.h264" : "/bench-clip.h265");
    std::vector<uint8_t> stream;
    for (const fixture::EncodedFrame &f : clip) stream.insert(stream.end(), f.bytes.begin(), f.bytes.end());
    fixture::writeFile(path, stream);
    std::string command = std::string("ffmpeg -loglevel error -threads 1 -f ") + (encodeType == 2 ? "h264" : "hevc") +
                          " -i '" + path + "' -f null - ";
    double best = 1e30;
    for (int run = 0; run < 3; ++run)
        best = std::min(best, seconds([&] {
            if (std::system(command.c_str()) != 0) fprintf(stderr, "bench: failed: %s\n", command.c_str());
        }));
    return clip.size() / best;
}

void benchDecoding(const std::string &dir)
{
    struct Size {
        const char *name;
        int width, height, frames;
    };
    for (uint32_t type : {2u, 5u})
        for (Size size : {Size{"D1", 720, 576, 100}, Size{"1080p", 1920, 1080, 50}}) {
            std::vector<fixture::EncodedFrame> clip = fixture::encodeClip(type, size.width, size.height, size.frames, FPS);
            double ours = ourDecodeFps(type, clip), ffmpeg = ffmpegDecodeFps(type, clip, dir);
            printf("decode %-5s %-5s: players' decoder %7.1f frames/s | ffmpeg -threads 1 -f null (with its start-up) %7.1f frames/s | "
                   "ratio %.2f\n",
                   type == 2 ? "H.264" : "H.265", size.name, ours, ffmpeg, ours / ffmpeg);
        }
}

int onMessage(int, int, int, int, int, const char *, void *, int64_t, int, void *, void *) { return 0; }

// One recorder frame after another, as the playback ports push them.
std::vector<std::vector<uint8_t>> recorderFrames(const std::vector<uint8_t> &bytes)
{
    std::vector<std::vector<uint8_t>> frames;
    size_t at = 0;
    while (at + 16 <= bytes.size()) {
        const uint8_t *p = &bytes[at];
        uint32_t size = 0;
        if (p[3] == 0xFC) size = 16 + (p[12] | p[13] << 8 | p[14] << 16 | (uint32_t)p[15] << 24);
        else if (p[3] == 0xFD) size = 8 + (p[4] | p[5] << 8 | p[6] << 16 | (uint32_t)p[7] << 24);
        else size = 8 + (p[6] | p[7] << 8);
        frames.emplace_back(bytes.begin() + at, bytes.begin() + at + size);
        at += size;
    }
    return frames;
}

void benchSixteenPlayers(int argc, char **argv)
{
    std::vector<fixture::EncodedFrame> clip = fixture::encodeClip(2, 720, 576, 2 * FPS, FPS);
    fixture::RecordingOptions options;
    options.repeats = PLAY_SECONDS / 2 + 1;
    std::vector<std::vector<uint8_t>> frames = recorderFrames(fixture::makeRecording(clip, options));
    double decodeCost = 1.0 / ourDecodeFps(2, clip); // seconds of CPU per picture, one player

    QApplication app(argc, argv);
    std::vector<std::unique_ptr<QWidget>> windows;
    std::vector<int32_t> players;
    TSDK_CALLBACK_INFO callback = {0, onMessage, nullptr};
    for (int i = 0; i < PLAYERS; ++i) {
        windows.emplace_back(new QWidget);
        windows.back()->resize(352, 288);
        windows.back()->show();
        players.push_back(TPLAY_OpenPlay(&callback, (TSDK_WINDOW)windows.back()->winId(), 100, 0, 0));
        TPLAY_Play(players.back());
    }
    std::atomic<bool> stop{false};
    std::vector<std::thread> pushers;
    for (int32_t player : players)
        pushers.emplace_back([&, player] {
            for (size_t i = 0; i < frames.size() && !stop; ++i)
                while (!stop && TPLAY_PushMediaData(player, frames[i].data(), (int32_t)frames[i].size()) == TSDK_ERR_BUFFER_FULL) {
                }
        });
    double cpuStart = cpuSeconds();
    QTimer::singleShot(PLAY_SECONDS * 1000, &app, &QApplication::quit);
    app.exec();
    double cpu = cpuSeconds() - cpuStart;
    stop = true;
    for (std::thread &t : pushers) t.join();
    for (int32_t player : players) TPLAY_Stop(player);
    double cores = cpu / PLAY_SECONDS, ideal = PLAYERS * FPS * decodeCost;
    printf("16 push-mode players, D1 H.264 at 25 fps: %.2f cores | 16 x decoding alone %.2f cores | ratio %.2f\n", cores,
           ideal, cores / ideal);
}
} // namespace

int main(int argc, char **argv)
{
    std::string dir = argc > 1 ? argv[1] : "/tmp";
    if (!getenv("DISPLAY")) setenv("QT_QPA_PLATFORM", "offscreen", 0);
    benchDecoding(dir);
    benchSixteenPlayers(argc, argv);
    return 0;
}
