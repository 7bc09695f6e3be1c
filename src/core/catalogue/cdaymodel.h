// A day's recordings as spans of time, per disk, partition and channel: what the timeline draws and
// the case report pictures and counts. A recording that crosses midnight is one recording that
// appears on both days, clipped at midnight (it ends at 24:00:00 on the first, starts at 00:00:00
// on the second). Free of widgets.
#pragma once

#include <QCoreApplication>
#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QVector>

// One recording, as listed on a disk, recovered from it, or read back from an export folder.
struct DayRecording {
    int nDisk = 0;    // 0-based disk index (the letter of "ide<letter>"); 0 for an export folder
    int nPart = 0;
    int nChannel = 0; // 0-based
    QDateTime start;  // local date-time of its first and last second
    QDateTime end;
    QChar cAlarm = 'R'; // the type letter of its name: R, A, M, C or H
    QString strKind;    // "listed", or the recovered kind: "tail", "hidden", "beyond" ("recovered" for a copy)
    QString strPath;    // what "korvane-cli list" or "recover" prints, or the copy's path
    qint64 nBytes = 0;

    bool isRecovered() const { return strKind != QLatin1String("listed"); }
};

// A recording's part within one day, in seconds from the day's midnight (0 to 86400).
struct DaySpan {
    int nBegin = 0;
    int nEnd = 0;
    int nRecording = -1; // index into the recordings the model was made from
};

// The spans of one channel of one partition of one disk.
struct DayLane {
    int nDisk = 0;
    int nPart = 0;
    int nChannel = 0;
    QVector<DaySpan> spans; // by begin

    // The channel as the tree shows it: 0-based channel + 1, three digits.
    QString label() const;
};

class CDayModel
{
    Q_DECLARE_TR_FUNCTIONS(CDayModel)
public:
    // Every recording of the disks the library holds (main streams, as the Disk page lists them)
    // and, with bRecovered, every recovered fragment; sorted by disk, partition, channel, start.
    static QVector<DayRecording> loadDisks(bool bRecovered);
    // The recordings of an export folder, from its "index.data" (and its "recovered" folder).
    static QVector<DayRecording> loadExport(const QString &strFolder);
    // Every day on which some recording runs, in order.
    static QList<QDate> days(const QVector<DayRecording> &recordings);

    CDayModel(const QDate &day, const QVector<DayRecording> &recordings);

    QDate day() const { return m_day; }
    bool isEmpty() const { return m_lanes.isEmpty(); }
    // The lanes with a span on the day, by disk, partition, channel.
    const QVector<DayLane> &lanes() const { return m_lanes; }
    const DayRecording &recording(const DaySpan &span) const { return m_recordings[span.nRecording]; }
    const QVector<DayRecording> &recordings() const { return m_recordings; }
    // "HH:MM:SS" of a second of the day; 86400 is "24:00:00".
    static QString clockText(int nSecond);

private:
    QDate m_day;
    QVector<DayRecording> m_recordings;
    QVector<DayLane> m_lanes;
};
