#include "playback/cplay.h"

#include "common/cfsfile.h"
#include "common/cdiskreadlocker.h"
#include "common/cglobalappdata.h"
#include "common/crecordname.h"
#include "playback/cplaymanage.h"

#include "streamreader.h"

#include <QDateTime>
#include <QDebug>
#include <QDesktopServices>
#include <QDir>
#include <QThread>
#include <QUrl>

#include <json/json.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <thread>

namespace {
const char *const kKeys[3] = {"7d3f9a21c4e84b06a5f2e91b0c6d8e37", "b91c4e07f2a64d3895e0c7a1d4f6b228",
                              "4e8a0d6c1f9b47e2a3c5d7f90b1e2c64"};
QMutex g_initMutex;
bool g_bSdkReady = false;

void initSdk(CPlay *pFirst)
{
    QMutexLocker locker(&g_initMutex);
    if (g_bSdkReady) return;
    g_bSdkReady = true;
    TSDK_INIT_PARAM init;
    memset(&init, 0, sizeof init);
    const QByteArray logDir = QDir::toNativeSeparators(CGlobalAppData::instance()->logPath() + "/").toLocal8Bit();
    strncpy(init.szLogDir, logDir.constData(), sizeof init.szLogDir - 1);
    strncpy(init.szLogDir2, logDir.constData(), sizeof init.szLogDir2 - 1);
    strncpy(init.szKey1, kKeys[0], sizeof init.szKey1 - 1);
    strncpy(init.szKey2, kKeys[1], sizeof init.szKey2 - 1);
    strncpy(init.szKey3, kKeys[2], sizeof init.szKey3 - 1);
    init.nMode = 7;
    init.msgCallBack.pCallBack = &CPlay::MainMsgCallBack;
    init.msgCallBack.pUser = pFirst;
    TSDK_Init(&init);
}

// Sleeps in steps of nStepMs while the condition holds; false when stop was asked.
template <typename Cond> bool sleepWhile(const std::atomic<bool> &bStop, int nStepMs, Cond cond)
{
    while (cond()) {
        if (bStop) return false;
        QThread::msleep(nStepMs);
    }
    return !bStop;
}
} // namespace

CPlay::CPlay(QObject *parent, TSDK_WINDOW hWnd, int nPort, StopNotify pNotify, void *pContext)
    : QObject(parent), m_pStopNotify(pNotify), m_pContext(pContext), m_nPort(nPort), m_hWnd(hWnd), m_frameInfo(nPort), m_fileIndex(nPort)
{
    m_callBack.nType = 0;
    m_callBack.pCallBack = &CPlay::MainMsgCallBack;
    m_callBack.pUser = this;
    m_pPlayThread = new CMyThread(&CPlay::PlayThread, this, this);
    initSdk(this);
}

CPlay::~CPlay()
{
    m_bStopPlay = true;
    m_pPlayThread->wait(2000);
    m_fileIndex.StopFileIndex(2000);
    if (m_pPlayThread->isRunning())
        qWarning() << "workers still running at destruction, port" << m_nPort;
    if (m_nPlayHandle > 0) TPLAY_Stop(m_nPlayHandle.exchange(0));
}

CPlay::SourceMode CPlay::SourceModeOf(const QString &strPath)
{
    if (strPath.contains("/mnt/ide")) return sourceWfs;
    if (strPath.contains("/ide")) return sourceLocalCopy;
    return sourceFile;
}

bool CPlay::ParseNameTimes(const QString &strPath, int &nStart, int &nEnd)
{
    const CRecordName name(strPath);
    if (!name.hasFolders() || !name.hasTimes()) return false;
    nStart = name.beginSeconds();
    nEnd = name.endSeconds();
    return true;
}

quint32 CPlay::PackedFrameTime(const H264_PARSER_FRAME *pFrame)
{
    if (pFrame->nYear < 2000) return 0;
    return (pFrame->nYear - 2000) << 26 | pFrame->nMonth << 22 | pFrame->nDay << 17 | pFrame->nHour << 12 |
           pFrame->nMinute << 6 | pFrame->nSecond;
}

