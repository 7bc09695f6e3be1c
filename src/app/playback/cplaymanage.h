// The owner of the sixteen playback ports, one per video window: every request of the
// interface reaches a port through it by window number, and its 500 ms pacing keeps
// synchronously played windows at the same time of day.
#pragma once

#include "playback/cplay.h"

#include <QObject>
#include <QPoint>
#include <QString>

class CPlayManage : public QObject
{
    Q_OBJECT
public:
    static constexpr int kPortCount = 16;

    // The manager, created on first use.
    static CPlayManage *instance();
    // The manager if it exists; null otherwise (safe from worker threads).
    static CPlayManage *existing();
    static void release();

    bool CreatePort(TSDK_WINDOW hWnd, int nIndex, CPlay::StopNotify pNotify, void *pContext);
    void StartPacing();
    bool PlayRecord(int nIndex, const QString &strPath, bool bSync);
    bool PlayRecordAt(int nIndex, const QString &strPath, int nSecondOfDay, bool bSync);
    void StopPort(int nIndex);
    void StopAll();
    void TogglePause(int nIndex);
    int GetPlayPos(int nIndex);
    bool SetPlayPos(int nIndex, float fPos);
    int GetSpeed(int nIndex);
    int GetIndexState(int nIndex);
    bool PlayFast(int nIndex);
    bool PlaySlow(int nIndex);
    bool PlayNextFrame(int nIndex);
    bool PlayPrevFrame(int nIndex);
    bool CatchPicture(int nIndex, const QString &strFolder);
    bool StartRecord(int nIndex, const QString &strFolder);
    bool StopRecord(int nIndex);
    void OpenSound(int nIndex);
    void CloseSound(int nIndex);
    bool SetDisplayRegion(int nIndex, const QPoint &topLeft, const QPoint &bottomRight, bool bOn);
    // The GPS block of window n's newest frame information; its valid flag (false when not playing).
    bool GetGpsInfo(int nIndex, GpsInfo *pGpsInfo);
    bool StartSyncJoin();
    void SyncPlay(int nSyncTime);
    // One pacing pass: choose the slowest and fastest synchronised window and hold the others.
    void UpdatePacing();
    // The windows with the earliest and the latest frame date-time (packed; 0 = none yet), -1 when
    // none has one; the first window found keeps a tie. Full date-times, so a window past midnight
    // is ahead of one still before it.
    static void ChooseSlowest(const quint32 nTimes[kPortCount], int &nSlowest, int &nFastest);

    QString GetPath(int nIndex);
    bool IsPlaying(int nIndex);
    bool IsSyncMode(int nIndex);
    bool IsAnySyncMode();
    int GetSecondOfDay(int nIndex);
    quint32 GetFrameTime(int nIndex);
    // The recorder clock of window n's picture (seconds since 1970, local time; 0: none).
    qint64 GetCurTime(int nIndex);
    // The end of window n's recording on the recorder clock; invalid when not playing or unknown.
    QTime GetEndClock(int nIndex);
    // The recorder clock at a fraction of window n's recording, once indexed (0 otherwise).
    qint64 GetTimeAtPos(int nIndex, double dFraction);
    int GetHour(int nIndex);
    int GetMinute(int nIndex);
    int GetSecond(int nIndex);
    int GetStatus(int nIndex);
    bool IsRecording(int nIndex);
    bool IsSoundOn(int nIndex);
    bool IsZoom(int nIndex);
    CPlay *Port(int nIndex) const;

protected:
    void timerEvent(QTimerEvent *pEvent) override;

private:
    CPlayManage();
    ~CPlayManage() override;
    CPlay *playing(int nIndex) const;

    int m_nTimerId = -1;
    CPlay *m_pPorts[kPortCount] = {};
};
