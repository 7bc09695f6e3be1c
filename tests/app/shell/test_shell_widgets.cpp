// Main window, title bar and settings dialog: layout, dragging, maximise toggle,
// close confirmation, the settings rules and the restart question.
#include "catalogue/crecordlistmanage.h"
#include "common/cglobalappdata.h"
#include "common/crestarthelper.h"
#include "shell/cconfigdlg.h"
#include "shell/ckorvane.h"
#include "shell/cshowlicensedlg.h"
#include "shell/ctitlewidget.h"
#include "widgets/cframelessresizer.h"
#include "widgets/cmessagebox.h"

#include "sim_disk.h"

#include "wfs_device.h"

#include <gtest/gtest.h>

#include "widget_test_support.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QSplitter>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QSettings>
#include <QTimer>
#include <QToolButton>

namespace {


void sendMouse(QWidget *pWidget, QEvent::Type type, const QPoint &globalPos, Qt::MouseButtons buttons)
{
    const QPoint localPos = pWidget->mapFromGlobal(globalPos);
    QMouseEvent event(type, localPos, globalPos, Qt::LeftButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(pWidget, &event);
}

class ShellWidgetTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        CGlobalAppData::setAppPathOverride(m_dir.path());
        CGlobalAppData::instance();
    }
    void TearDown() override
    {
        CGlobalAppData::saveAndRelease();
        CGlobalAppData::setAppPathOverride(QString());
    }
    QTemporaryDir m_dir;
};

TEST_F(ShellWidgetTest, MainWindowLayout)
{
    CKorvane window;
    EXPECT_EQ(window.objectName(), "CKorvane");
    EXPECT_TRUE(window.windowFlags() & Qt::FramelessWindowHint);
    auto *pGrid = qobject_cast<QGridLayout *>(window.layout());
    ASSERT_NE(pGrid, nullptr);
    EXPECT_EQ(pGrid->contentsMargins(), QMargins(0, 0, 0, 0));
    EXPECT_EQ(pGrid->spacing(), 0);
    int nRow, nColumn, nRowSpan, nColumnSpan;
    pGrid->getItemPosition(pGrid->indexOf(window.titleWidget()), &nRow, &nColumn, &nRowSpan, &nColumnSpan);
    EXPECT_EQ(QRect(nColumn, nRow, nColumnSpan, nRowSpan), QRect(0, 0, 4, 1));
    pGrid->getItemPosition(pGrid->indexOf(window.splitter()), &nRow, &nColumn, &nRowSpan, &nColumnSpan);
    EXPECT_EQ(QRect(nColumn, nRow, nColumnSpan, nRowSpan), QRect(0, 1, 4, 1));
    ASSERT_EQ(window.splitter()->count(), 2);
    EXPECT_EQ(window.splitter()->widget(0), window.recordList());
    EXPECT_EQ(window.splitter()->widget(1), window.displayBox());
    EXPECT_EQ(window.displayBox()->objectName(), "CDisplayBox");
    EXPECT_NE(window.recordList()->diskPage(), nullptr);

    window.start();
    // 1080 x 720 unless the screen is smaller (the off-screen one is 800 x 600).
    const QSize screen = window.screen()->availableGeometry().size();
    EXPECT_EQ(window.size(), QSize(1080, 720).boundedTo(screen));
    EXPECT_EQ(window.titleWidget()->height(), 36);
    EXPECT_EQ(window.recordList()->width(), 220);
    EXPECT_EQ(window.displayBox()->width(), window.width() - 220 - window.splitter()->handleWidth());
    EXPECT_EQ(window.recordList()->sizePolicy().verticalPolicy(), QSizePolicy::Expanding);
}

TEST_F(ShellWidgetTest, SizeAndSplitterAreKeptForTheNextStart)
{
    {
        CKorvane window;
        window.start();
        window.resize(800, 540);
        QApplication::processEvents(); // the splitter takes the new width
        window.splitter()->setSizes({240, 560 - window.splitter()->handleWidth()});
        ASSERT_EQ(window.recordList()->width(), 240);
        PromptAnswer answer(0);
        EXPECT_TRUE(window.close());
    }
    CGlobalAppData::saveAndRelease();
    QSettings stored(m_dir.path() + "/Config.ini", QSettings::IniFormat);
    EXPECT_EQ(stored.value("Window/Size").toSize(), QSize(800, 540));
    EXPECT_EQ(stored.value("Window/RecordListWidth").toInt(), 240);

    CKorvane again;
    again.start();
    EXPECT_EQ(again.size(), QSize(800, 540));
    EXPECT_EQ(again.recordList()->width(), 240);
}