QTime CPlay::GetEndClock() const
{
    int nStart = 0, nEnd = 0;
    if (ParseNameTimes(GetPath(), nStart, nEnd)) return QTime(0, 0).addSecs(nEnd % 86400);
    const qint64 nEndTime = m_nEndTime;
    return nEndTime > 0 ? QDateTime::fromSecsSinceEpoch(nEndTime).time() : QTime();
}

qint64 CPlay::TimeAtFraction(double dFraction) const
{
    if (!m_fileIndex.IsIndexReady()) return 0;
    return StampToEpoch(m_fileIndex.FirstTime()) + qint64(dFraction * double(m_fileIndex.Duration()));
}

QString CPlay::GetPath() const
{
    QMutexLocker locker(&m_pathMutex);
    return m_strFilePath;
}

void CPlay::setPath(const QString &strPath)
{
    QMutexLocker locker(&m_pathMutex);
    m_strFilePath = strPath;
    m_nSource = SourceModeOf(strPath);
}

bool CPlay::OpenRecord(const QString &strPath, bool bSync)
{
    waitWorkersIdle();
    setPath(strPath);
    m_bSyncMode = bSync;
    int nStart = 0, nEnd = 0;
    if (ParseNameTimes(strPath, nStart, nEnd)) m_nDuration = nEnd - nStart;
    startWorkers();
    return true;
}

bool CPlay::OpenRecordAt(const QString &strPath, int nStartSecond, bool bSync)
{
    waitWorkersIdle();
    m_nDuration = 0;
    setPath(strPath);
    m_bSyncMode = bSync;
    int nStart = 0, nEnd = 0;
    if (ParseNameTimes(strPath, nStart, nEnd)) m_nDuration = nEnd - nStart;
    if (bSync && m_nDuration > 0) {
        CFSFile file;
        qint64 nLength = 0;
        if (file.Open(strPath, CFSFile::modeRead)) {
            CDiskReadLocker locker;
            nLength = file.GetLength();
        }
        if (nLength <= 1024 || nLength > 4294967294LL) nLength = 0;
        m_nFileLength = nLength;
        if (nStartSecond > nStart) {
            m_nSeekPos = qint64(double(nLength) * (double(nStartSecond - nStart) / m_nDuration));
            m_bSeek = true;
        }
    }
    startWorkers();
    return true;
}

void CPlay::startWorkers()
{
    m_bStopPlay = false;
    m_pPlayThread->start(QThread::InheritPriority);
    m_fileIndex.StartFileIndex(GetPath(), m_bSyncMode);
}

void CPlay::RestartFileIndex()
{
    m_fileIndex.RestartFileIndex(GetPath(), m_bSyncMode);
}

void CPlay::PlayThread(void *pArgument)
{
    static_cast<CPlay *>(pArgument)->playRecord();
}

void CPlay::playRecord()
{
    qInfo() << "PlayThread start " << m_nPort;
    if (m_nSource == sourceFile)
        playFileMode();
    else
        pushMode();
    qInfo() << "PlayThread Exit " << m_nPort;
}

void CPlay::playFileMode()
{
    TSDK_CALLBACK_INFO info = m_callBack;
    const QByteArray path = GetPath().toLocal8Bit();
    const int nHandle = TPLAY_OpenFilePlay(&info, path.constData(), m_hWnd, 0, 0);
    if (nHandle <= 0) return;
    m_nPlayHandle = nHandle;
    if (TPLAY_Play(nHandle) >= 0) m_nPlayStatus = statusPlaying;
}

// A new player (after a seek, or for the next file) starts with sound off, no display region and
// normal speed: it gets what the window had. A clip belonged to the old player and ended with it.
void CPlay::carryOverToNewPlayer()
{
    m_bRecording = false;
    if (m_bSound) TPLAY_PlaySound(m_nPlayHandle);
    if (m_bZoom) {
        QMutexLocker locker(&m_regionMutex);
        TPLAY_PlaySetDisplayRegion(m_nPlayHandle, &m_zoomRegion);
    }
    if (m_nSpeed != 5) TPLAY_SetPlaySpeed(m_nPlayHandle, m_nSpeed - 5);
}

