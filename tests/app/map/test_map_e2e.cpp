// End to end on a real X display (run inside xvfb-run), as a new user on an offline
// workstation sees it: Korvane's main window on the demo disk with the settings it starts
// with (the OpenStreetMap page, no key) and every request for the network blocked. A
// recording is double-clicked, the "Map" button opens the map, and the vehicle's marker
// moves along the simulator's route while the track grows behind it. A screenshot of the
// window is left in the artifact folder.
#include "catalogue/cdiskmanagepage.h"
#include "catalogue/crecordlistmanage.h"
#include "common/cglobalappdata.h"
#include "map/cmapview.h"
#include "map/cmapwebview.h"
#include "playback/cdisplaybox.h"
#include "playback/cplaymanage.h"
#include "shell/ckorvane.h"

#include "builtin_scenarios.h"
#include "e2e_support.h"
#include "route.h"
#include "sim_disk.h"
#include "wfs_device.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QScreen>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineUrlRequestInterceptor>

#include <cmath>
#include <cstdio>
#include <functional>
#include <memory>

namespace {
const int TIMEOUT_MS = 30000;

class OfflineInterceptor : public QWebEngineUrlRequestInterceptor
{
public:
    void interceptRequest(QWebEngineUrlRequestInfo &info) override
    {
        const QString strScheme = info.requestUrl().scheme();
        if (strScheme == "http" || strScheme == "https") info.block(true);
    }
};

// Waits in a running event loop, which the web engine and the players both need.
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

QJsonObject pageState(CMapWebView *pView)
{
    QString strState;
    bool bDone = false;
    pView->page()->runJavaScript("korvaneState()", [&](const QVariant &value) {
        strState = value.toString();
        bDone = true;
    });
    EXPECT_TRUE(pumpUntil([&]() { return bDone; }, TIMEOUT_MS));
    return QJsonDocument::fromJson(strState.toUtf8()).object();
}

QStandardItem *firstRecording(QStandardItem *pParent)
{
    for (int row = 0; pParent && row < pParent->rowCount(); ++row) {
        QStandardItem *pChild = pParent->child(row);
        if (pChild->data(CDiskManagePage::RoleLevel).toInt() == CDiskManagePage::LevelRecord) return pChild;
        if (QStandardItem *pFound = firstRecording(pChild)) return pFound;
    }
    return nullptr;
}
} // namespace

