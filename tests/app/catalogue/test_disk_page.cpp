#include "sim_disk.h"

#include "catalogue/cdiskmanagepage.h"
#include "catalogue/crecordlistmanage.h"
#include "common/cglobalappdata.h"
#include "playback/frameinfo.h"
#include "widgets/cmessagebox.h"
#include "widgets/cmytreeview.h"
#include "widgets/cwaitframe.h"
#include "widgets/fancymessagebox.h"
#include "wfs.h"
#include "wfs_device.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
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
    EXPECT_FALSE(page.treeView()->isVisibleTo(&page)) << "the empty tree gives its place to the text";
    EXPECT_TRUE(page.emptyPanel()->isVisibleTo(&page));
    EXPECT_TRUE(page.emptyText()->text().startsWith("No recorder disk (WFS) was found."));
    EXPECT_TRUE(page.emptyText()->text().contains("Open Disk Image..."));
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
    page.setCurrentIndex(child(child(date, 0), 1)->index()); // the first channel, 08:10:00-08:20:00

    QStringList order;
    QObject::connect(&page, &CDiskManagePage::changeWndMode, [&](int n) { order << QString("mode %1").arg(n); });
    QObject::connect(&page, &CDiskManagePage::syncPlay, [&](int s) { order << QString("play %1").arg(s); });
    CGlobalAppData *app = CGlobalAppData::instance();
    app->appendWndPaths(9, {"/stale"});
    page.onSyncPlay();
    EXPECT_EQ(order, QStringList({"mode 3", QString("play %1").arg(8 * 3600 + 10 * 60)}))
        << "the wall shows up to the highest window that plays";
    EXPECT_EQ(app->wndPathCount(9), 0) << "old queues are cleared";
    const QString folder = "/mnt/idea0/2026-03-05/";
    EXPECT_EQ(app->takeWndPath(0), folder + "000/08.10.00-08.20.00[R][@100][0].h264");
    EXPECT_EQ(app->takeWndPath(0), folder + "000/08.20.00-08.30.00[R][@100][0].h264");
    EXPECT_TRUE(app->takeWndPath(0).isEmpty());
    EXPECT_EQ(app->takeWndPath(1), folder + "001/08.05.00-08.15.00[R][@101][0].h264")
        << "the file running at the chosen begin comes first";
    EXPECT_EQ(app->takeWndPath(1), folder + "001/08.15.00-08.25.00[R][@101][0].h264");
    EXPECT_TRUE(app->takeWndPath(1).isEmpty());
    EXPECT_EQ(app->takeWndPath(2), folder + "002/08.12.00-08.40.00[R][@102][0].h264");
    EXPECT_TRUE(app->takeWndPath(5).isEmpty()) << "nothing of the sixth channel runs in the chosen recording's time";
}

namespace {
QStandardItem *findRecording(QStandardItem *parent, const QString &strPrefix)
{
    for (int row = 0; parent && row < parent->rowCount(); ++row) {
        QStandardItem *item = parent->child(row);
        if (item->data(CDiskManagePage::RoleLevel).toInt() == CDiskManagePage::LevelRecord &&
            item->text().startsWith(strPrefix))
            return item;
        if (QStandardItem *found = findRecording(item, strPrefix)) return found;
    }
    return nullptr;
}
} // namespace

