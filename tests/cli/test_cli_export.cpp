// korvane-cli export: the same folder as the worker writes, the printed table, the checks
// and exit codes.
#include "export/cexportworker.h"

#include "export_test_support.h"

#include <QDir>
#include <QDirIterator>

#include <gtest/gtest.h>

using namespace exporttest;

namespace {

class CliExportTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { s_disk = new ExportDisk; }
    static void TearDownTestSuite()
    {
        delete s_disk;
        s_disk = nullptr;
    }
    void SetUp() override { ASSERT_TRUE(s_disk->ok()); }

    ProgramRun cli(const QString &strSave, const QStringList &args) const
    {
        QStringList all = {"export", "--no-devices", "--image", QString::fromStdString(s_disk->imagePath()), "--to",
                           strSave};
        return runProgram(KORVANE_CLI, all + args);
    }

    QString save(const char *pName) const { return QString::fromStdString(m_dir.file(pName)); }

    // Every file under a folder, relative path -> bytes.
    static QMap<QString, QByteArray> tree(const QString &strFolder)
    {
        QMap<QString, QByteArray> files;
        QDirIterator it(strFolder, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString strPath = it.next();
            files.insert(QDir(strFolder).relativeFilePath(strPath), fileBytes(strPath));
        }
        return files;
    }

    static ExportDisk *s_disk;
    ScratchDir m_dir;
};

ExportDisk *CliExportTest::s_disk = nullptr;

TEST_F(CliExportTest, WritesWhatTheWorkerWritesAndPrintsTheTable)
{
    const ProgramRun run = cli(save("cli"), {"--merge", "/mnt/idea0/2024-03-05/"});
    ASSERT_EQ(run.nExitCode, 0) << qPrintable(run.strErr);
    EXPECT_TRUE(run.strErr.contains("Export Finish"));

    ASSERT_TRUE(s_disk->mount());
    CExportWorker worker;
    QVector<ExportEntry> entries;
    for (int nRecording = recA; nRecording < recordingCount; ++nRecording) entries.append(s_disk->entry(nRecording));
    worker.setEntries(entries);
    CExportWorker::Choices choices;
    choices.nExportType = CExportWorker::typeMerge;
    choices.strSavePath = save("worker");
    worker.setChoices(choices);
    worker.prepareRun();
    worker.run();
    worker.appendChecksums(worker.leftFiles());

    const QMap<QString, QByteArray> fromCli = tree(save("cli")), fromWorker = tree(save("worker"));
    EXPECT_EQ(fromCli.keys(), fromWorker.keys());
    EXPECT_EQ(fromCli, fromWorker);
    EXPECT_EQ(verifyChecksums(save("cli")), 0);

    const QStringList lines = run.strOut.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), recordingCount);
    const QStringList first = lines[0].split('\t');
    ASSERT_EQ(first.size(), 4);
    EXPECT_EQ(first[0], "001");
    EXPECT_EQ(first[1], s_disk->entry(recA).strName);
    EXPECT_EQ(first[2], "Export Finish");
    EXPECT_EQ(first[3], save("cli") + "/idea0/2024-03-05/001/10.00.00-10.00.10" + first[1].mid(17));
    EXPECT_TRUE(lines[3].startsWith("002\t"));
}

TEST_F(CliExportTest, ChannelsAndTimeChooseTheEntriesAsTheDialogDoes)
{
    const ProgramRun byFile = cli(save("file"), {"--channels", "2", "/mnt/idea0/2024-03-05"});
    ASSERT_EQ(byFile.nExitCode, 0) << qPrintable(byFile.strErr);
    EXPECT_EQ(tree(save("file")).keys(),
              QStringList({"SHA256SUMS", "idea0/2024-03-05/002/" + s_disk->entry(recD).strName.replace("h264", "h265"),
                           "index.data"}));
    // Unticked entries stay in the table, with nothing reported.
    EXPECT_TRUE(byFile.strOut.contains("001\t" + s_disk->entry(recA).strName + "\t\t\n"));

    const ProgramRun byTime = cli(save("time"), {"--time", "10:00:02-10:00:08", "--channels", "1", "/mnt/idea0"});
    ASSERT_EQ(byTime.nExitCode, 0) << qPrintable(byTime.strErr);
    const QString strClipped = "idea0/2024-03-05/001/10.00.02-10.00.06" + s_disk->entry(recA).strName.mid(17);
    EXPECT_TRUE(tree(save("time")).contains(strClipped));
    EXPECT_EQ(byTime.strOut.split('\n', Qt::SkipEmptyParts).size(), 3); // channel 1's entries only
    EXPECT_TRUE(byTime.strOut.contains("\tNot in time range\t"));
}

TEST_F(CliExportTest, RefusedChoicesExitWithTwoAndTheDialogsMessages)
{
    const QList<QPair<QStringList, QString>> refused = {
        {{"/mnt/idea0/2024-03-09"}, "No files selected"},
        {{"--channels", "7", "/mnt/idea0/2024-03-05"}, "No files selected"},
        {{"--time", "09:00:00-10:00:05", "/mnt/idea0/2024-03-05"}, "Abnormal time"},
        {{"--time", "10:00:05-10:00:04", "/mnt/idea0/2024-03-05"}, "Abnormal time"},
        {{"--time", "10:00:00-10:00:05", "--channels", "9", "/mnt/idea0/2024-03-05"}, "No channels selected"},
        {{"--forced-merge", "--mp4", "/mnt/idea0/2024-03-05"}, "--mp4"},
        {{"--time", "10:00", "/mnt/idea0/2024-03-05"}, "--time"},
    };
    for (const auto &choice : refused) {
        const ProgramRun run = cli(save("refused"), choice.first);
        EXPECT_EQ(run.nExitCode, 2) << qPrintable(choice.first.join(' '));
        EXPECT_TRUE(run.strErr.contains(choice.second)) << qPrintable(run.strErr);
    }
    EXPECT_FALSE(QDir(save("refused")).exists());
    EXPECT_EQ(runProgram(KORVANE_CLI, {"export", "--no-devices", "/mnt/idea0"}).nExitCode, 2); // no --to
}

