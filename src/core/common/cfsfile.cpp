#include "cfsfile.h"

#include "wfs_mount.h"
#include "wfs_stream.h"
#include "wfs_volume.h"

#include <QCoreApplication>
#include <QDebug>
#include <QFile>
#include <QMutexLocker>
#include <QtGlobal>

#include <cstring>

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {
QByteArray nativePath(const QString &path) { return QFile::encodeName(path); }

int openFlags(unsigned int nFlags)
{
    int flags = O_CLOEXEC;
    switch (nFlags & CFSFile::modeAccessMask) {
    case CFSFile::modeWrite:
        flags |= O_WRONLY;
        break;
    case CFSFile::modeReadWrite:
        flags |= O_RDWR;
        break;
    default:
        flags |= O_RDONLY;
        break;
    }
    if (nFlags & CFSFile::modeCreate) {
        flags |= O_CREAT;
        if (!(nFlags & CFSFile::modeNoTruncate)) flags |= O_TRUNC;
    }
    return flags;
}
} // namespace

CFSFile::CFSFile() = default;

CFSFile::~CFSFile() { Close(); }

QMutex &CFSFile::Lock()
{
    static QMutex s_lock;
    return s_lock;
}

const char *CFSFile::ModeString(unsigned int nFlags)
{
    const bool keep = nFlags & modeNoTruncate;
    switch (nFlags & modeAccessMask) {
    case modeWrite:
        return keep ? "ab" : "wb";
    case modeReadWrite:
        if (!(nFlags & modeCreate)) return "rb+";
        return keep ? "ab+" : "wb+";
    default:
        return "rb";
    }
}

// PC files are opened with open(2) so that creation and truncation follow the flags,
// then wrapped in a stream of the flags' mode.
void *CFSFile::openPcFile(const QByteArray &path, unsigned int nFlags) const
{
    int fd = ::open(path.constData(), openFlags(nFlags), 0666);
    if (fd < 0) return nullptr;
    FILE *stream = fdopen(fd, ModeString(nFlags));
    if (!stream) ::close(fd);
    return stream;
}

bool CFSFile::Open(const QString &strFilePath, unsigned int nFlags)
{
    QMutexLocker locker(&Lock());
    closeStream();
    m_strFilePath = strFilePath;
    m_nLength = 0;
    const QByteArray path = nativePath(strFilePath);
    m_pOps = wfs_mount_lookup(path.constData());
    m_nGeneration = wfs_fs_generation();
    if (m_pOps == wfs_default_ops())
        m_pStream = openPcFile(path, nFlags);
    else
        m_pStream = m_pOps->fopen(path.constData(), ModeString(nFlags));
    return m_pStream != nullptr;
}

// After a rescan the library has reset every handle and may have given this one's
// slot to another recording: such a stream is dropped, never used or closed again.
bool CFSFile::isStale() const
{
    return m_pStream && m_pOps->fopen == wfs_stream_ops()->fopen && m_nGeneration != wfs_fs_generation();
}

void *CFSFile::stream()
{
    if (isStale()) m_pStream = nullptr;
    return m_pStream;
}

void CFSFile::closeStream()
{
    if (!stream()) return;
    m_pOps->fclose(m_pStream);
    m_pStream = nullptr;
}

void CFSFile::Close()
{
    QMutexLocker locker(&Lock());
    closeStream();
}

qint64 CFSFile::Read(void *pBuffer, qint64 nCount)
{
    QMutexLocker locker(&Lock());
    if (!stream() || nCount <= 0) return 0;
    return (qint64)m_pOps->fread(pBuffer, 1, (size_t)nCount, m_pStream);
}

qint64 CFSFile::Write(const void *pBuffer, qint64 nCount)
{
    QMutexLocker locker(&Lock());
    if (!stream() || nCount <= 0) return 0;
    return (qint64)m_pOps->fwrite(pBuffer, 1, (size_t)nCount, m_pStream);
}

bool CFSFile::Flush()
{
    QMutexLocker locker(&Lock());
    return stream() && m_pOps->fflush(m_pStream) == 0;
}

qint64 CFSFile::position() const
{
    if (!m_pStream) return 0;
    qint64 pos = m_pOps->ftell(m_pStream);
    return pos < 0 ? 0 : pos;
}

