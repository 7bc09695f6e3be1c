// A recording of a simulator disk with real H.264 played in window 0 through the manager.
#include "playback/cdisplaybox.h"
#include "common/cfsfile.h"
#include "common/cglobalappdata.h"
#include "playback/cplaymanage.h"
#include "playback/cvideoframe.h"
#include "playback/cvideownd.h"

#include "sim_recording.h"
#include "wfs.h"
#include "wfs_stream.h"

#include <QAction>
#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QSignalSpy>
#include <QSlider>
#include <QToolButton>
#include <QTest>
#include <QWidget>

#include "widget_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <memory>

namespace {
const sim::Seconds DAY = sim::makeTime(2024, 3, 5, 9, 0, 0);
const sim::Seconds MIDNIGHT = sim::makeTime(2024, 3, 6, 0, 0, 0);
std::atomic<int> g_nStops{0};

void countStop(int, void *)
{
    ++g_nStops;
}

sim::Scenario shortRealRecording()
{
    sim::Scenario s;
    s.sectorsPerCluster = 8;
    s.payloads = sim::PayloadKind::Real;
    s.partitions = {partition(512)};
    sim::RecordingSpec r = recording(0, DAY, 4);
    r.width = 176;
    r.height = 144;
    r.fps = 10;
    s.recordings.push_back(r);
    sim::RecordingSpec next = r;
    next.start = DAY + 4;
    next.end = DAY + 7;
    s.recordings.push_back(next);
    sim::RecordingSpec other = r;
    other.channel = 1;
    s.recordings.push_back(other);
    // Two channels over midnight, 23:59:57 to 00:00:04.
    for (int channel : {2, 3}) {
        sim::RecordingSpec late = r;
        late.channel = channel;
        late.start = MIDNIGHT - 3;
        late.end = MIDNIGHT + 4;
        s.recordings.push_back(late);
    }
    return s;
}

class PlaybackPlayTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_dir = new ScratchDir;
        s_disk = new SimDisk(*s_dir, "real.img", shortRealRecording());
    }

    static void TearDownTestSuite()
    {
        delete s_disk;
        delete s_dir;
    }

    void SetUp() override
    {
        ASSERT_TRUE(s_disk->ok);
        ASSERT_EQ(mountImages({s_disk->path}), WFS_OK);
        ASSERT_NE(wfs_register_stream_ops(), -1);
        m_wnd.resize(176, 144);
        m_wnd.show();
        g_nStops = 0;
        ASSERT_TRUE(CPlayManage::instance()->CreatePort(TSDK_WINDOW(m_wnd.winId()), 0, &countStop, nullptr));
    }

    void TearDown() override
    {
        CPlayManage::release();
        wfs_mount_register(WFS_STREAM_PREFIX, nullptr);
    }

    static QString path(size_t nRecording = 0)
    {
        const sim::RecordingResult &r = resultOf(s_disk->manifest, nRecording);
        return QString::fromStdString(recordPath(0, r, r.firstCluster));
    }

    QWidget m_wnd;
    static ScratchDir *s_dir;
    static SimDisk *s_disk;
};

ScratchDir *PlaybackPlayTest::s_dir = nullptr;
SimDisk *PlaybackPlayTest::s_disk = nullptr;
} // namespace

TEST_F(PlaybackPlayTest, ARecordingPlaysInWindowZeroAndItsPositionAdvances)
{
    CPlayManage *pManage = CPlayManage::instance();
    ASSERT_TRUE(pManage->PlayRecord(0, path(), false));
    ASSERT_SOON(pManage->IsPlaying(0), 10000);
    EXPECT_EQ(pManage->GetPath(0), path());
    EXPECT_EQ(pManage->GetIndexState(0), 1) << "a window not in sync mode never waits for its index";
    ASSERT_SOON(pManage->GetPlayPos(0) > 0, 15000);
    const int nFirst = pManage->GetPlayPos(0);
    ASSERT_SOON(pManage->GetPlayPos(0) > nFirst, 15000);
    EXPECT_GT(pManage->Port(0)->GetHandle(), 0);
    ASSERT_SOON(pManage->Port(0)->GetWidth() == 176, 10000);

    pManage->StopPort(0);
    EXPECT_FALSE(pManage->IsPlaying(0));
    EXPECT_TRUE(pManage->GetPath(0).isEmpty());
    EXPECT_GE(g_nStops.load(), 1);
}