TEST_F(CliExportTest, AFolderThatCannotBeWrittenFailsTheRun)
{
    const QString strBlocked = save("blocked");
    QFile file(strBlocked);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)); // a file where the export wants a folder
    file.close();
    const ProgramRun run = cli(strBlocked, {"/mnt/idea0/2024-03-05/000"});
    EXPECT_EQ(run.nExitCode, 1);
    EXPECT_TRUE(run.strErr.contains("Export finished: 3 of 3 files failed")) << qPrintable(run.strErr);
    EXPECT_FALSE(run.strOut.contains("Export Finish"));
}

TEST_F(CliExportTest, Mp4ExportLeavesOnlyMp4Files)
{
    const ProgramRun run = cli(save("mp4"), {"--mp4", "/mnt/idea0/2024-03-05/000"});
    ASSERT_EQ(run.nExitCode, 0) << qPrintable(run.strErr);
    const QStringList files = tree(save("mp4")).keys();
    ASSERT_EQ(files.size(), 4);
    for (const QString &strFile : files) EXPECT_TRUE(strFile.endsWith(".mp4") || strFile == "SHA256SUMS");
    EXPECT_EQ(verifyChecksums(save("mp4")), 0);
    EXPECT_EQ(run.strOut.count("\tConvert finish\t"), 3);
}

} // namespace

namespace {

// What a folder's lists must say after any run: SHA256SUMS has one line per file present and
// sha256sum agrees; index.data names only files present; no temporary file is left.
void expectConsistentFolder(const QString &strFolder, const char *pAfter)
{
    SCOPED_TRACE(pAfter);
    EXPECT_EQ(verifyChecksums(strFolder), 0);
    QStringList files, sums, indexed;
    QDirIterator it(strFolder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString strPath = QDir(strFolder).relativeFilePath(it.next());
        EXPECT_FALSE(strPath.section('/', -1).startsWith('.')) << "left behind: " << qPrintable(strPath);
        if (strPath != "SHA256SUMS" && strPath != "index.data") files << strPath;
    }
    for (const QString &strLine : QString::fromLocal8Bit(fileBytes(strFolder + "/SHA256SUMS")).split('\n', Qt::SkipEmptyParts))
        sums << strLine.section("  ", 1);
    for (const QString &strLine : QString::fromLocal8Bit(fileBytes(strFolder + "/index.data")).split("\r\n", Qt::SkipEmptyParts))
        indexed << strLine;
    files.sort();
    sums.sort();
    EXPECT_EQ(sums, files) << "one line per file present";
    for (const QString &strLine : indexed) EXPECT_TRUE(files.contains(strLine)) << qPrintable(strLine);
    EXPECT_EQ(indexed.removeDuplicates(), 0);
}

} // namespace

// Runs of every kind into one folder: none destroys what an earlier one delivered, a run whose file
// names are taken replaces them only when told to, and the folder's lists stay true after each.
TEST_F(CliExportTest, RunsIntoOneFolderNeverDestroyEarlierFiles)
{
    const QString strFolder = save("one");
    const QString strDay = "/mnt/idea0/2024-03-05";
    ASSERT_EQ(cli(strFolder, {strDay}).nExitCode, 0);
    const QMap<QString, QByteArray> byFile = tree(strFolder);
    expectConsistentFolder(strFolder, "by file");

    ASSERT_EQ(cli(strFolder, {"--merge", strDay}).nExitCode, 0);
    ASSERT_EQ(cli(strFolder, {"--time", "10:00:02-10:00:08", strDay}).nExitCode, 0);
    ASSERT_EQ(cli(strFolder, {"--mp4", strDay}).nExitCode, 0);
    const QMap<QString, QByteArray> after = tree(strFolder);
    for (auto it = byFile.cbegin(); it != byFile.cend(); ++it) {
        if (it.key() == "SHA256SUMS" || it.key() == "index.data") continue;
        EXPECT_EQ(after.value(it.key()), it.value()) << "changed by a later run: " << qPrintable(it.key());
    }
    expectConsistentFolder(strFolder, "merge, by time, MP4");

    // The same run again: files with the same bytes stand as they are; one name holds other bytes.
    const QString strCopy = strFolder + "/idea0/2024-03-05/001/10.00.00-10.00.06[R][@1][0].h264";
    ASSERT_TRUE(writeBytes(strCopy, "an earlier file of that name"));
    const ProgramRun again = cli(strFolder, {strDay});
    EXPECT_EQ(again.nExitCode, 2);
    EXPECT_TRUE(again.strErr.contains("exists (1 file(s) of this run already exist)")) << qPrintable(again.strErr);
    EXPECT_EQ(fileBytes(strCopy), "an earlier file of that name");
    const ProgramRun overwrite = cli(strFolder, {"--overwrite", strDay});
    EXPECT_EQ(overwrite.nExitCode, 0) << qPrintable(overwrite.strErr);
    EXPECT_EQ(fileBytes(strCopy), byFile.value("idea0/2024-03-05/001/10.00.00-10.00.06[R][@1][0].h264"));
    expectConsistentFolder(strFolder, "replaced");
}
