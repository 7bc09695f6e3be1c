// Benchmark of the video wall: recordings of a simulator disk played in step ("Sync Play") in a
// display box of 1280x800 through the application's ports and the media players, measured for
// 15 s once every window plays. Nothing is asserted.
//   korvane-bench-wall [DATA_DIR]    the disk image is written there once and reused (default /tmp)
// For 16 windows of D1 (704x576) and for 4 windows of 1080p, H.264 at 25 fps, it prints:
// - CPU use in cores (user + system time of the process over the wall time), beside N times the
//   one-thread decoding cost (with the conversion to RGB pictures) of the same recording's frames;
// - pictures expected (windows x 25 x seconds) and pictures the presenters received;
// - pictures dropped per minute, in total and per window: a picture counts as dropped when the
//   next one replaced it before any paint showed it;
// - paints per second of each window, to spot a window that falls behind.
// Paints happen under QT_QPA_PLATFORM=offscreen (set when there is no DISPLAY).
#include "bench_support.h"
#include "common/cfsfile.h"
#include "common/cglobalappdata.h"
#include "playback/cdisplaybox.h"
#include "playback/cplaymanage.h"
#include "playback/cvideoframe.h"
#include "playback/cvideownd.h"
#include "presenter_stats.h"
#include "simulator.h"
#include "video_decoder.h"
#include "wfs_device.h"
#include "wfs_stream.h"
#include "wfs_volume.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <sys/resource.h>
#include <vector>

namespace fs = std::filesystem;
namespace sim = korvane::sim;
using korvane::media::VideoDecoder;

