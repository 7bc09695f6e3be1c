// End to end on a real X display (run inside xvfb-run): Korvane on the demo disk, "Export" on a
// day of the disk tree, a raw run and then an MP4 run through the dialog. The save folder must
// hold every recording of the day (raw, then as MP4), "index.data" and "SHA256SUMS" that
// `sha256sum -c` accepts. Screenshots of the dialog during and after the runs are left behind.
#include "common/cglobalappdata.h"
#include "catalogue/cdirmanagepage.h"
#include "export/ccutfiledlg.h"
#include "widgets/cmytreeview.h"
#include "export/cexportdialog.h"

#include "builtin_scenarios.h"
#include "e2e_support.h"
#include "export_test_support.h"
#include "widget_test_support.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDirIterator>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimeEdit>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

class ExportEndToEnd : public KorvaneOnDisk
{
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
    void SetUp() override { open(*s_pDisk); }

    static QStringList filesUnder(const QString &strFolder, const QString &strSuffix)
    {
        QStringList files;
        QDirIterator it(strFolder, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext())
            if (QString strPath = it.next(); strPath.endsWith(strSuffix)) files << strPath;
        return files;
    }

    // Runs the dialog once with the format chosen; a screenshot right after OK and one of the result.
    void runOnce(CExportDialog *pDialog, int nFormat, const QString &strShot)
    {
        pDialog->savePathEdit(CExportDialog::tabFile)->setText(folder(nFormat));
        pDialog->formatCombo(CExportDialog::tabFile)->setCurrentIndex(nFormat);
        PromptAnswer finished(0, [this, pDialog, strShot] { grab(pDialog, strShot + "-finished.png"); });
        pDialog->okButton()->click();
        grab(pDialog, strShot + "-running.png");
        EXPECT_SOON(finished.answered() && pDialog->isIdle(), 120000);
        EXPECT_EQ(finished.m_strText, "Export Finish");
    }

    void grab(QWidget *pWidget, const QString &strName) const
    {
        QApplication::processEvents();
        const QImage shot = pWidget->screen()->grabWindow(pWidget->winId()).toImage();
        EXPECT_TRUE(shot.save(artifactDir() + "/" + strName)) << qPrintable(strName);
    }

    QString folder(int nFormat) const { return m_save.path() + (nFormat ? "/mp4" : "/raw"); }

    static ScratchDir *s_pDir;
    static SimDisk *s_pDisk;
    QTemporaryDir m_save;
};
ScratchDir *ExportEndToEnd::s_pDir = nullptr;
SimDisk *ExportEndToEnd::s_pDisk = nullptr;

} // namespace

TEST_F(ExportEndToEnd, ADayOfTheDemoDiskExportsRawAndAsMp4ThroughTheDialog)
{
    QStandardItem *pDate = findItem(page()->model()->invisibleRootItem(), CDiskManagePage::LevelDate, "2024-03-05");
    ASSERT_NE(pDate, nullptr);
    int nRecordings = 0;
    for (int nRow = 0; nRow < pDate->rowCount(); ++nRow) nRecordings += pDate->child(nRow)->rowCount();

    std::unique_ptr<QMenu> pMenu(page()->createContextMenu(pDate->index()));
    ASSERT_TRUE(pMenu);
    QAction *pExport = pMenu->actions().value(0);
    ASSERT_TRUE(pExport && pExport->text() == "Export" && pExport->isEnabled());

    bool bDriven = false;
    QTimer::singleShot(0, [&] {
        ASSERT_SOON(qobject_cast<CExportDialog *>(QApplication::activeModalWidget()), 10000);
        auto *pDialog = qobject_cast<CExportDialog *>(QApplication::activeModalWidget());
        EXPECT_EQ(pDialog->tabWidget()->currentIndex(), CExportDialog::tabFile);
        EXPECT_EQ(pDialog->fileList()->topLevelItemCount(), nRecordings);
        runOnce(pDialog, 0, "korvane-export-raw");
        runOnce(pDialog, 1, "korvane-export-mp4");
        pDialog->cancelButton()->click();
        bDriven = true;
    });
    page()->setCurrentIndex(pDate->index());
    pExport->trigger(); // opens the dialog and returns when it closes
    ASSERT_TRUE(bDriven);

    auto rawFiles = [](const QString &strFolder) {
        return filesUnder(strFolder, ".h264").size() + filesUnder(strFolder, ".h265").size();
    };
    EXPECT_EQ(rawFiles(folder(0)), nRecordings);
    EXPECT_EQ(exporttest::readText(folder(0) + "/index.data").count("\r\n"), nRecordings);
    EXPECT_EQ(filesUnder(folder(1), ".mp4").size(), nRecordings);
    EXPECT_SOON(rawFiles(folder(1)) == 0, 10000); // each raw source goes two seconds after its MP4 is done
    EXPECT_FALSE(QFile::exists(folder(1) + "/index.data"));
    for (int nFormat : {0, 1}) {
        EXPECT_EQ(exporttest::verifyChecksums(folder(nFormat)), 0);
        EXPECT_EQ(exporttest::readText(folder(nFormat) + "/SHA256SUMS").count('\n'), nRecordings);
    }
}