bool CPlay::openPushPlayer()
{
    TSDK_CALLBACK_INFO info = m_callBack;
    const int nHandle = TPLAY_OpenPlay(&info, m_hWnd, 100, 0, 0);
    if (nHandle <= 0) return false;
    m_nPlayHandle = nHandle;
    if (TPLAY_Play(nHandle) < 0) {
        TPLAY_Stop(m_nPlayHandle.exchange(0));
        return false;
    }
    carryOverToNewPlayer();
    return true;
}

void CPlay::pushMode()
{
    std::unique_ptr<unsigned char[]> buffer(new unsigned char[kBlockSize + 1]);
    void *pParser = H264_PARSER_Create(0);
    m_bBufferFull = false;
    const bool bSync = m_bSyncMode;
    bool bOk = openPushPlayer();
    while (bOk && !m_bStopPlay) {
        CFSFile file;
        if (!playOneFile(file, pParser, buffer.get())) break;
        if (!bSync || m_bStopPlay) break;
        const QString strNext = CGlobalAppData::instance()->takeWndPath(m_nPort);
        if (strNext.isEmpty()) break;
        setPath(strNext);
        m_bSyncMode = true;
        RestartFileIndex();
        // Every queued file gets a player of its own; the last one ended with its file.
        if (m_nPlayHandle > 0) TPLAY_Stop(m_nPlayHandle.exchange(0));
        m_nSpeed = m_nSpeedAtEnd;
        bOk = openPushPlayer();
    }
    finishPlay();
    H264_PARSER_Destroy(pParser);
}

bool CPlay::playOneFile(CFSFile &file, void *&pParser, unsigned char *pBuffer)
{
    clearFrameClock();
    bool bOpen = openFile(file);
    if (bOpen) {
        seekFile(file, 0);
        m_nPlayStatus = statusPlaying;
    }
    for (;;) {
        while (bOpen && readAndPush(file, pParser, pBuffer)) {
        }
        file.Close();
        m_nReadPos = 0;
        if (!waitPlayEnd()) return false;
        if (!m_bSeek) return true;
        bOpen = openFile(file);
    }
}

bool CPlay::openFile(CFSFile &file)
{
    if (!file.Open(GetPath(), CFSFile::modeRead)) return false;
    CDiskReadLocker locker;
    m_nFileLength = file.GetLength();
    return true;
}

void CPlay::seekFile(CFSFile &file, qint64 nPos)
{
    CDiskReadLocker locker;
    if (isWfs()) file.Seek(0, SEEK_SET);
    file.Seek(nPos, SEEK_SET);
    m_nReadPos = nPos;
}

qint64 CPlay::readBlock(CFSFile &file, unsigned char *pBuffer)
{
    memset(pBuffer, 0, kBlockSize + 1);
    qint64 nRead;
    if (isWfs()) {
        CDiskReadLocker locker;
        nRead = file.Read(pBuffer, kBlockSize);
    } else {
        nRead = file.Read(pBuffer, kBlockSize);
        if (nRead > 0) m_nReadPos += nRead;
    }
    return nRead;
}

void CPlay::restartAfterSeek(CFSFile &file, void *&pParser)
{
    seekFile(file, m_nSeekPos);
    if (m_nPlayHandle > 0) TPLAY_Stop(m_nPlayHandle.exchange(0));
    openPushPlayer();
    H264_PARSER_Destroy(pParser);
    pParser = H264_PARSER_Create(0);
    m_bSeek = false;
    m_bBufferFull = false;
    m_bShowSeekFrame = m_nPlayStatus == statusPaused;
    m_nSyncWait = 0;
    CGlobalAppData::instance()->setSlowestWnd(-1);
    CGlobalAppData::instance()->setFastestWnd(-1);
    clearFrameClock();
}

