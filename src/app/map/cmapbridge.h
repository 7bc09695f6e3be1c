// The object the map page reaches as "bridge": it hands the page's calls to the map view.
// The view itself is not offered to the page, whose channel would otherwise mirror every
// property of a widget (and warn about each one that cannot follow changes).
#pragma once

#include <QObject>
#include <QString>

class CMapView;

class CMapBridge : public QObject
{
    Q_OBJECT
public:
    explicit CMapBridge(CMapView *pView);

    Q_INVOKABLE void Preview(int nIndex);
    Q_INVOKABLE void loadFailed(int nFiled);
    Q_INVOKABLE void cleanGpsLocation(QString strKey);
    Q_INVOKABLE void setAddress(int nIndex, QString strAddress);

private:
    CMapView *m_pView;
};
