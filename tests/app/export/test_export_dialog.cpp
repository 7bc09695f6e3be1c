// The export dialog on a disk-tree date node: lists, rules, checks, runs, cancel and the log.
#include "catalogue/cdiskmanagepage.h"
#include "common/cglobalappdata.h"
#include "export/cexportdialog.h"
#include "export/cexportlog.h"

#include "export_test_support.h"
#include "widget_test_support.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTimeEdit>
#include <QTreeWidget>

#include <gtest/gtest.h>

using namespace exporttest;

namespace {

QStandardItem *treeItem(const QString &strText, int nLevel, const QVariant &key)
{
    auto *pItem = new QStandardItem(strText);
    pItem->setData(nLevel, CDiskManagePage::RoleLevel);
    pItem->setData(key, CDiskManagePage::RoleKey);
    pItem->setData(0, CDiskManagePage::RoleDisk);
    pItem->setData(0, CDiskManagePage::RolePart);
    pItem->setData(QDate(2024, 3, 5), CDiskManagePage::RoleDate);
    return pItem;
}

class ExportDialogTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { s_disk = new ExportDisk; }
    static void TearDownTestSuite()
    {
        delete s_disk;
        s_disk = nullptr;
    }

    // The date node of the disk tree with a channel node per channel, as the Disk page builds it.
    void SetUp() override
    {
        ASSERT_TRUE(s_disk->ok());
        ASSERT_TRUE(s_disk->mount());
        m_pDate = treeItem("2024-03-05", CDiskManagePage::LevelDate, "2024-03-05");
        m_model.appendRow(m_pDate);
        QMap<int, QStandardItem *> channels;
        for (int nRecording = recA; nRecording < recordingCount; ++nRecording) {
            const ExportEntry entry = s_disk->entry(nRecording);
            QStandardItem *&pChannel = channels[entry.nChannel];
            if (!pChannel) {
                pChannel = treeItem(QString("%1").arg(entry.nChannel + 1, 3, 10, QChar('0')),
                                    CDiskManagePage::LevelChannel, entry.nChannel);
                m_pDate->appendRow(pChannel);
            }
            QStandardItem *pRecord = treeItem(entry.strName, CDiskManagePage::LevelRecord, entry.strName);
            pRecord->setData(entry.nChannel, CDiskManagePage::RoleChannel);
            pChannel->appendRow(pRecord);
        }
        m_strSave = QString::fromStdString(m_dir.file("save"));
        QFile::remove(CExportLog::filePath(QDate::currentDate()));
    }

    std::unique_ptr<CExportDialog> open(QStandardItem *pItem = nullptr)
    {
        auto pDialog = std::make_unique<CExportDialog>(CDiskManagePage::LevelDate, pItem ? pItem : m_pDate);
        for (int nTab : {0, 1}) pDialog->savePathEdit(nTab)->setText(m_strSave);
        return pDialog;
    }

    // Presses OK and answers the prompt that follows; its text.
    static QString pressOk(CExportDialog &dialog)
    {
        PromptAnswer answer(0);
        dialog.okButton()->click();
        EXPECT_SOON(answer.answered() && dialog.isIdle(), 30000);
        return answer.m_strText;
    }

    static QString logText() { return readText(CExportLog::filePath(QDate::currentDate())); }

    static ExportDisk *s_disk;
    ScratchDir m_dir;
    QString m_strSave;
    QStandardItemModel m_model;
    QStandardItem *m_pDate = nullptr;
};

ExportDisk *ExportDialogTest::s_disk = nullptr;