TEST_F(PlaybackPlayTest, ARecordingPlayedToItsEndStopsTheWindow)
{
    CPlayManage *pManage = CPlayManage::instance();
    ASSERT_TRUE(pManage->PlayRecord(0, path(), false));
    ASSERT_SOON(pManage->IsPlaying(0), 10000);
    g_nStops = 0;
    ASSERT_SOON(!pManage->IsPlaying(0), 30000);
    ASSERT_SOON(g_nStops.load() == 1, 5000);
    EXPECT_TRUE(pManage->GetPath(0).isEmpty());
    EXPECT_EQ(pManage->Port(0)->GetHandle(), 0);
}

TEST_F(PlaybackPlayTest, PauseHoldsTheWindowAndPlayResumesIt)
{
    CPlayManage *pManage = CPlayManage::instance();
    ASSERT_TRUE(pManage->PlayRecord(0, path(), false));
    ASSERT_SOON(pManage->IsPlaying(0), 10000);
    pManage->TogglePause(0);
    EXPECT_EQ(pManage->GetStatus(0), CPlay::statusPaused);
    EXPECT_TRUE(pManage->IsPlaying(0));
    pManage->TogglePause(0);
    EXPECT_EQ(pManage->GetStatus(0), CPlay::statusPlaying);
    pManage->StopPort(0);
    EXPECT_EQ(pManage->GetStatus(0), CPlay::statusStopped);
}

TEST_F(PlaybackPlayTest, TheWallPlaysARequestedRecordingInItsActiveWindow)
{
    CDisplayBox box;
    box.resize(640, 480);
    box.show();
    box.onActive(2);
    QSignalSpy spy(&box, &CDisplayBox::selectRecord);
    box.onPlayRecord(path(), false);
    CPlayManage *pManage = CPlayManage::instance();
    ASSERT_SOON(pManage->IsPlaying(2), 10000);
    EXPECT_FALSE(pManage->IsPlaying(0));
    box.onActive(2);
    EXPECT_EQ(spy.count(), 1);
    box.onActive(0, false);
    box.onSelectVideoWnd(path());
    EXPECT_EQ(box.activeWnd(), 2) << "the record list's selection finds the window playing it";
    EXPECT_EQ(spy.count(), 1);
    box.updateStatus();
    EXPECT_TRUE(box.slider()->isEnabled());
    ASSERT_SOON(box.controlButton(1)->toolTip() == "Pause", 5000);
    box.controlButton(0)->click();
    EXPECT_FALSE(pManage->IsPlaying(2));
}

TEST_F(PlaybackPlayTest, SyncPlayGoesOnWithTheNextFileQueuedForTheWindow)
{
    CPlayManage *pManage = CPlayManage::instance();
    CGlobalAppData::instance()->appendWndPaths(0, {path(0), path(1)});
    pManage->SyncPlay(9 * 3600);
    ASSERT_SOON(pManage->IsPlaying(0), 10000);
    EXPECT_TRUE(pManage->IsSyncMode(0));
    EXPECT_EQ(pManage->GetPath(0), path(0));
    ASSERT_SOON(pManage->GetPath(0) == path(1), 30000);
    EXPECT_TRUE(pManage->IsPlaying(0));
    // The path changes just before the next file's player opens.
    EXPECT_SOON(pManage->Port(0)->GetHandle() > 0, 5000) << "the next file has a player of its own";
    ASSERT_SOON(pManage->GetSecondOfDay(0) >= 9 * 3600 + 4, 15000);
    ASSERT_SOON(!pManage->IsPlaying(0), 30000);
    EXPECT_EQ(CGlobalAppData::instance()->wndPathCount(0), 0);
    EXPECT_FALSE(pManage->IsSyncMode(0));
}