TEST_F(ShellWidgetTest, EdgesResizeTheFramelessWindow)
{
    const QRect frame(100, 100, 800, 600); // right() 899, bottom() 699
    EXPECT_EQ(CFramelessResizer::edgesAt(frame, QPoint(101, 400)), Qt::LeftEdge);
    EXPECT_EQ(CFramelessResizer::edgesAt(frame, QPoint(898, 698)), Qt::RightEdge | Qt::BottomEdge);
    EXPECT_EQ(CFramelessResizer::edgesAt(frame, QPoint(500, 400)), Qt::Edges());
    EXPECT_EQ(CFramelessResizer::edgesAt(frame, QPoint(50, 400)), Qt::Edges()) << "outside the window";
    EXPECT_EQ(CFramelessResizer::resized(frame, Qt::LeftEdge | Qt::TopEdge, QPoint(-20, 30), QSize(100, 100)),
              QRect(80, 130, 820, 570));
    EXPECT_EQ(CFramelessResizer::resized(frame, Qt::RightEdge, QPoint(-900, 0), QSize(300, 100)),
              QRect(100, 100, 300, 600))
        << "never below the minimum";

    CKorvane window;
    window.start();
    window.move(50, 50);
    const QRect before = window.geometry();
    QWidget *pChild = window.displayBox(); // the edge lies on whatever child is there
    const QPoint edge(before.right() - 1, before.center().y());
    sendMouse(pChild, QEvent::MouseMove, edge, Qt::NoButton);
    EXPECT_EQ(window.cursor().shape(), Qt::SizeHorCursor);
    sendMouse(pChild, QEvent::MouseButtonPress, edge, Qt::LeftButton);
    sendMouse(pChild, QEvent::MouseMove, edge + QPoint(-60, 40), Qt::LeftButton);
    sendMouse(pChild, QEvent::MouseButtonRelease, edge + QPoint(-60, 40), Qt::NoButton);
    EXPECT_EQ(window.geometry(), before.adjusted(0, 0, -60, 0));
    sendMouse(pChild, QEvent::MouseMove, window.geometry().center(), Qt::NoButton);
    EXPECT_EQ(window.cursor().shape(), Qt::ArrowCursor);
}

TEST_F(ShellWidgetTest, TitleBarButtonsAndLook)
{
    CKorvane window;
    CTitleWidget *pTitle = window.titleWidget();
    for (const char *pName : {"SysMin", "SysMax", "SysCfg", "SysCls"})
        EXPECT_NE(pTitle->findChild<QToolButton *>(pName), nullptr) << pName;
    const QString strStyle = pTitle->findChild<QToolButton *>("SysCls")->styleSheet();
    EXPECT_TRUE(strStyle.contains("#SysCls{background:transparent;border-image:url(" + m_dir.path() +
                                  "/skin/icons/sys_cls.png);}"));
    EXPECT_TRUE(strStyle.contains("sys_cls_hover.png"));

    CTitleWidget subTitle(nullptr, true);
    EXPECT_EQ(subTitle.objectName(), "SubTitleWidget");
    EXPECT_EQ(subTitle.findChild<QToolButton *>("SysMax"), nullptr);
    EXPECT_NE(subTitle.findChild<QToolButton *>("SysCls"), nullptr);
}

TEST_F(ShellWidgetTest, DraggingMovesTheWindowUnlessMaximised)
{
    CKorvane window;
    window.start();
    window.move(100, 100);
    CTitleWidget *pTitle = window.titleWidget();
    const QPoint start = pTitle->mapToGlobal(QPoint(300, 10));
    sendMouse(pTitle, QEvent::MouseButtonPress, start, Qt::LeftButton);
    sendMouse(pTitle, QEvent::MouseMove, start + QPoint(40, 25), Qt::LeftButton);
    sendMouse(pTitle, QEvent::MouseButtonRelease, start + QPoint(40, 25), Qt::NoButton);
    EXPECT_EQ(window.pos(), QPoint(140, 125));
    sendMouse(pTitle, QEvent::MouseMove, start + QPoint(90, 90), Qt::NoButton);
    EXPECT_EQ(window.pos(), QPoint(140, 125)) << "moves after release must not drag";

    pTitle->btnMaxClicked();
    ASSERT_TRUE(pTitle->isMaximized());
    const QPoint maximisedPos = window.pos();
    sendMouse(pTitle, QEvent::MouseButtonPress, start, Qt::LeftButton);
    sendMouse(pTitle, QEvent::MouseMove, start + QPoint(50, 50), Qt::LeftButton);
    sendMouse(pTitle, QEvent::MouseButtonRelease, start + QPoint(50, 50), Qt::NoButton);
    EXPECT_EQ(window.pos(), maximisedPos);
}

