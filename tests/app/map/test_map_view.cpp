// The map view on a real X display (run inside xvfb-run), with every request for the network
// blocked: the scripts it runs on its page, the marker sequence and the conversions of each
// map type, the empty-key rule, and the four shipped pages: every function defined, the
// service pages saying they cannot load, the OpenStreetMap page drawing marker and track
// offline. Also the settings dialog's map list and the Disk page's "Export GPS Track".
#include "catalogue/cdiskmanagepage.h"
#include "common/cfsfile.h"
#include "common/cglobalappdata.h"
#include "map/ccoordtransform.h"
#include "map/cmapview.h"
#include "map/cmapwebview.h"
#include "playback/cgpsrmcparse.h"
#include "playback/frameinfo.h"
#include "shell/cconfigdlg.h"
#include "widgets/cclickedlabel.h"
#include "widgets/cmessagebox.h"

#include "route.h"
#include "sim_recording.h"
#include "wfs_device.h"

#include "widget_test_support.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QEventLoop>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineUrlRequestInterceptor>
#include <QXmlStreamReader>

#include <cmath>
#include <functional>
#include <cstdio>
#include <memory>

namespace {
const int PAGE_TIMEOUT_MS = 30000;
const GeoPoint BEIJING = {116.404, 39.915};
const GeoPoint LONDON = {-0.1246, 51.5007};
const char *const PAGE_FUNCTIONS[] = {"setMarker",    "moveMarker",        "reSetMarker",   "showMarker",
                                      "setCenterObj", "setCenter",         "setCenterOnEnable", "setMarkerIcon",
                                      "pushPathPoint", "resetPath",        "getAddress"};

// Nothing leaves the machine: the tests see the pages as an offline workstation would.
class OfflineInterceptor : public QWebEngineUrlRequestInterceptor
{
public:
    void interceptRequest(QWebEngineUrlRequestInfo &info) override
    {
        const QString strScheme = info.requestUrl().scheme();
        if (strScheme == "http" || strScheme == "https") info.block(true);
    }
};

GpsInfo *gpsAt(const GeoPoint &at, float fCourse = 90.0f)
{
    GpsInfo *pInfo = new GpsInfo();
    pInfo->bValid = 1;
    pInfo->dLatitude = at.dLatitude;
    pInfo->dLongitude = at.dLongitude;
    pInfo->cNorthSouth = at.dLatitude < 0 ? 'S' : 'N';
    pInfo->cEastWest = at.dLongitude < 0 ? 'W' : 'E';
    pInfo->fCourse = fCourse;
    return pInfo;
}

// Waits in a running event loop: the web engine talks to its processes through it, and the
// short sleeps of QTest::qWaitFor would slow every page load down to seconds.
bool pumpUntil(const std::function<bool()> &condition, int nTimeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > nTimeoutMs) return false;
        QEventLoop loop;
        QTimer::singleShot(5, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return true;
}
#define PAGE_SOON(condition) ASSERT_TRUE(pumpUntil([&]() { return bool(condition); }, PAGE_TIMEOUT_MS)) << #condition
#define EXPECT_PAGE_SOON(condition) EXPECT_TRUE(pumpUntil([&]() { return bool(condition); }, PAGE_TIMEOUT_MS)) << #condition

QString fixed15(double dValue)
{
    return QString::asprintf("%.15f", dValue);
}

QVariant evaluate(QWebEnginePage *pPage, const QString &strScript)
{
    QVariant result;
    bool bDone = false;
    pPage->runJavaScript(strScript, [&](const QVariant &value) {
        result = value;
        bDone = true;
    });
    EXPECT_TRUE(pumpUntil([&]() { return bDone; }, PAGE_TIMEOUT_MS)) << qPrintable(strScript);
    return result;
}

QJsonObject pageState(CMapWebView *pView)
{
    return QJsonDocument::fromJson(evaluate(pView->page(), "korvaneState()").toString().toUtf8()).object();
}

// The settings of a test: map type, key and outside-China flag, read by views made after it.
void useMap(int nMapType, const QString &strKey, int nOutChina = 1)
{
    CGlobalAppData *pData = CGlobalAppData::instance();
    pData->setMapSettings(nMapType, strKey, QString());
    pData->setOutChina(nOutChina);
}

class MapViewTest : public ::testing::Test
{
protected:
    void TearDown() override { useMap(CGlobalAppData::mapOpenStreetMap, QString()); }

