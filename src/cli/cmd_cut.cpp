// korvane-cli cut: the cut dialog's cut without the dialog. The same worker writes the
// same file; its path is printed at the end, progress goes to standard error.
#include "cli_commands.h"
#include "cli_options.h"

#include "common/cglobalappdata.h"
#include "common/cmythread.h"
#include "export/ccutworker.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTimer>

#include <cstdio>
#include <memory>

namespace {

const int EXIT_USAGE = 2;

struct CutArgs {
    QString strSaveTo;
    QString strFile;
    QTime begin, end;
    bool bMp4 = false;
};

bool fail(const QString &strText)
{
    fprintf(stderr, "korvane-cli: %s\n", qPrintable(strText));
    return false;
}

int exitWith(int nStatus, const QString &strText)
{
    fail(strText);
    return nStatus;
}

bool parseArgs(const std::vector<std::string> &raw, CutArgs &args)
{
    for (size_t i = 0; i < raw.size(); ++i) {
        const QString strArg = QString::fromStdString(raw[i]);
        if (strArg == "--to" || strArg == "--time") {
            if (i + 1 >= raw.size()) return fail(strArg + " needs a value");
            const QString strValue = QString::fromStdString(raw[++i]);
            if (strArg == "--to") {
                args.strSaveTo = strValue;
                continue;
            }
            const QStringList times = strValue.split('-');
            args.begin = QTime::fromString(times.value(0), "HH:mm:ss");
            args.end = QTime::fromString(times.value(1), "HH:mm:ss");
            if (times.size() != 2 || !args.begin.isValid() || !args.end.isValid())
                return fail("--time takes HH:MM:SS-HH:MM:SS");
        } else if (strArg == "--mp4") {
            args.bMp4 = true;
        } else if (strArg.startsWith("--") || !args.strFile.isEmpty()) {
            return fail("cut does not take " + strArg);
        } else {
            args.strFile = strArg;
        }
    }
    if (!args.begin.isValid()) return fail("cut needs --time HH:MM:SS-HH:MM:SS");
    if (args.strFile.isEmpty()) return fail("cut needs the exported recording to cut");
    return true;
}

void runWorker(void *pWorker)
{
    static_cast<CCutWorker *>(pWorker)->run();
}

// Progress on standard error: each new status, and the progress in steps of ten percent.
void reportProgress(CCutWorker &worker, QCoreApplication &app)
{
    auto lastStatus = std::make_shared<QString>();
    auto lastStep = std::make_shared<int>(-1);
    QObject::connect(&worker, &CCutWorker::updateExportStatus, &app, [lastStatus](const QString &strStatus) {
        if (strStatus == *lastStatus) return;
        *lastStatus = strStatus;
        fprintf(stderr, "%s\n", qPrintable(strStatus));
    });
    QObject::connect(&worker, &CCutWorker::updateProcess, &app, [lastStep](int nPos) {
        const int nStep = nPos / 100;
        if (nStep == *lastStep) return;
        *lastStep = nStep;
        fprintf(stderr, "%d%%\n", nStep * 10);
    });
}

} // namespace

int runCut(const CliOptions &options)
{
    catchCancelSignals();
    CutArgs args;
    if (!parseArgs(options.args, args)) return EXIT_USAGE;
    static int argc = 1;
    static char name[] = "korvane-cli";
    static char *argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    CGlobalAppData::instance(); // the settings object belongs to this thread, not to the worker's

    CCutWorker worker;
    if (!QFileInfo(args.strFile).isFile()) return exitWith(1, args.strFile + ": no such file");
    if (!worker.setSource(QDir(args.strFile).absolutePath()))
        return exitWith(EXIT_USAGE, args.strFile + " holds no time range in the export layout "
                                                   "(.../ide<disk><partition>/<yyyy-mm-dd>/<channel>/<begin>-<end>...)");
    if (!worker.rangeAllowed(args.begin, args.end)) return exitWith(EXIT_USAGE, "Abnormal time");
    const QString strSaveTo = args.strSaveTo.isEmpty() ? CGlobalAppData::instance()->recordPath() : args.strSaveTo;
    worker.setChoices(QDir(strSaveTo).absolutePath(), args.begin, args.end, args.bMp4);

    QString strMessage;
    bool bConvertFailed = false;
    reportProgress(worker, app);
    QObject::connect(&worker, &CCutWorker::showMessage, &app, [&strMessage](const QString &s) { strMessage = s; });
    QObject::connect(&worker, &CCutWorker::convertFinishi, &app,
                     [&bConvertFailed](bool bOk) { bConvertFailed = !bOk; });
    CMyThread thread(&runWorker, &worker);
    QObject::connect(&thread, &QThread::finished, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    QTimer cancelWatch;
    QObject::connect(&cancelWatch, &QTimer::timeout, &app, [&worker] {
        if (cancelRequested()) worker.stop();
    });
    cancelWatch.start(100);
    thread.start();
    app.exec();
    thread.wait();
    QCoreApplication::processEvents(); // the last queued reports

    if (cancelRequested()) return EXIT_CANCELLED;
    if (bConvertFailed) return exitWith(1, "Convert Failed: " + worker.failureReason());
    if (strMessage == CCutWorker::tr("Cut Failed")) return exitWith(1, strMessage + ": " + worker.failureReason());
    printf("%s\n", qPrintable(worker.finalPath()));
    return 0;
}