TEST_F(ExportDialogTest, ListsAndChannelBoxesFollowTheChosenNode)
{
    auto pDialog = open();
    EXPECT_EQ(pDialog->size(), QSize(950, 600));
    EXPECT_EQ(pDialog->tabWidget()->tabText(0), "Export by File");
    EXPECT_EQ(pDialog->tabWidget()->tabText(1), "Export by Time");
    QTreeWidget *pFiles = pDialog->fileList();
    ASSERT_EQ(pFiles->topLevelItemCount(), recordingCount);
    const QStringList headers = {"", "Channel", "File Name", "Status", "Export Path"};
    for (int nColumn = 0; nColumn < 5; ++nColumn) EXPECT_EQ(pFiles->headerItem()->text(nColumn), headers[nColumn]);
    EXPECT_EQ(pDialog->timeList()->headerItem()->text(0), " ");
    EXPECT_EQ(pFiles->columnWidth(2), 240);
    QTreeWidgetItem *pD = pFiles->topLevelItem(recD);
    EXPECT_EQ(pD->text(1), "002");
    EXPECT_EQ(pD->text(2), s_disk->entry(recD).strName);
    EXPECT_EQ(pD->checkState(0), Qt::Checked);
    EXPECT_EQ(pD->data(0, Qt::UserRole).toInt(), recD);

    QStringList boxes;
    for (const auto &box : pDialog->fileChannelBoxes()) boxes << box.first->text();
    EXPECT_EQ(boxes, QStringList({"001", "002", "003"}));
    // The record range: earliest begin and latest end of the names, E's end after midnight the latest.
    EXPECT_EQ(pDialog->startTimeEdit()->time(), QTime(10, 0, 0));
    EXPECT_EQ(pDialog->endTimeEdit()->time(), QTime(0, 0, 5));
    EXPECT_EQ(pDialog->rangeLabel()->text(), "(Record Time Range: 10:00:00 ~ 00:00:05)");
    EXPECT_FALSE(pDialog->mergeBox(CExportDialog::tabFile)->isChecked());
    EXPECT_TRUE(pDialog->mergeBox(CExportDialog::tabTime)->isChecked());

    // A channel node gives its recordings only.
    auto pChannel = open(m_pDate->child(0));
    EXPECT_EQ(pChannel->entries().size(), 3);
    EXPECT_EQ(pChannel->fileChannelBoxes().size(), 1);
}

TEST_F(ExportDialogTest, ForcedMergeIsOfferedOnlyForRawMerged)
{
    auto pDialog = open();
    for (int nTab : {CExportDialog::tabFile, CExportDialog::tabTime}) {
        QCheckBox *pMerge = pDialog->mergeBox(nTab), *pForced = pDialog->forcedMergeBox(nTab);
        QComboBox *pFormat = pDialog->formatCombo(nTab);
        if (!pMerge->isChecked()) pMerge->click();
        EXPECT_FALSE(pForced->isHidden());
        pForced->setChecked(true);
        pFormat->setCurrentIndex(1);
        EXPECT_TRUE(pForced->isHidden());
        EXPECT_FALSE(pForced->isChecked());
        pFormat->setCurrentIndex(0);
        EXPECT_FALSE(pForced->isHidden());
        pForced->setChecked(true);
        pMerge->click();
        EXPECT_TRUE(pForced->isHidden());
        EXPECT_FALSE(pForced->isChecked());
    }
}

TEST_F(ExportDialogTest, ChannelBoxesAndSelectButtonsTickTheFiles)
{
    auto pDialog = open();
    pDialog->fileChannelBoxes().first().first->setChecked(false); // channel 001
    for (int nRecording : {recA, recB, recC}) {
        EXPECT_EQ(pDialog->fileList()->topLevelItem(nRecording)->checkState(0), Qt::Unchecked);
        EXPECT_FALSE(pDialog->entries()[nRecording].bTicked);
    }
    EXPECT_TRUE(pDialog->entries()[recD].bTicked);
    pDialog->fileList()->topLevelItem(recD)->setCheckState(0, Qt::Unchecked);
    EXPECT_FALSE(pDialog->entries()[recD].bTicked);

    QPushButton *pAll = nullptr, *pNone = nullptr;
    for (QPushButton *pButton : pDialog->findChildren<QPushButton *>()) {
        if (pButton->text() == "Select All") pAll = pButton;
        if (pButton->text() == "Select None") pNone = pButton;
    }
    ASSERT_TRUE(pAll && pNone);
    pAll->click();
    for (const ExportEntry &entry : pDialog->entries()) EXPECT_TRUE(entry.bTicked);
    for (const auto &box : pDialog->fileChannelBoxes()) EXPECT_TRUE(box.first->isChecked());
    pNone->click();
    for (const ExportEntry &entry : pDialog->entries()) EXPECT_FALSE(entry.bTicked);
    for (const auto &box : pDialog->fileChannelBoxes()) EXPECT_FALSE(box.first->isChecked());
}

