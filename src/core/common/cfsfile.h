// The one file wrapper of the program: recordings under "/mnt/ide" and files on
// the PC are opened, read, written and positioned alike, one operation at a time.
#pragma once

#include <QMutex>
#include <QString>

struct wfs_fs_ops;

class CFSFile
{
public:
    // Open flags: the low four bits choose the access, the others refine it.
    enum OpenFlags : unsigned int {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        modeAccessMask = 0x000F,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
    };

    CFSFile();
    virtual ~CFSFile();
    CFSFile(const CFSFile &) = delete;
    CFSFile &operator=(const CFSFile &) = delete;

    virtual bool Open(const QString &strFilePath, unsigned int nFlags);
    virtual void Close();
    virtual qint64 Read(void *pBuffer, qint64 nCount);
    virtual qint64 Write(const void *pBuffer, qint64 nCount);
    virtual bool Flush();
    // whence 0/1/2 = start/current/end; the new position, or 0 when the seek fails.
    virtual qint64 Seek(qint64 nOffset, int nWhence);
    virtual qint64 GetPosition();
    // The length in bytes; -1 when the end of an open file cannot be reached (0 when closed).
    virtual qint64 GetLength();
    virtual char *ReadString(char *pBuffer, int nMax);
    virtual bool WriteString(const char *pText);
    virtual bool IsOpen() const;
    virtual QString GetFilePath() const;

    static bool Rename(const QString &strOldPath, const QString &strNewPath);
    static bool Remove(const QString &strFilePath);
    static bool MakeDir(const QString &strPath);
    static bool RemoveDir(const QString &strPath);
    static bool Access(const QString &strPath, int nMode);
    static bool GetDiskSpace(const QString &strPath, quint64 *pFreeBytes, quint64 *pTotalBytes,
                             quint64 *pFreeAgain = nullptr);

    // Why a read of strPath on this thread ended after nRead of its nLength bytes: "read failed after N
    // of M bytes: reason" when the disk or file could not be read, else "the recording ends at byte N
    // of M" with the library's reason when it has one (a cluster chain shorter than listed).
    static QString EndedEarly(const QString &strPath, qint64 nRead, qint64 nLength, int nErrno);

    // The mode string the flags stand for ("rb", "wb", "ab", "rb+", "wb+", "ab+").
    static const char *ModeString(unsigned int nFlags);
    // The lock every CFSFile operation holds.
    static QMutex &Lock();

private:
    // The open stream, or none; a recording stream dies with the disk scan it was opened in.
    void *stream();
    bool isStale() const;
    void closeStream();
    qint64 position() const;
    void *openPcFile(const QByteArray &path, unsigned int nFlags) const;

    void *m_pStream = nullptr;
    QString m_strFilePath;
    qint64 m_nLength = 0;
    const wfs_fs_ops *m_pOps = nullptr;
    unsigned int m_nGeneration = 0; // disk scan a recording stream belongs to
};
