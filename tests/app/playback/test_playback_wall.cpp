#include "playback/cdisplaybox.h"
#include "playback/cvideoframe.h"
#include "playback/cvideownd.h"

#include <QAction>
#include <QGridLayout>
#include <QLabel>
#include <QSignalSpy>
#include <QSlider>
#include <QToolButton>

#include "widget_test_support.h"

#include <gtest/gtest.h>

namespace {
struct Cell {
    int row, column, rowSpan, columnSpan;
    bool operator==(const Cell &o) const
    {
        return row == o.row && column == o.column && rowSpan == o.rowSpan && columnSpan == o.columnSpan;
    }
};

Cell cellOf(CDisplayBox &box, int nWnd)
{
    Cell c{-1, -1, 0, 0};
    const int nItem = box.gridLayout()->indexOf(box.videoWnd(nWnd));
    if (nItem >= 0) box.gridLayout()->getItemPosition(nItem, &c.row, &c.column, &c.rowSpan, &c.columnSpan);
    return c;
}

std::vector<int> shownWindows(CDisplayBox &box)
{
    std::vector<int> shown;
    for (int i = 0; i < CDisplayBox::kWndCount; ++i)
        if (!box.videoWnd(i)->isHidden()) shown.push_back(i);
    return shown;
}

bool shows(QToolButton *pButton, const QString &strIcon)
{
    return pButton->styleSheet().contains("/skin/buttons/" + strIcon + "Normal.png");
}
} // namespace

