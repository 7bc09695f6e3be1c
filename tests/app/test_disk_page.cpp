#include "sim_disk.h"

#include "catalogue/cdiskmanagepage.h"
#include "catalogue/crecordlistmanage.h"
#include "common/cglobalappdata.h"
#include "playback/frameinfo.h"
#include "widgets/cmessagebox.h"
#include "widgets/cmytreeview.h"
#include "widgets/cwaitframe.h"
#include "wfs.h"
#include "wfs_device.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QThread>
#include <QTimer>
#include <QToolButton>

#include <memory>

namespace {
typedef QVector<QPair<QString, QString>> Batch;
const int LOAD_TIMEOUT_MS = 120000;
const sim::Seconds DAY = sim::makeTime(2026, 3, 5, 8, 0, 0);

// A record pair as the loader makes it, for disk 0 partition 0 unless told.
QPair<QString, QString> record(int channel, const char *start, const char *end, int disk = 0, int part = 0,
                               const char *date = "20260305")
{
    QString s(start), e(end);
    QString key = QString::asprintf("%02d%02d%02d", disk, part, channel) + date + s.remove('.') + "-" + e.remove('.');
    return {key, QString("%1-%2[R][@%3][0].h264").arg(start, end).arg(0x100 + channel, 0, 16)};
}

QStandardItem *child(QStandardItem *parent, int row)
{
    return parent ? parent->child(row) : nullptr;
}

// The offered disks: exactly these images, no block devices.
void offerImages(const std::vector<std::string> &paths)
{
    std::vector<const char *> list;
    for (const std::string &p : paths) list.push_back(p.c_str());
    ide_set_images(list.data(), (int)list.size());
    ide_set_scan_devices(false);
}

bool loadAndWait(CDiskManagePage &page)
{
    QSignalSpy enabled(&page, &CDiskManagePage::enabledControl);
    if (!page.startLoad()) return false;
    while (enabled.isEmpty() || !enabled.last().at(0).toBool())
        if (!enabled.wait(LOAD_TIMEOUT_MS)) return false;
    return true;
}

class DiskPageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CGlobalAppData::instance()->clearWndPaths(-1);
        CGlobalAppData::instance()->clearRecordDates(CGlobalAppData::sourceDisk);
    }
    void TearDown() override { offerImages({}); }
    ScratchDir dir;
};
} // namespace

TEST_F(DiskPageTest, BatchesBuildTheFiveLevelTreeWithItsRoles)
{
    CDiskManagePage page;
    page.onAppendNewRecord({record(0, "08.00.00", "08.10.00"), record(0, "08.10.00", "08.20.00"),
                            record(2, "08.00.00", "08.30.00")},
                           3);
    page.onAppendNewRecord({record(0, "09.00.00", "09.05.00"), record(1, "07.00.00", "07.30.00", 0, 1, "20260306")},
                           2);
    QStandardItemModel *model = page.model();
    ASSERT_EQ(model->rowCount(), 1) << "one disk item whatever the number of batches";
    QStandardItem *disk = model->item(0);
    EXPECT_EQ(disk->text(), "PhysicalDrive0");
    EXPECT_EQ(disk->data(CDiskManagePage::RoleLevel).toInt(), 0);
    EXPECT_EQ(disk->data(CDiskManagePage::RoleKey).toInt(), 0);
    ASSERT_EQ(disk->rowCount(), 2);
    QStandardItem *part = child(disk, 0);
    EXPECT_EQ(part->text(), "idea0");
    EXPECT_EQ(child(disk, 1)->text(), "idea1");
    EXPECT_EQ(part->data(CDiskManagePage::RoleLevel).toInt(), 1);
    EXPECT_EQ(part->data(CDiskManagePage::RoleDisk).toInt(), 0);
    QStandardItem *date = child(part, 0);
    ASSERT_NE(date, nullptr);
    EXPECT_EQ(date->text(), "2026-03-05");
    EXPECT_EQ(date->data(CDiskManagePage::RoleKey).toString(), "2026-03-05");
    EXPECT_EQ(date->data(CDiskManagePage::RoleDate).toDate(), QDate(2026, 3, 5));
    ASSERT_EQ(date->rowCount(), 2);
    QStandardItem *channel = child(date, 0);
    EXPECT_EQ(channel->text(), "001");
    EXPECT_EQ(child(date, 1)->text(), "003");
    EXPECT_EQ(child(date, 1)->data(CDiskManagePage::RoleKey).toInt(), 2);
    EXPECT_EQ(channel->data(CDiskManagePage::RoleLevel).toInt(), 3);
    ASSERT_EQ(channel->rowCount(), 3) << "recordings of both batches under one channel item";
    QStandardItem *last = child(channel, 2);
    EXPECT_EQ(last->text(), "09.00.00-09.05.00[R][@100][0].h264");
    EXPECT_EQ(last->data(CDiskManagePage::RoleLevel).toInt(), 4);
    EXPECT_EQ(last->data(CDiskManagePage::RoleChannel).toInt(), 0);
    EXPECT_EQ(last->data(CDiskManagePage::RolePart).toInt(), 0);
    EXPECT_EQ(last->toolTip(), "00000020260305090000-090500");
    EXPECT_EQ(child(channel, 0)->text().left(8), "08.00.00") << "arrival order";
    EXPECT_EQ(CDiskManagePage::recordPath(last->index()),
              "/mnt/idea0/2026-03-05/000/09.00.00-09.05.00[R][@100][0].h264");
    EXPECT_TRUE(CGlobalAppData::instance()->hasRecordDate(CGlobalAppData::sourceDisk, QDate(2026, 3, 6)));
    EXPECT_EQ(page.recordCount(), 5);
    EXPECT_EQ(page.latestRecordDate(), QDate(2026, 3, 6));
    EXPECT_FALSE(page.isLoaded());
}

