#include "crecordname.h"

#include <QRegularExpression>

namespace {
const int NAME_TIMES_LENGTH = 17; // "hh.mm.ss-hh.mm.ss"

// "hh.mm.ss" of a name, with "24.00.00" as midnight; invalid otherwise.
QTime nameClock(const QString &strText, bool *pEndOfDay)
{
    if (strText == "24.00.00") {
        *pEndOfDay = true;
        return QTime(0, 0, 0);
    }
    return QTime::fromString(strText, "hh.mm.ss");
}
} // namespace

CRecordName::CRecordName(const QString &strPath)
{
    static const QRegularExpression layout(
        "(?:^|/)ide([a-z])(\\d+)/(recovered/)?(\\d{4}-\\d{2}-\\d{2})/(\\d{3})/([^/]+)$");
    const QString strClean = QString(strPath).replace('\\', '/');
    const QRegularExpressionMatch match = layout.match(strClean);
    if (match.hasMatch()) {
        m_bRecorder = strClean.startsWith("/mnt/ide");
        m_cDisk = match.captured(1).at(0).toLatin1();
        m_nPart = match.captured(2).toInt();
        m_bRecovered = !match.captured(3).isEmpty();
        m_date = QDate::fromString(match.captured(4), "yyyy-MM-dd");
        m_nChannel = match.captured(5).toInt() - (m_bRecorder ? 0 : 1);
        m_strName = match.captured(6);
        if (m_nChannel < 0) m_date = QDate();
    } else {
        m_strName = strClean.mid(strClean.lastIndexOf('/') + 1);
    }
    parseTimes(m_strName);
}

void CRecordName::parseTimes(const QString &strName)
{
    if (strName.size() < NAME_TIMES_LENGTH || strName.at(8) != '-') return;
    bool bBeginEndOfDay = false;
    const QTime begin = nameClock(strName.left(8), &bBeginEndOfDay);
    const QTime end = nameClock(strName.mid(9, 8), &m_bEndOfDay);
    if (!begin.isValid() || !end.isValid() || bBeginEndOfDay) {
        m_bEndOfDay = false;
        return;
    }
    m_begin = begin;
    m_end = end;
}

int CRecordName::endSeconds() const
{
    if (!hasTimes()) return 0;
    return m_bEndOfDay ? SECONDS_PER_DAY : endSeconds(m_begin, m_end);
}

int CRecordName::endSeconds(const QTime &begin, const QTime &end)
{
    const int nEnd = seconds(end);
    return nEnd < seconds(begin) ? nEnd + SECONDS_PER_DAY : nEnd;
}

QString CRecordName::nameTime(const QTime &time, bool bEnd)
{
    if (bEnd && time == QTime(0, 0, 0)) return "24.00.00";
    return time.toString("hh.mm.ss");
}

QString CRecordName::channelLabel(int nChannel)
{
    return QString("%1").arg(nChannel + 1, 3, 10, QChar('0'));
}

QString CRecordName::recordPath(int nDisk, int nPart, const QDate &date, int nChannel, const QString &strName)
{
    return QString::asprintf("/mnt/ide%c%d/%04d-%02d-%02d/%03d/", 'a' + nDisk, nPart, date.year(), date.month(),
                             date.day(), nChannel) +
           strName;
}
