#include "playback/cplaymanage.h"

#include "common/cglobalappdata.h"

#include <QDebug>
#include <QTimerEvent>

#include <atomic>

namespace {
std::atomic<CPlayManage *> g_pManage{nullptr};
}

CPlayManage *CPlayManage::instance()
{
    if (!g_pManage) g_pManage = new CPlayManage;
    return g_pManage;
}

CPlayManage *CPlayManage::existing()
{
    return g_pManage;
}

void CPlayManage::release()
{
    delete g_pManage.exchange(nullptr);
}

CPlayManage::CPlayManage() = default;

CPlayManage::~CPlayManage()
{
    if (m_nTimerId != -1) killTimer(m_nTimerId);
    for (CPlay *&pPort : m_pPorts) {
        delete pPort;
        pPort = nullptr;
    }
}

bool CPlayManage::CreatePort(TSDK_WINDOW hWnd, int nIndex, CPlay::StopNotify pNotify, void *pContext)
{
    if (nIndex < 0 || nIndex >= kPortCount) return false;
    delete m_pPorts[nIndex];
    m_pPorts[nIndex] = new CPlay(nullptr, hWnd, nIndex, pNotify, pContext);
    return true;
}

CPlay *CPlayManage::Port(int nIndex) const
{
    return nIndex >= 0 && nIndex < kPortCount ? m_pPorts[nIndex] : nullptr;
}

CPlay *CPlayManage::playing(int nIndex) const
{
    CPlay *pPort = Port(nIndex);
    return pPort && pPort->IsPlaying() ? pPort : nullptr;
}

void CPlayManage::StartPacing()
{
    if (m_nTimerId != -1) killTimer(m_nTimerId);
    m_nTimerId = startTimer(500);
}

void CPlayManage::timerEvent(QTimerEvent *pEvent)
{
    if (pEvent->timerId() == m_nTimerId) UpdatePacing();
}

void CPlayManage::ChooseSlowest(const quint32 nTimes[kPortCount], int &nSlowest, int &nFastest)
{
    nSlowest = -1;
    nFastest = -1;
    for (int i = 0; i < kPortCount; ++i) {
        if (nTimes[i] == 0) continue;
        if (nSlowest < 0 || nTimes[i] < nTimes[nSlowest]) nSlowest = i;
        if (nFastest < 0 || nTimes[i] > nTimes[nFastest]) nFastest = i;
    }
}

void CPlayManage::UpdatePacing()
{
    quint32 nTimes[kPortCount];
    for (int i = 0; i < kPortCount; ++i) {
        CPlay *pPort = playing(i);
        nTimes[i] = pPort ? pPort->GetFrameTime() : 0;
    }
    int nSlowest, nFastest;
    ChooseSlowest(nTimes, nSlowest, nFastest);
    CGlobalAppData::instance()->setSlowestWnd(nSlowest);
    CGlobalAppData::instance()->setFastestWnd(nFastest);
    if (nSlowest < 0) return;
    for (int i = 0; i < kPortCount; ++i)
        if (CPlay *pPort = playing(i); pPort && i != nSlowest) pPort->SetSyncWait(1);
}

bool CPlayManage::PlayRecord(int nIndex, const QString &strPath, bool bSync)
{
    CPlay *pPort = Port(nIndex);
    if (!pPort) return false;
    pPort->StopPlay();
    return pPort->OpenRecord(strPath, bSync);
}

bool CPlayManage::PlayRecordAt(int nIndex, const QString &strPath, int nSecondOfDay, bool bSync)
{
    CPlay *pPort = Port(nIndex);
    return pPort && pPort->OpenRecordAt(strPath, nSecondOfDay, bSync);
}

void CPlayManage::StopPort(int nIndex)
{
    if (CPlay *pPort = Port(nIndex)) pPort->StopPlay();
}

void CPlayManage::StopAll()
{
    for (int i = 0; i < kPortCount; ++i) StopPort(i);
    CGlobalAppData::instance()->setSlowestWnd(-1);
    CGlobalAppData::instance()->setFastestWnd(-1);
}

void CPlayManage::TogglePause(int nIndex)
{
    CPlay *pPort = Port(nIndex);
    if (!pPort) return;
    switch (pPort->GetStatus()) {
    case CPlay::statusPaused: pPort->Pause(false); break;
    case CPlay::statusPlaying: pPort->Pause(true); break;
    case CPlay::statusFrame: pPort->ResumeNormal(); break;
    default: break;
    }
}

int CPlayManage::GetPlayPos(int nIndex)
{
    CPlay *pPort = playing(nIndex);
    return pPort ? pPort->GetPlayPos() : 0;
}

bool CPlayManage::SetPlayPos(int nIndex, float fPos)
{
    CPlay *pPort = playing(nIndex);
    if (!pPort) return true;
    quint32 nStamp = 0;
    const int nTime = pPort->SetPlayPos(fPos, &nStamp);
    if (!pPort->IsSyncMode()) return true;
    if (nTime < 0) return false;
    for (int i = 0; i < kPortCount; ++i)
        if (CPlay *pOther = playing(i); pOther && i != nIndex) pOther->SeekToTime(nStamp);
    return true;
}

int CPlayManage::GetSpeed(int nIndex)
{
    CPlay *pPort = Port(nIndex);
    return pPort ? pPort->GetSpeed() : 5;
}

int CPlayManage::GetIndexState(int nIndex)
{
    CPlay *pPort = playing(nIndex);
    if (!pPort) return -1;
    return pPort->IsSyncMode() ? (pPort->IsIndexReady() ? 1 : 0) : 1;
}

bool CPlayManage::PlayFast(int nIndex)
{
    CPlay *pPort = playing(nIndex);
    return pPort && pPort->PlayFast();
}