// An exported day opened again on the Local tab: its tree, its channels played in step from
// the copies, and a minute cut from a copy into MP4 through the cut dialog.
TEST_F(ExportEndToEnd, AnExportedDayPlaysInStepAndIsCutFromTheLocalTab)
{
    QStandardItem *pDate = findItem(page()->model()->invisibleRootItem(), CDiskManagePage::LevelDate, "2024-03-05");
    ASSERT_NE(pDate, nullptr);
    CExportWorker worker;
    QVector<ExportEntry> entries;
    for (int nChannel = 0; nChannel < pDate->rowCount(); ++nChannel) {
        QStandardItem *pChannel = pDate->child(nChannel);
        for (int nRow = 0; nRow < pChannel->rowCount(); ++nRow) {
            const QModelIndex record = pChannel->child(nRow)->index();
            entries.append(ExportEntry::fromRecorderPath(CDiskManagePage::recordPath(record),
                                                         record.data(CDiskManagePage::RoleChannel).toInt()));
        }
    }
    worker.setEntries(entries);
    CExportWorker::Choices choices;
    choices.strSavePath = folder(0);
    worker.setChoices(choices);
    worker.prepareRun();
    ASSERT_EQ(worker.run(), 1);

    CRecordListManage *pList = m_pWindow->recordList();
    CDirManagePage *pLocal = pList->dirPage();
    pList->tabWidget()->setCurrentWidget(pLocal);
    ASSERT_TRUE(pLocal->loadFolder(folder(0)));
    pLocal->treeView()->expandAll();
    screenshot("korvane-local-tree.png");

    QStandardItem *pLocalDate = findItem(pLocal->model()->invisibleRootItem(), CDirManagePage::LevelDate, "2024-03-05");
    QStandardItem *pFile = findItem(pLocalDate, CDirManagePage::LevelFile, "10.34.49-10.36.15");
    ASSERT_NE(pFile, nullptr);
    pLocal->setCurrentIndex(pFile->index());
    pLocal->onSyncPlay();
    CPlayManage *pManage = CPlayManage::instance();
    ASSERT_SOON(pManage->IsPlaying(0), 20000);
    EXPECT_EQ(pManage->GetPath(0), CDirManagePage::localPath(pFile->index()));
    QTest::qWait(1000);
    screenshot("korvane-local-sync-play.png");
    pManage->StopAll();

    const QString strCuts = m_save.path() + "/cuts";
    bool bDriven = false;
    QTimer::singleShot(0, [&] {
        ASSERT_SOON(qobject_cast<CCutFileDlg *>(QApplication::activeModalWidget()), 10000);
        auto *pDialog = qobject_cast<CCutFileDlg *>(QApplication::activeModalWidget());
        pDialog->savePathEdit()->setText(strCuts);
        pDialog->startTimeEdit()->setTime(QTime(10, 35, 0));
        pDialog->endTimeEdit()->setTime(QTime(10, 36, 0));
        pDialog->formatCombo()->setCurrentIndex(1);
        grab(pDialog, "korvane-cut-dialog.png");
        PromptAnswer done(0, [this, pDialog] { grab(pDialog, "korvane-cut-finished.png"); });
        pDialog->startButton()->click();
        EXPECT_SOON(done.answered(), 60000);
        EXPECT_EQ(done.m_strText, "Cut Success");
        bDriven = true;
    });
    QAction cut;
    cut.setData(CDirManagePage::CmdCut);
    pLocal->onCommand(&cut); // opens the cut dialog and returns when it closes
    ASSERT_TRUE(bDriven);
    const QString strMp4 = strCuts + "/20240305_10.35.00_10.36.00.mp4";
    EXPECT_EQ(QDir(strCuts).entryList(QDir::Files), QStringList({"20240305_10.35.00_10.36.00.mp4"}));
    const exporttest::ProgramRun probe = exporttest::runProgram(
        "ffprobe", {"-v", "error", "-show_entries", "format=duration", "-of", "csv=p=0", strMp4});
    EXPECT_NEAR(probe.strOut.trimmed().toDouble(), 61.0, 1.5); // 10:35:00 to 10:36:00, both seconds included
}