TEST_F(DiskPageTest, MalformedKeysAreSkipped)
{
    CDiskManagePage page;
    page.onAppendNewRecord({{"00", "x.h264"}, {"000a0020260305-1", "y.h264"}}, 2);
    EXPECT_EQ(page.model()->rowCount(), 0);
}

TEST_F(DiskPageTest, EndMarkWithoutAnyDiskReenablesThePage)
{
    offerImages({});
    CDiskManagePage page;
    QSignalSpy changed(&page, &CDiskManagePage::diskChanged);
    CGlobalAppData::instance()->appendWndPaths(3, {"/mnt/idea0/old"});
    ASSERT_TRUE(loadAndWait(page));
    EXPECT_TRUE(page.isLoaded());
    EXPECT_TRUE(page.isEnabled());
    EXPECT_FALSE(page.waitFrame()->isVisibleTo(&page));
    EXPECT_TRUE(page.treeView()->isVisibleTo(&page));
    EXPECT_EQ(page.model()->rowCount(), 0);
    EXPECT_EQ(page.ideNum(), 0);
    EXPECT_EQ(changed.count(), 1);
    EXPECT_TRUE(CGlobalAppData::instance()->takeWndPath(3).isEmpty()) << "a load clears the sync queues";
}

TEST_F(DiskPageTest, LoadingHidesTheTreeAndRefusesASecondLoad)
{
    CDiskManagePage page;
    page.onEnabledControl(false);
    EXPECT_FALSE(page.isEnabled());
    EXPECT_TRUE(page.waitFrame()->isVisibleTo(&page));
    EXPECT_FALSE(page.treeView()->isVisibleTo(&page));
    offerImages({});
    QSignalSpy enabled(&page, &CDiskManagePage::enabledControl);
    ASSERT_TRUE(page.startLoad());
    EXPECT_FALSE(page.startLoad()) << "one load at a time";
    while (page.isLoading()) QThread::msleep(5); // the loader is done; its end mark is still queued
    EXPECT_FALSE(page.startLoad()) << "a new load would take in the old load's batches";
    while (enabled.isEmpty() || !enabled.last().at(0).toBool()) ASSERT_TRUE(enabled.wait(LOAD_TIMEOUT_MS));
    EXPECT_TRUE(loadAndWait(page)) << "once the end mark is in, a reload runs";
}