TEST(MapEndToEnd, ANewUserWatchesTheVehicleMoveAlongItsRouteOffline)
{
    ScratchDir dir;
    const korvane::sim::Scenario scenario = korvane::sim::demoScenario();
    SimDisk disk(dir, "demo.img", scenario);
    ASSERT_TRUE(disk.ok);
    const char *images[] = {disk.path.c_str()};
    ide_set_images(images, 1);
    ide_set_scan_devices(false);
    ASSERT_EQ(CGlobalAppData::instance()->mapType(), CGlobalAppData::mapOpenStreetMap) << "the settings a new user has";

    auto pWindow = std::make_unique<CKorvane>();
    pWindow->start();
    CRecordListManage *pList = pWindow->recordList();
    CDiskManagePage *pPage = pList->diskPage();
    QSignalSpy loaded(pPage, &CDiskManagePage::enabledControl);
    ASSERT_TRUE(pPage->startLoad());
    while (loaded.isEmpty() || !loaded.last().at(0).toBool()) ASSERT_TRUE(loaded.wait(TIMEOUT_MS));

    CMapView *pMap = qobject_cast<CMapView *>(pList->mapView());
    ASSERT_NE(pMap, nullptr);
    ASSERT_NE(pMap->webView(), nullptr);
    EXPECT_FALSE(pMap->isVisible());
    pList->mapButton()->click();
    EXPECT_TRUE(pMap->isVisible());
    ASSERT_TRUE(pumpUntil([&]() { return pMap->webView()->isMapLoaded(); }, TIMEOUT_MS));

    QStandardItem *pRecording = firstRecording(pPage->model()->invisibleRootItem());
    ASSERT_NE(pRecording, nullptr);
    pPage->onRecordTreeDoubleClicked(pRecording->index());

    // The marker shows and moves, and the track holds the positions passed so far.
    QJsonObject first, later;
    auto markerOf = [](const QJsonObject &state) {
        return state["drawn"].toObject()["markers"].toObject()["0"].toObject();
    };
    auto trackOf = [](const QJsonObject &state) { return state["drawn"].toObject()["paths"].toObject()["0"].toInt(); };
    ASSERT_TRUE(pumpUntil([&]() { return trackOf(first = pageState(pMap->webView())) >= 2; }, TIMEOUT_MS))
        << "no positions reached the map";
    ASSERT_TRUE(pumpUntil([&]() { return trackOf(later = pageState(pMap->webView())) >= trackOf(first) + 3; }, TIMEOUT_MS));
    EXPECT_TRUE(markerOf(later)["visible"].toBool());
    const double dMoved = std::hypot(markerOf(later)["lat"].toDouble() - markerOf(first)["lat"].toDouble(),
                                     markerOf(later)["lng"].toDouble() - markerOf(first)["lng"].toDouble());
    EXPECT_GT(dMoved, 1e-5) << "the vehicle moved between two looks";
    EXPECT_TRUE(later["drawn"].toObject()["grid"].toBool()) << "offline: the grid of degrees instead of tiles";

    // The positions are the simulator's route (near London, WGS-84 on this map).
    const korvane::sim::VehicleState anyPoint = korvane::sim::Route(scenario.seed).at(korvane::sim::makeTime(2024, 3, 5));
    EXPECT_NEAR(markerOf(later)["lat"].toDouble(), anyPoint.latitude, 0.05);
    EXPECT_NEAR(markerOf(later)["lng"].toDouble(), anyPoint.longitude, 0.08);
    EXPECT_TRUE(pMap->gpsLabel()->text().startsWith("GPS(-0.")) << qPrintable(pMap->gpsLabel()->text());

    QEventLoop settle;
    QTimer::singleShot(1500, &settle, &QEventLoop::quit);
    settle.exec();
    const QImage shot = pWindow->screen()->grabWindow(pWindow->winId()).toImage();
    EXPECT_TRUE(shot.save(artifactDir() + "/korvane-map-osm.png"));
    const QRect mapArea(pMap->mapTo(pWindow.get(), QPoint(0, 0)), pMap->size());
    EXPECT_FALSE(shot.copy(mapArea).isNull());

    CPlayManage::instance()->StopAll();
    pWindow.reset();
    CPlayManage::release();
    ide_set_images(nullptr, 0);
}

int main(int argc, char **argv)
{
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", (home.path() + "/data").toLocal8Bit());
    qputenv("XDG_CACHE_HOME", (home.path() + "/cache").toLocal8Bit());
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QTemporaryDir appDir;
    const QString strBin = KORVANE_BIN_DIR;
    QDir().mkpath(appDir.path() + "/map");
    for (const QFileInfo &file : QDir(strBin + "/map").entryInfoList(QDir::Files))
        QFile::copy(file.filePath(), appDir.path() + "/map/" + file.fileName());
    QFile::link(strBin + "/map/leaflet", appDir.path() + "/map/leaflet");
    QFile::link(strBin + "/skin", appDir.path() + "/skin");
    QFile style(strBin + "/skin/style.ss");
    if (style.open(QIODevice::ReadOnly | QIODevice::Text))
        app.setStyleSheet(QString::fromUtf8(style.readAll()).replace("@skinpath", strBin + "/skin"));
    CGlobalAppData::setAppPathOverride(appDir.path());
    OfflineInterceptor offline;
    QWebEngineProfile::defaultProfile()->setUrlRequestInterceptor(&offline);
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    CGlobalAppData::saveAndRelease();
    return result;
}
