#include "cmapwebview.h"

#include <QCoreApplication>
#include <QDebug>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUrl>
#include <QWebChannel>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>

namespace {
const char *const kPageTexts[] = {
    QT_TRANSLATE_NOOP("CMapWebView", "Follow"),
    QT_TRANSLATE_NOOP("CMapWebView", "Keep the vehicle in view"),
    QT_TRANSLATE_NOOP("CMapWebView", "The map library (Leaflet) is missing beside the program."),
    QT_TRANSLATE_NOOP("CMapWebView", "Baidu map: %1"),
    QT_TRANSLATE_NOOP("CMapWebView", "The Baidu map service could not be loaded (no network, or no valid map key)."),
    QT_TRANSLATE_NOOP("CMapWebView", "The Baidu map could not be started: %1"),
    QT_TRANSLATE_NOOP("CMapWebView", "The Gaode map service could not be loaded (no network, or no valid map key)."),
    QT_TRANSLATE_NOOP("CMapWebView", "The Gaode map could not be started: %1"),
    QT_TRANSLATE_NOOP("CMapWebView", "The Google map service could not be loaded (no network, or no valid map key)."),
    QT_TRANSLATE_NOOP("CMapWebView", "The Google map service refused the map key."),
    QT_TRANSLATE_NOOP("CMapWebView", "The Google map could not be started: %1"),
};
const char *const kTextsScriptName = "korvaneTexts";

// Coordinates keep their full precision: a track drawn from rounded points would
// leave the streets by up to a hundred metres.
QString coordinate(double dValue)
{
    return QString::asprintf("%.15f", dValue);
}
} // namespace

CMapWebView::CMapWebView(QWidget *parent)
    : QWebEngineView(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    connect(this, &QWebEngineView::loadStarted, this, &CMapWebView::onLoadStarted);
    connect(this, &QWebEngineView::loadFinished, this, &CMapWebView::onLoadFinished);
}

// The page, its settings and the channel come to life here, not in the constructor,
// so a map view that is never shown starts no browser.
void CMapWebView::loadMap(const QString &strPagePath, QObject *pBridge)
{
    settings()->setAttribute(QWebEngineSettings::PluginsEnabled, true);
    settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, true);
    QWebEngineSettings *pPageSettings = page()->settings();
    pPageSettings->setAttribute(QWebEngineSettings::JavascriptEnabled, true);
    pPageSettings->setAttribute(QWebEngineSettings::AllowRunningInsecureContent, true);
    pPageSettings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, true);
    if (!m_pChannel) {
        m_pChannel = new QWebChannel(this);
        m_pChannel->registerObject("bridge", pBridge);
        page()->setWebChannel(m_pChannel);
    }
    QWebEngineScriptCollection &scripts = page()->scripts();
    for (const QWebEngineScript &old : scripts.findScripts(kTextsScriptName)) scripts.remove(old);
    QWebEngineScript texts;
    texts.setName(kTextsScriptName);
    texts.setInjectionPoint(QWebEngineScript::DocumentCreation);
    texts.setWorldId(QWebEngineScript::MainWorld);
    texts.setSourceCode(textsScript());
    scripts.insert(texts);
    load(QUrl::fromLocalFile(strPagePath));
}

void CMapWebView::onLoadStarted()
{
    m_bPageReady = false;
}

// What waited runs in one go; each call stands alone, so one that fails does not stop the rest.
void CMapWebView::onLoadFinished(bool bOk)
{
    if (!bOk) qWarning() << "map page did not load:" << url().toString();
    m_bPageReady = true;
    if (m_pendingScripts.isEmpty()) return;
    page()->runJavaScript("try{" + m_pendingScripts.join("}catch(e){}\ntry{") + "}catch(e){}");
    m_pendingScripts.clear();
}

void CMapWebView::runScript(const QString &strScript)
{
    emit scriptRun(strScript);
    if (m_bPageReady)
        page()->runJavaScript(strScript);
    else
        m_pendingScripts.append(strScript);
}

void CMapWebView::setMarker(double dLongitude, double dLatitude, int nIndex, bool bPath)
{
    runScript(QString::asprintf("setMarker(\"%.15f\",\"%.15f\",\"%d\",\"%d\")", dLongitude, dLatitude, nIndex,
                                bPath ? 1 : 0));
}

void CMapWebView::moveMarker(double dLongitude, double dLatitude, int nIndex)
{
    runScript(QString::asprintf("moveMarker(\"%.15f\",\"%.15f\",\"%d\")", dLongitude, dLatitude, nIndex));
}

void CMapWebView::reSetMarker(int nIndex)
{
    runScript(QString("reSetMarker(\"%1\")").arg(nIndex));
}

void CMapWebView::showMarker(int nIndex)
{
    runScript(QString("showMarker(\"%1\")").arg(nIndex));
}

void CMapWebView::setCenterObj(int nIndex)
{
    runScript(QString("setCenterObj(\"%1\")").arg(nIndex));
}

void CMapWebView::setCenter(double dLongitude, double dLatitude)
{
    runScript(QString("setCenter(\"%1\",\"%2\")").arg(coordinate(dLongitude), coordinate(dLatitude)));
}

void CMapWebView::setCenterOnEnable(int nEnable)
{
    runScript(QString("setCenterOnEnable(\"%1\")").arg(nEnable));
}

void CMapWebView::setMarkerDirection(int nIndex, float nDirection)
{
    runScript(QString("setMarkerIcon(\"%1\",\"%2\")").arg(nIndex).arg(double(nDirection)));
}

void CMapWebView::setPath(int nIndex, double dLongitude, double dLatitude)
{
    pushPathPoint(nIndex, dLongitude, dLatitude);
}

void CMapWebView::pushPathPoint(int nIndex, double dLongitude, double dLatitude)
{
    runScript(QString("pushPathPoint(\"%1\",\"%2\",\"%3\")").arg(nIndex).arg(coordinate(dLongitude), coordinate(dLatitude)));
}

void CMapWebView::resetPath(int nIndex)
{
    runScript(QString("resetPath(\"%1\")").arg(nIndex));
}

void CMapWebView::getAddress(int nIndex, double dLongitude, double dLatitude)
{
    runScript(QString::asprintf("getAddress(\"%d\",\"%.15f\",\"%.15f\")", nIndex, dLongitude, dLatitude));
}

QStringList CMapWebView::pageTexts()
{
    QStringList texts;
    for (const char *pText : kPageTexts) texts << QString::fromUtf8(pText);
    return texts;
}

QString CMapWebView::textsScript()
{
    QJsonObject texts;
    for (const char *pText : kPageTexts)
        texts.insert(QString::fromUtf8(pText), QCoreApplication::translate("CMapWebView", pText));
    return "window.korvaneTexts = " + QString::fromUtf8(QJsonDocument(texts).toJson(QJsonDocument::Compact)) + ";";
}
