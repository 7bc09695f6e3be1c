#include "cmapview.h"

#include "map/ccoordtransform.h"
#include "cmapbridge.h"
#include "map/cgpstrack.h"
#include "cmapwebview.h"
#include "common/cglobalappdata.h"
#include "playback/frameinfo.h"
#include "widgets/cclickedlabel.h"

#include <QDebug>
#include <QNetworkProxyFactory>
#include <QVBoxLayout>

#include <cmath>
#include <memory>

namespace {
const int GPS_LABEL_HEIGHT = 20;
const int KEY_NOTICE_WIDTH = 200;
// The page's one marker and one track: the position of the recording playing.
const int MARKER_ICON_INDEX = 0;
const int TRACK_INDEX = 0;

QString fixed(double dValue, int nDecimals)
{
    return QString::number(dValue, 'f', nDecimals);
}

// A course the receiver may have garbled is no direction at all.
float direction(float fCourse)
{
    return std::isfinite(fCourse) && fCourse >= 0.0f && fCourse <= 360.0f ? fCourse : -1.0f;
}
} // namespace

CMapView::CMapView(QWidget *parent)
    : QFrame(parent)
{
    QNetworkProxyFactory::setUseSystemConfiguration(true);
    const CGlobalAppData *pData = CGlobalAppData::instance();

    m_pGpsLabel = new QLabel(this);
    m_pGpsLabel->setObjectName("GPSLabel");
    m_pGpsLabel->setStyleSheet("#GPSLabel{color:white;}");
    m_pGpsLabel->setFixedHeight(GPS_LABEL_HEIGHT);
    m_pGpsLabel->setAlignment(Qt::AlignCenter);

    m_pKeyNotice = new CClickedLabel(tr("Map loading requires initialization of a key"), this);
    QFont font = m_pKeyNotice->font();
    font.setUnderline(true);
    m_pKeyNotice->setFont(font);
    m_pKeyNotice->setWordWrap(true);
    m_pKeyNotice->setFixedWidth(KEY_NOTICE_WIDTH);
    m_pKeyNotice->setAlignment(Qt::AlignCenter);
    connect(m_pKeyNotice, &CClickedLabel::clicked, CGlobalAppData::instance(), &CGlobalAppData::showConfig);

    QVBoxLayout *pLayout = new QVBoxLayout(this);
    pLayout->setContentsMargins(0, 0, 0, 0);
    pLayout->setSpacing(0);
    if (pData->hasMapPage()) {
        m_pWebView = new CMapWebView(this);
        pLayout->addWidget(m_pWebView, 1);
    }
    pLayout->addWidget(m_pGpsLabel);
    pLayout->addWidget(m_pKeyNotice, 0, Qt::AlignCenter);
    m_pGpsLabel->setVisible(m_pWebView != nullptr);
    m_pKeyNotice->setVisible(m_pWebView == nullptr);
}

void CMapView::loadMap()
{
    if (!m_pWebView || m_bLoadRequested) return;
    m_bLoadRequested = true;
    m_pWebView->loadMap(CGlobalAppData::instance()->mapPath(), new CMapBridge(this));
}

void CMapView::showEvent(QShowEvent *pEvent)
{
    QFrame::showEvent(pEvent);
    loadMap();
}

void CMapView::Preview(int nIndex)
{
    Q_UNUSED(nIndex);
}

void CMapView::loadFailed(int nFiled)
{
    qInfo() << "the map page could not load its map service" << nFiled;
    emit mapLoadFailed(nFiled);
}

void CMapView::setAddress(int nIndex, QString strAddress)
{
    Q_UNUSED(nIndex);
    Q_UNUSED(strAddress);
}

void CMapView::cleanGpsLocation(QString strKey)
{
    if (!m_pWebView) return;
    m_pWebView->resetPath(TRACK_INDEX);
    m_pWebView->setCenterOnEnable(1); // a new playback is followed again
    const auto it = m_markers.constFind(strKey);
    if (it == m_markers.constEnd()) return;
    m_pWebView->reSetMarker(it.value());
    m_shown[strKey] = false;
}

void CMapView::setGpsLocation(QString strKey, void *pGpsInfo)
{
    std::unique_ptr<GpsInfo> pInfo(static_cast<GpsInfo *>(pGpsInfo));
    if (!pInfo || strKey.isEmpty() || !m_pWebView) return;
    if (!CGpsTrack::IsUsableFix(*pInfo)) {
        qInfo() << "GPS position dropped: no hemisphere or outside the valid range";
        return;
    }
    qInfo().noquote() << QString("latitude:%1  longitude:%2").arg(fixed(pInfo->dLatitude, 15), fixed(pInfo->dLongitude, 15));
    const CGlobalAppData *pData = CGlobalAppData::instance();
    const GeoPoint point = CCoordTransform::FromWgs84(CCoordTransform::DatumForMap(pData->mapType(), pData->outChina()),
                                                      {pInfo->dLongitude, pInfo->dLatitude});
    qInfo().noquote() << QString("after %1").arg(
        QString("latitude:%1  longitude:%2").arg(fixed(point.dLatitude, 15), fixed(point.dLongitude, 15)));

    m_pWebView->setMarkerDirection(MARKER_ICON_INDEX, direction(pInfo->fCourse));
    placeMarker(strKey, point.dLongitude, point.dLatitude);
    m_pWebView->pushPathPoint(TRACK_INDEX, point.dLongitude, point.dLatitude);
    m_pGpsLabel->setText(QString("GPS(%1,%2)").arg(fixed(point.dLongitude, 6), fixed(point.dLatitude, 6)));
    update();
}

// The first position makes the marker; the next one shows it; every one after that moves it.
void CMapView::placeMarker(const QString &strKey, double dLongitude, double dLatitude)
{
    const auto it = m_markers.constFind(strKey);
    if (it == m_markers.constEnd()) {
        const int nNumber = ++m_nMarkerCounter;
        m_pWebView->setMarker(dLongitude, dLatitude, nNumber, false);
        m_markers.insert(strKey, nNumber);
        m_shown.insert(strKey, false);
        return;
    }
    if (!m_shown.value(strKey)) {
        m_pWebView->showMarker(it.value());
        m_shown[strKey] = true;
    }
    m_pWebView->moveMarker(dLongitude, dLatitude, it.value());
}
