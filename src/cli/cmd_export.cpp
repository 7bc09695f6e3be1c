// korvane-cli export: the export dialog's run without the dialog. The same worker
// writes the same folder, "index.data", export log and SHA256SUMS; the table the
// dialog would show is printed at the end, progress goes to standard error.
#include "cli_commands.h"
#include "cli_options.h"

#include "catalogue/crecordloader.h"
#include "common/cglobalappdata.h"
#include "common/cmythread.h"
#include "export/cexportlog.h"
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

// The recordings korvane-cli list prints under the node, in its order.
QVector<ExportEntry> entriesUnder(const QString &strNode)
{
    QVector<ExportEntry> entries;
    IdeInfo ide;
    ide_get_info(&ide);
    CRecordLoader loader(0, [&](const RecordPairs &pairs, const QVector<wfs_file_info_v2> &records) {
        for (int i = 0; i < pairs.size(); ++i) {
            const wfs_file_info_v2 &r = records[i];
            const QString strPath =
                CRecordLoader::recordPath(r.disk, r.part, CRecordLoader::startDate(r), r.channel, pairs[i].second);
            if (strPath == strNode || strPath.startsWith(strNode + "/"))
                entries.append(ExportEntry::fromRecorderPath(strPath, r.channel));
        }
    });
    loader.loadDataFromDisk(ide.ide_num);
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

// The dialog's checks before a run; false with its message.
bool checkChoices(const ExportArgs &args, QVector<ExportEntry> &entries, CExportWorker::Choices &choices)
{
    choices.nMode = args.bByTime ? CExportWorker::modeTime : CExportWorker::modeFile;
    choices.nFormat = args.nFormat;
    choices.nExportType = args.nExportType;
    choices.strSavePath = args.strSaveTo;
    if (entries.isEmpty()) return fail("No files selected");
    const QList<int> present = distinctChannels(entries);
    QList<int> selected;
    for (int nChannel : present)
        if (args.channels.isEmpty() || args.channels.contains(nChannel)) selected.append(nChannel);
    if (!args.bByTime) {
        for (ExportEntry &entry : entries) entry.bTicked = selected.contains(entry.nChannel);
        if (selected.isEmpty()) return fail("No files selected");
        return true;
    }
    QTime recordBegin, recordEnd;
    CExportWorker::recordRange(entries, recordBegin, recordEnd);
    auto seconds = [](const QTime &t) { return t.msecsSinceStartOfDay() / 1000; };
    const int b = seconds(args.rangeBegin), rb = seconds(recordBegin), re = seconds(recordEnd);
    const int e = seconds(args.rangeEnd) + (args.rangeEnd.hour() == 0 && args.rangeBegin.hour() >= 22 ? 86400 : 0);
    if (b < rb || re < e || e < b) return fail("Abnormal time");
    if (selected.isEmpty()) return fail("No channels selected");
    choices.rangeBegin = args.rangeBegin;
    choices.rangeEnd = args.rangeEnd;
    choices.channels = selected;
    return true;
}

// The rows of the run's list as the dialog shows them: channel, name, status, export path.
class RunTable
{
public:
    RunTable(const CExportWorker &worker)
    {
        const CExportWorker::Choices &choices = worker.choices();
        const QVector<ExportEntry> &entries = worker.entries();
        for (int i = 0; i < entries.size(); ++i) {
            if (choices.nMode == CExportWorker::modeTime && !choices.channels.contains(entries[i].nChannel)) continue;
            m_rows.insert(i, {QString("%1").arg(entries[i].nChannel + 1, 3, 10, QChar('0')), entries[i].strName,
                              QString(), QString()});
        }
    }

    void update(int nRow, int nCol, const QString &strText)
    {
        auto it = m_rows.find(nRow);
        if (it == m_rows.end() || nCol < CExportWorker::colChannel || nCol > CExportWorker::colPath) return;
        (*it)[nCol - 1] = strText;
        if (nCol == CExportWorker::colStatus) report(*it);
    }

    QList<QStringList> rows() const { return m_rows.values(); }

    void print() const
    {
        for (const QStringList &row : m_rows) printf("%s\n", row.join('\t').toLocal8Bit().constData());
        fflush(stdout);
    }

private:
    // Progress on standard error: every change of state, and percentages in steps of ten.
    void report(const QStringList &row)
    {
        static const QRegularExpression percent("\\((\\d+)%\\)$");
        const QRegularExpressionMatch match = percent.match(row[2]);
        if (match.hasMatch() && match.captured(1).toInt() % 10 != 0) return;
        if (row[2] == m_strLastReport) return;
        m_strLastReport = row[2];
        fprintf(stderr, "%s %s: %s\n", qPrintable(row[0]), qPrintable(row[1]), qPrintable(row[2]));
    }

    QMap<int, QStringList> m_rows; // by entry index, in list order
    QString m_strLastReport;
};

void writeLogAndSums(CExportWorker &worker, const RunTable &table, const QDateTime &startTime, const ExportArgs &args)
{
    CExportLog::Run run = worker.finishLog(startTime);
    for (int nChannel : distinctChannels(worker.entries()))
        run.channelFilter.append({nChannel, args.channels.isEmpty() || args.channels.contains(nChannel)});
    if (worker.choices().nMode == CExportWorker::modeFile) {
        for (const ExportEntry &entry : worker.entries())
            run.fileList.append({entry.bTicked, QString("%1").arg(entry.nChannel + 1, 3, 10, QChar('0')), entry.strName});
    }
    run.results = table.rows();
    CExportLog::append(run);
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

    QVector<ExportEntry> entries = entriesUnder(args.strNode);
    CExportWorker::Choices choices;
    if (!checkChoices(args, entries, choices)) return EXIT_USAGE;

    CExportWorker worker;
    worker.setEntries(entries);
    worker.setChoices(choices);
    RunTable table(worker);
    QStringList sourcesToRemove;
    QObject::connect(&worker, &CExportWorker::updateTableStatus, &app,
                     [&table](int, int nRow, int nCol, const QString &strText) { table.update(nRow, nCol, strText); });
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
    writeLogAndSums(worker, table, startTime, args);
    table.print();
    if (bCancelled) return EXIT_CANCELLED;
    fprintf(stderr, "%s\n", qPrintable(worker.finishText()));
    return worker.failedCount() == 0 ? 0 : 1;
}
