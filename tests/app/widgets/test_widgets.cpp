#include "widgets/cmessagebox.h"
#include "widgets/cmymulselectcombobox.h"
#include "widgets/cmytreeview.h"
#include "widgets/cwaitframe.h"
#include "widgets/fancymessagebox.h"
#include "widgets/keypresspro.h"

#include "widget_test_support.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QToolButton>

namespace {
// Presses button nButton of the next prompt that opens, or dismisses it with Escape (-1).
void answerNextPrompt(int nButton)
{
    QTimer::singleShot(0, [nButton] {
        CMessageBox *box = qobject_cast<CMessageBox *>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        if (nButton < 0)
            QTest::keyClick(box, Qt::Key_Escape);
        else
            box->buttons().at(nButton)->click();
    });
}

QStandardItemModel *twoRowModel(QObject *parent)
{
    QStandardItemModel *model = new QStandardItemModel(parent);
    model->appendRow(new QStandardItem("first"));
    model->appendRow(new QStandardItem("second"));
    return model;
}
} // namespace

TEST(CMessageBoxTest, ReturnsTheIndexOfThePressedButton)
{
    answerNextPrompt(1);
    EXPECT_EQ(CMessageBox::prompt(nullptr, "Do you want to close?", "Yes", "No"), 1);
    answerNextPrompt(0);
    EXPECT_EQ(CMessageBox::prompt(nullptr, "Saved"), 0);
    answerNextPrompt(2);
    EXPECT_EQ(CMessageBox::message(nullptr, "Prompt", "Three", {"A", "B", "C"}), 2);
    answerNextPrompt(-1);
    EXPECT_EQ(CMessageBox::prompt(nullptr, "Question", "Yes", "No"), int(CMessageBox::NoButton));
}

TEST(CMessageBoxTest, PromptLooksAsTheProgramAsks)
{
    CMessageBox box(nullptr, "Prompt", "<b>rich</b> text", {QString(), "Later", "Never", "Too many"},
                    QMessageBox::Warning);
    ASSERT_EQ(box.buttons().size(), 3);
    EXPECT_EQ(box.buttons()[0]->text(), "OK");
    EXPECT_EQ(box.buttons()[1]->text(), "Later");
    for (QToolButton *b : box.buttons()) {
        EXPECT_EQ(b->objectName(), "NormalToolButton");
        EXPECT_EQ(b->height(), 25);
        // 70 wide, or wider when the text (a long translation) needs it inside the skin's padding.
        EXPECT_EQ(b->width(), qMax(70, b->fontMetrics().horizontalAdvance(b->text()) + 22)) << b->text().toStdString();
    }
    EXPECT_EQ(box.buttons()[0]->width(), 70);
    CMessageBox restart(nullptr, "Prompt", "Restart?", {QString::fromUtf8("Yeniden başlat"), "Daha sonra"});
    EXPECT_GT(restart.buttons()[0]->width(), 70);
    EXPECT_EQ(box.windowTitle(), "Prompt");
    EXPECT_TRUE(box.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(box.isModal());
}

TEST(CMyTreeViewTest, PressMakesTheItemCurrentAndReportsTheButton)
{
    CMyTreeView view;
    view.setModel(twoRowModel(&view));
    view.resize(200, 200);
    view.show();
    QSignalSpy left(&view, &CMyTreeView::leftClicked), right(&view, &CMyTreeView::rightClicked);
    QRect second = view.visualRect(view.model()->index(1, 0));
    QTest::mousePress(view.viewport(), Qt::RightButton, {}, second.center());
    ASSERT_EQ(right.count(), 1);
    EXPECT_EQ(right[0][0].toModelIndex().row(), 1);
    EXPECT_EQ(view.currentIndex().row(), 1);
    QRect first = view.visualRect(view.model()->index(0, 0));
    QTest::mousePress(view.viewport(), Qt::LeftButton, {}, first.center());
    ASSERT_EQ(left.count(), 1);
    EXPECT_EQ(left[0][0].toModelIndex().row(), 0);
    QTest::mousePress(view.viewport(), Qt::LeftButton, {}, QPoint(10, 190));
    EXPECT_EQ(left.count(), 1) << "a press below the items reports nothing";
    EXPECT_EQ(right.count(), 1);
    EXPECT_FALSE(view.currentIndex().isValid());
}

TEST(CWaitFrameTest, TurnsOnlyWhileVisible)
{
    CWaitFrame frame;
    frame.resize(100, 100);
    EXPECT_FALSE(frame.isTurning());
    frame.show();
    EXPECT_TRUE(frame.isTurning());
    int before = frame.step();
    ASSERT_SOON(frame.step() != before, 5000);
    frame.hide();
    EXPECT_FALSE(frame.isTurning());
}

TEST(FancyMessageBoxTest, RequestFromAWorkerShowsOnTheInterfaceThread)
{
    FancyMessageBox *notice = FancyMessageBox::instance();
    EXPECT_EQ(FancyMessageBox::instance(), notice) << "one notice for the process";
    QSignalSpy shown(notice, &FancyMessageBox::showRequested);
    QThread *worker = QThread::create([] { FancyMessageBox::showMessage("Index file not found"); });
    worker->start();
    ASSERT_TRUE(shown.wait(10000));
    worker->wait();
    delete worker;
    ASSERT_SOON(notice->isVisible(), 10000);
    EXPECT_EQ(notice->text(), "Index file not found");
    EXPECT_EQ(notice->height(), FancyMessageBox::HEIGHT);
    EXPECT_TRUE(notice->isFading());
    EXPECT_TRUE(notice->windowFlags() & Qt::WindowStaysOnTopHint);
    ASSERT_SOON(!notice->isVisible(), 30000);
    FancyMessageBox::release();
}

TEST(CMyMulSelectComboBoxTest, ShowsTheTickedEntries)
{
    CMyMulSelectComboBox combo;
    QSignalSpy changed(&combo, &CMyMulSelectComboBox::selectionChanged);
    combo.addSelectItem("001", 0);
    combo.addSelectItem("002", 1, true);
    combo.addSelectItem("003", 2);
    combo.setItemChecked(2, true);
    EXPECT_EQ(combo.checkedIndexes(), QList<int>({1, 2}));
    EXPECT_EQ(combo.checkedData(), QVariantList({1, 2}));
    EXPECT_EQ(combo.lineEdit()->text(), "002;003");
    EXPECT_GE(changed.count(), 1);
    combo.clearSelectItems();
    EXPECT_TRUE(combo.checkedTexts().isEmpty());
}

TEST(KeyPressProTest, SwallowsOnlyTheFilteredKeys)
{
    QLineEdit edit;
    KeyPressPro filter;
    filter.setFilteredKeys({Qt::Key_Escape});
    edit.installEventFilter(&filter);
    QSignalSpy pressed(&filter, &KeyPressPro::keyPressed);
    QTest::keyClick(&edit, Qt::Key_A);
    QTest::keyClick(&edit, Qt::Key_Escape);
    ASSERT_EQ(pressed.count(), 1);
    EXPECT_EQ(pressed[0][0].toInt(), int(Qt::Key_Escape));
    EXPECT_EQ(edit.text(), "a");
}