TEST_F(DiskPageTest, TwoSimulatedDisksLoadAndDiskInfoReportsTheSecond)
{
    sim::Scenario a;
    a.partitions = {partition(6000)};
    for (int ch = 0; ch < 2; ++ch) a.recordings.push_back(recording(ch, DAY, 90, 0));
    SimDisk diskA(dir, "a.img", a);
    sim::Scenario b;
    b.seed = 2;
    b.partitions = {partition(9000), partition(3000, 4)};
    b.recordings.push_back(recording(1, DAY + 3600, 120, 0));
    SimDisk diskB(dir, "b.img", b);
    offerImages({diskA.path, diskB.path});

    CDiskManagePage page;
    ASSERT_TRUE(loadAndWait(page));
    EXPECT_EQ(page.ideNum(), 2);
    ASSERT_EQ(page.model()->rowCount(), 2);
    QStandardItem *second = page.model()->item(1);
    EXPECT_EQ(second->text(), "PhysicalDrive1");
    EXPECT_EQ(second->toolTip().toStdString(), diskB.path) << "disk items show their image";
    EXPECT_EQ(page.recordCount(), 3);
    EXPECT_EQ(child(child(child(second, 0), 0), 0)->text(), "002");
    EXPECT_EQ(CGlobalAppData::instance()->curRecordDate(), QDate(2026, 3, 5));

    auto mib = [](const sim::PartitionResult &p) { return qulonglong(p.totalSectors / 2048); };
    const std::vector<sim::PartitionResult> &parts = diskB.manifest.partitions;
    QString text = CDiskManagePage::diskInfoText(1);
    QRegularExpression pattern("^Total Space:(\\d+) MB,Remain Space:(\\d+) MB\\r\\n"
                               "Picture Total Space:(\\d+) MB,Remain Space:(\\d+) MB\\r\\n"
                               "Record Total Space:(\\d+) MB,Remain Space:(\\d+) MB$");
    QRegularExpressionMatch m = pattern.match(text);
    ASSERT_TRUE(m.hasMatch()) << text.toStdString();
    EXPECT_EQ(m.captured(3).toULongLong(), mib(parts[1])) << text.toStdString();
    EXPECT_EQ(m.captured(5).toULongLong(), mib(parts[0])) << text.toStdString();
    EXPECT_EQ(m.captured(1).toULongLong(), m.captured(3).toULongLong() + m.captured(5).toULongLong());
    EXPECT_EQ(m.captured(2).toULongLong(), m.captured(4).toULongLong() + m.captured(6).toULongLong());
    EXPECT_LE(m.captured(6).toULongLong(), m.captured(5).toULongLong());
    EXPECT_TRUE(CDiskManagePage::diskInfoText(0).contains("Picture Total Space:0 MB,Remain Space:0 MB"));

    QString shownTitle, shownText;
    QTimer::singleShot(0, [&] {
        CMessageBox *box = qobject_cast<CMessageBox *>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        shownTitle = box->windowTitle();
        shownText = box->text();
        box->buttons().at(0)->click();
    });
    page.setCurrentIndex(second->index());
    std::unique_ptr<QMenu> menu(page.createContextMenu(second->index()));
    page.onCommand(menu->actions().at(0));
    EXPECT_EQ(shownTitle, "Disk Info");
    EXPECT_EQ(shownText, text);
}

TEST_F(DiskPageTest, SyncPlayQueuesEachChannelsRecordingsForItsWindow)
{
    CDiskManagePage page;
    page.onAppendNewRecord({record(0, "08.00.00", "08.10.00"), record(0, "08.10.00", "08.20.00"),
                            record(0, "08.20.00", "08.30.00"), record(1, "07.50.00", "08.05.00"),
                            record(1, "08.05.00", "08.15.00"), record(1, "08.15.00", "08.25.00"),
                            record(2, "08.12.00", "08.40.00"), record(5, "09.00.00", "09.10.00")},
                           8);
    page.onAppendNewRecord({}, 0);
    QStandardItem *date = child(child(page.model()->item(0), 0), 0);
    ASSERT_EQ(date->rowCount(), 4);
    page.setCurrentIndex(child(child(date, 0), 1)->index()); // channel 1, 08:10:00-08:20:00

    QStringList order;
    QObject::connect(&page, &CDiskManagePage::changeWndMode, [&](int n) { order << QString("mode %1").arg(n); });
    QObject::connect(&page, &CDiskManagePage::syncPlay, [&](int s) { order << QString("play %1").arg(s); });
    CGlobalAppData *app = CGlobalAppData::instance();
    app->appendWndPaths(9, {"/stale"});
    page.onSyncPlay();
    EXPECT_EQ(order, QStringList({"mode 4", QString("play %1").arg(8 * 3600 + 10 * 60)}));
    EXPECT_EQ(app->wndPathCount(9), 0) << "old queues are cleared";
    const QString folder = "/mnt/idea0/2026-03-05/";
    EXPECT_EQ(app->takeWndPath(0), folder + "000/08.10.00-08.20.00[R][@100][0].h264");
    EXPECT_EQ(app->takeWndPath(0), folder + "000/08.20.00-08.30.00[R][@100][0].h264");
    EXPECT_TRUE(app->takeWndPath(0).isEmpty());
    EXPECT_EQ(app->takeWndPath(1), folder + "001/08.15.00-08.25.00[R][@101][0].h264")
        << "08:05 starts before the chosen start";
    EXPECT_TRUE(app->takeWndPath(1).isEmpty());
    EXPECT_EQ(app->takeWndPath(2), folder + "002/08.12.00-08.40.00[R][@102][0].h264");
    EXPECT_TRUE(app->takeWndPath(5).isEmpty()) << "nothing of channel 6 starts inside the chosen recording";
}