TEST_F(PlaybackPlayTest, OnceIndexedASeekToOneHalfLandsOnAKeyFrameAtOrBeforeIt)
{
    CPlayManage *pManage = CPlayManage::instance();
    ASSERT_TRUE(pManage->PlayRecord(0, path(), false));
    ASSERT_SOON(pManage->Port(0)->IsIndexReady(), 15000);
    const int nSecond = pManage->Port(0)->SetPlayPos(0.5f);
    EXPECT_GE(nSecond, 9 * 3600);
    EXPECT_LE(nSecond, 9 * 3600 + 2);
    ASSERT_SOON(pManage->GetPlayPos(0) > 0, 15000);
    EXPECT_TRUE(pManage->IsPlaying(0));
    pManage->StopPort(0);
    EXPECT_FALSE(pManage->Port(0)->IsIndexReady());
}

TEST_F(PlaybackPlayTest, WindowsPlayedInStepStayWithinASecondOfEachOther)
{
    CPlayManage *pManage = CPlayManage::instance();
    ASSERT_TRUE(pManage->CreatePort(0, 1, &countStop, nullptr));
    pManage->StartPacing();
    CGlobalAppData::instance()->appendWndPaths(0, {path(0), path(1)});
    CGlobalAppData::instance()->appendWndPaths(1, {path(2)});
    pManage->SyncPlay(9 * 3600);
    ASSERT_SOON(pManage->GetSecondOfDay(0) > 0 && pManage->GetSecondOfDay(1) > 0, 15000);
    int nSamples = 0;
    for (int nLoops = 0; nLoops < 600 && pManage->IsPlaying(1) && pManage->GetSecondOfDay(1) > 0; ++nLoops) {
        const int nZero = pManage->GetSecondOfDay(0), nOne = pManage->GetSecondOfDay(1);
        if (nZero > 0 && nOne > 0) {
            EXPECT_LE(std::abs(nZero - nOne), 1) << nZero << " " << nOne;
            ++nSamples;
        }
        QTest::qWait(50);
    }
    EXPECT_GT(nSamples, 0);
    ASSERT_SOON(!pManage->IsPlaying(0), 30000);
}

// Paced by full date-times: the first window past 00:00 is ahead, not the slowest, so the windows
// still before midnight go on instead of waiting for a second of day they never reach.
TEST_F(PlaybackPlayTest, WindowsInStepStayTogetherAcrossMidnight)
{
    CPlayManage *pManage = CPlayManage::instance();
    ASSERT_TRUE(pManage->CreatePort(0, 1, &countStop, nullptr));
    pManage->StartPacing();
    EXPECT_TRUE(path(3).contains("/23.59.57-00.00.04[")) << qPrintable(path(3));
    CGlobalAppData::instance()->appendWndPaths(0, {path(3)});
    CGlobalAppData::instance()->appendWndPaths(1, {path(4)});
    pManage->SyncPlay(23 * 3600 + 59 * 60 + 57);
    ASSERT_SOON(pManage->GetFrameTime(0) != 0 && pManage->GetFrameTime(1) != 0, 15000);
    const qint64 nMidnight = QDateTime(QDate(2024, 3, 6), QTime(0, 0)).toSecsSinceEpoch();
    qint64 nLatest[2] = {0, 0};
    int nWorst = 0, nSamples = 0;
    for (int nLoops = 0; nLoops < 600 && pManage->IsPlaying(0) && pManage->IsPlaying(1); ++nLoops) {
        const quint32 nZero = pManage->GetFrameTime(0), nOne = pManage->GetFrameTime(1);
        if (nZero != 0 && nOne != 0) {
            const qint64 nTimes[2] = {CPlay::StampToEpoch(nZero), CPlay::StampToEpoch(nOne)};
            nWorst = std::max<int>(nWorst, int(std::abs(nTimes[0] - nTimes[1])));
            for (int i = 0; i < 2; ++i) nLatest[i] = std::max(nLatest[i], nTimes[i]);
            ++nSamples;
        }
        QTest::qWait(50);
    }
    EXPECT_GT(nSamples, 20);
    EXPECT_LE(nWorst, 1) << "the windows drifted apart at midnight";
    for (int i = 0; i < 2; ++i)
        EXPECT_GE(nLatest[i], nMidnight + 2) << "window " << i << " got past midnight";
    pManage->StopAll();
}