TEST_F(ExportDialogTest, TimeListHoldsTheTickedChannelsAndFindsRowsByEntry)
{
    auto pDialog = open();
    EXPECT_EQ(pDialog->timeList()->topLevelItemCount(), recordingCount);
    pDialog->timeChannelBoxes().at(1).first->setChecked(false); // channel 002
    EXPECT_EQ(pDialog->timeList()->topLevelItemCount(), recordingCount - 1);
    EXPECT_FALSE(pDialog->timeAllBox()->isChecked());
    // Rows are found by the entry they show, not by their position.
    pDialog->onUpdateTableStatus(CExportWorker::modeTime, recE, CExportWorker::colStatus, "seen");
    EXPECT_EQ(pDialog->timeList()->topLevelItem(3)->text(3), "seen");
    pDialog->onUpdateTableStatus(CExportWorker::modeTime, recD, CExportWorker::colStatus, "lost");
    pDialog->timeAllBox()->setChecked(true);
    EXPECT_EQ(pDialog->timeList()->topLevelItemCount(), recordingCount);
    for (const auto &box : pDialog->timeChannelBoxes()) EXPECT_TRUE(box.first->isChecked());
    pDialog->timeAllBox()->setChecked(false);
    EXPECT_EQ(pDialog->timeList()->topLevelItemCount(), 0);
}

TEST_F(ExportDialogTest, OkRefusesBadChoicesAndStartsNothing)
{
    auto pDialog = open();
    pDialog->tabWidget()->setCurrentIndex(CExportDialog::tabTime);
    // The records run from 10:00:00 to 00:00:05 of the next day (E crosses midnight).
    const QList<QPair<QTime, QTime>> abnormal = {{QTime(9, 59, 59), QTime(10, 0, 5)},  // before the records
                                                 {QTime(10, 0, 5), QTime(10, 0, 4)},   // reversed: a day long
                                                 {QTime(23, 59, 58), QTime(0, 0, 6)},  // past their end
                                                 {QTime(10, 0, 0), QTime(0, 0, 6)}};   // the same, from the begin
    for (const auto &range : abnormal) {
        pDialog->startTimeEdit()->setTime(range.first);
        pDialog->endTimeEdit()->setTime(range.second);
        EXPECT_EQ(pressOk(*pDialog), "Abnormal time");
    }
    pDialog->startTimeEdit()->setTime(QTime(10, 0, 0));
    pDialog->endTimeEdit()->setTime(QTime(10, 0, 5));
    pDialog->timeAllBox()->setChecked(false);
    EXPECT_EQ(pressOk(*pDialog), "No channels selected");

    pDialog->tabWidget()->setCurrentIndex(CExportDialog::tabFile);
    for (int nRow = 0; nRow < recordingCount; ++nRow)
        pDialog->fileList()->topLevelItem(nRow)->setCheckState(0, Qt::Unchecked);
    EXPECT_EQ(pressOk(*pDialog), "No files selected");
    EXPECT_FALSE(QDir(m_strSave).exists());
    EXPECT_TRUE(logText().isEmpty());

    QStandardItem empty("nothing");
    auto pEmpty = open(&empty);
    EXPECT_EQ(pressOk(*pEmpty), "No files selected");
}

