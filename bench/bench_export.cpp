// Benchmarks of the export, each beside a baseline measured in the same run on the same
// recording, with their ratio; nothing is asserted.
//   korvane-bench-export [DATA_DIR]    disk images and outputs go there (default /tmp)
// - export by file of a 1 GiB recording (the worker's copy, and the whole korvane-cli export
//   with its SHA-256 and log) beside `korvane-cli cat` of the same recording into a file;
// - export by time of the whole recording beside export by file;
// - MP4 export of a real H.264 recording beside `ffmpeg -c copy` of the same video stream;
// - cuts of the exported copy (its last minute, and all of it) beside `cat` of the copy.
#include "common/cglobalappdata.h"
#include "export/ccutworker.h"
#include "export/cexportworker.h"
#include "streamreader.h"

#include "bench_support.h"
#include "simulator.h"
#include "wfs.h"
#include "wfs_stream.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

namespace sim = korvane::sim;

namespace {
const int RUNS = 3;
const sim::Seconds START = sim::makeTime(2024, 3, 5, 10, 0, 0);

double bestSeconds(const std::function<void()> &work)
{
    double best = 1e30;
    for (int i = 0; i <= RUNS; ++i) {
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
    printf("%-36s %9.1f MB/s   %-30s %9.1f MB/s   ratio %.2f\n", what, mbps, baseline, baseMbps, mbps / baseMbps);
}

struct Disk {
    std::string image;
    QString recording; // its recorder path
};

// A disk with one recording on channel 0, written once and reused.
Disk makeDisk(const std::string &dir, const std::string &name, const sim::Scenario &scenario)
{
    Disk disk{dir + "/" + name, QString()};
    sim::Manifest manifest;
    if (!QFile::exists(QString::fromStdString(disk.image))) {
        const sim::Result r = sim::writeDisk(scenario, disk.image, {}, &manifest);
        if (!r.ok) fprintf(stderr, "bench: %s\n", r.message.c_str());
    }
    const char *images[] = {disk.image.c_str()};
    ide_set_images(images, 1);
    ide_set_scan_devices(false);
    ide_init();
    int count = 0;
    wfs_file_sys_init(&count, 0);
    wfs_register_stream_ops();
    const std::string list = "'" + QCoreApplication::applicationDirPath().toStdString() +
                             "/korvane-cli' list --no-devices --image '" + disk.image + "'";
    FILE *pipe = popen(list.c_str(), "r");
    char line[512] = {};
    if (pipe && fgets(line, sizeof line, pipe)) disk.recording = QString::fromLocal8Bit(line).section('\t', 0, 0);
    if (pipe) pclose(pipe);
    return disk;
}

sim::Scenario placeholderGiB()
{
    sim::Scenario s;
    s.sectorsPerCluster = 4096;
    sim::PartitionSpec p;
    p.clusters = 600;
    s.partitions = {p};
    sim::RecordingSpec r;
    r.start = START;
    r.end = START + 512;
    r.bytesPerSecond = 2 << 20;
    s.recordings = {r};
    return s;
}

sim::Scenario realVideo()
{
    sim::Scenario s = placeholderGiB();
    s.payloads = sim::PayloadKind::Real;
    s.recordings[0].end = START + 600;
    s.recordings[0].width = 640;
    s.recordings[0].height = 360;
    s.recordings[0].fps = 25;
    return s;
}

// One export run in this process; true when every entry succeeded.
bool exportOnce(const Disk &disk, const QString &strSave, int nMode, int nFormat)
{
    QDir(strSave).removeRecursively();
    CExportWorker worker;
    ExportEntry entry = ExportEntry::fromRecorderPath(disk.recording, 0);
    worker.setEntries({entry});
    CExportWorker::Choices choices;
    choices.nMode = nMode;
    choices.nFormat = nFormat;
    choices.strSavePath = strSave;
    choices.rangeBegin = entry.begin;
    choices.rangeEnd = entry.end;
    choices.channels = {0};
    choices.bHashWhenComplete = false;
    worker.setChoices(choices);
    std::atomic<bool> bFinished{false};
    QObject::connect(&worker, &CExportWorker::exportFinish, &worker, [&bFinished] { bFinished = true; },
                     Qt::DirectConnection);
    QObject::connect(&worker, &CExportWorker::removeSrcFile, &worker, [](const QString &p) { QFile::remove(p); },
                     Qt::DirectConnection);
    worker.attachConverter();
    worker.prepareRun();
    worker.run();
    while (!bFinished) QThread::msleep(1);
    worker.detachConverter();
    return worker.failedCount() == 0;
}

qint64 exportedBytes(const QString &strSave, const QString &strSuffix)
{
    qint64 nBytes = 0;
    for (const QFileInfo &day : QDir(strSave + "/idea0").entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot))
        for (const QFileInfo &file : QDir(day.filePath() + "/001").entryInfoList({"*" + strSuffix}, QDir::Files))
            nBytes += file.size();
    return nBytes;
}

// The video payloads of a raw recording as an H.264 elementary stream, for ffmpeg.
bool writeElementary(const QString &strRaw, const QString &strOut)
{
    QFile in(strRaw), out(strOut);
    if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly)) return false;
    void *parser = H264_PARSER_Create(0);
    QByteArray chunk;
    while (!(chunk = in.read(1 << 20)).isEmpty()) {
        H264_PARSER_InputData(parser, (const unsigned char *)chunk.constData(), (uint32_t)chunk.size());
        while (const H264_PARSER_FRAME *f = H264_PARSER_GetNextFrame(parser))
            if (f->nFrameType == H264_FRAME_VIDEO) out.write((const char *)f->pPayload, f->nPayloadLength);
    }
    H264_PARSER_Destroy(parser);
    return true;
}