TEST_F(PlaybackPlayTest, ADragInRangeModeZoomsAndZoomsFurtherInsideTheZoom)
{
    CDisplayBox box;
    box.resize(800, 700);
    box.show();
    box.onPlayRecord(path(), false);
    CPlayManage *pManage = CPlayManage::instance();
    ASSERT_SOON(pManage->IsPlaying(0), 10000);
    CVideoFrame *pFrame = box.videoWnd(0)->frame();
    ASSERT_TRUE(box.LocalRange());
    ASSERT_TRUE(pFrame->rangeMode());
    drag(pFrame, QPoint(10, 10), QPoint(13, 12));
    EXPECT_FALSE(pManage->IsZoom(0)) << "a drag under 5 pixels does not zoom";

    const int w = pFrame->width(), h = pFrame->height();
    drag(pFrame, QPoint(0, 0), QPoint(w / 2, h / 2));
    ASSERT_TRUE(pManage->IsZoom(0));
    const QRect first = pFrame->zoomRect();
    EXPECT_EQ(first.topLeft(), QPoint(0, 0));
    EXPECT_NEAR(first.right(), 4096, 20);
    EXPECT_NEAR(first.bottom(), 4096, 20);

    drag(pFrame, QPoint(w / 2, h / 2), QPoint(w, h));
    const QRect nested = pFrame->zoomRect();
    EXPECT_NEAR(nested.left(), 2048, 20) << "the second selection is taken inside the first";
    EXPECT_NEAR(nested.top(), 2048, 20);
    EXPECT_NEAR(nested.right(), 4096, 20);

    box.LocalRange();
    EXPECT_FALSE(pManage->IsZoom(0));
    EXPECT_FALSE(pFrame->rangeMode());
    EXPECT_TRUE(pFrame->zoomRect().isNull());
    pManage->StopPort(0);
}

TEST_F(PlaybackPlayTest, TheActiveWindowsGpsPositionIsHandedOn)
{
    CDisplayBox box;
    box.resize(640, 480);
    box.show();
    std::unique_ptr<GpsInfo> pReceived;
    QObject::connect(&box, &CDisplayBox::updateGpsInfo,
                     [&pReceived](void *pGpsInfo) { pReceived.reset(static_cast<GpsInfo *>(pGpsInfo)); });
    box.onPlayRecord(path(), false);
    ASSERT_SOON(CPlayManage::instance()->IsPlaying(0), 10000);
    ASSERT_SOON((box.updateStatus(), pReceived != nullptr), 15000);
    EXPECT_TRUE(pReceived->bValid);
    EXPECT_GT(std::fabs(pReceived->dLatitude), 1e-8);
    EXPECT_GT(std::fabs(pReceived->dLongitude), 1e-8);
    CPlayManage::instance()->StopPort(0);
}

