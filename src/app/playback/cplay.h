// One playback port: plays one recording into one video window through the media
// library, fed by a play worker, with pause, speed, frame steps, seeking and the
// per-window actions.
#pragma once

#include "common/cmythread.h"
#include "playback/cfileindex.h"
#include "playback/cplayframeinfo.h"

#include "tnetsdk.h"

#include <QMutex>
#include <QObject>
#include <QPoint>
#include <QString>
#include <QTime>

#include <atomic>
#include <chrono>

class CFSFile;

class CPlay : public QObject
{
public:
    typedef void (*StopNotify)(int nPort, void *pContext);
    enum PlayStatus { statusStopped = 0, statusPlaying = 1, statusPaused = 2, statusNotPlaying = 3, statusFrame = 4 };
    enum SourceMode { sourceWfs = 0, sourceLocalCopy = 1, sourceFile = 2 };
    static constexpr int kBlockSize = 32768;

    CPlay(QObject *parent, TSDK_WINDOW hWnd, int nPort, StopNotify pNotify, void *pContext);
    ~CPlay() override;

    static SourceMode SourceModeOf(const QString &strPath);
    // Start and end second of day read from a recording name; false when the name has none.
    // An end in hour 0 after a start at 22:00 or later lies past midnight and counts on from 86400.
    static bool ParseNameTimes(const QString &strPath, int &nStart, int &nEnd);
    // A parsed frame's recorder date-time, packed (0 when the frame has none).
    static quint32 PackedFrameTime(const struct H264_PARSER_FRAME *pFrame);
    // Per mille of a recording's named span reached at a library time (seconds since 1970).
    static int PositionFromName(const QString &strPath, qint64 nCurTime);
    // A packed recorder date-time as seconds since 1970 in local time.
    static qint64 StampToEpoch(quint32 nTime);

    bool OpenRecord(const QString &strPath, bool bSync);
    bool OpenRecordAt(const QString &strPath, int nStartSecond, bool bSync);
    void StopPlay();
    bool Pause(bool bOn);
    bool ResumeNormal();
    bool PlayFast();
    bool PlaySlow();
    bool PlayNextFrame();
    bool PlayPrevFrame();
    int GetPlayPos();
    // The second of day of the key frame chosen (-1: none yet); *pTime gets its packed date-time.
    int SetPlayPos(float fPos, quint32 *pTime = nullptr);
    // Seeks to the key frame at or before a packed recorder date-time.
    bool SeekToTime(quint32 nTime);
    bool CatchPicture(const QString &strFolder);
    bool StartRecord(const QString &strFolder);
    void StopRecord();
    void OpenSound();
    void CloseSound();
    bool SetDisplayRegion(const QPoint &topLeft, const QPoint &bottomRight, bool bOn);
    void ParseMediaInfo(const char *szText);
    void SetPlayTime(qint64 nCurrent, qint64 nBegin, qint64 nEnd);
    void SetPlayFrameInfo(const char *pText, int nLength);
    // A copy of the GPS block of the newest frame information; its valid flag.
    bool GetGpsInfo(GpsInfo *pGpsInfo) const { return m_frameInfo.GetGpsInfo(pGpsInfo); }
    FrameInfo GetFrameInfo() const { return m_frameInfo.GetFrameInfo(); }
    void OnPlayStop();

    int GetStatus() const { return m_nPlayStatus; }
    int GetSpeed() const { return m_nSpeed; }
    bool IsSyncMode() const { return m_bSyncMode; }
    bool IsIndexReady() const { return m_fileIndex.IsIndexReady(); }
    bool IsRecording() const { return m_bRecording; }
    bool IsSoundOn() const { return m_bSound; }
    bool IsZoom() const { return m_bZoom; }
    bool IsPlaying() const { return m_nPlayStatus != statusStopped && m_nPlayStatus != statusNotPlaying; }
    int GetPort() const { return m_nPort; }
    QString GetPath() const;
    int GetHour() const { return m_nHour; }
    int GetMinute() const { return m_nMinute; }
    int GetSecond() const { return m_nSecond; }
    int GetSecondOfDay() const { return m_nSecondOfDay; }
    // The date-time of the frame last fed in sync mode, packed; 0 before the first. Synchronised
    // windows are paced by it, so the windows stay together across midnight.
    quint32 GetFrameTime() const { return m_nFrameTime; }
    // The recorder clock of the picture shown (seconds since 1970, local time; 0: none yet).
    qint64 GetCurTime() const { return m_nCurTime; }
    // The end of the recording on the recorder clock, from its name or from the library; invalid when unknown.
    QTime GetEndClock() const;
    // The recorder clock at a fraction of the recording once its index is ready (0 otherwise).
    qint64 TimeAtFraction(double dFraction) const;
    int GetHandle() const { return m_nPlayHandle; }
    int GetWidth() const { return m_nWidth; }
    int GetHeight() const { return m_nHeight; }
    int GetFrameRate() const { return m_nFrameRate; }
    void SetSyncWait(int nWait) { m_nSyncWait = nWait; }
    int GetSyncWait() const { return m_nSyncWait; }
    void RestartFileIndex();

