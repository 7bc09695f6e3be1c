// Which recordings of a day play in step, and in which window, when "Sync Play" is chosen
// on one of them. Free of widgets: the Disk and Local pages describe the day's files as
// (channel, file name, path) and get the per-window queues back.
//
// The chosen file gives the begin B and end E. A channel's queue starts with its file that
// covers B or, when none does, its first file that begins in B..E; then come all its later
// files of the day. Times are read from the file names ("hh.mm.ss-hh.mm.ss...") by the
// recording-name rule: an end before the begin lies after midnight. The window of a channel is its
// number; channels 16 and up have no window and are reported, not queued.
#pragma once

#include <QCoreApplication>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QVector>

class CGlobalAppData;

struct SyncPlayFile
{
    int nChannel = 0; // 0-based
    QString strFileName;
    QString strPath;
};

class CSyncPlayPlan
{
    Q_DECLARE_TR_FUNCTIONS(CSyncPlayPlan)
public:
    static constexpr int kWindowCount = 16;

    CSyncPlayPlan(const QString &strChosenFileName, const QVector<SyncPlayFile> &dayFiles);

    bool isValid() const { return m_bValid; }
    int beginSecond() const { return m_nBegin; }
    int endSecond() const { return m_nEnd; }
    // Window number -> paths in playing order; only windows with something to play.
    const QMap<int, QStringList> &queues() const { return m_queues; }
    // The windows the wall has to show: the highest window used + 1 (0 when none).
    int windowCount() const;
    // Channels (0-based) that had files to play but no window.
    const QList<int> &channelsWithoutWindow() const { return m_withoutWindow; }
    // The notice for those channels; empty when there are none.
    QString withoutWindowMessage() const;

    // Clears every window's queue and fills the queues of the plan.
    void fillQueues(CGlobalAppData *pData) const;

private:
    struct TimedFile
    {
        int nBegin;
        int nEnd;
        QString strPath;
    };
    QStringList channelQueue(QVector<TimedFile> files) const;

    bool m_bValid = false;
    int m_nBegin = 0;
    int m_nEnd = 0;
    QMap<int, QStringList> m_queues;
    QList<int> m_withoutWindow;
};
