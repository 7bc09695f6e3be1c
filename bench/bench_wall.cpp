// Benchmark of the video wall: recordings of a simulator disk played in step ("Sync Play") in a
// display box of 1280x800 through the application's ports and the media players, measured for
// 15 s once every window plays. Nothing is asserted.
//   korvane-bench-wall [DATA_DIR] [CASE...]   the disk image is written there once and reused
//                                             with the list of its recordings (default /tmp);
//                                             CASE names a wall to play (D1, 1080p, 4K, 4x4K),
//                                             all of them by default
// Walls: 16 windows of D1 (704x576) and 4 of 1080p, H.264; 1 and 4 windows of 4K (3840x2160)
// H.265; all at 25 fps. For each it prints:
// - CPU use in cores (user + system time of the process over the wall time), beside the cost of
//   decoding the same streams alone: `ffmpeg -threads 1 -f null` of each window's elementary
//   stream, run in the same benchmark, its start-up taken off, summed over the windows;
// - pictures expected (windows x 25 x seconds) and pictures the presenters received, per minute;
// - pictures dropped per minute, in total and per window: a picture counts as dropped when the
//   next one replaced it before any paint showed it;
// - pictures each window received and painted per second, to spot a window that falls behind,
//   beside the pictures per second one thread of ffmpeg decodes.
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
#include "wfs_device.h"
#include "wfs_stream.h"
#include "wfs_volume.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <sys/resource.h>
#include <vector>

namespace fs = std::filesystem;
namespace sim = korvane::sim;