// One block read and all its frames pushed; false at the end of the file or on stop.
bool CPlay::readAndPush(CFSFile &file, void *&pParser, unsigned char *pBuffer)
{
    if (m_bStopPlay) return false;
    if (m_bSeek) restartAfterSeek(file, pParser);
    const qint64 nRead = readBlock(file, pBuffer);
    if (nRead <= 0) return false;
    H264_PARSER_InputData(pParser, pBuffer, uint32_t(nRead));
    while (H264_PARSER_FRAME *pFrame = H264_PARSER_GetNextFrame(pParser)) {
        if (!waitWhilePaused()) return false;
        if (m_bSyncMode && pFrame->nFrameType == H264_FRAME_VIDEO) {
            m_nHour = int(pFrame->nHour);
            m_nMinute = int(pFrame->nMinute);
            m_nSecond = int(pFrame->nSecond);
            m_nSecondOfDay = int(pFrame->nHour * 3600 + pFrame->nMinute * 60 + pFrame->nSecond);
            m_nFrameTime = PackedFrameTime(pFrame);
            waitForSlowest();
        }
        if (m_bSeek) return true;
        if (!sleepWhile(m_bStopPlay, 10, [this] { return m_bBufferFull && !m_bSeek; })) return false;
        if (m_bSeek) return true;
        if (!pushFrame(pFrame)) return false;
    }
    return true;
}

bool CPlay::waitWhilePaused()
{
    return sleepWhile(m_bStopPlay, 10,
                      [this] { return m_nPlayStatus == statusPaused && !m_bSeek && !m_bShowSeekFrame; });
}

void CPlay::waitForSlowest()
{
    CPlayManage *pManage = CPlayManage::existing();
    while (pManage && m_nSyncWait == 1 && !m_bStopPlay && !m_bSeek) {
        const int nSlowest = CGlobalAppData::instance()->slowestWnd();
        if (nSlowest < 0) return;
        const quint32 nClock = pManage->GetFrameTime(nSlowest);
        if (nClock != 0 && m_nFrameTime <= nClock) m_nSyncWait = 0;
        QThread::msleep(33);
    }
}

bool CPlay::pushFrame(const H264_PARSER_FRAME *pFrame)
{
    // A full queue refuses the frame after waiting; offer it again rather than lose it.
    while (TPLAY_PushMediaData(m_nPlayHandle, pFrame->pData, int32_t(pFrame->nLength)) == TSDK_ERR_BUFFER_FULL) {
        m_bBufferFull = true;
        if (m_bStopPlay || m_bSeek) return !m_bStopPlay;
    }
    if (pFrame->nFrameType != H264_FRAME_VIDEO) return !m_bStopPlay;
    if (m_bShowSeekFrame.exchange(false))
        TPLAY_PlayNextFrame(m_nPlayHandle); // shows the picture at the new position and stays paused
    else
        waitForFrameDue(int(pFrame->nFrameRate));
    return !m_bStopPlay;
}

void CPlay::waitForFrameDue(int nFrameRate)
{
    m_nextFrameDue = NextFrameDue(m_nextFrameDue, Clock::now(), nFrameRate, m_nSpeed);
    for (Clock::time_point now = Clock::now(); now < m_nextFrameDue && !m_bStopPlay && !m_bSeek; now = Clock::now())
        std::this_thread::sleep_for(std::min<Clock::duration>(m_nextFrameDue - now, std::chrono::milliseconds(10)));
}

CPlay::Clock::time_point CPlay::NextFrameDue(Clock::time_point due, Clock::time_point now, int nFrameRate, int nSpeed)
{
    const double dRate = nFrameRate * std::pow(2.0, nSpeed - 5);
    const auto period = std::chrono::microseconds(dRate > 0 ? qint64(1e6 / dRate) : 40000);
    const auto longestCatchUp = std::chrono::milliseconds(200);
    if (now - due > longestCatchUp) due = now;
    return due + period;
}

// Plays out the queue and waits for the library's stop; false on stop, and a seek meanwhile
// leaves the wait to play on in the same file.
bool CPlay::waitPlayEnd()
{
    m_nSpeedAtEnd = m_nSpeed; // the library's end resets the speed; a next file goes on at it
    m_bPlayEnd = false;
    if (m_nPlayHandle > 0) TPLAY_ForcePlayEnd(m_nPlayHandle);
    while (!m_bPlayEnd && m_nPlayHandle > 0 && !m_bStopPlay && !m_bSeek)
        QThread::msleep(50);
    return !m_bStopPlay;
}

void CPlay::clearFrameClock()
{
    m_nHour = 0;
    m_nMinute = 0;
    m_nSecond = 0;
    m_nSecondOfDay = 0;
    m_nFrameTime = 0;
}

