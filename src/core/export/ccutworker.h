// Cutting a time range out of an exported recording, free of widgets, so that the cut
// dialog and korvane-cli run the very same code: the frames whose time lies in the
// range go into a new raw file in the save folder, optionally converted to MP4.
#pragma once

#include <QDate>
#include <QDateTime>
#include <QObject>
#include <QString>
#include <QTime>

#include <atomic>

class CFSFile;

class CCutWorker : public QObject
{
    Q_OBJECT
public:
    enum Result { resultFailed, resultStopped, resultDone };
    static constexpr qint64 CHUNK = 65536;
    static constexpr qint64 JUMP_THRESHOLD = 209715200; // recordings over 200 MiB are entered near the start
    static constexpr double JUMP_MARGIN = 0.8;
    static constexpr int PROGRESS_END = 1000;

    explicit CCutWorker(QObject *parent = nullptr);

    // Reads the recording's partition, date, channel folder and times from an exported path
    // ".../ide<disk><part>/<yyyy-mm-dd>/<channel>/<hh.mm.ss>-<hh.mm.ss>...". False when it does not follow it.
    bool setSource(const QString &strPath);
    bool hasTimes() const { return m_date.isValid(); }
    QString source() const { return m_strSource; }
    QDate date() const { return m_date; }
    QTime fileBegin() const { return m_fileBegin; }
    QTime fileEnd() const { return m_fileEnd; }
    // Seconds of day; the end gets a day more when the recording runs past midnight.
    int fileBeginSeconds() const;
    int fileEndSeconds() const;

    // The range as the Start button checks it: inside the recording and not reversed.
    bool rangeAllowed(const QTime &cutBegin, const QTime &cutEnd) const;
    void setChoices(const QString &strSavePath, const QTime &cutBegin, const QTime &cutEnd, bool bMp4);
    // The cut file "yyyyMMdd_hh.mm.ss_hh.mm.ss.h264" in the save folder.
    QString outputPath() const { return m_strOutput; }
    // The file the cut leaves: the MP4 after a conversion, else the raw cut.
    QString finalPath() const;
    // Why the last cut or its conversion failed ("No frame in the time range", a read or write error).
    QString failureReason() const { return m_strFailure; }

    // The whole cut on the calling thread, then the conversion; reports through the signals.
    void run();
    Result cut();
    // Asks the cut to end within a chunk (a conversion under way stops at its next frame); its
    // partial raw output stays.
    void stop();
    bool isStopped() const { return m_bStop; }
    // For tests: the size above which the start is entered by a jump.
    void setJumpThreshold(qint64 nBytes) { m_nJumpThreshold = nBytes; }

signals:
    void updateProcess(int nPos);
    void updateExportStatus(QString strStatus);
    void showMessage(QString strMessage);
    void convertFinishi(bool bSuccess);

private:
    struct Pass;
    bool openFiles(CFSFile &source, CFSFile &output, const QString &strTemp);
    bool moveIntoPlace(const QString &strTemp, const QString &strFinal);
    bool fail(const QString &strReason);
    Result cutFrom(CFSFile &source, CFSFile &output, qint64 nLength, qint64 nOffset);
    qint64 startPosition(CFSFile &source, qint64 nLength);
    QDateTime firstTimeAt(CFSFile &source, qint64 nPosition);
    void convert();

    QString m_strSource;
    QDate m_date;
    QTime m_fileBegin;
    QTime m_fileEnd;
    int m_nFileEndSeconds = 0;
    QString m_strSavePath;
    QTime m_cutBegin;
    QTime m_cutEnd;
    bool m_bMp4 = false;
    QString m_strOutput;
    int m_nEncodeType = 2;
    qint64 m_nFramesWritten = 0;
    QString m_strRawTemp; // the raw cut under its temporary name
    QString m_strFailure;
    bool m_bConverted = false;
    qint64 m_nJumpThreshold = JUMP_THRESHOLD;
    std::atomic<bool> m_bStop{false};
    std::atomic<bool> m_bConverting{false};
};
