#include "cfsfilefind.h"

#include "cfsfile.h"

#include <QFile>
#include <QMutexLocker>

// Searches take CFSFile's lock as well: a recording search moves the same
// partition cursors that opening a recording by time does.

CFSFileFind::CFSFileFind() = default;

CFSFileFind::~CFSFileFind() { Close(); }

bool CFSFileFind::FindFile(const QString &strPattern)
{
    QMutexLocker locker(&CFSFile::Lock());
    closeSearch();
    const QByteArray pattern = QFile::encodeName(strPattern);
    m_pOps = wfs_mount_lookup(pattern.constData());
    m_strRoot = strPattern.left(strPattern.lastIndexOf('/') + 1);
    m_entry = {};
    m_hFind = m_pOps->findfirst(pattern.constData(), &m_entry);
    return m_hFind != -1;
}

bool CFSFileFind::FindNextFile()
{
    QMutexLocker locker(&CFSFile::Lock());
    return m_hFind != -1 && m_pOps->findnext(m_hFind, &m_entry) == 0;
}

void CFSFileFind::closeSearch()
{
    if (m_hFind != -1) m_pOps->findclose(m_hFind);
    m_hFind = -1;
}

void CFSFileFind::Close()
{
    QMutexLocker locker(&CFSFile::Lock());
    closeSearch();
}

QString CFSFileFind::GetFileName() const { return QFile::decodeName(m_entry.name); }

QString CFSFileFind::GetFilePath() const { return m_strRoot + GetFileName(); }

qint64 CFSFileFind::GetLength() const { return m_entry.size / 1024; }

qint64 CFSFileFind::GetSize() const { return m_entry.size; }

qint64 CFSFileFind::GetLastWriteTime() const { return m_entry.time_write; }

bool CFSFileFind::IsDirectory() const { return m_entry.attrib & WFS_FIND_DIRECTORY; }

bool CFSFileFind::IsReadOnly() const { return m_entry.attrib & WFS_FIND_READONLY; }

bool CFSFileFind::IsHidden() const { return m_entry.attrib & WFS_FIND_HIDDEN; }

bool CFSFileFind::IsNormal() const { return m_entry.attrib == 0; }
