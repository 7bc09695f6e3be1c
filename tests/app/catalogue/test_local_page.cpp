// The Local page: the tree from a folder's "index.data" written by a real export, lines that
// must never reach outside the folder, the notices, clicks and menu, selection, and sync play.
#include "catalogue/cdirmanagepage.h"
#include "export/cexportindex.h"
#include "catalogue/cdiskmanagepage.h"
#include "common/cglobalappdata.h"
#include "widgets/fancymessagebox.h"

#include "export_test_support.h"
#include "widget_test_support.h"

#include <QMenu>
#include <QSignalSpy>
#include <QStandardItemModel>

#include <gtest/gtest.h>

using namespace exporttest;

namespace {

QStringList childTexts(QStandardItem *pItem)
{
    QStringList texts;
    for (int nRow = 0; pItem && nRow < pItem->rowCount(); ++nRow) texts << pItem->child(nRow)->text();
    return texts;
}

class LocalPageTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { s_disk = new ExportDisk; }
    static void TearDownTestSuite()
    {
        delete s_disk;
        s_disk = nullptr;
    }

    void SetUp() override { m_strFolder = QString::fromStdString(m_dir.file("local")); }

    // A raw export by file of the recordings into the folder, as the export dialog writes it.
    void exportRecordings(const QList<int> &recordings)
    {
        ASSERT_TRUE(s_disk->mount());
        CExportWorker worker;
        QVector<ExportEntry> entries;
        for (int nRecording : recordings) entries.append(s_disk->entry(nRecording));
        worker.setEntries(entries);
        CExportWorker::Choices choices;
        choices.strSavePath = m_strFolder;
        worker.setChoices(choices);
        worker.prepareRun();
        worker.run();
    }

    void appendIndex(const QByteArray &text)
    {
        QFile index(m_strFolder + "/index.data");
        ASSERT_TRUE(index.open(QIODevice::WriteOnly | QIODevice::Append));
        index.write(text);
    }

    // An empty stand-in for an exported recording, listed in the index.
    void addListedFile(const QString &strRelative)
    {
        ASSERT_TRUE(writeBytes(m_strFolder + "/" + strRelative, QByteArray(16, 0)));
        appendIndex(strRelative.toLocal8Bit() + "\r\n");
    }

    QStandardItem *folder() const { return m_page.model()->item(0); }

    static ExportDisk *s_disk;
    ScratchDir m_dir;
    QString m_strFolder;
    CDirManagePage m_page;
};

ExportDisk *LocalPageTest::s_disk = nullptr;

TEST_F(LocalPageTest, TheTreeComesFromTheIndexOfARealExport)
{
    exportRecordings({recA, recB, recD});
    const QString strA = "idea0/2024-03-05/001/" + s_disk->entry(recA).strName;
    appendIndex(strA.toLocal8Bit() + "\r\n");                             // listed twice
    appendIndex("idea0/2024-03-05/001/10.30.00-10.40.00[R][@9][0].h264\r\n"); // its file is gone
    addListedFile("idea1/2024-03-05/003/11.00.00-11.10.00[R][@5][0].h264");   // another partition, same day

    ASSERT_TRUE(m_page.loadFolder(m_strFolder));
    ASSERT_EQ(m_page.model()->rowCount(), 1);
    EXPECT_EQ(folder()->text(), m_strFolder);
    EXPECT_EQ(folder()->data(CDiskManagePage::RoleLevel).toInt(), 0);
    EXPECT_EQ(childTexts(folder()), QStringList({"idea0", "idea1"}));
    QStandardItem *pDay0 = folder()->child(0)->child(0), *pDay1 = folder()->child(1)->child(0);
    EXPECT_EQ(childTexts(folder()->child(0)), QStringList({"2024-03-05"}));
    EXPECT_EQ(childTexts(folder()->child(1)), QStringList({"2024-03-05"}));
    EXPECT_EQ(childTexts(pDay0), QStringList({"001", "002"}));
    EXPECT_EQ(childTexts(pDay1), QStringList({"003"}));
    EXPECT_EQ(childTexts(pDay0->child(0)),
              QStringList({s_disk->entry(recA).strName, s_disk->entry(recB).strName}));

    QStandardItem *pD = pDay0->child(1)->child(0);
    EXPECT_EQ(pD->data(CDiskManagePage::RoleLevel).toInt(), 4);
    EXPECT_EQ(pD->data(CDiskManagePage::RoleChannel).toInt(), 1);
    EXPECT_EQ(pD->toolTip(), pD->text());
    const QString strPath = CDirManagePage::localPath(pD->index());
    EXPECT_EQ(strPath, m_strFolder + "/idea0/2024-03-05/002/" + s_disk->entry(recD).strName.replace("h264", "h265"));
    EXPECT_EQ(fileBytes(strPath), readAll(s_disk->path(recD)));
    EXPECT_TRUE(CGlobalAppData::instance()->hasRecordDate(CGlobalAppData::sourceLocal, QDate(2024, 3, 5)));
    EXPECT_TRUE(m_page.isLoaded());
}

