// What a recording's path and file name say, with one rule for each: the disk letter, partition,
// day and channel of ".../ide<disk letter><partition>[/recovered]/<yyyy-mm-dd>/<channel folder>/<name>"
// (a recovered recording has the folder "recovered" after the partition), and the
// begin and end of a name "hh.mm.ss-hh.mm.ss...". Recorder paths ("/mnt/ide...") count channel
// folders from 000, exported folders from 001; channel() is 0-based for both.
//
// The day's end: a name or range whose end lies before its begin, or ends at "24.00.00", ends on
// the next day (a merged file "06.10.00-00.01.15" lasts 18 hours; "22.30.00-24.00.00" ends at
// midnight). An end equal to the begin is the same second.
#pragma once

#include <QDate>
#include <QString>
#include <QTime>

class CRecordName
{
public:
    static constexpr int SECONDS_PER_DAY = 86400;

    CRecordName() = default;
    // A whole path, or a bare file name (then only the times).
    explicit CRecordName(const QString &strPath);

    bool hasTimes() const { return m_begin.isValid(); }
    QTime begin() const { return m_begin; }
    QTime end() const { return m_end; } // "24.00.00" reads as 00:00:00
    int beginSeconds() const { return seconds(m_begin); }
    // Seconds from the begin's midnight: past 86399 when the recording ends on the next day.
    int endSeconds() const;
    bool crossesMidnight() const { return endSeconds() >= SECONDS_PER_DAY; }

    bool hasFolders() const { return m_date.isValid(); }
    bool isRecorderPath() const { return m_bRecorder; }
    bool isRecovered() const { return m_bRecovered; }
    char diskLetter() const { return m_cDisk; }
    int partition() const { return m_nPart; }
    QDate date() const { return m_date; }
    int channel() const { return m_nChannel; }
    QString fileName() const { return m_strName; }

    // Seconds of a time of day; 0 for an invalid one.
    static int seconds(const QTime &time) { return time.isValid() ? time.msecsSinceStartOfDay() / 1000 : 0; }
    // The end of a range in seconds from the begin's midnight, by the day's-end rule above.
    static int endSeconds(const QTime &begin, const QTime &end);
    static bool crossesMidnight(const QTime &begin, const QTime &end)
    {
        return endSeconds(begin, end) >= SECONDS_PER_DAY;
    }
    // A time as names write it: "hh.mm.ss", and an end at midnight as the day's end "24.00.00".
    static QString nameTime(const QTime &time, bool bEnd);
    // A channel as the tree, the export folders and the logs show it: 0-based channel + 1, three digits.
    static QString channelLabel(int nChannel);
    // "/mnt/ide<disk letter><partition>/<yyyy-mm-dd>/<channel, three digits from 000>/<name>".
    static QString recordPath(int nDisk, int nPart, const QDate &date, int nChannel, const QString &strName);

private:
    void parseTimes(const QString &strName);

    QTime m_begin, m_end;
    bool m_bEndOfDay = false; // the name ends at "24.00.00"
    bool m_bRecorder = false;
    bool m_bRecovered = false;
    char m_cDisk = 0;
    int m_nPart = -1;
    QDate m_date;
    int m_nChannel = -1;
    QString m_strName;
};