// Cuts of an exported copy beside `cat` of it: the last minute, which the start jump finds
// without reading the beginning, and the whole recording.
void runCut(const Disk &disk, const QString &strSave)
{
    exportOnce(disk, strSave, CExportWorker::modeFile, 0);
    const QFileInfo copy = QDir(strSave + "/idea0/2024-03-05/001").entryInfoList(QDir::Files).value(0);
    const double bytes = (double)copy.size();
    const double cat = bestSeconds([&] { shell("cat '" + copy.filePath().toStdString() + "' > /dev/null"); });
    auto cutSeconds = [&](const QTime &begin, const QTime &end) {
        return bestSeconds([&] {
            CCutWorker worker;
            worker.setSource(copy.filePath());
            worker.setChoices(strSave + "/cuts", begin, end, false);
            if (worker.cut() != CCutWorker::resultDone) fprintf(stderr, "bench: the cut failed\n");
        });
    };
    CCutWorker probe;
    probe.setSource(copy.filePath());
    const QTime end = probe.fileEnd();
    const double lastMinute = cutSeconds(end.addSecs(-62), end.addSecs(-2));
    printf("%-36s %9.3f s        %-30s %9.3f s        ratio %.3f\n", "cut of the last minute", lastMinute,
           "cat > /dev/null (whole file)", cat, lastMinute / cat);
    const double whole = cutSeconds(probe.fileBegin(), end);
    printf("%-36s %9.3f s        %-30s %9.3f s        ratio %.3f\n", "cut of the last minute", lastMinute,
           "cut of the whole recording", whole, lastMinute / whole);
    report("cut of the whole recording", bytes, whole, "cat > /dev/null", bytes, cat);
}

