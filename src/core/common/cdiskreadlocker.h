// Holds the disk read lock of CGlobalAppData for one read. Readers waiting for the
// lock are counted, so that a long copy can step aside between its chunks exactly
// when someone else (playback, indexing) wants the disk.
#pragma once

#include "common/cglobalappdata.h"

class CDiskReadLocker
{
public:
    explicit CDiskReadLocker(bool bLock = true)
        : m_pMutex(bLock ? &CGlobalAppData::instance()->diskReadMutex() : nullptr)
    {
        if (!m_pMutex) return;
        std::atomic<int> &waiters = CGlobalAppData::instance()->diskReadWaiters();
        ++waiters;
        m_pMutex->lock();
        --waiters;
    }
    ~CDiskReadLocker()
    {
        if (m_pMutex) m_pMutex->unlock();
    }
    CDiskReadLocker(const CDiskReadLocker &) = delete;
    CDiskReadLocker &operator=(const CDiskReadLocker &) = delete;

    static bool othersWaiting() { return CGlobalAppData::instance()->diskReadWaiters() > 0; }

private:
    QMutex *m_pMutex;
};
