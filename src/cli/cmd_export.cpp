// korvane-cli export: the export dialog's run without the dialog. The same worker
// writes the same folder, "index.data", export log and SHA256SUMS; the table the
// dialog would show is printed at the end, progress goes to standard error.
#include "cli_commands.h"
#include "cli_options.h"

#include "catalogue/crecordloader.h"
#include "common/cglobalappdata.h"
#include "common/cmythread.h"
#include "common/crecordname.h"
#include "export/cexportworker.h"
#include "wfs.h"
#include "wfs_stream.h"

#include <openssl/crypto.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTimer>

#include <algorithm>
#include <cstdio>

namespace {

const int EXIT_USAGE = 2;

struct ExportArgs {
    QString strSaveTo;
    QString strNode;
    bool bByTime = false;
    QTime rangeBegin, rangeEnd;
    QList<int> channels; // 0-based; empty = all
    int nExportType = CExportWorker::typeSingle;
    int nFormat = CExportWorker::formatRaw;
    bool bOverwrite = false;
};

bool fail(const char *pText)
{
    fprintf(stderr, "korvane-cli: %s\n", pText);
    return false;
}

bool parseTimes(const QString &strText, ExportArgs &args)
{
    const QStringList parts = strText.split('-');
    if (parts.size() != 2) return false;
    args.rangeBegin = QTime::fromString(parts[0], "HH:mm:ss");
    args.rangeEnd = QTime::fromString(parts[1], "HH:mm:ss");
    args.bByTime = true;
    return args.rangeBegin.isValid() && args.rangeEnd.isValid();
}

bool parseChannels(const QString &strText, QList<int> &channels)
{
    for (const QString &strChannel : strText.split(',')) {
        bool bOk = false;
        const int nChannel = strChannel.toInt(&bOk);
        if (!bOk || nChannel < 1) return false;
        channels.append(nChannel - 1);
    }
    return !channels.isEmpty();
}

bool parseArgs(const std::vector<std::string> &raw, ExportArgs &args)
{
    bool bMerge = false, bForced = false;
    for (size_t i = 0; i < raw.size(); ++i) {
        const QString strArg = QString::fromStdString(raw[i]);
        const bool bHasValue = i + 1 < raw.size();
        if (strArg == "--to" || strArg == "--time" || strArg == "--channels") {
            if (!bHasValue) return fail(qPrintable(strArg + " needs a value"));
            const QString strValue = QString::fromStdString(raw[++i]);
            if (strArg == "--to") args.strSaveTo = strValue;
            if (strArg == "--time" && !parseTimes(strValue, args)) return fail("--time takes HH:MM:SS-HH:MM:SS");
            if (strArg == "--channels" && !parseChannels(strValue, args.channels))
                return fail("--channels takes channel numbers from 1, separated by commas");
        } else if (strArg == "--merge") {
            bMerge = true;
        } else if (strArg == "--forced-merge") {
            bForced = true;
        } else if (strArg == "--mp4") {
            args.nFormat = CExportWorker::formatMp4;
        } else if (strArg == "--overwrite") {
            args.bOverwrite = true;
        } else if (strArg.startsWith("--") || !args.strNode.isEmpty()) {
            return fail(qPrintable("export does not take " + strArg));
        } else {
            args.strNode = strArg;
        }
    }
    if (args.strSaveTo.isEmpty()) return fail("export needs --to DIR");
    if (args.strNode.isEmpty()) return fail("export needs the disk tree node to export");
    if (bMerge && bForced) return fail("--merge and --forced-merge exclude each other");
    if (bForced && args.nFormat == CExportWorker::formatMp4) return fail("--forced-merge cannot be combined with --mp4");
    args.nExportType = bForced ? CExportWorker::typeForcedMerge : bMerge ? CExportWorker::typeMerge
                                                                          : CExportWorker::typeSingle;
    args.strNode.remove(QRegularExpression("/+$"));
    args.strSaveTo = QDir(args.strSaveTo).absolutePath();
    return true;
}

// The recordings korvane-cli list prints under the node, in its order; a listing that could not read
// the disk says why in strReadError.
QVector<ExportEntry> entriesUnder(const QString &strNode, QString &strReadError)
{
    QVector<ExportEntry> entries;
    IdeInfo ide;
    ide_get_info(&ide);
    CRecordLoader loader(0, [&](const RecordPairs &pairs, const QVector<wfs_file_info_v2> &records) {
        for (int i = 0; i < pairs.size(); ++i) {
            const wfs_file_info_v2 &r = records[i];
            const QString strPath =
                CRecordName::recordPath(r.disk, r.part, CRecordLoader::startDate(r), r.channel, pairs[i].second);
            if (strPath == strNode || strPath.startsWith(strNode + "/"))
                entries.append(ExportEntry::fromRecorderPath(strPath, r.channel));
        }
    });
    loader.loadDataFromDisk(ide.ide_num);
    strReadError = loader.readError();
    return entries;
}

QList<int> distinctChannels(const QVector<ExportEntry> &entries)
{
    QList<int> channels;
    for (const ExportEntry &entry : entries)
        if (!channels.contains(entry.nChannel)) channels.append(entry.nChannel);
    std::sort(channels.begin(), channels.end());
    return channels;
}

// The run's choices from the command line; the entries of the channels not chosen are unticked.
CExportWorker::Choices choicesOf(const ExportArgs &args, QVector<ExportEntry> &entries)
{
    CExportWorker::Choices choices;
    choices.nMode = args.bByTime ? CExportWorker::modeTime : CExportWorker::modeFile;
    choices.nFormat = args.nFormat;
    choices.nExportType = args.nExportType;
    choices.strSavePath = args.strSaveTo;
    choices.bReplaceExisting = args.bOverwrite;
    choices.rangeBegin = args.rangeBegin;
    choices.rangeEnd = args.rangeEnd;
    for (int nChannel : distinctChannels(entries))
        if (args.channels.isEmpty() || args.channels.contains(nChannel)) choices.channels.append(nChannel);
    if (!args.bByTime)
        for (ExportEntry &entry : entries) entry.bTicked = choices.channels.contains(entry.nChannel);
    return choices;
}

// Progress on standard error: every change of an entry's state, and percentages in steps of ten.
class ProgressReport
{
public:
    explicit ProgressReport(const CExportWorker &worker) : m_worker(worker) {}