TEST_F(ExportDialogTest, EachRunOfOneOpeningAppendsItsBlockToTheDaysLog)
{
    auto pDialog = open(m_pDate->child(0)); // channel 001
    pDialog->fileList()->topLevelItem(2)->setCheckState(0, Qt::Unchecked);
    EXPECT_EQ(pressOk(*pDialog), "Export Finish");
    const QString strA = m_strSave + "/idea0/2024-03-05/001/" + s_disk->entry(recA).strName;
    EXPECT_EQ(pDialog->fileList()->topLevelItem(0)->text(3), "Export Finish");
    EXPECT_EQ(pDialog->fileList()->topLevelItem(0)->text(4), strA);
    EXPECT_EQ(fileBytes(strA), readAll(s_disk->path(recA)));

    pDialog->tabWidget()->setCurrentIndex(CExportDialog::tabTime);
    pDialog->startTimeEdit()->setTime(QTime(10, 0, 2));
    pDialog->endTimeEdit()->setTime(QTime(10, 0, 8));
    EXPECT_EQ(pressOk(*pDialog), "Export Finish");

    const QStringList blocks = logText().split("\n" + QString(64, '=') + "\n\n");
    ASSERT_EQ(blocks.size(), 2);
    const QString strNameA = s_disk->entry(recA).strName, strNameB = s_disk->entry(recB).strName,
                  strNameC = s_disk->entry(recC).strName;
    auto row = [](const QString &a, const QString &b, const QString &c, const QString &d) {
        return QString("%1\t%2\t%3\t%4\n").arg(a, -10).arg(b, -40).arg(c, -25).arg(d);
    };
    const QString strHeader = row("Channel", "File Name", "Status", "Export Path") + QString(60, '-') + "\n";
    const QString strFolder = m_strSave + "/idea0/2024-03-05/001/";
    const QString strFileBlock =
        "Export Mode: File Mode\nExport Format: H264\nExport Type: Single\nSave Path: " + m_strSave +
        "\n--- Channel Filter ---\n  CH 001: ON\n--- File List ---\n  [v] 001  " + strNameA + "\n  [v] 001  " +
        strNameB + "\n  [ ] 001  " + strNameC + "\n--- Export Result ---\n" + strHeader +
        row("001", strNameA, "Export Finish", strFolder + strNameA) +
        row("001", strNameB, "Export Finish", strFolder + strNameB) + row("001", strNameC, "", "") + "--- SHA-256 ---\n";
    EXPECT_TRUE(blocks[0].startsWith("Start Time: "));
    EXPECT_TRUE(blocks[0].contains("\nFinish Time: "));
    EXPECT_EQ(blocks[0].mid(blocks[0].indexOf("Export Mode:")).section("--- SHA-256 ---\n", 0, 0) + "--- SHA-256 ---\n",
              strFileBlock);
    EXPECT_EQ(blocks[0].section("--- SHA-256 ---\n", 1).count('\n'), 2); // a line per file left

    const QString strClippedA = "10.00.02-10.00.08" + strNameA.mid(17); // merged by time
    const QString strTimeBlock =
        "Export Mode: Time Mode\nExport Format: H264\nExport Type: Merge\nSave Path: " + m_strSave +
        "\nTime Range: 10:00:02 ~ 10:00:08\n--- Channel Filter ---\n  CH 001: ON\n--- Export Result ---\n" + strHeader +
        row("001", strNameA, "Export Finish", strFolder + strClippedA) +
        row("001", strNameB, "Export Finish", strFolder + strClippedA) + row("001", strNameC, "Not in time range", "") +
        "--- SHA-256 ---\n";
    EXPECT_EQ(blocks[1].mid(blocks[1].indexOf("Export Mode:")).section("--- SHA-256 ---\n", 0, 0) + "--- SHA-256 ---\n",
              strTimeBlock);
    EXPECT_EQ(verifyChecksums(m_strSave), 0);
    EXPECT_EQ(readText(m_strSave + "/SHA256SUMS").count('\n'), 3);
}

