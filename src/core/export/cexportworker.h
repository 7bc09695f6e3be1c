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
    QString renameMergFile(const QList<int> &entries, const QString &strPath, const QTime &begin, const QTime &end);
    void convertToMp4(const QList<int> &entries, const QString &strSrcPath, int nRetry);
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
    int runEntryCount() const;
    // "Export Finish", or how many of the run's files failed.
    QString finishText() const;
    // The files left in the save folder, hashed (those not hashed yet are hashed now).
    QList<LeftFile> leftFiles();
    // Appends the files to "SHA256SUMS" in the save folder, paths relative to it.
    bool appendChecksums(const QList<LeftFile> &files) const;
    QString relativePath(const QString &strPath) const;
    // The rows of the run's list, in list order: every entry by file, the selected channels' by time.
    QVector<EntryResult> results() const;
    // The run's block of the export log: its choices, channel filter, file list, rows and the files it
    // left with their checksums, which also go to "SHA256SUMS".
    CExportLog::Run finishLog(const QDateTime &startTime);
    // finishLog() appended to the day's export log; false when the log or SHA256SUMS could not be written.
    bool writeLog(const QDateTime &startTime);

    // Reads the first video key frame of a recording into params (zero-filled first).
    static bool getVideoParams(const QString &strPath, VideoParams &params);
    // save path + "/ide<disk><part>/<date>/<channel + 1>/"; empty when the path is no recorder path.
    QString outputFolder(const QString &strRecorderPath) const;
    // For tests: the size at which merged files are split.
    void setMergeLimit(quint64 nLimit) { m_nMergeLimit = nLimit; }

signals:
    void updateTableStatus(int nType, int nRow, int nCol, QString strStatus);
    void removeSrcFile(QString strPath);
    void exportFinish();

private:
    struct MergeState {
        quint64 nSize = 0;
        QString strPath;
        VideoParams params;
    };
    struct ConvertRecord {
        int nRetry = 0;
        int nHandle = 0;
        QList<int> entries;
        QString strSource;
        QString strDestination;
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
    void finishFile(int nIndex, const QString &strPath);
    void status(int nIndex, int nColumn, const QString &strText);
    QString shownPath(const QString &strPath) const;
    void openIndexFile();
    void appendIndexLine(const QString &strPath);
    void addLeftFile(const QString &strPath, bool bHashNow);
    void replaceLeftFile(const QString &strRaw, const QString &strMp4);
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

    std::unique_ptr<CFSFile> m_pIndexFile;
    QMap<int, MergeState> m_merge; // by channel
    QList<int> m_group;            // entries of the current merged file
    QTime m_groupBegin;
    QTime m_groupEnd;
    QString m_strCurOutput;

    QReadWriteLock m_convertLock; // the conversion table, the early-finished list and the run's end
    QMap<int, ConvertRecord> m_conversions;
    QList<int> m_earlyFinished;
    bool m_bWorkerDone = false;
    bool m_bFinishSent = false;

    QMutex m_leftMutex;
    QList<LeftFile> m_leftFiles;

    mutable QMutex m_resultMutex;
    QMap<int, EntryResult> m_results; // by entry index
};
