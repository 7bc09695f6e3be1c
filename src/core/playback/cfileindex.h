// The in-memory frame index of one recording: its key frames with file offsets,
// frame numbers and stamps, built once by a worker thread, for seeking, the true
// end time and the seconds of day synchronised ports seek to.
#pragma once

#include <QMutex>
#include <QString>
#include <QVector>

#include <atomic>
#include <climits>

class CFSFile;
class CMyThread;

struct FileIndexEntry {
    qint64 nOffset = 0;     // the frame's start code in the recording (64-bit: recordings of 2 GiB and more)
    quint32 nFrameSize = 0; // whole frame, header included; 0 for the closing entry
    quint32 nFrameNo = 0;   // frames counted before this one
    qint32 nFrameRate = 0;  // the key frame's rate byte; 0 for the closing entry
    quint32 nTime = 0;      // packed recorder date-time
};

class CFileIndex
{
public:
    static const int kSyncBlockSize = 32768;
    static const int kBlockSize = 1048576;
    static const qint64 kMinDataLen = 1024;       // this long or shorter: nothing to index
    static const qint64 kMaxDataLen = 4294967295; // this long or longer: not a length the recorder writes
    static const quint32 kMinFrameSize = 5;
    static const quint32 kMaxFrameSize = 512000;

    explicit CFileIndex(int nPort = 0);
    ~CFileIndex();
    CFileIndex(const CFileIndex &) = delete;
    CFileIndex &operator=(const CFileIndex &) = delete;

    // Start, stop, restart and wait may be called from any thread.
    // Starts the index worker on the recording; a worker still ending is waited for first.
    void StartFileIndex(const QString &strPath, bool bSync);
    // Asks the worker to stop, waits up to nWaitMs, then drops the index under the lock.
    // A worker that has not ended by then finishes on its own and its result is discarded.
    void StopFileIndex(int nWaitMs = 100);
    // Before the next file of a synchronous sequence.
    void RestartFileIndex(const QString &strPath, bool bSync);
    // Waits for the worker to end; true when it has (or none was started).
    bool WaitFileIndex(unsigned long nMs = ULONG_MAX);

    // The worker's entry; pIndex is the CFileIndex.
    static void FileIndexThread(void *pIndex);
    // The worker's body: the index of the path given to StartFileIndex; true when it became ready.
    bool CreateFileIndex();

    bool IsIndexReady() const { return m_bIndexReady; }
    bool IsStopped() const { return m_bStopIndex; }
    quint32 FirstTime() const;
    quint32 LastTime() const;
    qint32 FrameCount() const;
    qint64 FileLength() const; // 0 when the length was refused
    // seconds(last stamp) - seconds(first stamp); 0 without an index.
    qint64 Duration() const;
    QVector<FileIndexEntry> Entries() const;
    QMutex &IndexLock() { return m_indexLock; }

    // The seek point of a fraction of the recording: the entry with the greatest frame
    // number not above truncate(f x frame count). False when not ready or none.
    bool FindByFraction(double dFraction, FileIndexEntry &entry) const;
    // The entry with the greatest second of day not above nSecondOfDay.
    bool FindBySecond(int nSecondOfDay, FileIndexEntry &entry) const;
    // The last entry whose packed date-time is not after nTime (also across midnight).
    bool FindByTime(quint32 nTime, FileIndexEntry &entry) const;

    static int SecondOfDay(quint32 nTime);
    // nTime advanced by nSeconds; a stamp in hour 0 counts as hour 24 of the day before.
    static quint32 AdvanceTime(quint32 nTime, qint64 nSeconds);

private:
    struct Scan;
    void startLocked(const QString &strPath, bool bSync);
    void stopLocked(int nWaitMs);
    bool openRecording(CFSFile &file, Scan &scan);
    qint64 readBlock(CFSFile &file, qint64 nOffset, char *pBuffer, qint64 nSize) const;
    bool stopRequested(unsigned int nGeneration) const;
    void scanBlock(Scan &scan, const uchar *pBlock, qint64 nRead) const;
    qint64 scanFrame(Scan &scan, const uchar *pHeader) const;
    void publish(const Scan &scan, unsigned int nGeneration);
    void setFileLength(qint64 nLength, unsigned int nGeneration);
    bool isWfsPath() const;

    int m_nPort;
    QString m_strPath;
    bool m_bSync = false;
    std::atomic<bool> m_bStopIndex{true};
    std::atomic<bool> m_bIndexReady{false};
    std::atomic<unsigned int> m_nGeneration{0}; // bumped by every stop: a late worker's result is stale
    unsigned int m_nRunGeneration = 0;          // the generation the worker was started in
    QMutex m_controlMutex; // start, stop and wait from the interface thread and the play worker alike
    CMyThread *m_pThread = nullptr;

    mutable QMutex m_indexLock;
    QVector<FileIndexEntry> m_entries;
    quint32 m_nFirstTime = 0;
    quint32 m_nLastTime = 0;
    qint32 m_nFrameCount = 0;
    qint64 m_nFileLength = 0;
};