TEST_F(PlaybackPlayTest, SixteenWindowsSurviveLayoutChangesStopsAndTheWallClosing)
{
    CPlayManage *pManage = CPlayManage::instance();
    {
        CDisplayBox box;
        box.resize(800, 600);
        box.show();
        box.onWndNoChanged(16);
        for (int i = 0; i < CDisplayBox::kWndCount; ++i) ASSERT_TRUE(pManage->PlayRecord(i, path(i % 3), false));
        ASSERT_SOON(pManage->IsPlaying(15), 10000);
        for (int nLayout : {1, 4, 6, 8, 9, 16, 4}) {
            box.onWndNoChanged(nLayout);
            QTest::qWait(30);
        }
        box.onChangeWndMode(4); // a new sync play stops every window first
        for (int i = 0; i < CDisplayBox::kWndCount; ++i) EXPECT_FALSE(pManage->IsPlaying(i)) << i;

        for (int i = 0; i < CDisplayBox::kWndCount; ++i) ASSERT_TRUE(pManage->PlayRecord(i, path(i % 3), false));
        box.onDiskChanged();
        for (int i = 0; i < CDisplayBox::kWndCount; ++i) EXPECT_FALSE(pManage->IsPlaying(i)) << "after a disk change " << i;

        for (int i = 0; i < CDisplayBox::kWndCount; ++i) ASSERT_TRUE(pManage->PlayRecord(i, path(i % 3), false));
        QTest::qWait(200);
    } // the wall closes while its sixteen windows play
    EXPECT_EQ(CPlayManage::existing(), nullptr) << "the ports, their players and workers went with the wall";
}

namespace {
// A copy of a disk recording in a PC folder laid out like the disk ("idea0/<date>/<channel>/<name>"),
// keeping the given share of its bytes, or filled with junk of the same length.
QString localCopy(const std::string &strFolder, const QString &strDiskPath, double rShare, bool bJunk)
{
    CFSFile source;
    if (!source.Open(strDiskPath, CFSFile::modeRead)) return QString();
    QByteArray bytes(int(source.GetLength()), '\0');
    bytes.resize(int(source.Read(bytes.data(), bytes.size())));
    bytes.truncate(int(bytes.size() * rShare));
    if (bJunk)
        for (int i = 0; i < bytes.size(); ++i) bytes[i] = char((i * 7919) >> 3);
    const QString strPath = QString::fromStdString(strFolder) + strDiskPath.mid(QString("/mnt").size());
    QDir().mkpath(QFileInfo(strPath).path());
    QFile copy(strPath);
    if (!copy.open(QIODevice::WriteOnly) || copy.write(bytes) != bytes.size()) return QString();
    return strPath;
}
} // namespace

TEST_F(PlaybackPlayTest, ATruncatedOrJunkRecordingPlaysAsFarAsItCanAndStops)
{
    ScratchDir folder;
    CPlayManage *pManage = CPlayManage::instance();
    const QString strTruncated = localCopy(folder.file("export"), path(), 0.5, false);
    ASSERT_FALSE(strTruncated.isEmpty());
    ASSERT_TRUE(pManage->PlayRecord(0, strTruncated, false));
    const int nStopsBefore = g_nStops.load(); // the port's stop before a new file counts too
    ASSERT_SOON(pManage->Port(0)->GetWidth() == 176, 10000) << "the half that is there shows";
    ASSERT_SOON(pManage->GetPlayPos(0) > 0, 10000);
    ASSERT_SOON(!pManage->IsPlaying(0), 15000) << "the window stops by itself where the file ends";
    EXPECT_EQ(g_nStops.load(), nStopsBefore + 1);

    const QString strJunk = localCopy(folder.file("junk"), path(), 1.0, true);
    ASSERT_FALSE(strJunk.isEmpty());
    const int nStopsAtJunk = g_nStops.load();
    ASSERT_TRUE(pManage->PlayRecord(0, strJunk, false));
    ASSERT_SOON(!pManage->IsPlaying(0), 15000);
    EXPECT_SOON(g_nStops.load() == nStopsAtJunk + 2, 2000) << "one stop before the file, one at its end";
    EXPECT_FALSE(pManage->Port(0)->IsIndexReady());
}