    // A view with its scripts recorded; the page is loaded only when asked for.
    void makeView()
    {
        m_pView = std::make_unique<CMapView>();
        m_pView->resize(400, 300);
        if (m_pView->webView()) m_pScripts = std::make_unique<QSignalSpy>(m_pView->webView(), &CMapWebView::scriptRun);
    }

    QStringList scripts()
    {
        QStringList texts;
        for (const QList<QVariant> &call : *m_pScripts) texts << call.at(0).toString();
        m_pScripts->clear();
        return texts;
    }

    void showAndLoad()
    {
        m_pView->show();
        PAGE_SOON(m_pView->webView()->isMapLoaded());
    }

    std::unique_ptr<CMapView> m_pView;
    std::unique_ptr<QSignalSpy> m_pScripts;
};
} // namespace

TEST_F(MapViewTest, EveryOperationRunsItsScriptWithNumbersOnly)
{
    CMapWebView view;
    QSignalSpy spy(&view, &CMapWebView::scriptRun);
    view.setMarker(-0.1246, 51.5007, 0, false);
    view.setMarker(116.25, -39.5, 3, true);
    view.moveMarker(114.059463, 22.552057, 0);
    view.reSetMarker(0);
    view.showMarker(12);
    view.setCenterObj(1);
    view.setCenter(114.059463, 22.552057);
    view.setCenterOnEnable(1);
    view.setMarkerDirection(0, 90.0f);
    view.setMarkerDirection(0, 337.9f);
    view.setMarkerDirection(0, -1.0f);
    view.setPath(0, 114.059463, 22.552057);
    view.pushPathPoint(2, -0.1246, 51.5007);
    view.resetPath(0);
    view.getAddress(0, 114.059463, 22.552057);
    QStringList texts;
    for (const QList<QVariant> &call : spy) texts << call.at(0).toString();
    const QStringList expected = {
        "setMarker(\"-0.124600000000000\",\"51.500700000000002\",\"0\",\"0\")",
        "setMarker(\"116.250000000000000\",\"-39.500000000000000\",\"3\",\"1\")",
        "moveMarker(\"114.059462999999994\",\"22.552057000000001\",\"0\")",
        "reSetMarker(\"0\")",
        "showMarker(\"12\")",
        "setCenterObj(\"1\")",
        "setCenter(\"114.059462999999994\",\"22.552057000000001\")",
        "setCenterOnEnable(\"1\")",
        "setMarkerIcon(\"0\",\"90\")",
        "setMarkerIcon(\"0\",\"337.9\")",
        "setMarkerIcon(\"0\",\"-1\")",
        "pushPathPoint(\"0\",\"114.059462999999994\",\"22.552057000000001\")",
        "pushPathPoint(\"2\",\"-0.124600000000000\",\"51.500700000000002\")",
        "resetPath(\"0\")",
        "getAddress(\"0\",\"114.059462999999994\",\"22.552057000000001\")",
    };
    EXPECT_EQ(texts, expected);
}

