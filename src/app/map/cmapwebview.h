// The browser of the map tab: it shows one map page and drives it only by calling
// the page's script functions, one operation per function. Coordinates go longitude
// first; every number is formatted here, so no other text ever reaches a script.
// Scripts asked for before the page has loaded wait and run, in order, once it has.
#pragma once

#include <QStringList>
#include <QWebEngineView>

class QWebChannel;

class CMapWebView : public QWebEngineView
{
    Q_OBJECT
public:
    explicit CMapWebView(QWidget *parent = nullptr);

    // Loads the page and offers pBridge to its scripts as the channel object "bridge".
    void loadMap(const QString &strPagePath, QObject *pBridge);
    bool isMapLoaded() const { return m_bPageReady; }

    void setMarker(double dLongitude, double dLatitude, int nIndex, bool bPath);
    void moveMarker(double dLongitude, double dLatitude, int nIndex);
    void reSetMarker(int nIndex);
    void showMarker(int nIndex);
    void setCenterObj(int nIndex);
    void setCenter(double dLongitude, double dLatitude);
    void setCenterOnEnable(int nEnable);
    void setMarkerDirection(int nIndex, float nDirection);
    void setPath(int nIndex, double dLongitude, double dLatitude);
    void pushPathPoint(int nIndex, double dLongitude, double dLatitude);
    void resetPath(int nIndex);
    void getAddress(int nIndex, double dLongitude, double dLatitude);

    // The texts the map pages show themselves (notices, the Follow button), in English as the
    // pages write them; the pages look each one up with korvaneTr().
    static QStringList pageTexts();
    // The script that hands the pages those texts in the program's language before any
    // script of a page runs.
    static QString textsScript();

signals:
    // Every script text asked for, in order, whether it ran at once or waits for the page.
    void scriptRun(const QString &strScript);

private slots:
    void onLoadStarted();
    void onLoadFinished(bool bOk);

private:
    void runScript(const QString &strScript);

    QWebChannel *m_pChannel = nullptr;
    bool m_bPageReady = false;
    QStringList m_pendingScripts;
};
