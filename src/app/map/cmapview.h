// The map tab of the record list panel: a map page in a browser with one marker that
// follows the GPS position of the playing recording, the route it has driven, and a
// line with the coordinates. Without a map key (for a page that needs one) only a
// notice shows, and a click on it opens the settings. The page reaches this view
// through the channel object "bridge" (CMapBridge).
#pragma once

#include <QFrame>
#include <QMap>
#include <QString>

class CClickedLabel;
class CMapWebView;
class QLabel;
struct GpsInfo;

class CMapView : public QFrame
{
    Q_OBJECT
public:
    explicit CMapView(QWidget *parent = nullptr);

    // Null when the settings leave nothing to show (a page that needs a key, and none is set).
    CMapWebView *webView() const { return m_pWebView; }
    QLabel *gpsLabel() const { return m_pGpsLabel; }
    CClickedLabel *keyNotice() const { return m_pKeyNotice; }
    // Loads the page now; otherwise it loads when the view is first shown.
    void loadMap();

    Q_INVOKABLE void Preview(int nIndex);
    Q_INVOKABLE void loadFailed(int nFiled);
    // Removes the track and hides the key's marker (a new playback begins).
    Q_INVOKABLE void cleanGpsLocation(QString strKey);
    Q_INVOKABLE void setAddress(int nIndex, QString strAddress);
    // Moves the key's marker to the position of the GpsInfo block, which this call frees.
    Q_INVOKABLE void setGpsLocation(QString strKey, void *pGpsInfo);

signals:
    // The page could not load its map service (no network, wrong key).
    void mapLoadFailed(int nFiled);

protected:
    void showEvent(QShowEvent *pEvent) override;

private:
    void placeMarker(const QString &strKey, double dLongitude, double dLatitude);

    int m_nMarkerCounter = -1;
    QMap<QString, int> m_markers;
    QMap<QString, bool> m_shown;
    CMapWebView *m_pWebView = nullptr;
    QLabel *m_pGpsLabel = nullptr;
    CClickedLabel *m_pKeyNotice = nullptr;
    bool m_bLoadRequested = false;
};
