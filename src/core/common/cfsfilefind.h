// Directory search over recordings of a day and channel or over PC folders.
#pragma once

#include "wfs_mount.h"

#include <QString>

class CFSFileFind
{
public:
    CFSFileFind();
    virtual ~CFSFileFind();
    CFSFileFind(const CFSFileFind &) = delete;
    CFSFileFind &operator=(const CFSFileFind &) = delete;

    // Starts a search ("folder/pattern") and holds its first entry; false when nothing matches.
    virtual bool FindFile(const QString &strPattern);
    // Moves to the next entry; false at the end.
    virtual bool FindNextFile();
    virtual void Close();

    QString GetFileName() const;
    QString GetFilePath() const; // the searched folder followed by the entry's name
    qint64 GetLength() const;    // KiB
    qint64 GetSize() const;      // bytes
    qint64 GetLastWriteTime() const; // seconds since 1970
    bool IsDirectory() const;
    bool IsReadOnly() const;
    bool IsHidden() const;
    bool IsNormal() const;

private:
    void closeSearch();

    intptr_t m_hFind = -1;
    wfs_find_entry m_entry = {};
    QString m_strRoot;
    const wfs_fs_ops *m_pOps = nullptr;
};