TEST_F(ExportDialogTest, CancelAsksFirstAndOnOkStopsTheRunAndWritesTheLog)
{
    auto pDialog = open();
    pDialog->show();
    QMutex &diskLock = CGlobalAppData::instance()->diskReadMutex();
    diskLock.lock(); // the run waits at its first read of the disk
    pDialog->okButton()->click();
    ASSERT_FALSE(pDialog->isIdle());
    {
        PromptAnswer no(1);
        pDialog->cancelButton()->click();
        ASSERT_SOON(no.answered(), 5000);
        EXPECT_EQ(no.m_strText, "Whether to cancel export recording");
        EXPECT_EQ(no.m_buttons, QStringList({"OK", "NO"}));
    }
    EXPECT_FALSE(pDialog->isIdle());
    EXPECT_TRUE(logText().isEmpty());
    {
        // The run still waits for the disk: Cancel returns at once, the window keeps answering.
        PromptAnswer ok(0);
        QElapsedTimer clock;
        clock.start();
        pDialog->cancelButton()->click();
        ASSERT_TRUE(ok.answered());
        EXPECT_LT(clock.elapsed(), 2000);
    }
    EXPECT_FALSE(pDialog->isIdle());
    EXPECT_FALSE(pDialog->cancelButton()->isEnabled());
    diskLock.unlock();
    ASSERT_SOON(pDialog->isIdle() && !pDialog->isVisible(), 10000);
    EXPECT_TRUE(pDialog->worker()->isCancelled());
    EXPECT_TRUE(logText().contains("Export Mode: File Mode"));
    EXPECT_TRUE(logText().contains("Export cancelled")) << "the log holds the final statuses";
    // Whatever the first entry got to, no unfinished file is left in the folder.
    const QString strA = m_strSave + "/idea0/2024-03-05/001/" + s_disk->entry(recA).strName;
    EXPECT_TRUE(!QFile::exists(strA) || fileBytes(strA) == readAll(s_disk->path(recA)));
}

// A second run into the same folder: a file of the same name with other bytes is replaced only when
// the user says so, once for the run; either way SHA256SUMS stays true.
TEST_F(ExportDialogTest, ARunAsksOnceBeforeItReplacesAnEarlierFile)
{
    auto pDialog = open(m_pDate->child(0)); // channel 001
    EXPECT_EQ(pressOk(*pDialog), "Export Finish");
    const QString strA = m_strSave + "/idea0/2024-03-05/001/" + s_disk->entry(recA).strName;
    const QByteArray original = fileBytes(strA);
    ASSERT_TRUE(writeBytes(strA, "edited by hand"));

    for (const int nAnswer : {1, 0}) { // Cancel, then Replace
        std::unique_ptr<PromptAnswer> finish; // the message at the end comes right after the question
        PromptAnswer question(nAnswer, [&finish] { finish = std::make_unique<PromptAnswer>(0); });
        pDialog->okButton()->click();
        ASSERT_SOON(finish && finish->answered() && pDialog->isIdle(), 30000);
        EXPECT_TRUE(question.m_strText.contains("1 files of this export already exist")) << qPrintable(question.m_strText);
        EXPECT_EQ(question.m_buttons, QStringList({"Replace", "Cancel"}));
        EXPECT_EQ(fileBytes(strA), nAnswer == 0 ? original : QByteArray("edited by hand"));
        if (nAnswer == 1) {
            EXPECT_EQ(finish->m_strText, "Export finished: 1 of 3 files failed");
            ASSERT_TRUE(writeBytes(strA, "edited by hand")); // sha256sum -c is to find the edit, not the run
        }
    }
    EXPECT_EQ(verifyChecksums(m_strSave), 0);
}

} // namespace
