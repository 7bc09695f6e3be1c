// End to end on a real X display (run inside xvfb-run): Korvane's main window on a simulator disk of
// four channels, each with two recordings back to back. "Sync Play" on a recording of the tree plays
// the day's channels in a four-window wall; the windows must stay within a second of each other for
// twenty seconds, go on into each channel's next recording, and show each channel's own pictures.
// On the demo disk a double-clicked recording answers pause, frame step, speed, sound, snapshot,
// clip, seek and zoom. A new user without a disk sees why the tree is empty, opens an image through
// the window and plays it with the keyboard. Screenshots are left in the artifact folder.
#include "catalogue/cdiskmanagepage.h"
#include "catalogue/crecordlistmanage.h"
#include "channel_picture.h"
#include "common/cglobalappdata.h"
#include "playback/cdisplaybox.h"
#include "playback/cplaymanage.h"
#include "playback/cvideoframe.h"
#include "playback/cvideownd.h"
#include "shell/ckorvane.h"
#include "widgets/cframelessresizer.h"
#include "widgets/cmytreeview.h"

#include "builtin_scenarios.h"
#include "packed_time.h"
#include "sim_recording.h"
#include "wfs.h"
#include "wfs_device.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QSplitter>
#include <QScreen>
#include <QSlider>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "e2e_support.h"
#include "widget_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>

namespace {
const sim::Seconds START = sim::makeTime(2024, 3, 5, 9, 0, 0);
const int FIRST_SECONDS = 10;
const int NEXT_SECONDS = 20;
const int CHANNELS = 4;
const int WIDTH = 352, HEIGHT = 288;
const int STEP_SECONDS = 20;

sim::Scenario fourChannelsInTwoRecordings()
{
    sim::Scenario s;
    s.payloads = sim::PayloadKind::Real;
    s.partitions = {partition(4096)};
    for (int channel = 0; channel < CHANNELS; ++channel) {
        sim::RecordingSpec first = recording(channel, START, FIRST_SECONDS);
        first.width = WIDTH;
        first.height = HEIGHT;
        first.fps = 12;
        sim::RecordingSpec next = first;
        next.start = first.end;
        next.end = next.start + NEXT_SECONDS;
        s.recordings.push_back(first);
        s.recordings.push_back(next);
    }
    return s;
}

// The colour most of a picture's pixels have, in steps of 16 per component: the sim paints its
// channel number and clock on the channel's own colour.
QColor mainColour(const QImage &picture)
{
    std::map<QRgb, int> counts;
    for (int y = 0; y < picture.height(); y += 2)
        for (int x = 0; x < picture.width(); x += 2) {
            const QColor c = picture.pixelColor(x, y);
            ++counts[qRgb(c.red() / 16, c.green() / 16, c.blue() / 16)];
        }
    if (counts.empty()) return QColor();
    const QRgb most =
        std::max_element(counts.begin(), counts.end(), [](auto &a, auto &b) { return a.second < b.second; })->first;
    return QColor(qRed(most) * 16 + 8, qGreen(most) * 16 + 8, qBlue(most) * 16 + 8);
}

bool closeColours(const QColor &a, const QColor &b)
{
    return std::abs(a.red() - b.red()) <= 24 && std::abs(a.green() - b.green()) <= 24 &&
           std::abs(a.blue() - b.blue()) <= 24;
}

QColor channelColour(int nChannel)
{
    return sim::paintChannelPicture(nChannel, 0, sim::packTime(START), WIDTH, HEIGHT).pixelColor(1, 1);
}

class PlaybackEndToEnd : public KorvaneOnDisk {
protected:
    void SetUp() override { open(m_disk); }

    ScratchDir m_dir;
    SimDisk m_disk{m_dir, "four.img", fourChannelsInTwoRecordings()};
};

// The demo disk the README starts the program on, written once for its tests.
class DemoDiskWalkThrough : public KorvaneOnDisk {
protected:
    static void SetUpTestSuite()
    {
        s_pDir = new ScratchDir;
        s_pDisk = new SimDisk(*s_pDir, "demo.img", sim::demoScenario());
    }
    static void TearDownTestSuite()
    {
        delete s_pDisk;
        delete s_pDir;
    }
    void SetUp() override
    {
        m_outputDir.reset(new QTemporaryDir);
        CGlobalAppData::instance()->setCapturePath(m_outputDir->path() + "/Picture");
        CGlobalAppData::instance()->setRecordPath(m_outputDir->path() + "/Record");
        open(*s_pDisk);
    }