TEST_F(ShellWidgetTest, DoubleClickTogglesMaximisedAndSwapsTheButtonLook)
{
    CKorvane window;
    window.start();
    CTitleWidget *pTitle = window.titleWidget();
    const QPoint pos = pTitle->mapToGlobal(QPoint(300, 10));
    sendMouse(pTitle, QEvent::MouseButtonDblClick, pos, Qt::LeftButton);
    EXPECT_TRUE(pTitle->isMaximized());
    EXPECT_TRUE(window.isMaximized());
    EXPECT_EQ(pTitle->maxButton()->objectName(), "SysNormal");
    EXPECT_TRUE(pTitle->maxButton()->styleSheet().contains("sys_normal.png"));
    sendMouse(pTitle, QEvent::MouseButtonDblClick, pos, Qt::LeftButton);
    EXPECT_FALSE(pTitle->isMaximized());
    EXPECT_EQ(pTitle->maxButton()->objectName(), "SysMax");
}

TEST_F(ShellWidgetTest, CloseAsksAndNoKeepsTheWindow)
{
    CKorvane window;
    window.start();
    {
        PromptAnswer answer(1);
        EXPECT_FALSE(window.close());
        EXPECT_EQ(answer.m_strTitle, "Prompt");
        EXPECT_EQ(answer.m_strText, "Do you want to close?");
        EXPECT_EQ(answer.m_buttons, QStringList({"Yes", "No"}));
    }
    EXPECT_TRUE(window.isVisible());
    PromptAnswer answer(0);
    window.titleWidget()->btnCloseClicked();
    EXPECT_FALSE(window.isVisible());
}

TEST_F(ShellWidgetTest, CloseWindowSlotFadesOutAfterYes)
{
    CKorvane window;
    window.start();
    {
        PromptAnswer answer(1);
        window.onCloseWindow();
        EXPECT_EQ(answer.m_strText, "Do you want to close?");
    }
    EXPECT_TRUE(window.isVisible());
    PromptAnswer answer(0);
    window.onCloseWindow();
    EXPECT_TRUE(window.isVisible()) << "the window stays while it fades out";
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window.isVisible(); }, 10000));
}

TEST_F(ShellWidgetTest, ShowConfigOpensTheSettingsDialog)
{
    CKorvane window;
    window.start();
    QString strOpened;
    QTimer::singleShot(0, [&] {
        auto *pDlg = qobject_cast<CConfigDlg *>(QApplication::activeModalWidget());
        strOpened = pDlg ? pDlg->metaObject()->className() : "nothing";
        if (pDlg)
            pDlg->reject();
    });
    emit CGlobalAppData::instance()->showConfig();
    EXPECT_EQ(strOpened, "CConfigDlg");
}

TEST_F(ShellWidgetTest, SettingsDialogShowsTheSettings)
{
    CGlobalAppData *pData = CGlobalAppData::instance();
    pData->setLanguage("German");
    pData->setRecordFormat(5);
    pData->setMapSettings(1, "KEY", "CODE");
    pData->setOutChina(0);
    CConfigDlg dlg;
    EXPECT_EQ(dlg.languageBox()->count(), 10);
    EXPECT_EQ(dlg.languageBox()->currentData().toString(), "German");
    EXPECT_EQ(dlg.recordStreamBox()->currentData().toInt(), 5);
    EXPECT_EQ(dlg.recordStreamBox()->itemData(1).toInt(), 1);
    EXPECT_EQ(dlg.mapTypeBox()->currentData().toInt(), 1);
    EXPECT_EQ(dlg.mapKeyEdit()->text(), "KEY");
    EXPECT_EQ(dlg.securityCodeEdit()->text(), "CODE");
    EXPECT_EQ(dlg.mapKeyEdit()->objectName(), "lineEditMapKey");
    EXPECT_EQ(dlg.securityCodeEdit()->objectName(), "lineEditSecurityCode");
    EXPECT_FALSE(dlg.outChinaBox()->isChecked());
    EXPECT_TRUE(dlg.outChinaBox()->isEnabled());
    EXPECT_EQ(dlg.recordPathEdit()->height(), 25);
    EXPECT_EQ(dlg.findChild<QLabel *>("labelVersion")->text(), pData->version());
    EXPECT_EQ(dlg.findChild<QLabel *>("labelDate")->text(), pData->buildTime());

    dlg.show();
    EXPECT_TRUE(dlg.securityCodeEdit()->isVisible());
    EXPECT_TRUE(dlg.securityCodeLabel()->isVisible());
    EXPECT_TRUE(dlg.serviceAgreementsLabel()->isVisible());
    dlg.mapTypeBox()->setCurrentIndex(0);
    EXPECT_FALSE(dlg.outChinaBox()->isEnabled());
    EXPECT_FALSE(dlg.securityCodeEdit()->isVisible());
    dlg.mapTypeBox()->setCurrentIndex(2);
    EXPECT_TRUE(dlg.outChinaBox()->isEnabled());
    EXPECT_FALSE(dlg.securityCodeLabel()->isVisible());
}