TEST_F(PlaybackPlayTest, ASeekWhilePausedShowsThePictureThereAndStaysPaused)
{
    CPlayManage *pManage = CPlayManage::instance();
    ASSERT_TRUE(pManage->PlayRecord(0, path(), false));
    ASSERT_SOON(pManage->Port(0)->IsIndexReady() && pManage->Port(0)->GetWidth() > 0, 15000);
    pManage->TogglePause(0);
    ASSERT_EQ(pManage->GetStatus(0), CPlay::statusPaused);
    QTest::qWait(300);
    const QImage before = m_wnd.grab().toImage();

    // The pictures show the recorder clock, so another second looks different.
    ASSERT_GE(pManage->Port(0)->SetPlayPos(0.8f), 9 * 3600 + 2);
    EXPECT_SOON(m_wnd.grab().toImage() != before, 5000) << "the picture at the new position shows while paused";
    EXPECT_EQ(pManage->GetStatus(0), CPlay::statusPaused);
    QTest::qWait(300);
    const QImage after = m_wnd.grab().toImage();
    QTest::qWait(1200);
    EXPECT_EQ(m_wnd.grab().toImage(), after) << "still paused: the picture holds";

    pManage->TogglePause(0);
    EXPECT_EQ(pManage->GetStatus(0), CPlay::statusPlaying);
    ASSERT_SOON(!pManage->IsPlaying(0), 10000) << "played on from there to the end";
}

namespace {
// The share of a picture's pixels that are near white: the recorder clock's digits.
double whiteShare(const QImage &picture)
{
    int nWhite = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const QColor c = picture.pixelColor(x, y);
            if (c.red() > 200 && c.green() > 200 && c.blue() > 200) ++nWhite;
        }
    return picture.isNull() ? 0 : double(nWhite) / (picture.width() * picture.height());
}
} // namespace

TEST_F(PlaybackPlayTest, AfterASeekTheNewPlayerKeepsTheWindowsZoom)
{
    CPlayManage *pManage = CPlayManage::instance();
    ASSERT_TRUE(pManage->PlayRecord(0, path(), false));
    ASSERT_SOON(pManage->Port(0)->IsIndexReady() && pManage->Port(0)->GetWidth() > 0, 15000);
    ASSERT_SOON(whiteShare(m_wnd.grab().toImage()) > 0.05, 5000) << "the whole picture shows its digits";

    // The bottom right corner of the picture is plain background.
    ASSERT_TRUE(pManage->SetDisplayRegion(0, QPoint(6144, 6144), QPoint(8192, 8192), true));
    pManage->OpenSound(0);
    ASSERT_SOON(whiteShare(m_wnd.grab().toImage()) < 0.01, 5000);
    const int nOldHandle = pManage->Port(0)->GetHandle();
    ASSERT_GE(pManage->Port(0)->SetPlayPos(0.1f), 9 * 3600);
    ASSERT_SOON(pManage->Port(0)->GetHandle() != nOldHandle && pManage->Port(0)->GetHandle() > 0, 5000);
    QTest::qWait(500);
    EXPECT_LT(whiteShare(m_wnd.grab().toImage()), 0.01) << "the new player shows the same region";
    EXPECT_TRUE(pManage->IsZoom(0));
    EXPECT_TRUE(pManage->IsSoundOn(0));
    ASSERT_SOON(!pManage->IsPlaying(0), 10000);
    EXPECT_FALSE(pManage->IsSoundOn(0)) << "an idle window's sound button is off";
}

TEST_F(PlaybackPlayTest, ASliderReleasedLeftOfTheSliderSeeksToTheStart)
{
    CDisplayBox box;
    box.resize(640, 480);
    box.show();
    box.onPlayRecord(path(), false);
    CPlayManage *pManage = CPlayManage::instance();
    ASSERT_SOON(pManage->Port(0)->IsIndexReady() && pManage->GetPlayPos(0) > 300, 15000);
    box.updateStatus();
    QSlider *pSlider = box.slider();
    ASSERT_TRUE(pSlider->isEnabled());
    const QPoint middle(pSlider->width() / 2, pSlider->height() / 2);
    sendMouse(pSlider, QEvent::MouseButtonPress, middle);
    sendMouse(pSlider, QEvent::MouseButtonRelease, QPoint(-40, middle.y()));
    EXPECT_EQ(pSlider->value(), 0);
    EXPECT_SOON(pManage->IsPlaying(0) && pManage->GetPlayPos(0) < 200, 3000) << "played on from the start";
}

