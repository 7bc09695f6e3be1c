// The newest frame information record of a playback port. The library's callback
// thread replaces it whole; the interface thread copies it out; both under one lock.
#pragma once

#include "frameinfo.h"

#include <QMutex>

#include <memory>

class CPlayFrameInfo
{
public:
    explicit CPlayFrameInfo(int nPort = 0) : m_nPort(nPort) {}

    // Parses the text into a fresh record and makes it the current one;
    // a null text or a length of 0 or less is ignored.
    void SetPlayFrameInfo(const char *pText, int nLength);
    // Copies the 112-byte GPS block; its valid flag, false when there is no record yet.
    bool GetGpsInfo(GpsInfo *pGpsInfo) const;
    // A copy of the current record (the empty record when there is none yet).
    FrameInfo GetFrameInfo() const;
    bool HasFrameInfo() const;
    // Back to the empty record at the end of a play (the record stays).
    void ResetFrameInfo();

private:
    void replace(const FrameInfo &info);

    int m_nPort;
    mutable QMutex m_mutex;
    std::unique_ptr<FrameInfo> m_pFrameInfo; // created on first use
};