TEST_F(ShellWidgetTest, ServiceAgreementsHiddenWithoutLicenseFlag)
{
    CGlobalAppData::saveAndRelease();
    QFile config(m_dir.path() + "/Config.ini");
    ASSERT_TRUE(config.open(QIODevice::WriteOnly));
    config.write("[themes]\nLicense=0\n");
    config.close();
    CConfigDlg dlg;
    dlg.show();
    EXPECT_FALSE(dlg.serviceAgreementsLabel()->isVisible());
}

TEST_F(ShellWidgetTest, AgreementDialogShowsTheTextOrSaysItIsMissing)
{
    const QString strFile = m_dir.path() + "/agreement.txt";
    QFile file(strFile);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QString::fromUtf8("服务协议\nline two").toUtf8());
    file.close();
    CShowLicenseDlg dlg(nullptr, "Service Agreements", strFile);
    EXPECT_EQ(dlg.text(), QString::fromUtf8("服务协议\nline two"));
    ASSERT_NE(dlg.findChild<QPushButton *>(), nullptr);
    EXPECT_EQ(dlg.findChild<QPushButton *>()->text(), "I already know");

    CShowLicenseDlg missing(nullptr, "Service Agreements", m_dir.path() + "/none.txt");
    EXPECT_TRUE(missing.text().contains("none.txt"));
}

TEST_F(ShellWidgetTest, PathChangesAreStoredWithoutRestartQuestion)
{
    CConfigDlg dlg;
    dlg.picturePathEdit()->setText(m_dir.path() + "/snapshots");
    dlg.outChinaBox()->setChecked(false);
    EXPECT_FALSE(dlg.storeSettings());
    EXPECT_EQ(CGlobalAppData::instance()->capturePath(), m_dir.path() + "/snapshots");
    EXPECT_EQ(CGlobalAppData::instance()->outChina(), 0);

    QTimer::singleShot(0, &dlg, &CConfigDlg::onOkClicked);
    EXPECT_EQ(dlg.exec(), QDialog::Accepted);
    QSettings stored(CGlobalAppData::instance()->configFilePath(), QSettings::IniFormat);
    EXPECT_EQ(stored.value("Paths/capture").toString(), m_dir.path() + "/snapshots") << "written at OK, not only at exit";
}

TEST_F(ShellWidgetTest, DiskImagesAreListedWithTheirProblemsStoredAndOffered)
{
    ScratchDir scratch;
    sim::Scenario scenario;
    scenario.partitions = {partition(4000)};
    scenario.recordings.push_back(recording(0, sim::makeTime(2026, 3, 5, 8, 0, 0), 60, 0));
    sim::WriteOptions options;
    options.metadataOnly = true;
    const QString strWfs = QString::fromStdString(scratch.file("recorder.img"));
    ASSERT_TRUE(sim::writeDisk(scenario, strWfs.toStdString(), options, nullptr).ok);
    const QString strZeros = QString::fromStdString(scratch.file("zeros.img"));
    QFile zeros(strZeros);
    ASSERT_TRUE(zeros.open(QIODevice::WriteOnly) && zeros.resize(1 << 20));
    zeros.close();
    const QString strMissing = QString::fromStdString(scratch.file("gone.img"));
    const QString strFolder = QString::fromStdString(scratch.file(""));

    CGlobalAppData *pData = CGlobalAppData::instance();
    QSignalSpy changed(pData, &CGlobalAppData::diskImagesChanged);
    CConfigDlg dlg;
    for (const QString &strImage : {strWfs, strZeros, strMissing, strFolder})
        EXPECT_TRUE(dlg.addDiskImage(strImage));
    EXPECT_FALSE(dlg.addDiskImage(strWfs)) << "listed once";
    QListWidget *pList = dlg.diskImageList();
    ASSERT_EQ(pList->count(), 4);
    EXPECT_EQ(pList->item(0)->text(), strWfs);
    EXPECT_EQ(pList->item(1)->text(), strZeros + "  (No recorder disk (WFS) was found in the file.)");
    EXPECT_EQ(pList->item(2)->text(), strMissing + "  (The file does not exist.)");
    EXPECT_EQ(pList->item(3)->text(), strFolder + "  (This is a folder, not a disk image file.)");
    pList->item(3)->setSelected(true);
    dlg.removeSelectedDiskImages();
    EXPECT_EQ(dlg.diskImages(), QStringList({strWfs, strZeros, strMissing}));

    QTimer::singleShot(0, &dlg, &CConfigDlg::onOkClicked);
    EXPECT_EQ(dlg.exec(), QDialog::Accepted) << "no restart needed for images";
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(pData->diskImages(), QStringList({strWfs, strZeros, strMissing}));
    QSettings stored(pData->configFilePath(), QSettings::IniFormat);
    EXPECT_EQ(stored.value("Disk/Images").toStringList(), QStringList({strWfs, strZeros, strMissing}));
    pData->setCommandLineImages({strZeros});
    EXPECT_EQ(pData->offeredImages(), QStringList({strZeros, strWfs})) << "the missing file is skipped";

    ide_set_scan_devices(false);
    ASSERT_EQ(ide_init(), 0);
    IdeInfo info = {};
    EXPECT_EQ(ide_get_info(&info), 1) << "only the WFS image is a disk";
    EXPECT_STREQ(ide_get_drive_path(0), strWfs.toLocal8Bit().constData());

    CConfigDlg reopened;
    EXPECT_EQ(reopened.diskImages(), QStringList({strWfs, strZeros, strMissing}));
    pData->setCommandLineImages({});
    pData->setDiskImages({});
    ide_init();
}

