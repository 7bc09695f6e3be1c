// One export run, free of widgets, so that the export dialog and korvane-cli run
// the very same code: it copies recordings from the recorder disk into the export
// folder layout (whole files, or the frames inside a time range), merges them per
// channel, names merged files by their time range, writes "index.data", hands the
// outputs to the MP4 conversion and keeps the conversions' bookkeeping. Results go
// out through the output files and the signals.
#pragma once

#include "export/cexportlog.h"
#include "export/videoparams.h"

#include <QList>
#include <QMap>
#include <QMutex>
#include <QObject>
#include <QReadWriteLock>
#include <QSet>
#include <QString>
#include <QTime>
#include <QVector>

#include <atomic>
#include <memory>

class CFSFile;

// One recording of the run: its recorder path "/mnt/ide<disk letter><partition>/<date>/<channel>/<name>".
struct ExportEntry {
    QString strPath;
    QString strName;
    int nChannel = 0; // 0-based
    QTime begin;      // from the name; null when the name does not parse
    QTime end;
    int nEndSeconds = 0; // from the begin's midnight: past 86399 for an end on the next day
    bool bTicked = true;

    static ExportEntry fromRecorderPath(const QString &strPath, int nChannel);
};

class CExportWorker : public QObject
{
    Q_OBJECT
public:
    enum Mode { modeFile = 0, modeTime = 1 };
    enum Format { formatRaw = 0, formatMp4 = 1 };
    enum ExportType { typeSingle = 0, typeMerge = 1, typeForcedMerge = 2 };
    enum Column { colChannel = 1, colName = 2, colStatus = 3, colPath = 4 };

    static constexpr quint64 MERGE_LIMIT = 1073741824; // a merged file holds at most 1 GiB of sources
    static constexpr qint64 FILE_CHUNK = 512000;
    static constexpr qint64 TIME_CHUNK = 65536;
    static constexpr int MAX_CONVERT_RETRIES = 1;
    static constexpr int RETRIED_CONVERT_ERROR = -99997;

    struct Choices {
        int nMode = modeFile;
        int nFormat = formatRaw;
        int nExportType = typeSingle;
        QString strSavePath;
        QTime rangeBegin; // time mode
        QTime rangeEnd;
        QList<int> channels; // the channels ticked in the run's channel filter, 0-based (time mode: those exported)
        // Hash each file left as soon as it is complete (else when leftFiles() asks for them).
        bool bHashWhenComplete = true;
        // A finished file whose name an earlier file has replaces it at once (korvane-cli --overwrite);
        // otherwise it waits for resolveHeld().
        bool bReplaceExisting = false;
    };

    // One row of the run's list as the dialog shows it and the export log keeps it.
    struct EntryResult {
        int nEntry = -1; // index into entries()
        QString strStatus;
        QString strPath; // the output as shown: the MP4 of an MP4 run
    };

    // A file the run leaves in the save folder, with its SHA-256 (hex).
    struct LeftFile {
        QString strPath;
        QString strSha256;
    };

    explicit CExportWorker(QObject *parent = nullptr);
    ~CExportWorker() override;

    void setEntries(const QVector<ExportEntry> &entries) { m_entries = entries; }
    const QVector<ExportEntry> &entries() const { return m_entries; }
    QVector<ExportEntry> &entries() { return m_entries; }
    void setChoices(const Choices &choices);
    const Choices &choices() const { return m_choices; }
    // The earliest entry begin (from 23:59:59) and the latest entry end (from 00:00:00); an end on
    // the next day is the latest of all, so the range runs over midnight. The seconds variant
    // counts the end from the begin's midnight.
    static void recordRange(const QVector<ExportEntry> &entries, QTime &begin, QTime &end);
    static void recordSeconds(const QVector<ExportEntry> &entries, int &nBegin, int &nEnd);
    // The checks before a run, the same for the dialog and korvane-cli: empty when the choices can run
    // on the entries, else the message to show ("No files selected", "Abnormal time", ...).
    QString checkChoices(const Choices &choices) const;

    // Clears the previous run's results and the early-finished conversions; stop flag cleared.
    void prepareRun();
    // The whole run on the calling thread: the export of the mode, then the end-of-run rule.
    int run();
    int exportByFile();
    int exportByTime();
    // The merged file's final path by its time range; strPath is the path it would have by its first recording.
    QString renameMergFile(const QList<int> &entries, const QString &strPath, const QTime &begin, const QTime &end);
    // Converts the raw file strSrcPath into its MP4 beside it, the raw file removed once it succeeded.
    void convertToMp4(const QList<int> &entries, const QString &strSrcPath, int nRetry);
    // The same for a raw file written under a temporary name: the MP4 gets the name of strFinal's MP4,
    // and the raw file strFinal when the conversion fails.
    void convertToMp4(const QList<int> &entries, const QString &strSrcPath, const QString &strFinal, int nRetry);
    int dealWithConvertProcess(int nHandle, int nValue);

    // Makes this run the converter's message receiver (withdrawn by cancel and at destruction).
    void attachConverter();
    void detachConverter();
    // Sets the stop flag; the copy stops within a chunk.
    void stop() { m_bStop = true; }
    bool isStopped() const { return m_bStop; }
    // The user's cancel: detach from the converter, stop, cancel every running conversion.
    void cancel();
    bool isCancelled() const { return m_bCancelled; }
    bool conversionsPending();

