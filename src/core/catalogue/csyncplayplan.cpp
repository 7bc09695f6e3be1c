#include "csyncplayplan.h"

#include "common/cglobalappdata.h"
#include "common/crecordname.h"

#include <algorithm>

namespace {
// Seconds of the day of a file's begin and end, by the recording-name rule; false without times.
bool fileTimes(const QString &strFileName, int &nBegin, int &nEnd)
{
    const CRecordName name(strFileName);
    nBegin = name.beginSeconds();
    nEnd = name.endSeconds();
    return name.hasTimes();
}
} // namespace

CSyncPlayPlan::CSyncPlayPlan(const QString &strChosenFileName, const QVector<SyncPlayFile> &dayFiles)
{
    if (!fileTimes(strChosenFileName, m_nBegin, m_nEnd) || m_nEnd <= m_nBegin)
        return;
    m_bValid = true;
    QMap<int, QVector<TimedFile>> channels;
    for (const SyncPlayFile &file : dayFiles) {
        int nBegin, nEnd;
        if (fileTimes(file.strFileName, nBegin, nEnd) && nEnd > nBegin && file.nChannel >= 0)
            channels[file.nChannel].append({nBegin, nEnd, file.strPath});
    }
    for (auto it = channels.cbegin(); it != channels.cend(); ++it) {
        const QStringList paths = channelQueue(it.value());
        if (paths.isEmpty())
            continue;
        if (it.key() < kWindowCount)
            m_queues.insert(it.key(), paths);
        else
            m_withoutWindow.append(it.key());
    }
}

QStringList CSyncPlayPlan::channelQueue(QVector<TimedFile> files) const
{
    std::stable_sort(files.begin(), files.end(),
                     [](const TimedFile &a, const TimedFile &b) { return a.nBegin < b.nBegin; });
    auto first = std::find_if(files.begin(), files.end(),
                              [this](const TimedFile &f) { return f.nBegin <= m_nBegin && m_nBegin < f.nEnd; });
    if (first == files.end())
        first = std::find_if(files.begin(), files.end(),
                             [this](const TimedFile &f) { return f.nBegin >= m_nBegin && f.nBegin < m_nEnd; });
    QStringList paths;
    for (auto it = first; it != files.end(); ++it)
        paths << it->strPath;
    return paths;
}

int CSyncPlayPlan::windowCount() const
{
    return m_queues.isEmpty() ? 0 : m_queues.lastKey() + 1;
}

QString CSyncPlayPlan::withoutWindowMessage() const
{
    if (m_withoutWindow.isEmpty())
        return QString();
    QStringList channels;
    for (int nChannel : m_withoutWindow)
        channels << CRecordName::channelLabel(nChannel);
    return tr("Channels %1 cannot play in step: the wall has %2 windows.")
        .arg(channels.join(", "))
        .arg(kWindowCount);
}

void CSyncPlayPlan::fillQueues(CGlobalAppData *pData) const
{
    pData->clearWndPaths(-1);
    for (auto it = m_queues.cbegin(); it != m_queues.cend(); ++it)
        pData->appendWndPaths(it.key(), it.value());
}
