// The cut dialog: its checks, its message at the end, and cancel.
#include "common/cglobalappdata.h"
#include "export/ccutfiledlg.h"

#include "cut_test_fixture.h"
#include "widget_test_support.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimeEdit>

#include <gtest/gtest.h>

using namespace exporttest;

namespace {

TEST_F(CutTest, TheDialogChecksCutsAndClosesWithItsMessage)
{
    CCutFileDlg dialog(copyOf(recA));
    EXPECT_EQ(dialog.windowTitle(), "CCutFileDlg");
    EXPECT_EQ(dialog.rangeLabel()->text(), "Cut Range (10:00:00_10:00:06)");
    EXPECT_EQ(dialog.startTimeEdit()->time(), QTime(10, 0, 0));
    EXPECT_EQ(dialog.endTimeEdit()->time(), QTime(10, 0, 6));
    EXPECT_EQ(dialog.progressBar()->maximum(), 1000);
    EXPECT_EQ(dialog.formatCombo()->itemText(1), "MP4");
    EXPECT_EQ(dialog.startButton()->size(), QSize(75, 25));
    dialog.savePathEdit()->setText(m_strSave);
    dialog.show();

    dialog.startTimeEdit()->setTime(QTime(10, 0, 4));
    dialog.endTimeEdit()->setTime(QTime(10, 0, 3));
    {
        PromptAnswer answer(0);
        dialog.startButton()->click();
        EXPECT_EQ(answer.m_strText, "Abnormal time");
    }
    EXPECT_TRUE(dialog.isVisible());

    dialog.startTimeEdit()->setTime(QTime(10, 0, 1));
    dialog.formatCombo()->setCurrentIndex(1);
    PromptAnswer done(0);
    dialog.startButton()->click();
    ASSERT_SOON(done.answered() && !dialog.isVisible(), 30000);
    EXPECT_EQ(done.m_strText, "Cut Success");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(QDir(m_strSave).entryList(QDir::Files), QStringList({"20240305_10.00.01_10.00.03.mp4"}));
}

TEST_F(CutTest, CancelAsksFirstAndStopsTheCutWithoutAMessage)
{
    CCutFileDlg dialog(copyOf(recE));
    dialog.savePathEdit()->setText(m_strSave);
    dialog.show();
    QMutex &diskLock = CGlobalAppData::instance()->diskReadMutex();
    diskLock.lock(); // the cut waits at its first read
    dialog.startButton()->click();
    ASSERT_TRUE(dialog.isCutting());
    {
        PromptAnswer no(1);
        dialog.cancelButton()->click();
        EXPECT_EQ(no.m_strText, "Whether to cancel cut recording");
    }
    EXPECT_TRUE(dialog.isCutting());
    {
        PromptAnswer ok(0, [&diskLock] { diskLock.unlock(); });
        dialog.cancelButton()->click();
    }
    EXPECT_FALSE(dialog.isCutting());
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    QCoreApplication::processEvents(); // a message the worker sent while it was stopped
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

} // namespace
