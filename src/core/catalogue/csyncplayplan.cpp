#include "csyncplayplan.h"

#include "common/cglobalappdata.h"

#include <algorithm>
#include <cstdio>

namespace {
const int DAY = 86400;
const int LATE_BEGIN_HOUR = 22;
} // namespace

bool CSyncPlayPlan::fileTimes(const QString &strFileName, int &nBegin, int &nEnd)
{
    int bh, bm, bs, eh, em, es;
    if (sscanf(strFileName.toLatin1().constData(), "%02d.%02d.%02d-%02d.%02d.%02d", &bh, &bm, &bs, &eh, &em, &es) != 6)
        return false;
    nBegin = bh * 3600 + bm * 60 + bs;
    nEnd = eh * 3600 + em * 60 + es;
    if (eh == 0 && bh >= LATE_BEGIN_HOUR && nEnd < nBegin)
        nEnd += DAY;
    return true;
}

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
        channels << QString("%1").arg(nChannel + 1, 3, 10, QChar('0'));
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