TEST_F(PlaybackPlayTest, TheTimeBesideTheSliderShowsTheRecorderClockAndTheEnd)
{
    EXPECT_EQ(CDisplayBox::timeText(0, QTime()), "--:--:-- / --:--:--");
    EXPECT_EQ(CDisplayBox::timeText(QDateTime(QDate(2024, 3, 5), QTime(23, 59, 58)).toSecsSinceEpoch(), QTime(0, 1, 15)),
              "23:59:58 / 00:01:15");
    CDisplayBox box;
    box.resize(640, 480);
    box.show();
    box.updateStatus();
    EXPECT_EQ(box.timeLabel()->text(), "--:--:-- / --:--:--");
    box.onPlayRecord(path(), false); // 09:00:00 to 09:00:04
    CPlayManage *pManage = CPlayManage::instance();
    ASSERT_SOON((box.updateStatus(), box.timeLabel()->text().startsWith("09:00:0")), 15000)
        << qPrintable(box.timeLabel()->text());
    EXPECT_TRUE(box.timeLabel()->text().endsWith(" / 09:00:04"));
    pManage->StopPort(0);
    box.updateStatus();
    EXPECT_EQ(box.timeLabel()->text(), "--:--:-- / --:--:--");
}

TEST_F(PlaybackPlayTest, TheSliderFollowsADragAndSeeksOnlyOnRelease)
{
    CDisplayBox box;
    box.resize(640, 480);
    box.show();
    box.onPlayRecord(path(), false);
    CPlayManage *pManage = CPlayManage::instance();
    ASSERT_SOON(pManage->Port(0)->IsIndexReady() && pManage->Port(0)->GetHandle() > 0, 15000);
    box.updateStatus();
    QSlider *pSlider = box.slider();
    const int nPlayer = pManage->Port(0)->GetHandle(); // a seek opens a new player
    const int nY = pSlider->height() / 2;
    sendMouse(pSlider, QEvent::MouseButtonPress, QPoint(pSlider->width() / 10, nY));
    sendMouse(pSlider, QEvent::MouseMove, QPoint(pSlider->width() * 3 / 4, nY));
    EXPECT_NEAR(pSlider->value(), 750, 5) << "the handle follows the pointer";
    const qint64 nTarget = pManage->GetTimeAtPos(0, pSlider->value() / 1000.0);
    EXPECT_EQ(box.timeLabel()->text(), CDisplayBox::timeText(nTarget, QTime(9, 0, 4)))
        << "the label shows where the release will go";
    box.updateStatus(); // a status tick during the drag leaves the handle where the pointer is
    EXPECT_NEAR(pSlider->value(), 750, 5);
    EXPECT_EQ(pManage->Port(0)->GetHandle(), nPlayer) << "no seek before the release";
    sendMouse(pSlider, QEvent::MouseButtonRelease, QPoint(pSlider->width() * 3 / 4, nY));
    EXPECT_SOON(pManage->Port(0)->GetHandle() != nPlayer, 5000) << "the release seeks";
    pManage->StopPort(0);
}

