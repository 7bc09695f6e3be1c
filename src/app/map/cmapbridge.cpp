#include "cmapbridge.h"

#include "cmapview.h"

CMapBridge::CMapBridge(CMapView *pView)
    : QObject(pView)
    , m_pView(pView)
{
}

void CMapBridge::Preview(int nIndex)
{
    m_pView->Preview(nIndex);
}

void CMapBridge::loadFailed(int nFiled)
{
    m_pView->loadFailed(nFiled);
}

void CMapBridge::cleanGpsLocation(QString strKey)
{
    m_pView->cleanGpsLocation(strKey);
}

void CMapBridge::setAddress(int nIndex, QString strAddress)
{
    m_pView->setAddress(nIndex, strAddress);
}