TEST(VideoWall, StartsWithFourWindowsAndTheFirstActive)
{
    CDisplayBox box;
    EXPECT_EQ(box.objectName(), "CDisplayBox");
    EXPECT_EQ(box.wndCount(), 4);
    EXPECT_EQ(shownWindows(box), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(box.activeWnd(), 0);
    EXPECT_EQ(cellOf(box, 3), (Cell{1, 1, 1, 1}));
}

TEST(VideoWall, FiveWindowsTakeTwoColumns)
{
    CDisplayBox box;
    box.onWndNoChanged(5);
    const Cell want[5] = {{0, 0, 1, 1}, {0, 1, 1, 1}, {1, 0, 1, 1}, {1, 1, 1, 1}, {2, 0, 1, 1}};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(cellOf(box, i), want[i]) << i;
    EXPECT_EQ(shownWindows(box), (std::vector<int>{0, 1, 2, 3, 4}));
}

TEST(VideoWall, EightWindowsAreOneLargeAndSevenSmall)
{
    CDisplayBox box;
    box.onWndNoChanged(8);
    EXPECT_EQ(cellOf(box, 0), (Cell{0, 0, 3, 3}));
    for (int i = 1; i < 4; ++i) EXPECT_EQ(cellOf(box, i), (Cell{i - 1, 3, 1, 1})) << i;
    for (int i = 4; i < 8; ++i) EXPECT_EQ(cellOf(box, i), (Cell{3, i - 4, 1, 1})) << i;
    EXPECT_EQ(shownWindows(box).size(), 8u);
}

TEST(VideoWall, SixWindowsAreOneLargeAndFiveSmall)
{
    CDisplayBox box;
    box.onWndNoChanged(6);
    EXPECT_EQ(cellOf(box, 0), (Cell{0, 0, 2, 2}));
    EXPECT_EQ(cellOf(box, 1), (Cell{0, 2, 1, 1}));
    EXPECT_EQ(cellOf(box, 2), (Cell{1, 2, 1, 1}));
    for (int i = 3; i < 6; ++i) EXPECT_EQ(cellOf(box, i), (Cell{2, i - 3, 1, 1})) << i;
}

TEST(VideoWall, ChannelCountsChooseTheNextLayout)
{
    CDisplayBox box;
    const std::pair<int, int> cases[] = {{1, 1}, {2, 4}, {4, 4}, {5, 9}, {9, 9}, {10, 16}, {16, 16}};
    for (const auto &c : cases) {
        box.onChangeWndMode(c.first);
        EXPECT_EQ(box.wndCount(), c.second) << c.first;
        EXPECT_EQ(int(shownWindows(box).size()), c.second) << c.first;
    }
}

TEST(VideoWall, ActivationFramesOnlyTheActiveWindow)
{
    CDisplayBox box;
    box.onActive(2);
    EXPECT_EQ(box.activeWnd(), 2);
    EXPECT_TRUE(box.videoWnd(2)->frameStyle().contains("#0489F5"));
    EXPECT_TRUE(box.videoWnd(0)->frameStyle().contains("border:0px"));
    QSignalSpy spy(&box, &CDisplayBox::selectRecord);
    emit box.videoWnd(1)->frame()->activeWnd(1);
    EXPECT_EQ(box.activeWnd(), 1);
    EXPECT_EQ(spy.count(), 0) << "an idle window names no recording";
}

TEST(VideoWall, DoubleClickTogglesTheSingleWindow)
{
    CDisplayBox box;
    box.onWndDoubleClicked(2);
    EXPECT_EQ(box.activeWnd(), 2);
    EXPECT_EQ(shownWindows(box), (std::vector<int>{2}));
    box.onWndDoubleClicked(2);
    EXPECT_EQ(shownWindows(box), (std::vector<int>{0, 1, 2, 3}));
}

TEST(VideoWall, ButtonsStartWithTheirOwnPicturesAndTips)
{
    CDisplayBox box;
    const char *icons[6] = {"Stop", "Play", "Slow", "Fast", "NextFrame", "AudioOff"};
    const char *tips[6] = {"Stop", "Play", "Slow", "Fast", "NextFrame", "Audio"};
    for (int i = 0; i < 6; ++i) {
        EXPECT_TRUE(shows(box.controlButton(i), icons[i])) << i;
        EXPECT_EQ(box.controlButton(i)->toolTip(), tips[i]) << i;
        EXPECT_EQ(box.controlButton(i)->size(), QSize(40, 40));
    }
}

TEST(VideoWall, ButtonStatesFollowStatusSpeedAndSound)
{
    CDisplayBox box;
    box.onUpdateBtnStatus(1, 7, 1);
    EXPECT_TRUE(shows(box.controlButton(1), "Pause"));
    EXPECT_EQ(box.controlButton(1)->toolTip(), "Pause");
    EXPECT_TRUE(shows(box.controlButton(3), "Fast_4X_"));
    EXPECT_EQ(box.controlButton(3)->toolTip(), "Fast_X4");
    EXPECT_TRUE(shows(box.controlButton(2), "Slow"));
    EXPECT_TRUE(shows(box.controlButton(5), "AudioOn"));
    EXPECT_EQ(box.controlButton(5)->toolTip(), "AudioOn");

    box.onUpdateBtnStatus(2, 9, 0);
    EXPECT_TRUE(shows(box.controlButton(1), "Play"));
    EXPECT_TRUE(shows(box.controlButton(3), "Fast_16X_"));
    EXPECT_EQ(box.controlButton(3)->toolTip(), "Single I frame playback");
    EXPECT_EQ(box.controlButton(5)->toolTip(), "AudioOff");

    box.onUpdateBtnStatus(2, 2, 0);
    EXPECT_TRUE(shows(box.controlButton(2), "Slow_1_8X_"));
    EXPECT_EQ(box.controlButton(2)->toolTip(), "Slow_X1/8");
    EXPECT_TRUE(shows(box.controlButton(3), "Fast"));
    EXPECT_EQ(box.controlButton(3)->toolTip(), "Fast");

    box.onUpdateBtnStatus(2, 5, 0);
    EXPECT_TRUE(shows(box.controlButton(2), "Slow"));
    EXPECT_EQ(box.controlButton(2)->toolTip(), "Slow");
}

TEST(VideoWall, AnIdleWindowHidesTheIndexNoticeAndLocksTheSlider)
{
    CDisplayBox box;
    box.updateStatus();
    EXPECT_TRUE(box.indexNotice()->isHidden());
    EXPECT_FALSE(box.slider()->isEnabled());
    box.onUpdateSliderStatus(0);
    EXPECT_FALSE(box.indexNotice()->isHidden());
    EXPECT_FALSE(box.slider()->isEnabled());
    box.onUpdateSliderStatus(1);
    EXPECT_TRUE(box.indexNotice()->isHidden());
    EXPECT_TRUE(box.slider()->isEnabled());
}

TEST(VideoWall, PlayOnAnIdleWindowAsksTheRecordList)
{
    CDisplayBox box;
    QSignalSpy spy(&box, &CDisplayBox::playRecordRequest);
    box.controlButton(1)->click();
    EXPECT_EQ(spy.count(), 1);
}

TEST(VideoWall, ASelectionMapsIntoThePictureAndIntoAZoom)
{
    const QRect first = CDisplayBox::mapRegion(QPoint(100, 50), QPoint(0, 0), QRect(), 200, 100);
    EXPECT_EQ(first, QRect(QPoint(0, 0), QPoint(4096, 4096))) << "reversed corners are put in order";
    const QRect nested = CDisplayBox::mapRegion(QPoint(100, 50), QPoint(200, 100), first, 200, 100);
    EXPECT_EQ(nested, QRect(QPoint(2048, 2048), QPoint(4096, 4096)));
    const QRect flat = CDisplayBox::mapRegion(QPoint(10, 10), QPoint(20, 10), QRect(), 200, 100);
    EXPECT_EQ(flat, QRect(QPoint(0, 0), QPoint(8192, 8192))) << "an empty selection shows the whole picture";
}

TEST(VideoWall, RangeModeWaitsForAZoom)
{
    CDisplayBox box;
    EXPECT_TRUE(box.LocalRange());
    EXPECT_TRUE(box.videoWnd(0)->frame()->rangeMode());
}

TEST(VideoWall, TheSplitMenuChangesTheLayout)
{
    CDisplayBox box;
    QAction action(nullptr);
    const std::pair<int, int> cases[] = {{7, 1}, {9, 8}, {10, 9}, {11, 16}, {8, 4}};
    for (const auto &c : cases) {
        action.setData(c.first);
        box.onMenuTriggered(&action);
        EXPECT_EQ(box.wndCount(), c.second) << c.first;
    }
    action.setData(0);
    box.onMenuTriggered(&action);
    EXPECT_EQ(box.wndCount(), 4) << "closing an idle window changes nothing";
}

TEST(VideoWall, TheSelectionRectangleGoesWithAShortDragAndWithRangeMode)
{
    CDisplayBox box;
    box.resize(640, 480);
    box.show();
    CVideoFrame *pFrame = box.videoWnd(0)->frame();
    pFrame->setRangeMode(true);
    sendMouse(pFrame, QEvent::MouseButtonPress, QPoint(10, 10));
    sendMouse(pFrame, QEvent::MouseMove, QPoint(60, 50));
    ASSERT_SOON(pFrame->hasSelection(), 1000) << "the rectangle follows the drag";
    sendMouse(pFrame, QEvent::MouseMove, QPoint(12, 11));
    sendMouse(pFrame, QEvent::MouseButtonRelease, QPoint(12, 11));
    QTest::qWait(50);
    EXPECT_FALSE(pFrame->hasSelection()) << "a drag that ends where it began zooms nothing and leaves no rectangle";

    sendMouse(pFrame, QEvent::MouseButtonPress, QPoint(10, 10));
    sendMouse(pFrame, QEvent::MouseMove, QPoint(60, 50));
    ASSERT_SOON(pFrame->hasSelection(), 1000);
    pFrame->setRangeMode(false); // the window stopped during the drag
    QTest::qWait(50);
    EXPECT_FALSE(pFrame->hasSelection());
    sendMouse(pFrame, QEvent::MouseButtonRelease, QPoint(60, 50));
    EXPECT_FALSE(pFrame->hasSelection());
}