    void clickButton(int nId) { box()->controlButton(nId)->click(); }
    void chooseMenu(int nData)
    {
        QAction action(nullptr);
        action.setData(nData);
        box()->onMenuTriggered(&action);
    }
    static int filesIn(const QString &strDir, const QString &strPattern)
    {
        int nFiles = 0;
        for (const QFileInfo &file : QDir(strDir).entryInfoList({strPattern}, QDir::Files))
            if (file.size() > 0) ++nFiles;
        return nFiles;
    }

    std::unique_ptr<QTemporaryDir> m_outputDir;
    static ScratchDir *s_pDir;
    static SimDisk *s_pDisk;
};
ScratchDir *DemoDiskWalkThrough::s_pDir = nullptr;
SimDisk *DemoDiskWalkThrough::s_pDisk = nullptr;

enum { btnStop, btnPlay, btnSlow, btnFast, btnNextFrame, btnAudio };
enum { menuSound = 2, menuClip = 3, menuSnapshot = 4 };
} // namespace

TEST_F(PlaybackEndToEnd, SyncPlayKeepsFourChannelsInStepAcrossTheirNextRecordings)
{
    QStandardItem *pDate = findItem(page()->model()->invisibleRootItem(), CDiskManagePage::LevelDate, "2024-03-05");
    ASSERT_NE(pDate, nullptr);
    ASSERT_EQ(pDate->rowCount(), CHANNELS);
    QStandardItem *pFirst = pDate->child(0)->child(0);
    ASSERT_NE(pFirst, nullptr);
    page()->setCurrentIndex(pFirst->index());
    page()->onSyncPlay();
    EXPECT_EQ(box()->wndCount(), CHANNELS);

    CPlayManage *pManage = CPlayManage::instance();
    std::vector<QString> firstPaths(CHANNELS);
    for (int i = 0; i < CHANNELS; ++i) {
        ASSERT_SOON(pManage->GetSecondOfDay(i) > 0, 20000);
        firstPaths[i] = pManage->GetPath(i);
        EXPECT_TRUE(pManage->IsSyncMode(i));
    }
    QTest::qWait(2500); // the fade-in has ended and every window shows a picture
    const QImage wall = screenshot("korvane-wall-4.png");
    for (int i = 0; i < CHANNELS; ++i)
        EXPECT_TRUE(closeColours(mainColour(framePicture(wall, i)), channelColour(i)))
            << "window " << i << " shows " << qPrintable(mainColour(framePicture(wall, i)).name()) << ", channel "
            << i << " is " << qPrintable(channelColour(i).name());

    const int nClockAtStart = pManage->GetSecondOfDay(0);
    QElapsedTimer clock;
    clock.start();
    std::vector<bool> wentOn(CHANNELS, false);
    int nWorstGap = 0, nSamples = 0;
    while (clock.elapsed() < STEP_SECONDS * 1000) {
        int nLow = 86400, nHigh = 0;
        for (int i = 0; i < CHANNELS; ++i) {
            const int nSecond = pManage->GetSecondOfDay(i);
            if (pManage->IsPlaying(i) && pManage->GetPath(i) != firstPaths[i] && !pManage->GetPath(i).isEmpty())
                wentOn[i] = true;
            if (nSecond <= 0) continue;
            nLow = std::min(nLow, nSecond);
            nHigh = std::max(nHigh, nSecond);
        }
        if (nHigh > 0) {
            nWorstGap = std::max(nWorstGap, nHigh - nLow);
            ++nSamples;
        }
        QTest::qWait(100);
    }
    const double rWallSeconds = clock.elapsed() / 1000.0;
    const int nClockAdvance = pManage->GetSecondOfDay(0) - nClockAtStart;
    printf("sync play: %d samples, worst spread %d s, window 0's clock %d s in %.1f s\n", nSamples, nWorstGap,
           nClockAdvance, rWallSeconds);
    EXPECT_GT(nSamples, 150);
    EXPECT_LE(nWorstGap, 1) << "the windows drifted apart";
    for (int i = 0; i < CHANNELS; ++i) EXPECT_TRUE(wentOn[i]) << "window " << i << " did not go on to its next file";
    EXPECT_GE(nClockAdvance, STEP_SECONDS - 4) << "the frame clock runs slower than the pictures";
    EXPECT_LE(nClockAdvance, STEP_SECONDS + 2) << "the frame clock runs faster than the pictures";
}

