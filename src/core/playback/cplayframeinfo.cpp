#include "cplayframeinfo.h"

#include "cgpsrmcparse.h"

#include <QMutexLocker>
#include <QString>
#include <QtDebug>

#include <cstring>

void CPlayFrameInfo::SetPlayFrameInfo(const char *pText, int nLength)
{
    if (!pText || nLength <= 0) return;
    FrameInfo info = EmptyFrameInfo();
    CGPSRMCParse parser;
    parser.ParseAllInfo(pText, nLength, info);
    if (info.gps.bValid)
        qInfo().noquote().nospace() << "ParseAllInfo Index " << m_nPort << " FrameInfo "
                          << QString::fromLatin1(pText, (int)strnlen(pText, (size_t)nLength));
    replace(info);
}

void CPlayFrameInfo::replace(const FrameInfo &info)
{
    QMutexLocker locker(&m_mutex);
    if (!m_pFrameInfo)
        m_pFrameInfo.reset(new FrameInfo(info));
    else
        *m_pFrameInfo = info;
}

bool CPlayFrameInfo::GetGpsInfo(GpsInfo *pGpsInfo) const
{
    QMutexLocker locker(&m_mutex);
    if (!m_pFrameInfo) return false;
    if (pGpsInfo) memcpy(pGpsInfo, &m_pFrameInfo->gps, sizeof(GpsInfo));
    return m_pFrameInfo->gps.bValid != 0;
}

FrameInfo CPlayFrameInfo::GetFrameInfo() const
{
    QMutexLocker locker(&m_mutex);
    return m_pFrameInfo ? *m_pFrameInfo : EmptyFrameInfo();
}

bool CPlayFrameInfo::HasFrameInfo() const
{
    QMutexLocker locker(&m_mutex);
    return m_pFrameInfo != nullptr;
}

void CPlayFrameInfo::ResetFrameInfo() { replace(EmptyFrameInfo()); }