// On a recorder's disk: a recording over midnight on the first channel, one on the sixth that
// began five seconds earlier, one on the third that begins within, one on the second that ended before.
TEST_F(DiskPageTest, SyncPlayOverMidnightOnASimulatedDiskFindsEveryChannel)
{
    const sim::Seconds chosen = sim::makeTime(2026, 3, 5, 23, 58, 45);
    sim::Scenario s;
    s.partitions = {partition(6000)};
    s.recordings = {recording(0, chosen, 150, 0), recording(5, chosen - 5, 105, 0),
                    recording(2, chosen + 25, 40, 0), recording(1, chosen - 300, 200, 0)};
    SimDisk disk(dir, "midnight.img", s);
    offerImages({disk.path});
    CDiskManagePage page;
    ASSERT_TRUE(loadAndWait(page));
    QStandardItem *chosenItem = findRecording(page.model()->invisibleRootItem(), "23.58.45-00.01.15");
    ASSERT_NE(chosenItem, nullptr) << "the midnight recording is listed under the day it began";
    EXPECT_EQ(chosenItem->data(CDiskManagePage::RoleDate).toDate(), QDate(2026, 3, 5));

    QSignalSpy mode(&page, &CDiskManagePage::changeWndMode);
    QSignalSpy play(&page, &CDiskManagePage::syncPlay);
    page.setCurrentIndex(chosenItem->index());
    page.onSyncPlay();
    ASSERT_EQ(mode.count(), 1);
    EXPECT_EQ(mode[0][0].toInt(), 6) << "window 5 plays, so the wall shows at least six windows";
    ASSERT_EQ(play.count(), 1);
    EXPECT_EQ(play[0][0].toInt(), 23 * 3600 + 58 * 60 + 45);
    CGlobalAppData *app = CGlobalAppData::instance();
    EXPECT_TRUE(app->takeWndPath(0).endsWith("/000/23.58.45-00.01.15" + chosenItem->text().mid(17)));
    EXPECT_TRUE(app->takeWndPath(5).contains("/005/23.58.40-00.00.25[")) << "the earlier file of channel 6 plays";
    EXPECT_TRUE(app->takeWndPath(2).contains("/002/23.59.10-23.59.50["));
    EXPECT_TRUE(app->takeWndPath(1).isEmpty()) << "channel 2 recorded nothing in that time";
    for (int nWnd : {0, 2, 5}) EXPECT_TRUE(app->takeWndPath(nWnd).isEmpty());
}

TEST_F(DiskPageTest, TheEmptyTreeSaysWhyAndHowToOpenAnImage)
{
    const QString strText = CDiskManagePage::emptyTreeText(0, {"/dev/sda", "/dev/sdb"},
                                                           {"/x/old.img: The file does not exist."});
    EXPECT_TRUE(strText.startsWith("No recorder disk (WFS) was found.\n\n"));
    EXPECT_TRUE(strText.contains("cannot be opened for reading: /dev/sda, /dev/sdb."));
    EXPECT_TRUE(strText.contains("\"disk\" group"));
    EXPECT_TRUE(strText.contains("/x/old.img: The file does not exist."));
    EXPECT_TRUE(strText.contains("--image FILE"));
    const QString strOne = CDiskManagePage::emptyTreeText(1, {}, {});
    EXPECT_TRUE(strOne.startsWith("1 recorder disk(s) found, but none holds recordings")) << strOne.toStdString();
    EXPECT_FALSE(strOne.contains("cannot be opened"));
    EXPECT_FALSE(strOne.contains("skipped"));
}

TEST_F(DiskPageTest, ACommandLineImageThatCannotBeUsedIsNamedBesideTheDisksThatLoad)
{
    sim::Scenario s;
    s.partitions = {partition(4000)};
    s.recordings.push_back(recording(0, DAY, 60, 0));
    SimDisk disk(dir, "good.img", s);
    const QString strMissing = QString::fromStdString(dir.file("missing.img"));
    CGlobalAppData *app = CGlobalAppData::instance();
    app->setScanDevices(false);
    app->setCommandLineImages({QString::fromStdString(disk.path), strMissing});
    app->applyDiskImages();
    CDiskManagePage page;
    ASSERT_TRUE(loadAndWait(page));
    EXPECT_EQ(page.model()->rowCount(), 1) << "the good image loads";
    EXPECT_FALSE(page.emptyPanel()->isVisibleTo(&page));
    QCoreApplication::processEvents(); // the notice is shown through a queued request
    const QString strNotice = FancyMessageBox::instance()->text();
    EXPECT_TRUE(strNotice.startsWith("Disk images skipped:")) << qPrintable(strNotice);
    EXPECT_TRUE(strNotice.contains(strMissing + ": The file does not exist.")) << qPrintable(strNotice);
    EXPECT_FALSE(strNotice.contains("good.img"));

    FancyMessageBox::release();
    app->setCommandLineImages({});
    app->setScanDevices(true);
    app->applyDiskImages();
}