void CPlay::finishPlay()
{
    if (m_bRecording) StopRecord();
    if (m_bZoom) SetDisplayRegion(QPoint(), QPoint(), false);
    if (m_nPlayHandle > 0) TPLAY_Stop(m_nPlayHandle.exchange(0));
    m_bSound = false;
    m_nReadPos = 0;
    m_frameInfo.ResetFrameInfo();
    m_bSyncMode = false;
    setPath(QString());
    m_nPlayStatus = statusStopped;
    m_nSyncWait = 0;
    clearFrameClock();
    if (m_pStopNotify) m_pStopNotify(m_nPort, m_pContext);
    m_bStopPlay = true;
}

// The resets shared by a stop from the interface and the library's end of play.
void CPlay::resetState(bool bFromLibrary)
{
    m_nSeekPos = 0;
    m_nCurTime = 0;
    m_nBeginTime = 0;
    m_nEndTime = 0;
    m_fProgress = 0;
    m_nSpeed = 5;
    m_bSeek = false;
    m_nSecondOfDay = 0;
    m_nFrameTime = 0;
    if (bFromLibrary) return;
    m_bPlayEnd = false;
    m_bBufferFull = false;
    m_nFileLength = 0;
    m_bSyncMode = false;
    m_nPlayStatus = statusStopped;
    m_nSyncWait = 0;
}

void CPlay::waitWorkersIdle()
{
    m_bStopPlay = true;
    m_pPlayThread->wait(2000);
    m_fileIndex.StopFileIndex(2000);
}

void CPlay::StopPlay()
{
    if (!m_bStopPlay) {
        m_bStopPlay = true;
        m_pPlayThread->wait(100);
    }
    m_fileIndex.StopFileIndex(100);
    if (m_bRecording) StopRecord();
    if (m_bSound) CloseSound();
    resetState(false);
    if (m_bZoom) SetDisplayRegion(QPoint(), QPoint(), false);
    if (m_nPlayHandle > 0) TPLAY_Stop(m_nPlayHandle.exchange(0));
    if (m_pStopNotify) m_pStopNotify(m_nPort, m_pContext);
    setPath(QString());
}

// The library's end of play. The worker, still running, releases the player, leaves the
// path and the status, and either takes the next queued file or ends.
void CPlay::OnPlayStop()
{
    resetState(true);
    // In file mode no worker is left to finish: the window ends here.
    if (m_nSource == sourceFile) finishPlay();
}

bool CPlay::Pause(bool bOn)
{
    if (TPLAY_Pause(m_nPlayHandle, bOn ? 1 : 0) < 0) return false;
    m_bPause = bOn;
    m_nPlayStatus = bOn ? statusPaused : statusPlaying;
    return true;
}

bool CPlay::ResumeNormal()
{
    TPLAY_Pause(m_nPlayHandle, 0);
    TPLAY_SetPlaySpeed(m_nPlayHandle, 0);
    m_bPause = false;
    m_nSpeed = 5;
    m_nPlayStatus = statusPlaying;
    return true;
}

bool CPlay::PlayFast()
{
    if (m_nPlayStatus == statusFrame) ResumeNormal();
    int nSpeed = m_nSpeed + 1;
    if (nSpeed > 9) nSpeed = 5;
    m_nSpeed = nSpeed;
    const bool bOk = TPLAY_SetPlaySpeed(m_nPlayHandle, nSpeed - 5) >= 0;
    qInfo() << "TPLAY_SetPlaySpeed " << nSpeed - 5 << " " << bOk;
    return bOk;
}

bool CPlay::PlaySlow()
{
    if (m_nPlayStatus == statusFrame) ResumeNormal();
    int nSpeed = m_nSpeed - 1;
    if (nSpeed <= 0) nSpeed = 5;
    m_nSpeed = nSpeed;
    const bool bOk = TPLAY_SetPlaySpeed(m_nPlayHandle, nSpeed - 5) >= 0;
    qInfo() << "TPLAY_SetPlaySpeed " << nSpeed - 5 << " " << bOk;
    return bOk;
}

bool CPlay::PlayNextFrame()
{
    if (m_nSpeed != 5) ResumeNormal();
    if (TPLAY_PlayNextFrame(m_nPlayHandle) < 0) return false;
    m_nPlayStatus = statusFrame;
    return true;
}