TEST_F(MapViewTest, FirstPositionMakesTheMarkerTheNextShowsItLaterOnesMoveIt)
{
    useMap(CGlobalAppData::mapGoogle, "KEY", 1);
    makeView();
    ASSERT_NE(m_pView->webView(), nullptr);
    m_pView->setGpsLocation("111", gpsAt(LONDON, 45.5f));
    const QString strAt = QString("\"%1\",\"%2\"").arg(fixed15(LONDON.dLongitude), fixed15(LONDON.dLatitude));
    EXPECT_EQ(scripts(), QStringList({"setMarkerIcon(\"0\",\"45.5\")", "setMarker(" + strAt + ",\"0\",\"0\")",
                                      "pushPathPoint(\"0\"," + strAt + ")"}));
    EXPECT_EQ(m_pView->gpsLabel()->text(), "GPS(-0.124600,51.500700)");
    m_pView->setGpsLocation("111", gpsAt(LONDON, -1.0f));
    EXPECT_EQ(scripts(), QStringList({"setMarkerIcon(\"0\",\"-1\")", "showMarker(\"0\")", "moveMarker(" + strAt + ",\"0\")",
                                      "pushPathPoint(\"0\"," + strAt + ")"}));
    m_pView->setGpsLocation("111", gpsAt(LONDON));
    EXPECT_EQ(scripts(), QStringList({"setMarkerIcon(\"0\",\"90\")", "moveMarker(" + strAt + ",\"0\")",
                                      "pushPathPoint(\"0\"," + strAt + ")"}));

    m_pView->cleanGpsLocation("111");
    EXPECT_EQ(scripts(), QStringList({"resetPath(\"0\")", "setCenterOnEnable(\"1\")", "reSetMarker(\"0\")"}));
    m_pView->setGpsLocation("111", gpsAt(LONDON));
    EXPECT_EQ(scripts().mid(1, 2), QStringList({"showMarker(\"0\")", "moveMarker(" + strAt + ",\"0\")"}))
        << "after a clean the marker is shown again, not made anew";
    m_pView->setGpsLocation("222", gpsAt(LONDON));
    EXPECT_EQ(scripts().at(1), "setMarker(" + strAt + ",\"1\",\"0\")") << "another key gets the next number";
    m_pView->cleanGpsLocation("333");
    EXPECT_EQ(scripts(), QStringList({"resetPath(\"0\")", "setCenterOnEnable(\"1\")"})) << "a key without a marker";
    m_pView->setGpsLocation("", gpsAt(LONDON));
    m_pView->setGpsLocation("111", nullptr);
    EXPECT_TRUE(scripts().isEmpty());
}

TEST_F(MapViewTest, EachMapTypeGetsTheCoordinatesItsPageExpects)
{
    struct Case {
        int nMapType, nOutChina;
        GeoPoint at, expected;
    };
    const GeoPoint beijingGcj = CCoordTransform::Wgs84ToGcj02(BEIJING);
    const Case cases[] = {
        {CGlobalAppData::mapGoogle, 1, BEIJING, BEIJING},
        {CGlobalAppData::mapGoogle, 0, BEIJING, beijingGcj},
        {CGlobalAppData::mapGaode, 0, BEIJING, beijingGcj},
        {CGlobalAppData::mapGaode, 1, BEIJING, BEIJING},
        {CGlobalAppData::mapBaidu, 1, BEIJING, {116.41662724378733, 39.922699552216216}},
        {CGlobalAppData::mapGaode, 0, LONDON, LONDON},
        {CGlobalAppData::mapBaidu, 0, LONDON, CCoordTransform::Gcj02ToBd09(LONDON)},
        {CGlobalAppData::mapOpenStreetMap, 0, BEIJING, BEIJING},
        {CGlobalAppData::mapOpenStreetMap, 1, LONDON, LONDON},
    };
    for (const Case &c : cases) {
        useMap(c.nMapType, "KEY", c.nOutChina);
        makeView();
        m_pView->setGpsLocation("111", gpsAt(c.at));
        const QStringList texts = scripts();
        ASSERT_EQ(texts.size(), 3);
        const QRegularExpressionMatch m = QRegularExpression("^setMarker\\(\"([-0-9.]+)\",\"([-0-9.]+)\"").match(texts[1]);
        ASSERT_TRUE(m.hasMatch()) << qPrintable(texts[1]);
        EXPECT_NEAR(m.captured(1).toDouble(), c.expected.dLongitude, 1e-9) << "type " << c.nMapType << " flag " << c.nOutChina;
        EXPECT_NEAR(m.captured(2).toDouble(), c.expected.dLatitude, 1e-9) << "type " << c.nMapType << " flag " << c.nOutChina;
        EXPECT_EQ(m_pView->gpsLabel()->text(), QString("GPS(%1,%2)")
                                                  .arg(QString::number(c.expected.dLongitude, 'f', 6),
                                                       QString::number(c.expected.dLatitude, 'f', 6)));
    }
}