void runFileAndTime(const std::string &dir, const QString &strCli)
{
    const Disk disk = makeDisk(dir, "korvane-bench-export.img", placeholderGiB());
    const QString strSave = QString::fromStdString(dir) + "/korvane-bench-export";
    const std::string catOut = dir + "/korvane-bench-export-cat.h264";
    const std::string image = "'" + disk.image + "' '" + disk.recording.toStdString() + "'";
    const double cat =
        bestSeconds([&] { shell(strCli.toStdString() + " cat --no-devices --image " + image + " > '" + catOut + "'"); });
    const double bytes = (double)QFileInfo(QString::fromStdString(catOut)).size();
    printf("recording %.1f MB, best of %d runs\n", bytes / 1e6, RUNS);

    const double byFile = bestSeconds([&] { exportOnce(disk, strSave, CExportWorker::modeFile, 0); });
    report("export by file (copy)", bytes, byFile, "korvane-cli cat > file", bytes, cat);
    const double cli = bestSeconds([&] {
        QDir(strSave).removeRecursively();
        shell(strCli.toStdString() + " export --no-devices --image '" + disk.image + "' --to '" +
              strSave.toStdString() + "' '" + disk.recording.toStdString() + "' > /dev/null 2>&1");
    });
    report("korvane-cli export (with SHA-256)", bytes, cli, "korvane-cli cat > file", bytes, cat);
    const double sums = bestSeconds([&] { shell("sha256sum '" + catOut + "' > /dev/null"); });
    report("korvane-cli export (with SHA-256)", bytes, cli, "cat > file, then sha256sum", bytes, cat + sums);

    const double byTime = bestSeconds([&] { exportOnce(disk, strSave, CExportWorker::modeTime, 0); });
    report("export by time (whole recording)", (double)exportedBytes(strSave, ".h264"), byTime,
           "export by file (copy)", bytes, byFile);
    runCut(disk, strSave);
    QDir(strSave).removeRecursively();
    QFile::remove(QString::fromStdString(catOut));
}

void runMp4(const std::string &dir)
{
    const Disk disk = makeDisk(dir, "korvane-bench-export-real.img", realVideo());
    const QString strSave = QString::fromStdString(dir) + "/korvane-bench-export-mp4";
    const QString strRaw = QString::fromStdString(dir) + "/korvane-bench-export-raw";
    exportOnce(disk, strRaw, CExportWorker::modeFile, 0);
    const QString strRawFile = QDir(strRaw + "/idea0/2024-03-05/001").entryInfoList(QDir::Files).value(0).filePath();
    const QString strEs = QString::fromStdString(dir) + "/korvane-bench-export-es.h264";
    const QString strFfmpegOut = QString::fromStdString(dir) + "/korvane-bench-export-ffmpeg.mp4";
    writeElementary(strRawFile, strEs);
    const double bytes = (double)QFileInfo(strRawFile).size(), esBytes = (double)QFileInfo(strEs).size();
    printf("real H.264 recording %.1f MB (video %.1f MB)\n", bytes / 1e6, esBytes / 1e6);
    const double copy = bestSeconds([&] {
        shell("ffmpeg -v error -y -f h264 -framerate 25 -i '" + strEs.toStdString() + "' -c copy '" +
              strFfmpegOut.toStdString() + "'");
    });
    const double mp4 = bestSeconds([&] { exportOnce(disk, strSave, CExportWorker::modeFile, 1); });
    report("MP4 export (copy and convert)", bytes, mp4, "ffmpeg -c copy", esBytes, copy);
    for (const QString &strPath : {strSave, strRaw}) QDir(strPath).removeRecursively();
    for (const QString &strPath : {strEs, strFfmpegOut}) QFile::remove(strPath);
}

} // namespace

int main(int argc, char **argv)
{
    qInstallMessageHandler(quietHandler);
    QCoreApplication app(argc, argv);
    const std::string dir = argc > 1 ? argv[1] : "/tmp";
    QDir().mkpath(QString::fromStdString(dir));
    const QString strCli = QCoreApplication::applicationDirPath() + "/korvane-cli";
    CGlobalAppData::setAppPathOverride(QString::fromStdString(dir));
    runFileAndTime(dir, strCli);
    runMp4(dir);
    return 0;
}