namespace {
const int FPS = 25;
const int RECORD_SECONDS = 24;
const int MEASURE_SECONDS = 15;

// The recordings of one kind on the disk, one per channel; each kind starts an hour after the last.
struct RecordingSet {
    const char *name;
    int count, width, height;
    uint8_t codec; // 2 H.264, 3 H.265
    sim::Seconds start;
};
const RecordingSet SETS[] = {
    {"D1", 16, 704, 576, 2, sim::makeTime(2024, 3, 5, 10, 0, 0)},
    {"1080p", 4, 1920, 1080, 2, sim::makeTime(2024, 3, 5, 11, 0, 0)},
    {"4K", 4, 3840, 2160, 3, sim::makeTime(2024, 3, 5, 12, 0, 0)},
};

struct WallCase {
    const char *name;
    size_t set; // index into SETS
    int windows;
};
const WallCase CASES[] = {{"D1", 0, 16}, {"1080p", 1, 4}, {"4K", 2, 1}, {"4x4K", 2, 4}};

// Warnings only, without the ports' log line of every player message.
// The ports log every player message as a warning; those lines would bury the figures.
void wallHandler(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (!text.startsWith("EUIMSG_")) quietHandler(type, context, text);
}

double seconds(const timeval &t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; }

double cpuSeconds(int who)
{
    rusage usage;
    getrusage(who, &usage);
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// All the walls on one disk. The name changes with the recordings, so an image of other
// recordings left in DATA_DIR is not taken for this one.
const char *const IMAGE_NAME = "bench-wall-2.img";

sim::Scenario wallScenario()
{
    sim::Scenario s;
    s.payloads = sim::PayloadKind::Real;
    s.sectorsPerCluster = 128;
    s.partitions.resize(1);
    s.partitions[0].clusters = 8192;
    for (const RecordingSet &set : SETS)
        for (int channel = 0; channel < set.count; ++channel) {
            auto &r = s.recordings.emplace_back();
            r.channel = channel;
            r.start = set.start;
            r.end = set.start + RECORD_SECONDS;
            r.fps = FPS;
            r.codec = set.codec;
            r.width = uint16_t(set.width);
            r.height = uint16_t(set.height);
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

// The path of every recording of the image in the order of the scenario, kept in a file beside it,
// so that a later run need not plan the disk again (which encodes every recording once more).
std::string pathsFile(const std::string &image) { return image + ".paths"; }

std::vector<QString> keepRecordingPaths(const std::string &image, const sim::Manifest &manifest)
{
    std::vector<const sim::RecordingResult *> firsts;
    for (const sim::RecordingResult &rec : manifest.recordings)
        if (rec.segment == 0) firsts.push_back(&rec);
    std::sort(firsts.begin(), firsts.end(), [](auto *a, auto *b) { return a->scenarioIndex < b->scenarioIndex; });
    std::vector<QString> paths;
    QFile file(QString::fromStdString(pathsFile(image)));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) return paths;
    for (const sim::RecordingResult *rec : firsts) {
        paths.push_back(recordPath(*rec));
        file.write(paths.back().toUtf8() + "\n");
    }
    return paths;
}

// Empty when the image or its list is missing, or the list does not hold every recording.
std::vector<QString> recordingPaths(const std::string &image)
{
    std::vector<QString> paths;
    QFile file(QString::fromStdString(pathsFile(image)));
    if (!fs::exists(image) || !file.open(QIODevice::ReadOnly | QIODevice::Text)) return paths;
    while (!file.atEnd()) paths.push_back(QString::fromUtf8(file.readLine()).trimmed());
    size_t recordings = 0;
    for (const RecordingSet &set : SETS) recordings += size_t(set.count);
    if (paths.size() != recordings) paths.clear();
    return paths;
}

// The elementary stream of a recording (its video payloads one after another), read through the
// application's file class; counts its pictures.
QByteArray elementaryStream(const QString &path, int &pictures)
{
    QByteArray stream;
    pictures = 0;
    CFSFile file;
    if (!file.Open(path, CFSFile::modeRead)) return stream;
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
        if (type == 0xFC || type == 0xFD) {
            stream.append(bytes.constData() + at + header, int(length));
            ++pictures;
        }
        at += header + length;
    }
    return stream;
}

// CPU seconds of a child process running the command (best of two), -1 when it fails.
double childCpu(const std::string &command)
{
    double best = -1;
    for (int run = 0; run < 2; ++run) {
        const double before = cpuSeconds(RUSAGE_CHILDREN);
        if (std::system(command.c_str()) != 0) {
            fprintf(stderr, "bench: failed: %s\n", command.c_str());
            return -1;
        }
        const double used = cpuSeconds(RUSAGE_CHILDREN) - before;
        best = best < 0 ? used : std::min(best, used);
    }
    return best;
}

// Seconds of one thread's CPU per picture when ffmpeg decodes the recording alone: the whole
// stream less its first picture, so that ffmpeg's start-up and probing drop out.
double ffmpegDecodeCost(const QString &path, uint8_t codec, const std::string &dir)
{
    int pictures = 0;
    const QByteArray stream = elementaryStream(path, pictures);
    const std::string file = dir + "/bench-wall-stream." + (codec == 3 ? "hevc" : "h264");
    QFile out(QString::fromStdString(file));
    if (pictures < 2 || !out.open(QIODevice::WriteOnly) || out.write(stream) != stream.size()) return 0;
    out.close();
    const std::string command = std::string("ffmpeg -nostdin -hide_banner -loglevel error -threads 1 -f ") +
                                (codec == 3 ? "hevc" : "h264") + " -i '" + file + "' ";
    const double all = childCpu(command + "-f null -"), first = childCpu(command + "-frames:v 1 -f null -");
    fs::remove(file);
    return all < 0 || first < 0 ? 0 : std::max(0.0, all - first) / (pictures - 1);
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

void benchWall(const WallCase &c, const std::vector<QString> &paths, const std::string &dir)
{
    const RecordingSet &set = SETS[c.set];
    CDisplayBox box;
    box.resize(1280, 800);
    box.show();
    box.onChangeWndMode(c.windows);
    std::vector<PaintCounter> counters(size_t(c.windows));
    for (int i = 0; i < c.windows; ++i) box.videoWnd(i)->frame()->installEventFilter(&counters[size_t(i)]);
    CGlobalAppData *app = CGlobalAppData::instance();
    app->clearWndPaths(-1);
    for (int i = 0; i < c.windows; ++i) app->appendWndPaths(i, {paths[size_t(i)]});
    box.onSyncPlay(int(set.start % 86400));
    CPlayManage *manage = CPlayManage::instance();
    const auto allPlaying = [&] {
        for (int i = 0; i < c.windows; ++i)
            if (!manage->IsPlaying(i) || manage->GetSecondOfDay(i) == 0) return false;
        return true;
    };
    if (!waitFor(allPlaying, 30000)) {
        fprintf(stderr, "bench: the %s windows did not all start\n", c.name);
        manage->StopAll();
        app->clearWndPaths(-1);
        return;
    }

    const korvane::media::PresenterStats before = korvane::media::presenterStats();
    std::vector<int> paintsBefore;
    for (const PaintCounter &counter : counters) paintsBefore.push_back(counter.paints);
    const double cpuStart = cpuSeconds(RUSAGE_SELF);
    QElapsedTimer clock;
    clock.start();
    QEventLoop loop;
    QTimer::singleShot(MEASURE_SECONDS * 1000, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
    const double elapsed = clock.nsecsElapsed() / 1e9, cpu = cpuSeconds(RUSAGE_SELF) - cpuStart;
    const korvane::media::PresenterStats after = korvane::media::presenterStats();
    QString ended;
    for (int i = 0; i < c.windows; ++i)
        if (!manage->IsPlaying(i)) ended += QString(" %1").arg(i);
    manage->StopAll();
    app->clearWndPaths(-1);

    std::vector<double> costs;
    for (int i = 0; i < c.windows; ++i) costs.push_back(ffmpegDecodeCost(paths[size_t(i)], set.codec, dir));
    double decoding = 0, slowest = 0;
    for (double cost : costs) {
        decoding += FPS * cost;
        slowest = std::max(slowest, cost);
    }
    const double cores = cpu / elapsed, minutes = elapsed / 60;
    const uint64_t shown = after.shown - before.shown, dropped = after.replacedUnpainted - before.replacedUnpainted;
    const double expected = c.windows * FPS * elapsed;
    printf("%d window%s of %s %s at 25 fps, in step, %.1f s: %.2f cores | decoding alone (ffmpeg -threads 1, "
           "summed) %.2f cores | ratio %.2f\n",
           c.windows, c.windows > 1 ? "s" : "", set.name, set.codec == 3 ? "H.265" : "H.264", elapsed, cores,
           decoding, cores / decoding);
    printf("  pictures per minute: expected %.0f, shown %.0f (%.1f%%), dropped %.0f (%.1f per window)\n",
           expected / minutes, shown / minutes, 100.0 * shown / expected, dropped / minutes,
           dropped / minutes / c.windows);
    printf("  paints per second of each window:");
    for (int i = 0; i < c.windows; ++i) printf(" %.1f", (counters[size_t(i)].paints - paintsBefore[size_t(i)]) / elapsed);
    printf("\n  one ffmpeg thread decodes %.1f pictures per second of the slowest stream\n",
           slowest > 0 ? 1 / slowest : 0.0);
    if (!ended.isEmpty()) printf("  windows no longer playing at the end:%s\n", qPrintable(ended));
    fflush(stdout);
}

bool wanted(const WallCase &c, int argc, char **argv)
{
    if (argc <= 2) return true;
    for (int i = 2; i < argc; ++i)
        if (QString(argv[i]).compare(c.name, Qt::CaseInsensitive) == 0) return true;
    return false;
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
    const std::string image = dir + "/" + IMAGE_NAME;
    std::vector<QString> paths = recordingPaths(image);
    if (paths.empty()) {
        printf("writing %s (the 4K recordings take some minutes)\n", image.c_str());
        fflush(stdout);
        sim::Manifest manifest;
        const sim::Result r = sim::writeDisk(wallScenario(), image, {}, &manifest);
        if (!r.ok) {
            fprintf(stderr, "bench: %s\n", r.message.c_str());
            return 1;
        }
        paths = keepRecordingPaths(image, manifest);
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

    for (const WallCase &c : CASES) {
        if (!wanted(c, argc, argv)) continue;
        size_t first = 0;
        for (size_t set = 0; set < c.set; ++set) first += size_t(SETS[set].count);
        if (paths.size() < first + size_t(c.windows)) {
            fprintf(stderr, "bench: %zu recordings on the disk\n", paths.size());
            return 1;
        }
        benchWall(c, {paths.begin() + long(first), paths.begin() + long(first) + c.windows}, dir);
    }
    CGlobalAppData::saveAndRelease();
    return 0;
}