    int failedCount() const { return m_nFailed; }
    // No entry failed, and the run's index, checksums and log were written.
    bool succeeded() const { return m_nFailed == 0 && m_runErrors.isEmpty(); }
    // The final paths of finished files whose names earlier files have: they wait under temporary
    // names until resolveHeld() replaces the earlier files or drops them (and fails their entries).
    QStringList heldFiles() const;
    void resolveHeld(bool bReplace);
    int runEntryCount() const;
    // "Export Finish", or how many of the run's files failed.
    QString finishText() const;
    // The files left in the save folder, hashed (those not hashed yet are hashed now).
    QList<LeftFile> leftFiles();
    // Writes "SHA256SUMS" in the save folder anew: the files given (paths relative to the folder)
    // and the earlier lines of files still present; false when it cannot be written.
    bool appendChecksums(const QList<LeftFile> &files);
    QString relativePath(const QString &strPath) const;
    // The rows of the run's list, in list order: every entry by file, the selected channels' by time.
    QVector<EntryResult> results() const;
    // The run's block of the export log: its choices, channel filter, file list, rows and the files it
    // left with their checksums, which also go to "SHA256SUMS".
    CExportLog::Run finishLog(const QDateTime &startTime);
    // SHA256SUMS written and finishLog() appended to the day's export log; false (and the run
    // failed) when either could not be written.
    bool writeLog(const QDateTime &startTime);

    // Reads the first video key frame of a recording into params (zero-filled first).
    static bool getVideoParams(const QString &strPath, VideoParams &params);
    // save path + "/ide<disk><part>/<date>/<channel + 1>/"; empty when the path is no recorder path.
    QString outputFolder(const QString &strRecorderPath) const;
    // Where a file is written before it is complete: a hidden name beside its own, of the run strRun.
    static QString partPath(const QString &strFinal, const QString &strRun);
    // The path with the file name's extension replaced.
    static QString withExtension(const QString &strPath, const char *pExtension);
    // For tests: the size at which merged files are split.
    void setMergeLimit(quint64 nLimit) { m_nMergeLimit = nLimit; }

signals:
    void updateTableStatus(int nType, int nRow, int nCol, QString strStatus);
    void removeSrcFile(QString strPath);
    void exportFinish();

private:
    struct MergeState {
        quint64 nSize = 0;
        QString strPath; // temporary
        QString strFinal;
        VideoParams params;
    };
    struct ConvertRecord {
        int nRetry = 0;
        int nHandle = 0;
        QList<int> entries;
        QString strSource;      // the raw file, under its temporary name
        QString strDestination; // the MP4, under its temporary name
        QString strFinal;       // the raw file's own name
        QString strFinalMp4;
    };
    struct Held {
        QList<int> entries;
        QString strTemp;
        QString strFinal;
    };
    // What one entry's copy writes into, and how to undo it.
    struct Output;
    enum class CopyResult { done, stopped, readFailed, writeFailed };

    int exportAll(bool bByTime);
    QMap<int, QList<int>> channelGroups(bool bByTime) const;
    bool inRange(int nIndex, QTime &clipBegin, QTime &clipEnd);
    void exportEntry(int nIndex, bool bByTime, const QTime &clipBegin, const QTime &clipEnd);
    bool openOutput(int nIndex, const QString &strName, const QTime &begin, const QTime &end, const VideoParams &params,
                    Output &out);
    bool joinsMerge(int nChannel, quint64 nLength, const VideoParams &params) const;
    CopyResult copyByFile(int nIndex, CFSFile &source, Output &out);
    CopyResult copyByTime(int nIndex, CFSFile &source, Output &out, QTime &first, QTime &last);
        void undoEntry(int nIndex, Output &out);
    void closeGroup(bool bConvert);
    void finishOutput(const QList<int> &entries, const QString &strTemp, const QString &strFinal, bool bConvert);
    QString temporaryPath(const QString &strFinal) const;
    void deliver(const QList<int> &entries, const QString &strTemp, const QString &strFinal);
    void moveIntoPlace(const QList<int> &entries, const QString &strTemp, const QString &strFinal);
    void conversionEnded(const ConvertRecord &record, int nValue);
    void status(int nIndex, int nColumn, const QString &strText);
    QString shownPath(const QString &strPath) const;
    void openIndexFile();
    void appendIndexLine(const QList<int> &entries, const QString &strPath);
    void addLeftFile(const QString &strPath, const QString &strSha256);
    void conversionFailed(const ConvertRecord &record, const QString &strStatus);
    void maybeFinishRun();
    void pauseForReaders() const;
    static QString hhmmss(const QTime &time);

    QVector<ExportEntry> m_entries;
    Choices m_choices;
    quint64 m_nMergeLimit = MERGE_LIMIT;
    std::atomic<bool> m_bStop{true};
    std::atomic<bool> m_bCancelled{false};
    std::atomic<int> m_nFailed{0};
    bool m_bAttached = false;

    QString m_strRunId; // names the run's temporary files
    QStringList m_runErrors;
    QMutex m_indexMutex;
    QSet<QString> m_indexLines;
    QMap<int, MergeState> m_merge; // by channel
    QList<int> m_group;            // entries of the current merged file
    QTime m_groupBegin;
    QTime m_groupEnd;
    QString m_strCurOutput; // temporary
    QString m_strGroupFinal;

    QReadWriteLock m_convertLock; // the conversion table, the early-finished list and the run's end
    QMap<int, ConvertRecord> m_conversions;
    QMap<int, int> m_earlyResults; // handle -> last message of a conversion not stored yet
    bool m_bWorkerDone = false;
    bool m_bFinishSent = false;

    mutable QMutex m_leftMutex; // the files left and the files held
    QList<LeftFile> m_leftFiles;
    QList<Held> m_held;

    mutable QMutex m_resultMutex;
    QMap<int, EntryResult> m_results; // by entry index
};