TEST_F(LocalPageTest, IndexLinesNeverReachOutsideTheFolder)
{
    addListedFile("idea0/2024-03-05/001/10.00.00-10.10.00[R][@1][0].h264");
    addListedFile("idea0/2024-03-05/001/10.10.00-10.20.00[R][@2][0].h264");
    const QString strOutside = QString::fromStdString(m_dir.file("outside.h264"));
    ASSERT_TRUE(writeBytes(strOutside, "secret"));
    QDir().mkpath(m_strFolder + "/idea0/2024-03-05/002");
    ASSERT_TRUE(QFile::link(strOutside, m_strFolder + "/idea0/2024-03-05/002/10.00.00-10.10.00[R][@3][0].h264"));
    ASSERT_TRUE(writeBytes(m_strFolder + "/idea0/2024-03-05/000/10.00.00-10.10.00[R][@4][0].h264", "x"));
    appendIndex("\r\n\n   \nnot a path at all\n" + QByteArray(5000, 'i') + "\n" +
                "idea0/2024-03-05/002/10.00.00-10.10.00[R][@3][0].h264\n" // a link that leads out
                "idea0/2024-03-05/001/../../../../outside.h264\n" + strOutside.toLocal8Bit() + "\n" +
                "idea0/2024-03-05/000/10.00.00-10.10.00[R][@4][0].h264\n" // channel folder 000 is no export's
                "idea0/2024-13-45/001/10.00.00-10.10.00[R][@1][0].h264\n" +
                "idea0/2024-03-05/001/10.00.00-10.10.00[R][@1][0].h264"); // the last line without its end

    const QStringList listed = CExportIndex::read(m_strFolder);
    EXPECT_EQ(listed, QStringList({"idea0/2024-03-05/001/10.00.00-10.10.00[R][@1][0].h264",
                                   "idea0/2024-03-05/001/10.10.00-10.20.00[R][@2][0].h264"}));
    ASSERT_TRUE(m_page.loadFolder(m_strFolder));
    EXPECT_EQ(childTexts(folder()->child(0)->child(0)), QStringList({"001"}));
}

TEST_F(LocalPageTest, AFolderWithoutAnIndexOrMatchingFilesSaysSo)
{
    addListedFile("idea0/2024-03-05/001/10.00.00-10.10.00[R][@1][0].h264");
    ASSERT_TRUE(m_page.loadFolder(m_strFolder));
    QDir(m_strFolder).removeRecursively();
    QDir().mkpath(m_strFolder);
    EXPECT_FALSE(m_page.loadFolder(m_strFolder));
    QCoreApplication::processEvents();
    EXPECT_EQ(FancyMessageBox::instance()->text(), "Index file not found");
    EXPECT_EQ(m_page.model()->rowCount(), 0); // the earlier tree is gone
    EXPECT_FALSE(m_page.isLoaded());
    appendIndex("idea0/2024-03-05/001/10.00.00-10.10.00[R][@1][0].h264\r\n");
    EXPECT_FALSE(m_page.loadFolder(m_strFolder));
    QCoreApplication::processEvents();
    EXPECT_EQ(FancyMessageBox::instance()->text(), "No matching record file");
}