TEST_F(PlaybackPlayTest, KeysControlTheActiveWindow)
{
    QTemporaryDir captures;
    CGlobalAppData::instance()->setCapturePath(captures.path());
    CDisplayBox box;
    box.resize(640, 480);
    box.show();
    box.onPlayRecord(path(), false);
    CPlayManage *pManage = CPlayManage::instance();
    ASSERT_SOON(pManage->IsPlaying(0) && pManage->Port(0)->GetWidth() > 0, 15000);
    box.setFocus();
    QTest::keyClick(&box, Qt::Key_Space);
    EXPECT_EQ(pManage->GetStatus(0), CPlay::statusPaused);
    QTest::keyClick(&box, Qt::Key_Right);
    EXPECT_EQ(pManage->GetStatus(0), CPlay::statusFrame) << "a step forward while paused";
    QTest::keyClick(&box, Qt::Key_Left);
    EXPECT_EQ(pManage->GetStatus(0), CPlay::statusFrame);
    QTest::keyClick(&box, Qt::Key_Space);
    EXPECT_EQ(pManage->GetStatus(0), CPlay::statusPlaying);
    QTest::keyClick(&box, Qt::Key_Right);
    EXPECT_EQ(pManage->GetStatus(0), CPlay::statusPlaying) << "no frame steps while playing";
    QTest::keyClick(&box, Qt::Key_Up);
    EXPECT_EQ(pManage->GetSpeed(0), 6);
    QTest::keyClick(&box, Qt::Key_Down);
    QTest::keyClick(&box, Qt::Key_Down);
    EXPECT_EQ(pManage->GetSpeed(0), 4);
    QTest::keyClick(&box, Qt::Key_Up);

    box.onWndDoubleClicked(0);
    ASSERT_TRUE(box.singleWnd());
    QTest::keyClick(&box, Qt::Key_Escape);
    EXPECT_FALSE(box.singleWnd()) << "Escape leaves the single-window view";
    EXPECT_TRUE(box.videoWnd(3)->isVisible());
    QTest::keyClick(&box, Qt::Key_Escape);
    EXPECT_FALSE(box.singleWnd()) << "and does nothing more";

    QTest::keyClick(&box, Qt::Key_S);
    EXPECT_SOON(QDir(captures.path()).entryList({"*.jpg"}, QDir::Files).size() == 1, 5000);
    pManage->StopPort(0);
}

TEST_F(PlaybackPlayTest, PlayingWindowsCarryALabelThatTheMenuTurnsOff)
{
    const qint64 nTime = QDateTime(QDate(2024, 3, 5), QTime(9, 0, 2)).toSecsSinceEpoch();
    EXPECT_EQ(CVideoFrame::labelText("/mnt/idea0/2024-03-05/002/09.00.00-09.00.04[R][@1][0].h264", nTime),
              "CH003  2024-03-05 09:00:02");
    EXPECT_EQ(CVideoFrame::labelText("/home/u/export/idea0/2024-03-05/003/09.00.00-09.00.04[R][@1][0].h264", 0),
              "CH003  2024-03-05") << "exported folders count channels from 1";
    EXPECT_EQ(CVideoFrame::labelText("/home/u/film.mp4", 0), "");

    CGlobalAppData *pData = CGlobalAppData::instance();
    ASSERT_TRUE(pData->windowLabels());
    CDisplayBox box;
    box.resize(640, 480);
    box.show();
    box.onPlayRecord(path(), false);
    CPlayManage *pManage = CPlayManage::instance();
    ASSERT_SOON(pManage->Port(0)->GetWidth() > 0 && pManage->GetCurTime(0) > 0, 15000);
    pManage->TogglePause(0);
    QTest::qWait(300);
    CVideoFrame *pFrame = box.videoWnd(0)->frame();
    const QRect corner(0, 0, 120, 20);
    const QImage labelled = pFrame->grab(corner).toImage();
    QAction toggle(nullptr);
    toggle.setData(12);
    box.onMenuTriggered(&toggle);
    EXPECT_FALSE(pData->windowLabels());
    const QImage plain = pFrame->grab(corner).toImage();
    EXPECT_NE(labelled, plain) << "the label is painted over the picture's corner";
    box.onMenuTriggered(&toggle);
    EXPECT_TRUE(pData->windowLabels());
    pManage->StopPort(0);
}