bool CPlay::PlayPrevFrame()
{
    if (m_nSpeed != 5) ResumeNormal();
    if (TPLAY_PlayPreviousFrame(m_nPlayHandle) < 0) return false;
    m_nPlayStatus = statusFrame;
    return true;
}

int CPlay::GetPlayPos()
{
    if (m_nSource == sourceFile) return int(m_fProgress * 1000);
    const qint64 nLength = m_nFileLength;
    if (m_nSource == sourceLocalCopy && nLength > 0) return int(double(m_nReadPos) / double(nLength) * 1000);
    if (m_fileIndex.IsIndexReady()) {
        const qint64 nDuration = m_fileIndex.Duration();
        const qint64 nElapsed = m_nCurTime - StampToEpoch(m_fileIndex.FirstTime());
        return nDuration > 0 ? int(qBound<qint64>(0, nElapsed * 1000 / nDuration, 1000)) : 0;
    }
    return PositionFromName(GetPath(), m_nCurTime);
}

qint64 CPlay::StampToEpoch(quint32 nTime)
{
    const QDate date(int(nTime >> 26) + 2000, int((nTime >> 22) & 0xF), int((nTime >> 17) & 0x1F));
    const QTime time(int((nTime >> 12) & 0x1F), int((nTime >> 6) & 0x3F), int(nTime & 0x3F));
    return QDateTime(date, time).toSecsSinceEpoch();
}

int CPlay::PositionFromName(const QString &strPath, qint64 nCurTime)
{
    int nStart = 0, nEnd = 0;
    if (!ParseNameTimes(strPath, nStart, nEnd) || nCurTime <= 0) return 0;
    const QTime now = QDateTime::fromSecsSinceEpoch(nCurTime).time();
    int nElapsed = now.hour() * 3600 + now.minute() * 60 + now.second() - nStart;
    if (nElapsed < 0 && nEnd > 86400) nElapsed += 86400; // past midnight
    const int nDuration = nEnd - nStart;
    if (nDuration <= 0 || nElapsed < 0 || nElapsed >= nDuration) return 0;
    return int(double(nElapsed) / nDuration * 1000);
}

int CPlay::SetPlayPos(float fPos, quint32 *pTime)
{
    if (m_nSource == sourceFile) {
        TPLAY_SetPlayPosition(m_nPlayHandle, int(fPos * 100));
        return 1;
    }
    FileIndexEntry entry;
    if (m_fileIndex.IsIndexReady() && (isWfs() || m_bSyncMode)) {
        if (!m_fileIndex.FindByFraction(fPos, entry)) return -1;
        if (pTime) *pTime = entry.nTime;
        return seekToEntry(entry);
    }
    const qint64 nLength = m_nFileLength;
    if (nLength > 0 && !m_bSyncMode) {
        m_nSeekPos = qint64(double(nLength) * double(fPos));
        m_bSeek = true;
    }
    return -1;
}

int CPlay::seekToEntry(const FileIndexEntry &entry)
{
    m_nSeekPos = entry.nOffset;
    m_bSeek = true;
    return CFileIndex::SecondOfDay(entry.nTime);
}

bool CPlay::SeekToTime(quint32 nTime)
{
    if (!m_fileIndex.IsIndexReady()) return false;
    FileIndexEntry entry;
    if (m_fileIndex.FindByTime(nTime, entry)) seekToEntry(entry);
    return true;
}

bool CPlay::CatchPicture(const QString &strFolder)
{
    const QString strName = QDateTime::fromSecsSinceEpoch(m_nCurTime).toString("yyyyMMdd_hhmmss");
    const QString strPath = QString("%1/%2.jpg").arg(strFolder, strName);
    if (!QDir().mkpath(strFolder)) return false; // the folder may have been moved or never made
    if (TPLAY_CatchPictureSyn(m_nPlayHandle, strPath.toLocal8Bit().constData(), 3000) < 0) return false;
    QThread::msleep(50);
    QDesktopServices::openUrl(QUrl::fromLocalFile(strPath));
    return true;
}

