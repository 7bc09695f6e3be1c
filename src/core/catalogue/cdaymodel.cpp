#include "cdaymodel.h"

#include "catalogue/crecordloader.h"
#include "common/crecordname.h"
#include "export/cexportindex.h"
#include "wfs.h"
#include "wfs_path.h"

#include <QFileInfo>

#include <algorithm>
#include <numeric>
#include <tuple>

namespace {
const int MAIN_STREAM = 0;
const int SECONDS_PER_DAY = CRecordName::SECONDS_PER_DAY;

QDateTime localTime(uint32_t packed)
{
    const wfs_date_time t = wfs_unpack_time(packed);
    return QDateTime(QDate(t.year, t.month, t.day), QTime(t.hour, t.minute, t.second));
}

// The letter between the first "[" and "]" of a name ("R" when there is none).
QChar alarmLetter(const QString &strName)
{
    const int nOpen = strName.indexOf('[');
    return nOpen >= 0 && nOpen + 2 < strName.size() && strName.at(nOpen + 2) == ']' ? strName.at(nOpen + 1) : QChar('R');
}

bool byPlace(const DayRecording &a, const DayRecording &b)
{
    return std::make_tuple(a.nDisk, a.nPart, a.nChannel, a.start, a.strPath) <
           std::make_tuple(b.nDisk, b.nPart, b.nChannel, b.start, b.strPath);
}

// The recording's last second, from its name's times: the recorder names a recording by its first
// and last second.
DayRecording fromName(const CRecordName &name, const QString &strPath)
{
    DayRecording r;
    r.nDisk = name.diskLetter() - 'a';
    r.nPart = name.partition();
    r.nChannel = name.channel();
    r.start = QDateTime(name.date(), name.begin());
    r.end = r.start.addSecs(name.endSeconds() - name.beginSeconds());
    r.cAlarm = alarmLetter(name.fileName());
    r.strKind = name.isRecovered() ? "recovered" : "listed";
    r.strPath = strPath;
    return r;
}
} // namespace

QString DayLane::label() const
{
    return CRecordName::channelLabel(nChannel);
}

QVector<DayRecording> CDayModel::loadDisks(bool bRecovered)
{
    QVector<DayRecording> all;
    IdeInfo ide;
    ide_get_info(&ide);
    CRecordLoader loader(MAIN_STREAM, [&all](const RecordPairs &pairs, const QVector<wfs_file_info_v2> &records) {
        for (int i = 0; i < pairs.size(); ++i) {
            const wfs_file_info_v2 &r = records[i];
            DayRecording d;
            d.nDisk = r.disk;
            d.nPart = r.part;
            d.nChannel = r.channel;
            d.start = localTime(r.start_time);
            d.end = localTime(r.end_time);
            d.cAlarm = QChar(wfs_alarm_letter(r.alarm)[0]);
            d.strKind = "listed";
            d.strPath = CRecordName::recordPath(r.disk, r.part, d.start.date(), r.channel, pairs[i].second);
            d.nBytes = qint64(r.length_kib) * 1024;
            all.append(d);
        }
    });
    loader.loadDataFromDisk(ide.ide_num);
    if (bRecovered) {
        std::vector<wfs_fragment> fragments;
        CRecordLoader::allRecoveredFragments(fragments);
        for (const wfs_fragment &f : fragments) {
            DayRecording d;
            d.nDisk = f.disk;
            d.nPart = f.part;
            d.nChannel = f.channel;
            d.start = localTime(f.start_time);
            d.end = localTime(f.end_time);
            d.cAlarm = QChar(wfs_alarm_letter(f.alarm)[0]);
            d.strKind = QString::fromLatin1(wfs_fragment_kind_name(f.kind));
            d.strPath = CRecordLoader::recoveredPath(f);
            d.nBytes = qint64(f.bytes);
            all.append(d);
        }
    }
    std::stable_sort(all.begin(), all.end(), byPlace);
    return all;
}

QVector<DayRecording> CDayModel::loadExport(const QString &strFolder)
{
    QVector<DayRecording> all;
    for (const QString &strRelative : CExportIndex::read(strFolder)) {
        const QString strPath = strFolder + "/" + strRelative;
        const CRecordName name(strRelative);
        if (!name.hasFolders() || !name.hasTimes()) continue;
        DayRecording d = fromName(name, strPath);
        d.nBytes = QFileInfo(strPath).size();
        all.append(d);
    }
    std::stable_sort(all.begin(), all.end(), byPlace);
    return all;
}

QList<QDate> CDayModel::days(const QVector<DayRecording> &recordings)
{
    QList<QDate> days;
    for (const DayRecording &r : recordings)
        for (QDate day = r.start.date(); r.end.isValid() && day <= r.end.date() && day.isValid(); day = day.addDays(1))
            if (!days.contains(day)) days.append(day);
    std::sort(days.begin(), days.end());
    return days;
}

CDayModel::CDayModel(const QDate &day, const QVector<DayRecording> &recordings)
    : m_day(day), m_recordings(recordings)
{
    const QDateTime midnight(day, QTime(0, 0));
    QVector<int> order(m_recordings.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [this](int a, int b) { return byPlace(m_recordings[a], m_recordings[b]); });
    for (int i : order) {
        const DayRecording &r = m_recordings[i];
        if (!r.start.isValid() || !r.end.isValid() || r.end < r.start) continue;
        // The recording's time [start, end), at least a second, clipped to the day.
        const qint64 nStart = midnight.secsTo(r.start);
        const qint64 nBegin = qMax<qint64>(0, nStart);
        const qint64 nEnd = qMin<qint64>(SECONDS_PER_DAY, qMax(midnight.secsTo(r.end), nStart + 1));
        if (nEnd <= nBegin) continue;
        if (m_lanes.isEmpty() || m_lanes.last().nDisk != r.nDisk || m_lanes.last().nPart != r.nPart ||
            m_lanes.last().nChannel != r.nChannel)
            m_lanes.append({r.nDisk, r.nPart, r.nChannel, {}});
        m_lanes.last().spans.append({int(nBegin), int(nEnd), i});
    }
}

QString CDayModel::clockText(int nSecond)
{
    return QString::asprintf("%02d:%02d:%02d", nSecond / 3600, nSecond / 60 % 60, nSecond % 60);
}
