#include "cfileindex.h"

#include "common/cfsfile.h"
#include "common/cdiskreadlocker.h"
#include "common/cglobalappdata.h"
#include "common/cmythread.h"
#include "wfs_time.h"

#include <QElapsedTimer>
#include <QMutexLocker>
#include <QtDebug>
#include <QtEndian>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
const int kHeaderSize = 16;
const int kWaitAtExitMs = 2000;
const uchar kKeyFrame = 0xFC;
const uchar kVideoFrame = 0xFD;
const uchar kAudioFrame = 0xFA;
const uchar kInfoFrame = 0xF9; // frame information text, laid out like audio

bool isStartCode(const uchar *p) { return p[0] == 0 && p[1] == 0 && p[2] == 1; }

bool isPlausible(qint64 nSize)
{
    return nSize >= CFileIndex::kMinFrameSize && nSize <= CFileIndex::kMaxFrameSize;
}
} // namespace

// What one scan has found so far; published only when it ends.
struct CFileIndex::Scan {
    unsigned int nGeneration = 0;
    qint64 nLength = 0;
    qint64 nOffset = 0; // file offset of the scan position
    quint32 nCounter = 0;
    bool bDone = false; // garbage up to the end: the length was cut
    QVector<FileIndexEntry> entries;
};

CFileIndex::CFileIndex(int nPort) : m_nPort(nPort) {}

CFileIndex::~CFileIndex()
{
    QMutexLocker control(&m_controlMutex);
    m_bStopIndex = true;
    ++m_nGeneration;
    if (!m_pThread) return;
    if (!m_pThread->wait(kWaitAtExitMs)) m_pThread->wait(); // never delete a running thread
    delete m_pThread;
}

void CFileIndex::StartFileIndex(const QString &strPath, bool bSync)
{
    QMutexLocker control(&m_controlMutex);
    startLocked(strPath, bSync);
}

void CFileIndex::StopFileIndex(int nWaitMs)
{
    QMutexLocker control(&m_controlMutex);
    stopLocked(nWaitMs);
}

void CFileIndex::RestartFileIndex(const QString &strPath, bool bSync)
{
    QMutexLocker control(&m_controlMutex);
    stopLocked(100);
    startLocked(strPath, bSync);
}

bool CFileIndex::WaitFileIndex(unsigned long nMs)
{
    QMutexLocker control(&m_controlMutex);
    return !m_pThread || m_pThread->wait(nMs);
}

void CFileIndex::startLocked(const QString &strPath, bool bSync)
{
    if (m_pThread) {
        m_bStopIndex = true;
        m_pThread->wait(); // asked to stop: ends after its current block
        delete m_pThread;
    }
    m_strPath = strPath;
    m_bSync = bSync;
    m_nRunGeneration = m_nGeneration; // a stop before the worker begins already makes it stale
    m_bStopIndex = false;
    m_pThread = new CMyThread(&CFileIndex::FileIndexThread, this);
    m_pThread->start(QThread::InheritPriority);
}

// A worker that has not ended within the wait finishes on its own; its result is stale.
void CFileIndex::stopLocked(int nWaitMs)
{
    const bool running = !m_bStopIndex;
    m_bStopIndex = true;
    ++m_nGeneration;
    if (running && m_pThread) m_pThread->wait((unsigned long)nWaitMs);
    QMutexLocker locker(&m_indexLock);
    m_bIndexReady = false;
    m_entries.clear();
    m_nFirstTime = m_nLastTime = 0;
    m_nFrameCount = 0;
    m_nFileLength = 0;
}

void CFileIndex::FileIndexThread(void *pIndex)
{
    CFileIndex *pThis = static_cast<CFileIndex *>(pIndex);
    QElapsedTimer timer;
    timer.start();
    qDebug().noquote().nospace() << "FileIndexThread Index " << pThis->m_nPort << " Start " << wfs_tick_ms();
    pThis->CreateFileIndex();
    qDebug().noquote().nospace() << "FileIndexThread Index " << pThis->m_nPort << " End " << timer.elapsed();
}

bool CFileIndex::isWfsPath() const { return m_strPath.contains("/mnt/ide"); }

bool CFileIndex::stopRequested(unsigned int nGeneration) const
{
    return m_bStopIndex || nGeneration != m_nGeneration;
}