bool CPlay::StartRecord(const QString &strFolder)
{
    const CRecordName name(GetPath());
    if (!name.isRecorderPath() || !name.hasFolders()) return false;
    if (!QDir().mkpath(strFolder)) return false;
    const QString strClip = QString("%1/%2_%3_%4")
                                .arg(strFolder)
                                .arg(name.channel(), 3, 10, QChar('0'))
                                .arg(name.date().toString("yyyyMMdd"), name.fileName());
    if (TPLAY_StartRecordData(m_nPlayHandle, strClip.toLocal8Bit().constData()) >= 0) m_bRecording = true;
    return m_bRecording;
}

void CPlay::StopRecord()
{
    m_bRecording = false;
    TPLAY_StopRecordData(m_nPlayHandle);
}

void CPlay::OpenSound()
{
    m_bSound = true;
    TPLAY_PlaySound(m_nPlayHandle);
}

void CPlay::CloseSound()
{
    if (!m_bSound) return;
    m_bSound = false;
    TPLAY_StopSound(m_nPlayHandle);
}

bool CPlay::SetDisplayRegion(const QPoint &topLeft, const QPoint &bottomRight, bool bOn)
{
    const TSDK_RECT region = {topLeft.x(), topLeft.y(), bottomRight.x(), bottomRight.y()};
    {
        QMutexLocker locker(&m_regionMutex);
        m_zoomRegion = region;
    }
    m_bZoom = bOn;
    return TPLAY_PlaySetDisplayRegion(m_nPlayHandle, bOn ? &region : nullptr) >= 0;
}

void CPlay::ParseMediaInfo(const char *szText)
{
    Json::Value root;
    Json::CharReaderBuilder builder;
    std::string strErrors;
    const std::string text = szText ? szText : "";
    std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
    try {
        if (!reader->parse(text.data(), text.data() + text.size(), &root, &strErrors) || !root.isObject())
            throw std::runtime_error(strErrors);
        m_nFrameRate = root["fps"].asInt();
        m_nBitRate = root["bits"].asInt();
        m_nWidth = root["width"].asInt();
        m_nHeight = root["height"].asInt();
    } catch (const std::exception &) {
        m_nWidth = 0;
        m_nHeight = 0;
        m_nBitRate = 0;
    }
}

void CPlay::SetPlayTime(qint64 nCurrent, qint64 nBegin, qint64 nEnd)
{
    m_nCurTime = nCurrent;
    m_nBeginTime = nBegin;
    m_nEndTime = nEnd;
    if (nEnd != nBegin) m_fProgress = float(double(nCurrent - nBegin) / double(nEnd - nBegin));
    m_nReportTime = QDateTime::currentSecsSinceEpoch();
}

void CPlay::SetPlayFrameInfo(const char *pText, int nLength)
{
    m_frameInfo.SetPlayFrameInfo(pText, nLength);
}

int CPlay::MainMsgCallBack(int, int nMsgId, int nParam1, int nParam2, int nParam3, const char *szText, void *pData,
                           int64_t, int, void *pUser, void *)
{
    CPlay *pPlay = static_cast<CPlay *>(pUser);
    if (!pPlay) return 0;
    const auto log = [&](const char *szName) {
        qWarning().nospace() << szName << " nParam1 " << nParam1 << " nParam2 " << nParam2 << " nParam3 " << nParam3
                             << " Port " << pPlay->m_nPort;
    };
    switch (nMsgId) {
    case EUIMSG_PLAY_START: log("EUIMSG_PLAY_START"); break;
    case EUIMSG_PLAY_STOP:
        pPlay->m_bPlayEnd = true;
        pPlay->OnPlayStop();
        log("EUIMSG_PLAY_STOP");
        break;
    case EUIMSG_BUFFER_STATE:
        pPlay->m_bBufferFull = nParam1 == 1;
        log("EUIMSG_BUFFER_STATE");
        break;
    case EUIMSG_STREAM_INFO:
        pPlay->ParseMediaInfo(szText);
        pPlay->SetPlayTime(nParam2, nParam1, nParam3);
        break;
    case EUIMSG_FRAME_INFO: pPlay->SetPlayFrameInfo(static_cast<const char *>(pData), nParam1); break;
    case EUIMSG_PLAY_SOUND: log("EUIMSG_PLAY_SOUND"); break;
    default: break;
    }
    return 0;
}