TEST_F(PlaybackEndToEnd, SyncPlayLeavesTheTreeOnTheChosenRecording)
{
    QStandardItem *pDate = findItem(page()->model()->invisibleRootItem(), CDiskManagePage::LevelDate, "2024-03-05");
    ASSERT_NE(pDate, nullptr);
    page()->onRecordTreeDoubleClicked(pDate->child(1)->child(1)->index()); // window 0 plays another file
    CPlayManage *pManage = CPlayManage::instance();
    ASSERT_SOON(pManage->IsPlaying(0), 20000);
    const QModelIndex chosen = pDate->child(0)->child(0)->index();
    page()->treeView()->setCurrentIndex(chosen);
    page()->onRecordTreeClicked(chosen);
    page()->onSyncPlay();
    ASSERT_SOON(pManage->IsSyncMode(0) && pManage->GetSecondOfDay(0) > 0, 20000);
    QTest::qWait(1500); // the wall's status ticks and the windows' reports have come in
    EXPECT_EQ(page()->treeView()->currentIndex(), chosen) << "the selection stays on the chosen recording";
}

TEST_F(PlaybackEndToEnd, AZoomedWindowShowsTheSelectedPartOfItsPicture)
{
    QStandardItem *pChannel = findItem(page()->model()->invisibleRootItem(), CDiskManagePage::LevelChannel, "002");
    ASSERT_NE(pChannel, nullptr);
    const QString strPath = CDiskManagePage::recordPath(pChannel->child(1)->index());
    box()->onActive(0, false);
    box()->onPlayRecord(strPath, false);
    CPlayManage *pManage = CPlayManage::instance();
    ASSERT_SOON(pManage->Port(0)->GetWidth() == WIDTH, 20000);
    box()->onWndDoubleClicked(0);
    QTest::qWait(1500);
    CVideoFrame *pFrame = box()->videoWnd(0)->frame();
    ASSERT_TRUE(box()->LocalRange());
    drag(pFrame, QPoint(pFrame->width() / 4, pFrame->height() / 4), QPoint(pFrame->width() * 3 / 4, pFrame->height() * 3 / 4));
    ASSERT_TRUE(pManage->IsZoom(0));
    QTest::qWait(1000);
    const QImage shot = screenshot("korvane-zoom.png");
    EXPECT_TRUE(closeColours(mainColour(framePicture(shot, 0)), channelColour(1)))
        << "the zoomed window shows " << qPrintable(mainColour(framePicture(shot, 0)).name());
}

// A new user: no disk anywhere. The page says so, an image is opened through the window's own
// button and file dialog, and a recording of it plays under the keyboard's control.
class NewUserWithoutDisk : public KorvaneOnDisk {
protected:
    void SetUp() override
    {
        CGlobalAppData *pData = CGlobalAppData::instance();
        pData->setCommandLineImages({});
        pData->setScanDevices(false);
        pData->setDiskImages({});
        pData->applyDiskImages();
        m_pWindow = std::make_unique<CKorvane>();
        m_pWindow->start();
        QSignalSpy loaded(page(), &CDiskManagePage::enabledControl);
        ASSERT_TRUE(page()->startLoad());
        while (loaded.isEmpty() || !loaded.last().at(0).toBool()) ASSERT_TRUE(loaded.wait(30000));
    }
    void TearDown() override
    {
        KorvaneOnDisk::TearDown();
        CGlobalAppData::instance()->setDiskImages({});
    }
    ScratchDir m_dir;
    SimDisk m_disk{m_dir, "mine.img", fourChannelsInTwoRecordings()};
};