TEST_F(MapViewTest, WithoutAKeyOnlyTheNoticeShowsAndPositionsAreDropped)
{
    useMap(CGlobalAppData::mapGoogle, "");
    makeView();
    EXPECT_EQ(m_pView->webView(), nullptr);
    m_pView->show();
    EXPECT_TRUE(m_pView->keyNotice()->isVisible());
    EXPECT_FALSE(m_pView->gpsLabel()->isVisible());
    EXPECT_EQ(m_pView->keyNotice()->text(), "Map loading requires initialization of a key");
    EXPECT_TRUE(m_pView->keyNotice()->font().underline());
    EXPECT_EQ(m_pView->keyNotice()->width(), 200);
    m_pView->setGpsLocation("111", gpsAt(LONDON)); // freed, nothing drawn
    m_pView->cleanGpsLocation("111");
    EXPECT_TRUE(m_pView->gpsLabel()->text().isEmpty());
    QSignalSpy config(CGlobalAppData::instance(), &CGlobalAppData::showConfig);
    QTest::mouseClick(m_pView->keyNotice(), Qt::LeftButton);
    EXPECT_EQ(config.count(), 1) << "a click on the notice opens the settings";

    useMap(CGlobalAppData::mapOpenStreetMap, "");
    makeView();
    ASSERT_NE(m_pView->webView(), nullptr) << "OpenStreetMap needs no key";
    m_pView->show();
    EXPECT_FALSE(m_pView->keyNotice()->isVisible());
    EXPECT_TRUE(m_pView->gpsLabel()->isVisible());
    EXPECT_EQ(m_pView->gpsLabel()->objectName(), "GPSLabel");
}

TEST_F(MapViewTest, PositionsOutOfRangeOrFromBadTextNeverReachThePage)
{
    useMap(CGlobalAppData::mapOpenStreetMap, "");
    makeView();
    GpsInfo *pNoHemisphere = gpsAt(LONDON);
    pNoHemisphere->cEastWest = 0;
    GpsInfo *pInvalid = gpsAt(LONDON);
    pInvalid->bValid = 0;
    for (GpsInfo *pInfo : {gpsAt({10.0, 95.0}), gpsAt({500.0, 10.0}), gpsAt({0.0, 0.0}), gpsAt({NAN, 10.0}),
                           pNoHemisphere, pInvalid})
        m_pView->setGpsLocation("111", pInfo);
    EXPECT_TRUE(scripts().isEmpty());

    // Whatever the stream's text, the scripts hold only the program's numbers.
    const char *const texts[] = {
        "GPS:$GNRMC,083559.00,A,2233.1234,N,11403.5678,E,\");alert(1);//,</script>,071226,,,A;",
        "GPS:$GNRMC,083559.00,A,2233.1234,N,11403.5678,E,10.0,'+x+',071226,,,A;",
        "GPS:$GNRMC,083559.00,A,2233.1234,N,11403.5678,E,10.0,1e309,071226,,,A;",
        "GPS:$GNRMC,083559.00,A,2233.1234,N,11403.5678,E,10.0,99999999999999999999999999999999999999999,071226,,,A;",
        "GPS:$GNGGA,083559.00,2233.1234,N,11403.5678,E\xC3\xA9\x01</script>;",
    };
    for (const char *pText : texts) {
        FrameInfo info = EmptyFrameInfo();
        CGPSRMCParse().ParseAllInfo(pText, int(strlen(pText)), info);
        m_pView->setGpsLocation("111", new GpsInfo(info.gps));
    }
    const QStringList all = scripts();
    EXPECT_EQ(all.size(), 3 + 4 + 3 * 3) << "make, show and move, then moves";
    const QRegularExpression numbersOnly("^[A-Za-z]+\\((\"-?[0-9]+(\\.[0-9]+)?\")(,\"-?[0-9]+(\\.[0-9]+)?\")*\\)$");
    for (const QString &strScript : all) EXPECT_TRUE(numbersOnly.match(strScript).hasMatch()) << qPrintable(strScript);
}

TEST_F(MapViewTest, EveryPageDefinesTheFunctionsAndServicePagesSayWhenTheyCannotLoad)
{
    for (int nMapType : {0, 1, 2, 3}) {
        useMap(nMapType, nMapType == 3 ? QString() : QString("KEY"));
        makeView();
        QSignalSpy failed(m_pView.get(), &CMapView::mapLoadFailed);
        showAndLoad();
        QWebEnginePage *pPage = m_pView->webView()->page();
        EXPECT_TRUE(pPage->url().toLocalFile().endsWith(CGlobalAppData::mapPageName(nMapType))) << nMapType;
        for (const char *pFunction : PAGE_FUNCTIONS)
            EXPECT_EQ(evaluate(pPage, QString("typeof %1").arg(pFunction)).toString(), "function")
                << pFunction << " on map type " << nMapType;
        if (nMapType == CGlobalAppData::mapOpenStreetMap) {
            const QJsonObject state = pageState(m_pView->webView());
            EXPECT_TRUE(state["ready"].toBool());
            EXPECT_FALSE(state["failed"].toBool()) << qPrintable(state["failure"].toString());
        } else {
            EXPECT_PAGE_SOON(failed.count() == 1) << "map type " << nMapType << " reports through the bridge";
            EXPECT_FALSE(evaluate(pPage, "document.getElementById('notice').textContent").toString().isEmpty())
                << "the page says so on the page";
            m_pView->setGpsLocation("111", gpsAt(BEIJING));
            EXPECT_EQ(pageState(m_pView->webView())["markers"].toObject().size(), 1) << "the page keeps the position";
        }
    }
}