namespace {
const int FPS = 25;
const int RECORD_SECONDS = 24;
const int MEASURE_SECONDS = 15;
const sim::Seconds D1_START = sim::makeTime(2024, 3, 5, 10, 0, 0);
const sim::Seconds HD_START = sim::makeTime(2024, 3, 5, 11, 0, 0);

struct WallCase {
    const char *name;
    int windows, width, height;
    sim::Seconds start;
};
const WallCase CASES[] = {{"D1", 16, 704, 576, D1_START}, {"1080p", 4, 1920, 1080, HD_START}};

// Warnings only, without the ports' log line of every player message.
// The ports log every player message as a warning; those lines would bury the figures.
void wallHandler(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (!text.startsWith("EUIMSG_")) quietHandler(type, context, text);
}

double cpuSeconds()
{
    rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Both walls on one disk: their recordings start an hour apart.
sim::Scenario wallScenario()
{
    sim::Scenario s;
    s.payloads = sim::PayloadKind::Real;
    s.sectorsPerCluster = 128;
    s.partitions.resize(1);
    s.partitions[0].clusters = 8192;
    for (const WallCase &c : CASES)
        for (int channel = 0; channel < c.windows; ++channel) {
            auto &r = s.recordings.emplace_back();
            r.channel = channel;
            r.start = c.start;
            r.end = c.start + RECORD_SECONDS;
            r.fps = FPS;
            r.codec = 2;
            r.width = uint16_t(c.width);
            r.height = uint16_t(c.height);
        }
    return s;
}

// The name the disk page gives a recording: disk 0, partition 0, the 0-based channel folder.
QString recordPath(const sim::RecordingResult &r)
{
    const sim::Seconds start = sim::unpackTime(r.startTime), end = sim::unpackTime(r.endTime);
    const int sd = int(start % 86400), ed = int(end % 86400);
    return QString::asprintf("/mnt/idea0/%s/%03d/%02d.%02d.%02d-%02d.%02d.%02d[R][@%x][0].h264",
                             sim::formatTime(start).substr(0, 10).c_str(), r.channel, sd / 3600, sd / 60 % 60,
                             sd % 60, ed / 3600, ed / 60 % 60, ed % 60, r.firstCluster);
}

// The H.264 payloads of a recording's video frames, read through the application's file class.
std::vector<QByteArray> videoPayloads(const QString &path)
{
    std::vector<QByteArray> payloads;
    CFSFile file;
    if (!file.Open(path, CFSFile::modeRead)) return payloads;
    QByteArray bytes(int(file.GetLength()), '\0');
    bytes.resize(int(std::max<qint64>(0, file.Read(bytes.data(), bytes.size()))));
    file.Close();
    const auto *p = reinterpret_cast<const uint8_t *>(bytes.constData());
    const auto u32 = [](const uint8_t *q) { return uint32_t(q[0] | q[1] << 8 | q[2] << 16 | uint32_t(q[3]) << 24); };
    for (size_t at = 0; at + 16 <= size_t(bytes.size()) && p[at] == 0 && p[at + 1] == 0 && p[at + 2] == 1;) {
        const uint8_t type = p[at + 3];
        const size_t header = type == 0xFC ? 16 : 8;
        const size_t length = type == 0xFC ? u32(p + at + 12) : type == 0xFD ? u32(p + at + 4) : (p[at + 6] | p[at + 7] << 8);
        if (at + header + length > size_t(bytes.size())) break;
        if (type == 0xFC || type == 0xFD) payloads.emplace_back(bytes.constData() + at + header, int(length));
        at += header + length;
    }
    return payloads;
}

// Seconds of one thread's CPU per picture, best of three runs over the recording.
double decodeCost(const std::vector<QByteArray> &payloads)
{
    double best = 1e30;
    for (int run = 0; run < 3; ++run) {
        VideoDecoder decoder;
        decoder.ensureCodec(2);
        QImage picture;
        int64_t seq = 0;
        size_t decoded = 0;
        auto start = std::chrono::steady_clock::now();
        for (size_t i = 0; i < payloads.size(); ++i) {
            decoder.send(reinterpret_cast<const uint8_t *>(payloads[i].constData()), size_t(payloads[i].size()),
                         int64_t(i));
            while (decoder.receive(picture, seq)) ++decoded;
        }
        decoder.flush();
        while (decoder.receive(picture, seq)) ++decoded;
        best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        if (decoded != payloads.size()) fprintf(stderr, "bench: %zu of %zu pictures decoded\n", decoded, payloads.size());
    }
    return payloads.empty() ? 0 : best / double(payloads.size());
}

// Counts the paint events of a window's video frame.
class PaintCounter : public QObject
{
public:
    int paints = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }
};

// Serves the event loop until the condition holds or the time is up.
bool waitFor(const std::function<bool()> &done, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    return true;
}

void benchWall(const WallCase &c, const std::vector<QString> &paths)
{
    const double cost = decodeCost(videoPayloads(paths[0]));
    CDisplayBox box;
    box.resize(1280, 800);
    box.show();
    box.onChangeWndMode(c.windows);
    std::vector<PaintCounter> counters(size_t(c.windows));
    for (int i = 0; i < c.windows; ++i) box.videoWnd(i)->frame()->installEventFilter(&counters[size_t(i)]);
    CGlobalAppData *app = CGlobalAppData::instance();
    app->clearWndPaths(-1);
    for (int i = 0; i < c.windows; ++i) app->appendWndPaths(i, {paths[size_t(i)]});
    box.onSyncPlay(int(c.start % 86400));
    CPlayManage *manage = CPlayManage::instance();
    const auto allPlaying = [&] {
        for (int i = 0; i < c.windows; ++i)
            if (!manage->IsPlaying(i) || manage->GetSecondOfDay(i) == 0) return false;
        return true;
    };
    if (!waitFor(allPlaying, 20000)) {
        fprintf(stderr, "bench: the %s windows did not all start\n", c.name);
        return;
    }

    const korvane::media::PresenterStats before = korvane::media::presenterStats();
    std::vector<int> paintsBefore;
    for (const PaintCounter &counter : counters) paintsBefore.push_back(counter.paints);
    const double cpuStart = cpuSeconds();
    QElapsedTimer clock;
    clock.start();
    QEventLoop loop;
    QTimer::singleShot(MEASURE_SECONDS * 1000, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
    const double seconds = clock.nsecsElapsed() / 1e9, cpu = cpuSeconds() - cpuStart;
    const korvane::media::PresenterStats after = korvane::media::presenterStats();
    QString ended;
    for (int i = 0; i < c.windows; ++i)
        if (!manage->IsPlaying(i)) ended += QString(" %1").arg(i);
    manage->StopAll();
    app->clearWndPaths(-1);

    const double cores = cpu / seconds, ideal = c.windows * FPS * cost;
    const uint64_t shown = after.shown - before.shown, dropped = after.replacedUnpainted - before.replacedUnpainted;
    const double expected = c.windows * FPS * seconds, droppedPerMinute = dropped * 60.0 / seconds;
    printf("%d windows of %s H.264 at 25 fps, in step, %.1f s: %.2f cores | %d x one-thread decoding %.2f cores | "
           "ratio %.2f\n",
           c.windows, c.name, seconds, cores, c.windows, ideal, cores / ideal);
    printf("  pictures expected %.0f, shown %llu (%.1f%%), dropped %.0f per minute (%.1f per window)\n", expected,
           (unsigned long long)shown, 100.0 * shown / expected, droppedPerMinute, droppedPerMinute / c.windows);
    printf("  paints per second of each window:");
    for (int i = 0; i < c.windows; ++i) printf(" %.1f", (counters[size_t(i)].paints - paintsBefore[size_t(i)]) / seconds);
    printf("\n");
    if (!ended.isEmpty()) printf("  windows no longer playing at the end:%s\n", qPrintable(ended));
}
} // namespace

int main(int argc, char **argv)
{
    if (!getenv("DISPLAY")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(wallHandler);
    QApplication application(argc, argv);
    QTemporaryDir appDir;
    CGlobalAppData::setAppPathOverride(appDir.path());

    const std::string dir = argc > 1 ? argv[1] : "/tmp";
    fs::create_directories(dir);
    const std::string image = dir + "/bench-wall.img";
    const sim::Scenario scenario = wallScenario();
    sim::Manifest manifest;
    sim::Result r = fs::exists(image) ? sim::planDisk(scenario, manifest) : sim::writeDisk(scenario, image, {}, &manifest);
    if (!r.ok) {
        fprintf(stderr, "bench: %s\n", r.message.c_str());
        return 1;
    }
    const char *images[] = {image.c_str()};
    ide_set_images(images, 1);
    ide_set_scan_devices(false);
    ide_init();
    int count = 0;
    if (wfs_file_sys_init(&count, 0) != WFS_OK || wfs_register_stream_ops() == -1) {
        fprintf(stderr, "bench: cannot mount %s\n", image.c_str());
        return 1;
    }

    size_t next = 0;
    for (const WallCase &c : CASES) {
        std::vector<QString> paths;
        for (const sim::RecordingResult &rec : manifest.recordings)
            if (rec.scenarioIndex >= next && rec.scenarioIndex < next + size_t(c.windows) && rec.segment == 0)
                paths.push_back(recordPath(rec));
        next += size_t(c.windows);
        if (int(paths.size()) != c.windows) {
            fprintf(stderr, "bench: %zu recordings of %s on the disk\n", paths.size(), c.name);
            return 1;
        }
        benchWall(c, paths);
    }
    CGlobalAppData::saveAndRelease();
    return 0;
}