TEST_F(NewUserWithoutDisk, SeesWhyTheTreeIsEmptyOpensAnImageAndPlaysIt)
{
    ASSERT_TRUE(m_disk.ok);
    QTest::qWait(1200); // the fade-in
    ASSERT_TRUE(page()->emptyPanel()->isVisible());
    EXPECT_TRUE(page()->emptyText()->text().startsWith("No recorder disk (WFS) was found."));
    screenshot("korvane-no-disk.png");

    const QString strImage = QString::fromStdString(m_disk.path);
    QString strDialogTitle = "no dialog";
    QTimer answer;
    answer.setInterval(50);
    QObject::connect(&answer, &QTimer::timeout, [&] {
        QWidget *pModal = QApplication::activeModalWidget();
        if (!pModal) return;
        strDialogTitle = pModal->windowTitle();
        auto *pDialog = qobject_cast<QFileDialog *>(pModal);
        // Typed into the file name field, as a user would (selectFile leaves a focused field alone).
        if (QLineEdit *pName = pDialog ? pDialog->findChild<QLineEdit *>("fileNameEdit") : nullptr) {
            pName->setText(strImage);
            QMetaObject::invokeMethod(pDialog, "accept");
        } else {
            pModal->close();
        }
    });
    answer.start();
    QSignalSpy loaded(page(), &CDiskManagePage::enabledControl);
    page()->openImageButton()->click();
    EXPECT_EQ(strDialogTitle, "Open Disk Image");
    while (loaded.isEmpty() || !loaded.last().at(0).toBool()) ASSERT_TRUE(loaded.wait(30000));
    ASSERT_EQ(page()->model()->rowCount(), 1);
    EXPECT_EQ(page()->model()->item(0)->toolTip(), strImage);
    EXPECT_FALSE(page()->emptyPanel()->isVisible());
    EXPECT_EQ(CGlobalAppData::instance()->diskImages(), QStringList({strImage}));

    QStandardItem *pRecording = findItem(page()->model()->invisibleRootItem(), CDiskManagePage::LevelRecord, "09.00.10");
    ASSERT_NE(pRecording, nullptr);
    page()->treeView()->expandAll();
    page()->treeView()->setCurrentIndex(pRecording->index());
    page()->onRecordTreeDoubleClicked(pRecording->index());
    CPlayManage *pManage = CPlayManage::instance();
    const int nWnd = box()->activeWnd();
    ASSERT_SOON(pManage->IsPlaying(nWnd) && pManage->Port(nWnd)->GetWidth() > 0, 20000);
    ASSERT_SOON((box()->updateStatus(), box()->timeLabel()->text().startsWith("09:00:")), 10000);
    EXPECT_TRUE(box()->timeLabel()->text().endsWith(" / 09:00:30")) << qPrintable(box()->timeLabel()->text());

    // The keyboard, once a window was clicked.
    QApplication::setActiveWindow(m_pWindow.get());
    QTest::mouseClick(box()->videoWnd(nWnd)->frame(), Qt::LeftButton);
    ASSERT_EQ(m_pWindow->focusWidget(), box()) << "a click on a window gives the wall the keyboard";
    QTest::keyClick(box(), Qt::Key_Space);
    EXPECT_EQ(pManage->GetStatus(nWnd), CPlay::statusPaused);
    QTest::keyClick(box(), Qt::Key_Right);
    EXPECT_EQ(pManage->GetStatus(nWnd), CPlay::statusFrame);
    QTest::keyClick(box(), Qt::Key_Space);
    EXPECT_EQ(pManage->GetStatus(nWnd), CPlay::statusPlaying);

    // A wider record list and a smaller window.
    m_pWindow->splitter()->setSizes({300, m_pWindow->width() - 300 - m_pWindow->splitter()->handleWidth()});
    const QRect before = m_pWindow->geometry();
    const QPoint corner = before.bottomRight() - QPoint(1, 1);
    QWidget *pUnder = QApplication::widgetAt(corner);
    ASSERT_NE(pUnder, nullptr);
    const auto send = [pUnder](QEvent::Type type, const QPoint &global, Qt::MouseButton button, Qt::MouseButtons held) {
        QMouseEvent event(type, pUnder->mapFromGlobal(global), global, button, held, Qt::NoModifier);
        QApplication::sendEvent(pUnder, &event);
    };
    send(QEvent::MouseButtonPress, corner, Qt::LeftButton, Qt::LeftButton);
    send(QEvent::MouseMove, corner - QPoint(100, 60), Qt::NoButton, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, corner - QPoint(100, 60), Qt::LeftButton, Qt::NoButton);
    EXPECT_SOON(m_pWindow->size() == before.size() - QSize(100, 60), 3000)
        << m_pWindow->width() << "x" << m_pWindow->height();
    QTest::qWait(1200);
    screenshot("korvane-opened-image.png");
}