bool CPlayManage::PlaySlow(int nIndex)
{
    CPlay *pPort = playing(nIndex);
    return pPort && pPort->PlaySlow();
}

bool CPlayManage::PlayNextFrame(int nIndex)
{
    CPlay *pPort = playing(nIndex);
    return pPort && pPort->PlayNextFrame();
}

bool CPlayManage::PlayPrevFrame(int nIndex)
{
    CPlay *pPort = playing(nIndex);
    return pPort && pPort->PlayPrevFrame();
}

bool CPlayManage::CatchPicture(int nIndex, const QString &strFolder)
{
    CPlay *pPort = playing(nIndex);
    return pPort && pPort->CatchPicture(strFolder);
}

bool CPlayManage::StartRecord(int nIndex, const QString &strFolder)
{
    CPlay *pPort = playing(nIndex);
    return pPort && pPort->StartRecord(strFolder);
}

bool CPlayManage::StopRecord(int nIndex)
{
    CPlay *pPort = playing(nIndex);
    if (!pPort) return false;
    pPort->StopRecord();
    return true;
}

void CPlayManage::OpenSound(int nIndex)
{
    if (CPlay *pPort = playing(nIndex)) pPort->OpenSound();
}

void CPlayManage::CloseSound(int nIndex)
{
    if (CPlay *pPort = playing(nIndex)) pPort->CloseSound();
}

bool CPlayManage::SetDisplayRegion(int nIndex, const QPoint &topLeft, const QPoint &bottomRight, bool bOn)
{
    CPlay *pPort = playing(nIndex);
    return pPort && pPort->SetDisplayRegion(topLeft, bottomRight, bOn);
}

bool CPlayManage::GetGpsInfo(int nIndex, GpsInfo *pGpsInfo)
{
    CPlay *pPort = playing(nIndex);
    return pPort && pPort->GetGpsInfo(pGpsInfo);
}

bool CPlayManage::StartSyncJoin()
{
    int nMain = 0;
    for (CPlay *pPort : m_pPorts) {
        const int nHandle = pPort ? pPort->GetHandle() : 0;
        if (nHandle <= 0) continue;
        if (nMain <= 0) {
            nMain = nHandle;
        } else if (nHandle != nMain) {
            const int nRet = TPLAY_Synor_Join(nMain, nHandle);
            qInfo() << "Main " << nMain << " Join " << nHandle << " nRet " << nRet;
        }
    }
    return true;
}

void CPlayManage::SyncPlay(int nSyncTime)
{
    CGlobalAppData *pData = CGlobalAppData::instance();
    pData->setSlowestWnd(-1);
    pData->setFastestWnd(-1);
    QStringList paths;
    for (int i = 0; i < kPortCount; ++i) paths << pData->takeWndPath(i);
    for (int i = 0; i < kPortCount; ++i) {
        if (paths[i].isEmpty()) continue;
        PlayRecordAt(i, paths[i], nSyncTime, true);
        qInfo() << "Sync Play " << i << paths[i];
    }
}

QString CPlayManage::GetPath(int nIndex)
{
    CPlay *pPort = Port(nIndex);
    return pPort ? pPort->GetPath() : QString();
}

bool CPlayManage::IsPlaying(int nIndex)
{
    return playing(nIndex) != nullptr;
}

bool CPlayManage::IsSyncMode(int nIndex)
{
    CPlay *pPort = Port(nIndex);
    return pPort && pPort->IsSyncMode();
}

bool CPlayManage::IsAnySyncMode()
{
    for (int i = 0; i < kPortCount; ++i)
        if (IsSyncMode(i)) return true;
    return false;
}

int CPlayManage::GetSecondOfDay(int nIndex)
{
    CPlay *pPort = Port(nIndex);
    return pPort ? pPort->GetSecondOfDay() : 0;
}

quint32 CPlayManage::GetFrameTime(int nIndex)
{
    CPlay *pPort = Port(nIndex);
    return pPort ? pPort->GetFrameTime() : 0;
}

qint64 CPlayManage::GetCurTime(int nIndex)
{
    CPlay *pPort = playing(nIndex);
    return pPort ? pPort->GetCurTime() : 0;
}

QTime CPlayManage::GetEndClock(int nIndex)
{
    CPlay *pPort = playing(nIndex);
    return pPort ? pPort->GetEndClock() : QTime();
}

qint64 CPlayManage::GetTimeAtPos(int nIndex, double dFraction)
{
    CPlay *pPort = playing(nIndex);
    return pPort ? pPort->TimeAtFraction(dFraction) : 0;
}

int CPlayManage::GetHour(int nIndex)
{
    CPlay *pPort = Port(nIndex);
    return pPort ? pPort->GetHour() : 0;
}

int CPlayManage::GetMinute(int nIndex)
{
    CPlay *pPort = Port(nIndex);
    return pPort ? pPort->GetMinute() : 0;
}

int CPlayManage::GetSecond(int nIndex)
{
    CPlay *pPort = Port(nIndex);
    return pPort ? pPort->GetSecond() : 0;
}

int CPlayManage::GetStatus(int nIndex)
{
    CPlay *pPort = Port(nIndex);
    return pPort ? pPort->GetStatus() : 0;
}

bool CPlayManage::IsRecording(int nIndex)
{
    CPlay *pPort = Port(nIndex);
    return pPort && pPort->IsRecording();
}

bool CPlayManage::IsSoundOn(int nIndex)
{
    CPlay *pPort = Port(nIndex);
    return pPort && pPort->IsSoundOn();
}

bool CPlayManage::IsZoom(int nIndex)
{
    CPlay *pPort = Port(nIndex);
    return pPort && pPort->IsZoom();
}