    static int MainMsgCallBack(int nHandle, int nMsgId, int nParam1, int nParam2, int nParam3, const char *szText,
                               void *pData, int64_t nDataLength, int nReserved, void *pUser, void *pReserved);
    static void PlayThread(void *pArgument);
    // Milliseconds to wait after a video frame at this rate and speed index.
    using Clock = std::chrono::steady_clock;
    // When the next video frame is due: one frame period after the previous due time, so
    // reading and pushing do not slow playback down; after a longer hold (pause, waiting for
    // the slowest window, a full queue) the count starts again from now instead of catching up.
    static Clock::time_point NextFrameDue(Clock::time_point due, Clock::time_point now, int nFrameRate, int nSpeed);

private:
    void setPath(const QString &strPath);
    void startWorkers();
    void waitWorkersIdle();
    void playRecord();
    void playFileMode();
    void pushMode();
    bool openPushPlayer();
    void carryOverToNewPlayer();
    bool playOneFile(CFSFile &file, void *&pParser, unsigned char *pBuffer);
    bool readAndPush(CFSFile &file, void *&pParser, unsigned char *pBuffer);
    void restartAfterSeek(CFSFile &file, void *&pParser);
    bool pushFrame(const struct H264_PARSER_FRAME *pFrame);
    void waitForFrameDue(int nFrameRate);
    bool waitWhilePaused();
    void waitForSlowest();
    bool waitPlayEnd();
    bool openFile(CFSFile &file);
    qint64 readBlock(CFSFile &file, unsigned char *pBuffer);
    void seekFile(CFSFile &file, qint64 nPos);
    int seekToEntry(const FileIndexEntry &entry);
    void finishPlay();
    void resetState(bool bFromLibrary);
    void clearFrameClock();
    bool isWfs() const { return m_nSource == sourceWfs; }

    std::atomic<bool> m_bStopPlay{true};
    CMyThread *m_pPlayThread = nullptr;
    std::atomic<qint64> m_nFileLength{0};
    std::atomic<qint64> m_nSeekPos{0};
    std::atomic<qint64> m_nReadPos{0};
    StopNotify m_pStopNotify;
    void *m_pContext;
    std::atomic<int> m_nHour{0}, m_nMinute{0}, m_nSecond{0}, m_nSecondOfDay{0};
    std::atomic<quint32> m_nFrameTime{0};
    std::atomic<bool> m_bPause{false};
    std::atomic<int> m_nPlayStatus{statusStopped};
    std::atomic<int> m_nSyncWait{0};
    std::atomic<bool> m_bSyncMode{false}, m_bSeek{false}, m_bRecording{false};
    std::atomic<int> m_nSpeed{5};
    std::atomic<bool> m_bZoom{false}, m_bSound{false}, m_bPlayEnd{false}, m_bBufferFull{false};
    Clock::time_point m_nextFrameDue{}; // play worker only
    int m_nSpeedAtEnd = 5;              // play worker only
    std::atomic<bool> m_bShowSeekFrame{false}; // a seek while paused shows its key frame, then pauses
    int m_nPort;
    TSDK_WINDOW m_hWnd;
    mutable QMutex m_pathMutex;
    mutable QMutex m_regionMutex;
    TSDK_RECT m_zoomRegion{}; // the display region while zoomed, under m_regionMutex
    QString m_strFilePath;
    SourceMode m_nSource = sourceFile;
    std::atomic<int> m_nDuration{0};
    std::atomic<int> m_nWidth{0}, m_nHeight{0};
    std::atomic<float> m_fProgress{0};
    std::atomic<qint64> m_nCurTime{0}, m_nBeginTime{0}, m_nEndTime{0}, m_nReportTime{0};
    std::atomic<int> m_nBitRate{0}, m_nFrameRate{0};
    TSDK_CALLBACK_INFO m_callBack;
    std::atomic<int> m_nPlayHandle{0};
    CPlayFrameInfo m_frameInfo;
    CFileIndex m_fileIndex;
};