TEST_F(ShellWidgetTest, StoredValuesOutsideTheListsAreNoChangeByThemselves)
{
    CGlobalAppData *pData = CGlobalAppData::instance();
    pData->setRecordFormat(2);
    pData->setMapSettings(-1, pData->mapKey(), pData->securityCode());
    CConfigDlg dlg;
    EXPECT_EQ(dlg.mapTypeBox()->currentData().toInt(), 2) << "any other map type is the Google page";
    EXPECT_FALSE(dlg.storeSettings());
    EXPECT_EQ(pData->recordFormat(), 2);
    EXPECT_EQ(pData->mapType(), -1);
    dlg.languageBox()->setCurrentIndex(dlg.languageBox()->findData("German"));
    EXPECT_TRUE(dlg.storeSettings());
    EXPECT_EQ(pData->language(), "German");
    EXPECT_EQ(pData->recordFormat(), 2) << "only what was changed is stored";
}

TEST_F(ShellWidgetTest, MapKeyThatCannotBeSavedIsReported)
{
    CGlobalAppData::instance()->setMapSettings(CGlobalAppData::mapBaidu, "", "");
    CConfigDlg dlg;
    dlg.mapKeyEdit()->setText("NEWKEY");
    PromptAnswer failure(0);
    EXPECT_TRUE(dlg.storeSettings());
    EXPECT_EQ(failure.m_strText, "The map key could not be saved into " + m_dir.path() + "/map/baiduMap.html.");
    EXPECT_EQ(failure.m_buttons, QStringList({"OK"}));
    EXPECT_EQ(CGlobalAppData::instance()->mapKey(), "NEWKEY");
}

TEST_F(ShellWidgetTest, LaterKeepsTheNewLanguageForTheNextStart)
{
    CConfigDlg dlg;
    dlg.languageBox()->setCurrentIndex(dlg.languageBox()->findData("SimpChinese"));
    PromptAnswer answer(1);
    QTimer::singleShot(0, &dlg, &CConfigDlg::onOkClicked);
    EXPECT_EQ(dlg.exec(), QDialog::Accepted);
    EXPECT_EQ(answer.m_strText, "The change will take effect after a restart of Korvane.");
    EXPECT_EQ(answer.m_buttons, QStringList({"Restart", "Later"}));
    EXPECT_EQ(CGlobalAppData::instance()->language(), "SimpChinese");
    CGlobalAppData::saveAndRelease();
    EXPECT_EQ(CGlobalAppData::instance()->language(), "SimpChinese");
}

TEST_F(ShellWidgetTest, RestartEndsTheApplicationWithExitCode774)
{
    CConfigDlg dlg;
    dlg.recordStreamBox()->setCurrentIndex(dlg.recordStreamBox()->findData(1));
    PromptAnswer answer(0);
    QTimer::singleShot(0, &dlg, &CConfigDlg::onOkClicked);
    EXPECT_EQ(QApplication::exec(), CRestartHelper::RESTART_EXIT_CODE);
    EXPECT_EQ(CGlobalAppData::instance()->recordFormat(), 1);
}

} // namespace