// The program's look: its skin folder beside the scratch settings, and its style sheet.
TEST_F(DemoDiskWalkThrough, ADoubleClickedRecordingAnswersEveryControl)
{
    QStandardItem *pRecording = findItem(page()->model()->invisibleRootItem(), CDiskManagePage::LevelRecord, "");
    ASSERT_NE(pRecording, nullptr);
    page()->onRecordTreeDoubleClicked(pRecording->index());
    CPlayManage *pManage = CPlayManage::instance();
    const int nWnd = box()->activeWnd();
    ASSERT_SOON(pManage->IsPlaying(nWnd) && pManage->Port(nWnd)->GetWidth() > 0, 20000);
    EXPECT_EQ(pManage->GetPath(nWnd), CDiskManagePage::recordPath(pRecording->index()));

    clickButton(btnPlay);
    EXPECT_EQ(pManage->GetStatus(nWnd), CPlay::statusPaused);
    EXPECT_EQ(box()->controlButton(btnPlay)->toolTip(), "Play");
    const int nPausedAt = pManage->GetPlayPos(nWnd);
    clickButton(btnNextFrame);
    EXPECT_TRUE(pManage->IsPlaying(nWnd)) << "a frame step leaves the window playing, frame by frame";
    clickButton(btnPlay);
    ASSERT_SOON(pManage->GetStatus(nWnd) == CPlay::statusPlaying, 5000);
    EXPECT_GE(pManage->GetPlayPos(nWnd), nPausedAt);

    clickButton(btnFast);
    EXPECT_EQ(pManage->GetSpeed(nWnd), 6);
    clickButton(btnSlow);
    clickButton(btnSlow);
    EXPECT_EQ(pManage->GetSpeed(nWnd), 4);
    clickButton(btnFast);

    chooseMenu(menuSound);
    EXPECT_TRUE(pManage->IsSoundOn(nWnd));
    chooseMenu(menuSound);
    EXPECT_FALSE(pManage->IsSoundOn(nWnd));

    chooseMenu(menuSnapshot);
    EXPECT_SOON(filesIn(CGlobalAppData::instance()->capturePath(), "*.jpg") == 1, 5000);
    chooseMenu(menuClip);
    EXPECT_TRUE(pManage->IsRecording(nWnd));
    QTest::qWait(2500);
    chooseMenu(menuClip);
    EXPECT_FALSE(pManage->IsRecording(nWnd));
    EXPECT_SOON(filesIn(CGlobalAppData::instance()->recordPath(), "*") == 1, 5000);

    ASSERT_SOON(pManage->Port(nWnd)->IsIndexReady(), 20000);
    QSlider *pSlider = box()->slider();
    QTest::mouseClick(pSlider, Qt::LeftButton, Qt::NoModifier, QPoint(pSlider->width() / 2, pSlider->height() / 2));
    EXPECT_SOON(std::abs(pManage->GetPlayPos(nWnd) - 500) < 80, 10000)
        << "position after the seek: " << pManage->GetPlayPos(nWnd);

    CVideoFrame *pFrame = box()->videoWnd(nWnd)->frame();
    ASSERT_TRUE(box()->LocalRange());
    drag(pFrame, QPoint(0, 0), QPoint(pFrame->width() / 2, pFrame->height() / 2));
    EXPECT_TRUE(pManage->IsZoom(nWnd));
    QTest::qWait(800);
    screenshot("korvane-demo-playing.png");

    clickButton(btnStop);
    EXPECT_FALSE(pManage->IsPlaying(nWnd));
}
