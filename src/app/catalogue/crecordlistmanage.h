// The left-hand panel of the main window: the record pages in tabs, the button
// for the small map, and the forwarding of the pages' requests to the main window.
// It also keeps the current-source flag (disk or local folder) up to date.
#pragma once

#include <QWidget>

class CDirManagePage;
class CDiskManagePage;
class QTabWidget;
class QToolButton;

class CRecordListManage : public QWidget
{
    Q_OBJECT
public:
    explicit CRecordListManage(QWidget *parent = nullptr);

    // Starts the disk page: first load after 500 ms, drive check every 10 s.
    void start();
    CDiskManagePage *diskPage() const { return m_pDiskPage; }
    CDirManagePage *dirPage() const { return m_pDirPage; }
    QTabWidget *tabWidget() const { return m_pTabWidget; }
    QToolButton *mapButton() const { return m_pMapButton; }
    // The map view (a CMapView from the start); the "Map" button shows and hides it.
    // A view set later replaces the one before.
    void setMapView(QWidget *pMapView);
    QWidget *mapView() const { return m_pMapView; }

signals:
    void playRecord(QString strFilePath, bool bSync);
    void playRecord(QString strFilePath);
    void selectVideoWnd(QString strFileName);
    void changeWndMode(int nMode);
    void syncPlay(int nStartSecond);
    void diskChanged();

public slots:
    void onMapViewClicked();
    void onPlayRecordResponse();
    // Takes ownership of the GpsInfo block; a null block removes the marker.
    void onUpdateGpsInfo(void *pGpsInfo);
    void onSelectRecord(QString strFilePath);
    void onTabCurrentIndexChanged(int nIndex);

private:
    void connectPages();
    void removeMapMarker();

    QTabWidget *m_pTabWidget = nullptr;
    QToolButton *m_pMapButton = nullptr;
    QWidget *m_pMapView = nullptr;
    CDiskManagePage *m_pDiskPage = nullptr;
    CDirManagePage *m_pDirPage = nullptr;
};