TEST_F(DiskPageTest, ClicksMenusAndSelectionFollowTheItemLevel)
{
    CDiskManagePage page;
    page.onAppendNewRecord({record(0, "08.00.00", "08.10.00"), record(0, "09.00.00", "09.10.00", 0, 0, "20260307")},
                           2);
    page.onAppendNewRecord({}, 0);
    ASSERT_TRUE(page.isLoaded());
    QStandardItem *disk = page.model()->item(0);
    QStandardItem *firstDate = child(child(disk, 0), 0);
    QStandardItem *recording = child(child(firstDate, 0), 0);

    QSignalSpy selected(&page, &CDiskManagePage::selectVideoWnd);
    page.onRecordTreeClicked(recording->index());
    ASSERT_EQ(selected.count(), 1);
    EXPECT_EQ(selected[0][0].toString(), CDiskManagePage::recordPath(recording->index()));
    EXPECT_EQ(CGlobalAppData::instance()->curRecordDate(), QDate(2026, 3, 5));

    QSignalSpy played(&page, qOverload<QString, bool>(&CDiskManagePage::playRecord));
    page.onRecordTreeDoubleClicked(recording->index());
    page.onRecordTreeDoubleClicked(firstDate->index());
    ASSERT_EQ(played.count(), 1);
    EXPECT_FALSE(played[0][1].toBool());
    std::unique_ptr<QMenu> menu(page.createContextMenu(recording->index()));
    ASSERT_TRUE(menu);
    QStringList texts;
    for (QAction *a : menu->actions()) texts << a->text() + (a->isEnabled() ? "" : " (off)");
    EXPECT_EQ(texts, QStringList({"Play", "Export", "Cut", "Sync Play", "Export GPS Track"}));
    page.onCommand(menu->actions()[0]);
    EXPECT_EQ(played.count(), 2) << "Play acts on the current item";
    EXPECT_EQ(page.createContextMenu(child(disk, 0)->index()), nullptr) << "no menu on partitions";
    menu.reset(page.createContextMenu(disk->index()));
    ASSERT_EQ(menu->actions().size(), 1);
    EXPECT_EQ(menu->actions()[0]->text(), "Disk Info");
    menu.reset(page.createContextMenu(firstDate->index()));
    ASSERT_EQ(menu->actions().size(), 1);
    EXPECT_EQ(menu->actions()[0]->text(), "Export");

    page.onDateChanged(QDate(2026, 3, 7));
    QModelIndex current = page.treeView()->currentIndex();
    EXPECT_EQ(current.data().toString(), "2026-03-07");
    EXPECT_TRUE(page.treeView()->isExpanded(current));
    page.onSelectRecord(CDiskManagePage::recordPath(recording->index()));
    EXPECT_EQ(page.treeView()->currentIndex(), recording->index());
    EXPECT_EQ(page.currentIndex(), recording->index());
}

TEST_F(DiskPageTest, DriveCheckReloadsWhenADiskIsAttached)
{
    sim::Scenario s;
    s.partitions = {partition(4000)};
    s.recordings.push_back(recording(0, DAY, 60, 0));
    SimDisk first(dir, "first.img", s);
    SimDisk second(dir, "second.img", s);
    offerImages({first.path});
    CDiskManagePage page;
    QSignalSpy changed(&page, &CDiskManagePage::diskChanged);
    QSignalSpy enabled(&page, &CDiskManagePage::enabledControl);
    page.start(); // first load after half a second
    while (enabled.isEmpty() || !enabled.last().at(0).toBool()) ASSERT_TRUE(enabled.wait(LOAD_TIMEOUT_MS));
    EXPECT_EQ(page.model()->rowCount(), 1);
    offerImages({first.path, second.path});
    enabled.clear();
    while (enabled.isEmpty() || !enabled.last().at(0).toBool()) ASSERT_TRUE(enabled.wait(LOAD_TIMEOUT_MS));
    EXPECT_EQ(changed.count(), 2);
    EXPECT_EQ(page.ideNum(), 2);
    EXPECT_EQ(page.model()->rowCount(), 2);
}

