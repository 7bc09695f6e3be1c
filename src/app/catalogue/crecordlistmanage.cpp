#include "crecordlistmanage.h"

#include "catalogue/cdirmanagepage.h"
#include "catalogue/cdiskmanagepage.h"
#include "common/cglobalappdata.h"
#include "map/cmapview.h"
#include "playback/frameinfo.h"

#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
const int MAP_BUTTON_HEIGHT = 20;
const int MAP_VIEW_HEIGHT = 200;
const char *const DISK_PATH_PREFIX = "/mnt/ide";
// The one marker the panel keeps on the map: the position of the recording playing.
const char *const MAP_MARKER_ID = "111";
} // namespace

CRecordListManage::CRecordListManage(QWidget *parent)
    : QWidget(parent)
{
    m_pTabWidget = new QTabWidget(this);
    m_pDiskPage = new CDiskManagePage(m_pTabWidget);
    m_pDirPage = new CDirManagePage(m_pTabWidget);
    m_pTabWidget->addTab(m_pDiskPage, tr("Disk"));
    m_pTabWidget->addTab(m_pDirPage, tr("Local"));
    m_pTabWidget->setCurrentIndex(0);

    m_pMapButton = new QToolButton(this);
    m_pMapButton->setText(tr("Map"));
    m_pMapButton->setObjectName("TabButton");
    m_pMapButton->setFixedHeight(MAP_BUTTON_HEIGHT);
    m_pMapButton->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);

    QVBoxLayout *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_pTabWidget, 1);
    layout->addWidget(m_pMapButton);

    connectPages();
    connect(m_pMapButton, &QToolButton::clicked, this, &CRecordListManage::onMapViewClicked);
    connect(m_pTabWidget, &QTabWidget::currentChanged, this, &CRecordListManage::onTabCurrentIndexChanged);
    // A new playback clears the position of the previous one.
    connect(this, qOverload<QString, bool>(&CRecordListManage::playRecord), this, &CRecordListManage::removeMapMarker);
    connect(this, &CRecordListManage::syncPlay, this, &CRecordListManage::removeMapMarker);
    setMapView(new CMapView(this));
}

void CRecordListManage::connectPages()
{
    connect(m_pDiskPage, qOverload<QString, bool>(&CDiskManagePage::playRecord), this,
            qOverload<QString, bool>(&CRecordListManage::playRecord));
    connect(m_pDiskPage, &CDiskManagePage::selectVideoWnd, this, &CRecordListManage::selectVideoWnd);
    connect(m_pDiskPage, &CDiskManagePage::changeWndMode, this, &CRecordListManage::changeWndMode);
    connect(m_pDiskPage, &CDiskManagePage::syncPlay, this, &CRecordListManage::syncPlay);
    connect(m_pDiskPage, &CDiskManagePage::diskChanged, this, &CRecordListManage::diskChanged);
    connect(m_pDirPage, &CDirManagePage::playRecord, this, qOverload<QString, bool>(&CRecordListManage::playRecord));
    connect(m_pDirPage, &CDirManagePage::selectVideoWnd, this, &CRecordListManage::selectVideoWnd);
    connect(m_pDirPage, &CDirManagePage::changeWndMode, this, &CRecordListManage::changeWndMode);
    connect(m_pDirPage, &CDirManagePage::syncPlay, this, &CRecordListManage::syncPlay);
}

void CRecordListManage::start()
{
    m_pDiskPage->start();
}

void CRecordListManage::setMapView(QWidget *pMapView)
{
    if (pMapView == m_pMapView) return;
    delete m_pMapView;
    m_pMapView = pMapView;
    m_pMapButton->setEnabled(m_pMapView != nullptr);
    if (!m_pMapView) return;
    m_pMapView->setParent(this);
    m_pMapView->setFixedHeight(MAP_VIEW_HEIGHT);
    m_pMapView->hide();
    layout()->addWidget(m_pMapView);
}

void CRecordListManage::onMapViewClicked()
{
    if (m_pMapView) m_pMapView->setVisible(!m_pMapView->isVisible());
}

void CRecordListManage::onPlayRecordResponse()
{
    if (m_pTabWidget->currentWidget() == m_pDiskPage)
        m_pDiskPage->onPlayRecordResponse();
    else
        m_pDirPage->onPlayRecordResponse();
}

// The map view is reached through its invokable methods, so any view that offers
// setGpsLocation(QString, void*) and cleanGpsLocation(QString) can be set.
void CRecordListManage::onUpdateGpsInfo(void *pGpsInfo)
{
    if (!pGpsInfo) {
        removeMapMarker();
        return;
    }
    const bool bTaken = m_pMapView && QMetaObject::invokeMethod(m_pMapView, "setGpsLocation", Qt::DirectConnection,
                                                                Q_ARG(QString, MAP_MARKER_ID), Q_ARG(void *, pGpsInfo));
    if (!bTaken) delete static_cast<GpsInfo *>(pGpsInfo);
}

void CRecordListManage::removeMapMarker()
{
    if (m_pMapView)
        QMetaObject::invokeMethod(m_pMapView, "cleanGpsLocation", Qt::DirectConnection, Q_ARG(QString, MAP_MARKER_ID));
}

void CRecordListManage::onSelectRecord(QString strFilePath)
{
    if (!strFilePath.startsWith(DISK_PATH_PREFIX)) {
        m_pTabWidget->setCurrentWidget(m_pDirPage);
        m_pDirPage->onSelectRecord(strFilePath);
        CGlobalAppData::instance()->setCurSource(CGlobalAppData::sourceLocal);
        return;
    }
    m_pTabWidget->setCurrentWidget(m_pDiskPage);
    m_pDiskPage->onSelectRecord(strFilePath);
    CGlobalAppData::instance()->setCurSource(CGlobalAppData::sourceDisk);
}

void CRecordListManage::onTabCurrentIndexChanged(int nIndex)
{
    CGlobalAppData::instance()->setCurSource(nIndex == 0 ? CGlobalAppData::sourceDisk : CGlobalAppData::sourceLocal);
}