bool CFileIndex::CreateFileIndex()
{
    Scan scan;
    scan.nGeneration = m_nRunGeneration;
    m_bIndexReady = false;
    CFSFile file;
    if (!openRecording(file, scan)) return false;
    const qint64 blockSize = m_bSync ? kSyncBlockSize : kBlockSize;
    std::vector<char> block((size_t)blockSize);
    while (!scan.bDone) {
        if (stopRequested(scan.nGeneration)) return false;
        if (scan.nLength - scan.nOffset < kHeaderSize) {
            // a last frame running past the end leaves the true length
            scan.nLength = std::min(scan.nOffset, scan.nLength);
            break;
        }
        const qint64 nRead = readBlock(file, scan.nOffset, block.data(), std::min(blockSize, scan.nLength - scan.nOffset));
        if (nRead < kHeaderSize) { // the recording cannot be read further: index what was read
            scan.nLength = scan.nOffset;
            break;
        }
        scanBlock(scan, reinterpret_cast<const uchar *>(block.data()), nRead);
    }
    file.Close();
    if (stopRequested(scan.nGeneration)) return false;
    publish(scan, scan.nGeneration);
    return m_bIndexReady;
}

bool CFileIndex::openRecording(CFSFile &file, Scan &scan)
{
    setFileLength(0, scan.nGeneration);
    if (!file.Open(m_strPath, CFSFile::modeRead)) {
        qDebug("open failed");
        return false;
    }
    qint64 nLength;
    if (isWfsPath()) {
        CDiskReadLocker locker;
        nLength = file.GetLength();
    } else {
        nLength = file.GetLength();
    }
    if (nLength <= kMinDataLen || nLength >= kMaxDataLen) {
        file.Close();
        qDebug().noquote().nospace() << "DataLen " << nLength << " Error " << m_nPort;
        return false;
    }
    scan.nLength = nLength;
    setFileLength(nLength, scan.nGeneration);
    return true;
}

qint64 CFileIndex::readBlock(CFSFile &file, qint64 nOffset, char *pBuffer, qint64 nSize) const
{
    CDiskReadLocker locker(isWfsPath());
    if (file.Seek(nOffset, SEEK_SET) != nOffset) return 0;
    return file.Read(pBuffer, nSize);
}

// Looks at the 16 bytes at each position; a header ending at the block's end is whole.
void CFileIndex::scanBlock(Scan &scan, const uchar *pBlock, qint64 nRead) const
{
    qint64 pos = 0;
    while (pos + kHeaderSize <= nRead && !scan.bDone && !stopRequested(scan.nGeneration)) {
        const qint64 step = scanFrame(scan, pBlock + pos);
        pos += step;
        scan.nOffset += step;
    }
}

// The bytes to move on by: a plausible frame's size, otherwise 1 (0 when the scan ends).
qint64 CFileIndex::scanFrame(Scan &scan, const uchar *pHeader) const
{
    if (!isStartCode(pHeader)) {
        if (scan.nLength - scan.nOffset < kMinDataLen) { // garbage up to the end
            scan.nLength = scan.nOffset;
            scan.bDone = true;
            return 0;
        }
        return 1;
    }
    qint64 size;
    switch (pHeader[3]) {
    case kKeyFrame: {
        const quint32 nFrameNo = scan.nCounter++;
        size = kHeaderSize + (qint64)qFromLittleEndian<quint32>(pHeader + 12);
        if (!isPlausible(size)) return 1;
        if (scan.nOffset + size <= scan.nLength)
            scan.entries.append({scan.nOffset, (quint32)size, nFrameNo, (qint32)pHeader[5],
                                 qFromLittleEndian<quint32>(pHeader + 8)});
        return size;
    }
    case kVideoFrame:
        size = 8 + (qint64)qFromLittleEndian<qint32>(pHeader + 4);
        if (!isPlausible(size)) return 1;
        if (!scan.entries.isEmpty() && scan.nOffset + size <= scan.nLength) ++scan.nCounter;
        return size;
    case kAudioFrame:
    case kInfoFrame:
        size = 8 + (qint64)qFromLittleEndian<quint16>(pHeader + 6);
        return isPlausible(size) ? size : 1;
    default:
        return 1;
    }
}