TEST_F(MapViewTest, OpenStreetMapDrawsTheMarkerAndTheTrackOffline)
{
    useMap(CGlobalAppData::mapOpenStreetMap, "");
    makeView();
    const korvane::sim::Route route(5);
    const int POSITIONS = 6;
    GeoPoint last{};
    for (int i = 0; i < POSITIONS; ++i) {
        const korvane::sim::VehicleState v = route.at(1700000000 + i);
        last = {v.longitude, v.latitude};
        m_pView->setGpsLocation("111", gpsAt(last, float(v.course)));
        if (i == 1) showAndLoad(); // the first two waited for the page
    }
    QJsonObject drawn;
    PAGE_SOON((drawn = pageState(m_pView->webView())["drawn"].toObject())["paths"].toObject()["0"].toInt() == POSITIONS);
    const QJsonObject marker = drawn["markers"].toObject()["0"].toObject();
    EXPECT_NEAR(marker["lng"].toDouble(), last.dLongitude, 1e-9);
    EXPECT_NEAR(marker["lat"].toDouble(), last.dLatitude, 1e-9);
    EXPECT_TRUE(marker["visible"].toBool());
    EXPECT_TRUE(drawn["grid"].toBool()) << "without tiles the grid of degrees shows";
    EXPECT_GE(drawn["zoom"].toInt(), 16) << "the map went to the vehicle";
    EXPECT_EQ(m_pView->gpsLabel()->text(),
              QString("GPS(%1,%2)").arg(QString::number(last.dLongitude, 'f', 6), QString::number(last.dLatitude, 'f', 6)));

    evaluate(m_pView->webView()->page(), "korvaneUserMoved()");
    EXPECT_FALSE(pageState(m_pView->webView())["follow"].toBool());
    m_pView->cleanGpsLocation("111");
    PAGE_SOON(pageState(m_pView->webView())["drawn"].toObject()["paths"].toObject()["0"].toInt() == 0);
    const QJsonObject state = pageState(m_pView->webView());
    EXPECT_FALSE(state["drawn"].toObject()["markers"].toObject()["0"].toObject()["visible"].toBool());
    EXPECT_TRUE(state["follow"].toBool()) << "a new playback is followed again";
}

TEST_F(MapViewTest, ShippedPagesHoldOneKeyLineEachAndOpenStreetMapNone)
{
    const QString strMap = CGlobalAppData::instance()->appPath() + "/map";
    for (int nMapType : {0, 1, 2}) {
        const QString strPage = strMap + CGlobalAppData::mapPageName(nMapType).mid(4);
        QString strKey, strCode;
        ASSERT_TRUE(CGlobalAppData::writeMapKey(strPage, nMapType, "", ""));
        ASSERT_TRUE(CGlobalAppData::readMapKey(strPage, nMapType, strKey, strCode));
        EXPECT_TRUE(strKey.isEmpty() && strCode.isEmpty()) << qPrintable(strPage);
        QFile before(strPage);
        ASSERT_TRUE(before.open(QIODevice::ReadOnly));
        const QStringList oldLines = QString::fromUtf8(before.readAll()).split('\n');
        before.close();
        ASSERT_TRUE(CGlobalAppData::writeMapKey(strPage, nMapType, "AbC123", "SeC456"));
        ASSERT_TRUE(CGlobalAppData::readMapKey(strPage, nMapType, strKey, strCode));
        EXPECT_EQ(strKey, "AbC123");
        EXPECT_EQ(strCode, nMapType == 1 ? "SeC456" : "");
        QFile after(strPage);
        ASSERT_TRUE(after.open(QIODevice::ReadOnly));
        const QStringList newLines = QString::fromUtf8(after.readAll()).split('\n');
        ASSERT_EQ(newLines.size(), oldLines.size());
        int nChanged = 0;
        for (int i = 0; i < newLines.size(); ++i) nChanged += newLines[i] != oldLines[i];
        EXPECT_EQ(nChanged, nMapType == 1 ? 2 : 1) << "only the key line (and Gaode's code line) change";
        CGlobalAppData::writeMapKey(strPage, nMapType, "", "");
    }
    QFile osm(strMap + "/osmMap.html");
    ASSERT_TRUE(osm.open(QIODevice::ReadOnly));
    const QByteArray page = osm.readAll();
    osm.close();
    QString strKey, strCode;
    ASSERT_TRUE(CGlobalAppData::readMapKey(osm.fileName(), 3, strKey, strCode));
    EXPECT_TRUE(strKey.isEmpty());
    useMap(CGlobalAppData::mapOpenStreetMap, "SOMEKEY");
    ASSERT_TRUE(osm.open(QIODevice::ReadOnly));
    EXPECT_EQ(osm.readAll(), page) << "nothing is written into the page without a key";
}