TEST_F(LocalPageTest, ClicksMenuAndSelectionFollowTheItemLevel)
{
    addListedFile("idea0/2024-03-05/001/10.00.00-10.10.00[R][@1][0].h264");
    addListedFile("idea0/2024-03-06/001/09.00.00-09.10.00[R][@2][0].h264");
    ASSERT_TRUE(m_page.loadFolder(m_strFolder));
    EXPECT_EQ(CGlobalAppData::instance()->curRecordDate(), QDate(2024, 3, 6));
    QStandardItem *pFile = folder()->child(0)->child(0)->child(0)->child(0);
    const QString strPath = m_strFolder + "/idea0/2024-03-05/001/10.00.00-10.10.00[R][@1][0].h264";

    QSignalSpy selected(&m_page, &CDirManagePage::selectVideoWnd), played(&m_page, &CDirManagePage::playRecord);
    m_page.onRecordTreeClicked(pFile->index());
    ASSERT_EQ(selected.count(), 1);
    EXPECT_EQ(selected.first().first().toString(), strPath);
    EXPECT_EQ(CGlobalAppData::instance()->curRecordDate(), QDate(2024, 3, 5));
    m_page.onRecordTreeDoubleClicked(pFile->index());
    ASSERT_EQ(played.count(), 1);
    EXPECT_EQ(played.first().at(0).toString(), strPath);
    EXPECT_FALSE(played.first().at(1).toBool());
    m_page.onRecordTreeDoubleClicked(folder()->child(0)->index());
    EXPECT_EQ(played.count(), 1);

    std::unique_ptr<QMenu> pMenu(m_page.createContextMenu(pFile->index()));
    ASSERT_TRUE(pMenu);
    QStringList texts;
    for (QAction *pAction : pMenu->actions()) texts << pAction->text();
    EXPECT_EQ(texts, QStringList({"Play", "Cut", "Sync Play", "Export GPS Track"}));
    EXPECT_EQ(m_page.createContextMenu(folder()->index()), nullptr);
    EXPECT_EQ(m_page.createContextMenu(folder()->child(0)->index()), nullptr);

    m_page.onDateChanged(QDate(2024, 3, 6));
    EXPECT_EQ(m_page.currentIndex().data().toString(), "2024-03-06");
    m_page.onSelectRecord(strPath);
    EXPECT_EQ(m_page.currentIndex(), QModelIndex(pFile->index()));
}

TEST_F(LocalPageTest, SyncPlayQueuesEachChannelFromTheChosenFile)
{
    const QStringList files = {"idea0/2024-03-05/001/09.50.00-10.00.00[R][@1][0].h264",
                               "idea0/2024-03-05/001/10.00.00-10.15.00[R][@2][0].h264",
                               "idea0/2024-03-05/001/10.15.00-10.30.00[R][@3][0].h264",
                               "idea0/2024-03-05/002/10.05.00-10.20.00[R][@4][0].h264",
                               "idea0/2024-03-05/002/10.20.00-10.35.00[R][@5][0].h264",
                               "idea0/2024-03-05/003/10.20.00-10.30.00[R][@6][0].h264",
                               "idea0/2024-03-05/003/xx.yy-nothing.h264"};
    for (const QString &strFile : files) addListedFile(strFile);
    ASSERT_TRUE(m_page.loadFolder(m_strFolder));
    QStandardItem *pDate = folder()->child(0)->child(0);
    m_page.setCurrentIndex(pDate->child(0)->child(1)->index()); // 10.00.00-10.15.00

    QSignalSpy mode(&m_page, &CDirManagePage::changeWndMode), sync(&m_page, &CDirManagePage::syncPlay);
    CGlobalAppData *pApp = CGlobalAppData::instance();
    pApp->appendWndPaths(9, {"left over"});
    m_page.onSyncPlay();
    ASSERT_EQ(mode.count(), 1);
    EXPECT_EQ(mode.first().first().toInt(), 2); // the highest window with something to play, plus one
    ASSERT_EQ(sync.count(), 1);
    EXPECT_EQ(sync.first().first().toInt(), 10 * 3600);
    auto queue = [pApp](int nWnd) {
        QStringList paths;
        for (QString strPath; !(strPath = pApp->takeWndPath(nWnd)).isEmpty();) paths << strPath;
        return paths;
    };
    const QString strRoot = m_strFolder + "/";
    EXPECT_EQ(queue(0), QStringList({strRoot + files[1], strRoot + files[2]}));
    EXPECT_EQ(queue(1), QStringList({strRoot + files[3], strRoot + files[4]}));
    EXPECT_TRUE(queue(2).isEmpty()); // it starts only after the chosen file ends
    EXPECT_TRUE(queue(9).isEmpty());

    m_page.setCurrentIndex(pDate->child(2)->child(1)->index()); // a name without times
    m_page.onSyncPlay();
    EXPECT_EQ(sync.count(), 1);
}

} // namespace