TEST_F(DiskPageTest, AnImageOpenedFromThePageReplacesTheTextWithItsDisk)
{
    sim::Scenario s;
    s.partitions = {partition(4000)};
    s.recordings.push_back(recording(3, DAY, 60, 0));
    SimDisk disk(dir, "opened.img", s);
    const QString strZeros = QString::fromStdString(dir.file("zeros.img"));
    {
        QFile zeros(strZeros);
        ASSERT_TRUE(zeros.open(QIODevice::WriteOnly) && zeros.resize(1 << 20));
    }
    offerImages({});
    CGlobalAppData *app = CGlobalAppData::instance();
    app->setScanDevices(false);
    app->setDiskImages({QString::fromStdString(dir.file("gone.img"))});
    CDiskManagePage page;
    ASSERT_TRUE(loadAndWait(page));
    ASSERT_TRUE(page.emptyPanel()->isVisibleTo(&page));
    EXPECT_TRUE(page.emptyText()->text().contains(QString::fromStdString(dir.file("gone.img")) +
                                                  ": The file does not exist."));
    std::unique_ptr<QMenu> menu(page.createEmptyAreaMenu());
    ASSERT_EQ(menu->actions().size(), 1);
    EXPECT_EQ(menu->actions()[0]->text(), "Open Disk Image...");
    EXPECT_EQ(page.openImageButton()->text(), "Open Disk Image...");

    QString shownText;
    QTimer::singleShot(0, [&] {
        CMessageBox *box = qobject_cast<CMessageBox *>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        shownText = box->text();
        box->buttons().at(0)->click();
    });
    EXPECT_FALSE(page.openDiskImage(strZeros));
    EXPECT_EQ(shownText, strZeros + "\nNo recorder disk (WFS) was found in the file.");
    EXPECT_FALSE(app->diskImages().contains(strZeros)) << "a file that is no disk is not added";

    QSignalSpy enabled(&page, &CDiskManagePage::enabledControl);
    ASSERT_TRUE(page.openDiskImage(QString::fromStdString(disk.path)));
    while (enabled.isEmpty() || !enabled.last().at(0).toBool()) ASSERT_TRUE(enabled.wait(LOAD_TIMEOUT_MS));
    EXPECT_TRUE(app->diskImages().contains(QString::fromStdString(disk.path)));
    ASSERT_EQ(page.model()->rowCount(), 1);
    EXPECT_EQ(page.model()->item(0)->toolTip().toStdString(), disk.path);
    EXPECT_TRUE(page.treeView()->isVisibleTo(&page));
    EXPECT_FALSE(page.emptyPanel()->isVisibleTo(&page)) << "the text goes as soon as a disk is there";
    QSettings stored(app->configFilePath(), QSettings::IniFormat);
    EXPECT_TRUE(stored.value("Disk/Images").toStringList().contains(QString::fromStdString(disk.path)));

    // The listed image that was gone is back: opening it reads it too.
    ASSERT_TRUE(QFile::copy(QString::fromStdString(disk.path), QString::fromStdString(dir.file("gone.img"))));
    enabled.clear();
    ASSERT_TRUE(page.openDiskImage(QString::fromStdString(dir.file("gone.img"))));
    while (enabled.isEmpty() || !enabled.last().at(0).toBool()) ASSERT_TRUE(enabled.wait(LOAD_TIMEOUT_MS));
    EXPECT_EQ(page.model()->rowCount(), 2);
    EXPECT_EQ(app->diskImages().size(), 2) << "listed once";

    app->setDiskImages({});
    app->setScanDevices(true);
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