void CFileIndex::setFileLength(qint64 nLength, unsigned int nGeneration)
{
    QMutexLocker locker(&m_indexLock);
    if (nGeneration == m_nGeneration) m_nFileLength = nLength;
}

// The end of the recording: the last key frame's stamp plus the frames counted after it.
void CFileIndex::publish(const Scan &scan, unsigned int nGeneration)
{
    QMutexLocker locker(&m_indexLock);
    if (nGeneration != m_nGeneration) return;
    m_nFileLength = scan.nLength;
    m_entries = scan.entries;
    if (m_entries.isEmpty() || m_entries.last().nFrameRate == 0) return;
    const FileIndexEntry &last = m_entries.last();
    m_nLastTime = AdvanceTime(last.nTime, (scan.nCounter - last.nFrameNo) / (quint32)last.nFrameRate);
    m_nFirstTime = m_entries.first().nTime;
    m_entries.append({scan.nLength, 0, scan.nCounter, 0, m_nLastTime});
    m_nFrameCount = (qint32)scan.nCounter;
    m_bIndexReady = true;
}

quint32 CFileIndex::AdvanceTime(quint32 nTime, qint64 nSeconds)
{
    const wfs_date_time t = wfs_unpack_time(nTime);
    qint64 dayStart = wfs_packed_to_seconds(wfs_pack_time({t.year, t.month, t.day, 0, 0, 0}));
    int hour = t.hour;
    if (hour == 0) { // a recording running past midnight: hour 24 of the day before
        hour = 24;
        dayStart -= 86400;
    }
    // hour 24 and beyond come out as the next day's hours
    return wfs_seconds_to_packed(dayStart + hour * 3600 + t.minute * 60 + t.second + nSeconds);
}

int CFileIndex::SecondOfDay(quint32 nTime)
{
    const wfs_date_time t = wfs_unpack_time(nTime);
    return t.hour * 3600 + t.minute * 60 + t.second;
}

bool CFileIndex::FindByFraction(double dFraction, FileIndexEntry &entry) const
{
    QMutexLocker locker(&m_indexLock);
    if (!m_bIndexReady) return false;
    const qint64 target = (qint64)(dFraction * m_nFrameCount);
    bool found = false;
    for (const FileIndexEntry &e : m_entries) {
        if ((qint64)e.nFrameNo > target) break;
        entry = e;
        found = true;
        if ((qint64)e.nFrameNo == target) break;
    }
    return found;
}

bool CFileIndex::FindBySecond(int nSecondOfDay, FileIndexEntry &entry) const
{
    QMutexLocker locker(&m_indexLock);
    if (!m_bIndexReady) return false;
    bool found = false;
    for (const FileIndexEntry &e : m_entries) {
        const int second = SecondOfDay(e.nTime);
        if (second > nSecondOfDay) break;
        entry = e;
        found = true;
        if (second == nSecondOfDay) break;
    }
    return found;
}

bool CFileIndex::FindByTime(quint32 nTime, FileIndexEntry &entry) const
{
    QMutexLocker locker(&m_indexLock);
    if (!m_bIndexReady) return false;
    bool found = false;
    for (const FileIndexEntry &e : m_entries) {
        if (e.nTime > nTime) break;
        entry = e;
        found = true;
        if (e.nTime == nTime) break;
    }
    return found;
}

quint32 CFileIndex::FirstTime() const
{
    QMutexLocker locker(&m_indexLock);
    return m_nFirstTime;
}

quint32 CFileIndex::LastTime() const
{
    QMutexLocker locker(&m_indexLock);
    return m_nLastTime;
}

qint32 CFileIndex::FrameCount() const
{
    QMutexLocker locker(&m_indexLock);
    return m_nFrameCount;
}

qint64 CFileIndex::FileLength() const
{
    QMutexLocker locker(&m_indexLock);
    return m_nFileLength;
}

qint64 CFileIndex::Duration() const
{
    QMutexLocker locker(&m_indexLock);
    return m_bIndexReady ? wfs_time_diff_seconds(m_nLastTime, m_nFirstTime) : 0;
}

QVector<FileIndexEntry> CFileIndex::Entries() const
{
    QMutexLocker locker(&m_indexLock);
    return m_entries;
}