    void update(int nRow, int nCol, const QString &strText)
    {
        static const QRegularExpression percent("\\((\\d+)%\\)$");
        if (nCol != CExportWorker::colStatus || nRow < 0 || nRow >= m_worker.entries().size()) return;
        const QRegularExpressionMatch match = percent.match(strText);
        if (match.hasMatch() && match.captured(1).toInt() % 10 != 0) return;
        if (strText == m_strLast) return;
        m_strLast = strText;
        const ExportEntry &entry = m_worker.entries()[nRow];
        fprintf(stderr, "%s %s: %s\n", qPrintable(CRecordName::channelLabel(entry.nChannel)), qPrintable(entry.strName),
                qPrintable(strText));
    }

private:
    const CExportWorker &m_worker;
    QString m_strLast;
};

// The run's list as the dialog shows it: channel, name, status, export path.
void printResults(const CExportWorker &worker)
{
    for (const CExportWorker::EntryResult &row : worker.results()) {
        const ExportEntry &entry = worker.entries()[row.nEntry];
        const QStringList columns = {CRecordName::channelLabel(entry.nChannel), entry.strName, row.strStatus, row.strPath};
        printf("%s\n", columns.join('\t').toLocal8Bit().constData());
    }
    fflush(stdout);
}

void runWorker(void *pWorker)
{
    static_cast<CExportWorker *>(pWorker)->run();
    // OpenSSL frees its per-thread state when the thread ends; the process may end first
    // (Qt's threads are detached), so the worker's thread gives it back itself.
    OPENSSL_thread_stop();
}

} // namespace

int runExport(const CliOptions &options)
{
    catchCancelSignals();
    ExportArgs args;
    if (!parseArgs(options.args, args)) return EXIT_USAGE;
    static int argc = 1;
    static char name[] = "korvane-cli";
    static char *argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    CGlobalAppData::instance(); // the settings object belongs to this thread, not to the worker's
    if (!openDisks(options)) return 1;
    wfs_register_stream_ops();

    QString strReadError;
    QVector<ExportEntry> entries = entriesUnder(args.strNode, strReadError);
    if (!strReadError.isEmpty()) {
        fail(qPrintable("the disk could not be read to list what to export: " + strReadError));
        return 1;
    }
    const CExportWorker::Choices choices = choicesOf(args, entries);
    CExportWorker worker;
    worker.setEntries(entries);
    const QString strRefusal = worker.checkChoices(choices);
    if (!strRefusal.isEmpty()) {
        fail(qPrintable(strRefusal));
        return EXIT_USAGE;
    }
    worker.setChoices(choices);
    ProgressReport progress(worker);
    QStringList sourcesToRemove;
    QObject::connect(&worker, &CExportWorker::updateTableStatus, &app,
                     [&progress](int, int nRow, int nCol, const QString &strText) { progress.update(nRow, nCol, strText); });
    QObject::connect(&worker, &CExportWorker::removeSrcFile, &app,
                     [&sourcesToRemove](const QString &strPath) { sourcesToRemove.append(strPath); });
    QObject::connect(&worker, &CExportWorker::exportFinish, &app, &QCoreApplication::quit);

    QTimer cancelWatch;
    QObject::connect(&cancelWatch, &QTimer::timeout, &app, [] {
        if (cancelRequested()) QCoreApplication::quit();
    });
    cancelWatch.start(100);

    worker.attachConverter();
    worker.prepareRun();
    const QDateTime startTime = QDateTime::currentDateTime();
    CMyThread thread(&runWorker, &worker);
    thread.start();
    app.exec();

    const bool bCancelled = cancelRequested();
    if (bCancelled) worker.cancel();
    thread.wait();
    worker.detachConverter();
    QCoreApplication::processEvents(); // the last queued statuses
    for (const QString &strPath : sourcesToRemove) QFile::remove(strPath);
    // Files whose names earlier files have are not delivered without --overwrite.
    const QStringList held = worker.heldFiles();
    worker.resolveHeld(false);
    worker.writeLog(startTime);
    printResults(worker);
    if (bCancelled) return EXIT_CANCELLED;
    if (!held.isEmpty()) {
        fprintf(stderr, "korvane-cli: %s exists (%d file(s) of this run already exist); nothing was replaced: "
                        "--overwrite replaces them\n",
                qPrintable(held.first()), int(held.size()));
        return EXIT_USAGE;
    }
    fprintf(stderr, "%s\n", qPrintable(worker.finishText()));
    return worker.succeeded() ? 0 : 1;
}