qint64 CFSFile::Seek(qint64 nOffset, int nWhence)
{
    QMutexLocker locker(&Lock());
    if (!stream()) return 0;
    int rc = m_pOps->fseek(m_pStream, nOffset, nWhence);
    if (rc != 0) {
        qWarning("CFSFile::Seek pos=%d", rc);
        return 0;
    }
    return position();
}

QString CFSFile::EndedEarly(const QString &strPath, qint64 nRead, qint64 nLength, int nErrno)
{
    char why[512] = "";
    bool bReadFailed;
    if (strPath.startsWith(WFS_STREAM_PREFIX)) {
        bReadFailed = fs_last_error(why, sizeof why) == WFS_ERR_READ;
    } else {
        bReadFailed = nErrno != 0;
        if (bReadFailed) qstrncpy(why, strerror(nErrno), sizeof why);
    }
    const QString strWhy = QString::fromLocal8Bit(why);
    if (bReadFailed)
        return QCoreApplication::translate("CFSFile", "read failed after %1 of %2 bytes: %3")
            .arg(nRead)
            .arg(nLength)
            .arg(strWhy);
    const QString strEnd =
        QCoreApplication::translate("CFSFile", "the recording ends at byte %1 of %2").arg(nRead).arg(nLength);
    return strWhy.isEmpty() ? strEnd : strEnd + ": " + strWhy;
}

qint64 CFSFile::GetPosition()
{
    QMutexLocker locker(&Lock());
    stream();
    return position();
}

qint64 CFSFile::GetLength()
{
    QMutexLocker locker(&Lock());
    if (!stream()) return 0;
    const qint64 pos = position();
    const int rc = m_pOps->fseek(m_pStream, 0, SEEK_END);
    if (rc != 0) {
        qWarning().noquote() << "CFSFile::GetLength: the length of" << m_strFilePath << "cannot be read, seek result" << rc;
        return -1;
    }
    m_nLength = position();
    m_pOps->fseek(m_pStream, pos, SEEK_SET);
    return m_nLength;
}

char *CFSFile::ReadString(char *pBuffer, int nMax)
{
    QMutexLocker locker(&Lock());
    return stream() ? m_pOps->fgets(pBuffer, nMax, m_pStream) : nullptr;
}

bool CFSFile::WriteString(const char *pText)
{
    QMutexLocker locker(&Lock());
    return stream() && m_pOps->fputs(pText, m_pStream) >= 0;
}

bool CFSFile::IsOpen() const { return m_pStream && !isStale(); }

QString CFSFile::GetFilePath() const { return m_strFilePath; }

bool CFSFile::Rename(const QString &strOldPath, const QString &strNewPath)
{
    QMutexLocker locker(&Lock());
    const QByteArray from = nativePath(strOldPath), to = nativePath(strNewPath);
    return wfs_mount_lookup(from.constData())->rename(from.constData(), to.constData()) == 0;
}

bool CFSFile::Remove(const QString &strFilePath)
{
    QMutexLocker locker(&Lock());
    const QByteArray path = nativePath(strFilePath);
    return wfs_mount_lookup(path.constData())->remove(path.constData()) == 0;
}

bool CFSFile::MakeDir(const QString &strPath)
{
    QMutexLocker locker(&Lock());
    const QByteArray path = nativePath(strPath);
    return wfs_mount_lookup(path.constData())->mkdir(path.constData()) == 0;
}

bool CFSFile::RemoveDir(const QString &strPath)
{
    QMutexLocker locker(&Lock());
    const QByteArray path = nativePath(strPath);
    return wfs_mount_lookup(path.constData())->rmdir(path.constData()) == 0;
}

bool CFSFile::Access(const QString &strPath, int nMode)
{
    QMutexLocker locker(&Lock());
    const QByteArray path = nativePath(strPath);
    return wfs_mount_lookup(path.constData())->access(path.constData(), nMode) == 0;
}

bool CFSFile::GetDiskSpace(const QString &strPath, quint64 *pFreeBytes, quint64 *pTotalBytes, quint64 *pFreeAgain)
{
    const QByteArray path = nativePath(strPath);
    uint64_t freeBytes = 0, totalBytes = 0, freeAgain = 0;
    if (wfs_mount_lookup(path.constData())->disk_space(path.constData(), &freeBytes, &totalBytes, &freeAgain) != 0)
        return false;
    if (pFreeBytes) *pFreeBytes = freeBytes;
    if (pTotalBytes) *pTotalBytes = totalBytes;
    if (pFreeAgain) *pFreeAgain = freeAgain;
    return true;
}