TEST_F(DiskPageTest, PageClosedWhileLoadingStopsTheLoader)
{
    sim::Scenario s;
    s.partitions = {partition(60000)};
    for (int i = 0; i < 3000; ++i) s.recordings.push_back(recording(i % 8, DAY + (i / 8) * 10, 10, 0));
    std::string path = dir.file("many.img");
    sim::WriteOptions options;
    options.metadataOnly = true;
    ASSERT_TRUE(sim::writeDisk(s, path, options, nullptr).ok);
    offerImages({path});
    for (int i = 0; i < 3; ++i) {
        CDiskManagePage *page = new CDiskManagePage;
        QSignalSpy batches(page, &CDiskManagePage::appendNewRecord);
        ASSERT_TRUE(page->startLoad());
        if (i > 0) batches.wait(LOAD_TIMEOUT_MS); // close once during the listing
        delete page;
    }
}

TEST_F(DiskPageTest, PanelForwardsThePageAndKeepsTheSource)
{
    CRecordListManage panel;
    EXPECT_EQ(panel.tabWidget()->tabText(0), "Disk");
    EXPECT_EQ(panel.mapButton()->objectName(), "TabButton");
    QSignalSpy mode(&panel, &CRecordListManage::changeWndMode);
    QSignalSpy play(&panel, qOverload<QString, bool>(&CRecordListManage::playRecord));
    CDiskManagePage *page = panel.diskPage();
    page->onAppendNewRecord({record(0, "08.00.00", "08.10.00")}, 1);
    page->onAppendNewRecord({}, 0);
    QStandardItem *recording = child(child(child(child(page->model()->item(0), 0), 0), 0), 0);
    page->setCurrentIndex(recording->index());
    panel.onPlayRecordResponse();
    ASSERT_EQ(play.count(), 1);
    page->onSyncPlay();
    EXPECT_EQ(mode.count(), 1);
    CGlobalAppData *app = CGlobalAppData::instance();
    panel.onSelectRecord("/home/user/export/001/a.h264");
    EXPECT_EQ(app->curSource(), CGlobalAppData::sourceLocal);
    panel.onSelectRecord(play[0][0].toString());
    EXPECT_EQ(app->curSource(), CGlobalAppData::sourceDisk);
    EXPECT_EQ(page->treeView()->currentIndex(), recording->index());
}

// Stands in for the map view: records what the panel asks of it and owns the blocks it is given.
class FakeMapView : public QWidget
{
    Q_OBJECT
public:
    Q_INVOKABLE void setGpsLocation(QString strKey, void *pGpsInfo)
    {
        calls << "set " + strKey;
        last.reset(static_cast<GpsInfo *>(pGpsInfo));
    }
    Q_INVOKABLE void cleanGpsLocation(QString strKey) { calls << "clean " + strKey; }

    QStringList calls;
    std::unique_ptr<GpsInfo> last;
};

TEST_F(DiskPageTest, PanelHandsGpsPositionsToTheMapAndClearsThemOnANewPlayback)
{
    CRecordListManage panel;
    panel.onUpdateGpsInfo(new GpsInfo()); // no map yet: the block is freed, nothing else happens
    FakeMapView *map = new FakeMapView;
    panel.setMapView(map);
    EXPECT_TRUE(panel.mapButton()->isEnabled());
    GpsInfo *info = new GpsInfo();
    info->dLatitude = 22.5;
    panel.onUpdateGpsInfo(info);
    EXPECT_EQ(map->last.get(), info);
    panel.onUpdateGpsInfo(nullptr);
    emit panel.playRecord("/mnt/idea0/2024-03-05/000/08.00.00-08.10.00[R][@8][0].h264", false);
    emit panel.syncPlay(8 * 3600);
    EXPECT_EQ(map->calls, QStringList({"set 111", "clean 111", "clean 111", "clean 111"}));
    panel.onMapViewClicked();
    EXPECT_TRUE(map->isVisibleTo(&panel));
}

#include "test_disk_page.moc"