TEST_F(MapViewTest, SettingsDialogOffersOpenStreetMapWithoutKey)
{
    useMap(CGlobalAppData::mapGoogle, "GOOGLEKEY", 0);
    CConfigDlg dlg;
    QComboBox *pTypes = dlg.mapTypeBox();
    ASSERT_EQ(pTypes->count(), 4);
    EXPECT_EQ(pTypes->itemText(3), "OpenStreetMap");
    EXPECT_EQ(pTypes->itemData(3).toInt(), 3);
    pTypes->setCurrentIndex(3);
    EXPECT_FALSE(dlg.mapKeyEdit()->isEnabled());
    EXPECT_FALSE(dlg.outChinaBox()->isEnabled());
    EXPECT_TRUE(dlg.storeSettings());
    EXPECT_EQ(CGlobalAppData::instance()->mapType(), 3);
    EXPECT_TRUE(CGlobalAppData::instance()->hasMapPage());

    // The next start reads OpenStreetMap's page, which has no key; going back to Google shows Google's own.
    CGlobalAppData::instance()->setMapSettings(3, "", "");
    CConfigDlg again;
    EXPECT_EQ(again.mapTypeBox()->currentData().toInt(), 3);
    EXPECT_FALSE(again.mapKeyEdit()->isEnabled());
    again.mapTypeBox()->setCurrentIndex(2);
    EXPECT_TRUE(again.mapKeyEdit()->isEnabled());
    EXPECT_EQ(again.mapKeyEdit()->text(), "GOOGLEKEY");
    EXPECT_TRUE(again.storeSettings());
    EXPECT_EQ(CGlobalAppData::instance()->mapKey(), "GOOGLEKEY") << "the Google key was not lost on the way";
}

namespace {
// Answers the save dialog with a file, then the prompt with OK, remembering its text.
class ExportAnswers : public QObject
{
public:
    explicit ExportAnswers(const QString &strFile)
        : m_strFile(strFile)
    {
        connect(&m_timer, &QTimer::timeout, this, &ExportAnswers::poll);
        m_timer.start(20);
    }
    QString m_strDialogFile;
    QString m_strPrompt;

private:
    void poll()
    {
        QWidget *pModal = QApplication::activeModalWidget();
        if (auto *pDialog = qobject_cast<QFileDialog *>(pModal)) {
            m_strDialogFile = pDialog->selectedFiles().value(0);
            pDialog->findChild<QLineEdit *>("fileNameEdit")->setText(m_strFile);
            QMetaObject::invokeMethod(pDialog, "accept");
        } else if (auto *pBox = qobject_cast<CMessageBox *>(pModal)) {
            m_strPrompt = pBox->text();
            pBox->buttons().at(0)->click();
            m_timer.stop();
        }
    }
    QString m_strFile;
    QTimer m_timer;
};
} // namespace

TEST_F(MapViewTest, DiskPageExportsTheGpsTrackOfARecording)
{
    namespace sim = korvane::sim;
    ScratchDir dir;
    sim::Scenario s;
    s.seed = 3;
    s.payloads = sim::PayloadKind::Real;
    s.partitions = {partition(256)};
    sim::RecordingSpec r = recording(0, sim::makeTime(2024, 3, 5, 9, 0, 0), 8);
    r.width = r.height = 64;
    r.fps = 2;
    s.recordings.push_back(r);
    SimDisk disk(dir, "gps.img", s);
    ASSERT_TRUE(disk.ok);
    const char *images[] = {disk.path.c_str()};
    ide_set_images(images, 1);
    ide_set_scan_devices(false);

    CDiskManagePage page;
    QSignalSpy loaded(&page, &CDiskManagePage::enabledControl);
    ASSERT_TRUE(page.startLoad());
    while (loaded.isEmpty() || !loaded.last().at(0).toBool()) ASSERT_TRUE(loaded.wait(60000));
    const QModelIndexList records = page.model()->match(page.model()->index(0, 0), CDiskManagePage::RoleLevel,
                                                        CDiskManagePage::LevelRecord, 1, Qt::MatchRecursive);
    ASSERT_EQ(records.size(), 1);
    page.setCurrentIndex(records[0]);
    std::unique_ptr<QMenu> pMenu(page.createContextMenu(records[0]));
    QAction *pExport = nullptr;
    for (QAction *pAction : pMenu->actions())
        if (pAction->text() == "Export GPS Track") pExport = pAction;
    ASSERT_NE(pExport, nullptr);
    EXPECT_TRUE(pExport->isEnabled());
    std::unique_ptr<QMenu> pDateMenu(page.createContextMenu(records[0].parent().parent()));
    for (QAction *pAction : pDateMenu->actions()) EXPECT_NE(pAction->text(), "Export GPS Track") << "recordings only";

    // Every information frame of the recording carries a position (the disk may hold fewer
    // seconds than were recorded: its last cluster can end early).
    CFSFile recording;
    ASSERT_TRUE(recording.Open(CDiskManagePage::recordPath(records[0]), CFSFile::modeRead));
    QByteArray bytes(int(recording.GetLength()), 0);
    ASSERT_EQ(recording.Read(bytes.data(), bytes.size()), bytes.size());
    recording.Close();
    const int nFrames = bytes.count(QByteArray("\0\0\1\xF9", 4));
    ASSERT_GE(nFrames, 6);

    QTemporaryDir out;
    const QString strGpx = out.path() + "/route.gpx";
    ExportAnswers answers(strGpx);
    page.onCommand(pExport);
    EXPECT_EQ(answers.m_strDialogFile.toStdString(),
              (CGlobalAppData::instance()->recordPath() + "/09.00.00-09.00.08[R][@1][0].gpx").toStdString())
        << "the recording's name in the record folder";
    EXPECT_EQ(answers.m_strPrompt.toStdString(), QString("%1 GPS positions saved in %2.").arg(nFrames).arg(strGpx).toStdString());
    QFile file(strGpx);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    int nPoints = 0;
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("trkpt")) ++nPoints;
    EXPECT_FALSE(xml.hasError());
    EXPECT_EQ(nPoints, nFrames);
    ide_set_images(nullptr, 0);
}

namespace {
// Warnings and errors only; the view and the catalogue log every position and recording.
void quietHandler(QtMsgType type, const QMessageLogContext &, const QString &text)
{
    if (type == QtDebugMsg || type == QtInfoMsg) return;
    fprintf(stderr, "%s\n", qPrintable(text));
}
} // namespace

int main(int argc, char **argv)
{
    qInstallMessageHandler(quietHandler);
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toLocal8Bit());
    qputenv("XDG_DATA_HOME", (home.path() + "/data").toLocal8Bit());
    qputenv("XDG_CACHE_HOME", (home.path() + "/cache").toLocal8Bit());
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    // The pages are copied into the scratch application folder: the tests write keys into them.
    QTemporaryDir appDir;
    QDir().mkpath(appDir.path() + "/map");
    for (const QFileInfo &file : QDir(QString(KORVANE_BIN_DIR) + "/map").entryInfoList(QDir::Files))
        QFile::copy(file.filePath(), appDir.path() + "/map/" + file.fileName());
    QFile::link(QString(KORVANE_BIN_DIR) + "/map/leaflet", appDir.path() + "/map/leaflet");
    CGlobalAppData::setAppPathOverride(appDir.path());
    OfflineInterceptor offline;
    QWebEngineProfile::defaultProfile()->setUrlRequestInterceptor(&offline);
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    CGlobalAppData::saveAndRelease();
    return result;
}
