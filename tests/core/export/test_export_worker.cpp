// The export worker on a simulator disk: outputs against the recordings' bytes and
// frames, merge decisions, names, "index.data", checksums, failures and conversions.
#include "common/cdiskreadlocker.h"
#include "common/cglobalappdata.h"
#include "export/cconverttomp4.h"
#include "export/cexportworker.h"

#include "export_test_support.h"
#include "core_test_support.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QMutex>
#include <QMutexLocker>
#include <QSignalSpy>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>
#include <thread>
#include <sys/resource.h>

using namespace exporttest;

namespace {

// The last text of every cell the worker reported, from any thread.
class StatusLog
{
public:
    explicit StatusLog(CExportWorker &worker)
    {
        QObject::connect(
            &worker, &CExportWorker::updateTableStatus, &worker,
            [this](int, int nRow, int nCol, const QString &strText) {
                QMutexLocker locker(&m_mutex);
                m_cells[{nRow, nCol}] = strText;
                if (nCol == CExportWorker::colStatus) m_history[nRow].append(strText);
            },
            Qt::DirectConnection);
    }
    QString status(int nRow) const { return cell(nRow, CExportWorker::colStatus); }
    QString path(int nRow) const { return cell(nRow, CExportWorker::colPath); }
    QStringList history(int nRow) const
    {
        QMutexLocker locker(&m_mutex);
        return m_history.value(nRow);
    }

private:
    QString cell(int nRow, int nCol) const
    {
        QMutexLocker locker(&m_mutex);
        return m_cells.value({nRow, nCol});
    }
    mutable QMutex m_mutex;
    QMap<QPair<int, int>, QString> m_cells;
    QMap<int, QStringList> m_history;
};

// Lowers the largest file this process may write, so that writing the export fails.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t nBytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_saved);
        rlimit limit = m_saved;
        limit.rlim_cur = nBytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &m_saved); }

private:
    rlimit m_saved{};
};

class ExportWorkerTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { s_disk = new ExportDisk; }
    static void TearDownTestSuite()
    {
        delete s_disk;
        s_disk = nullptr;
    }

    void SetUp() override
    {
        ASSERT_TRUE(s_disk->ok());
        ASSERT_TRUE(s_disk->mount());
        m_strSave = QString::fromStdString(m_dir.file("save"));
    }

    void setUp(const QList<int> &recordings, int nMode, int nType, int nFormat = CExportWorker::formatRaw)
    {
        QVector<ExportEntry> entries;
        for (int nRecording : recordings) entries.append(s_disk->entry(nRecording));
        m_worker.setEntries(entries);
        CExportWorker::Choices choices;
        choices.nMode = nMode;
        choices.nExportType = nType;
        choices.nFormat = nFormat;
        choices.strSavePath = m_strSave;
        for (const ExportEntry &entry : entries)
            if (!choices.channels.contains(entry.nChannel)) choices.channels.append(entry.nChannel);
        m_worker.setChoices(choices);
    }

    void setRange(const QTime &begin, const QTime &end)
    {
        CExportWorker::Choices choices = m_worker.choices();
        choices.rangeBegin = begin;
        choices.rangeEnd = end;
        m_worker.setChoices(choices);
    }

    int run()
    {
        m_worker.prepareRun();
        return m_worker.run();
    }

    QString out(const QString &strRelative) const { return m_strSave + "/" + strRelative; }
    QString indexText() const { return readText(m_strSave + "/index.data"); }
    static QByteArray bytesOf(int nRecording) { return readAll(s_disk->path(nRecording)); }
    static QString nameOf(int nRecording) { return s_disk->entry(nRecording).strName; }

    static ExportDisk *s_disk;
    ScratchDir m_dir;
    QString m_strSave;
    CExportWorker m_worker;
    StatusLog m_log{m_worker};
};

ExportDisk *ExportWorkerTest::s_disk = nullptr;

const QString DAY_FOLDER = "idea0/2024-03-05/";

TEST_F(ExportWorkerTest, ByFileCopiesTickedRecordingsIntoTheLayoutWithIndexAndChecksums)
{
    setUp({recA, recB, recC, recD}, CExportWorker::modeFile, CExportWorker::typeSingle);
    m_worker.entries()[2].bTicked = false;
    QSignalSpy finished(&m_worker, &CExportWorker::exportFinish);

    EXPECT_EQ(run(), 1);
    EXPECT_EQ(finished.count(), 1);
    EXPECT_EQ(m_worker.finishText(), "Export Finish");

    const QString strH265 = nameOf(recD).replace("h264", "h265");
    const QString pathA = DAY_FOLDER + "001/" + nameOf(recA), pathB = DAY_FOLDER + "001/" + nameOf(recB);
    const QString pathD = DAY_FOLDER + "002/" + strH265;
    EXPECT_EQ(fileBytes(out(pathA)), bytesOf(recA));
    EXPECT_EQ(fileBytes(out(pathB)), bytesOf(recB));
    EXPECT_EQ(fileBytes(out(pathD)), bytesOf(recD));
    EXPECT_FALSE(QFile::exists(out(DAY_FOLDER + "001/" + nameOf(recC))));
    EXPECT_EQ(indexText(), pathA + "\r\n" + pathB + "\r\n" + pathD + "\r\n");

    for (int nRow : {0, 1, 3}) {
        EXPECT_EQ(m_log.status(nRow), "Export Finish");
        EXPECT_EQ(m_log.history(nRow).first(), "Exporting(0%)");
        EXPECT_TRUE(m_log.history(nRow).contains("Exporting(100%)"));
    }
    EXPECT_EQ(m_log.path(3), out(pathD));
    EXPECT_TRUE(m_log.history(2).isEmpty());

    const QList<CExportWorker::LeftFile> files = m_worker.leftFiles();
    ASSERT_EQ(files.size(), 3);
    EXPECT_TRUE(m_worker.appendChecksums(files));
    EXPECT_EQ(verifyChecksums(m_strSave), 0);
    EXPECT_EQ(readText(m_strSave + "/SHA256SUMS").count('\n'), 3);
}

TEST_F(ExportWorkerTest, ProbeReadsTheFirstVideoKeyFrame)
{
    VideoParams params;
    ASSERT_TRUE(CExportWorker::getVideoParams(s_disk->path(recA), params));
    EXPECT_EQ(params.nWidth, 176);
    EXPECT_EQ(params.nHeight, 144);
    EXPECT_EQ(params.nFrameRate, 10);
    EXPECT_EQ(params.nEncodeType, 2);
    VideoParams h265;
    ASSERT_TRUE(CExportWorker::getVideoParams(s_disk->path(recD), h265));
    EXPECT_TRUE(h265.isH265());
    VideoParams otherRate;
    ASSERT_TRUE(CExportWorker::getVideoParams(s_disk->path(recC), otherRate));
    EXPECT_FALSE(params.isSameAs(otherRate));
    VideoParams same;
    CExportWorker::getVideoParams(s_disk->path(recB), same);
    EXPECT_TRUE(params.isSameAs(same));

    // A stream that begins with frames other than key frames: the first key frame counts.
    QByteArray bytes = bytesOf(recC), tail;
    int nKeys = 0;
    forEachFrame(bytes, [&](const H264_PARSER_FRAME &f, QTime) {
        if (f.nFrameType == H264_FRAME_VIDEO && f.nSubType == 0) ++nKeys;
        if (nKeys == 1 && !(f.nFrameType == H264_FRAME_VIDEO && f.nSubType == 0))
            tail.append((const char *)f.pData, (int)f.nLength);
        if (nKeys >= 2) tail.append((const char *)f.pData, (int)f.nLength);
    });
    ASSERT_GE(nKeys, 2);
    const QString strTail = QString::fromStdString(m_dir.file("tail.h264"));
    QFile file(strTail);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(tail);
    file.close();
    VideoParams fromTail;
    EXPECT_TRUE(CExportWorker::getVideoParams(strTail, fromTail));
    EXPECT_EQ(fromTail.nFrameRate, 5);

    // Empty and missing files: nothing found, the record stays zero.
    const QString strEmpty = QString::fromStdString(m_dir.file("empty.h264"));
    QFile(strEmpty).open(QIODevice::WriteOnly);
    for (const QString &strPath : {strEmpty, QString::fromStdString(m_dir.file("missing.h264"))}) {
        VideoParams none;
        none.nWidth = 7;
        EXPECT_FALSE(CExportWorker::getVideoParams(strPath, none));
        EXPECT_EQ(none.nWidth + none.nHeight + none.nFrameRate + none.nEncodeType, 0);
    }
}

TEST_F(ExportWorkerTest, MergeJoinsEqualPicturesAndSplitsOnAnotherRateUnlessForced)
{
    setUp({recA, recB, recC}, CExportWorker::modeFile, CExportWorker::typeMerge);
    EXPECT_EQ(run(), 1);
    const QString merged = DAY_FOLDER + "001/10.00.00-10.00.10" + nameOf(recA).mid(17);
    const QString alone = DAY_FOLDER + "001/" + nameOf(recC);
    EXPECT_EQ(fileBytes(out(merged)), bytesOf(recA) + bytesOf(recB));
    EXPECT_EQ(fileBytes(out(alone)), bytesOf(recC));
    EXPECT_FALSE(QFile::exists(out(DAY_FOLDER + "001/" + nameOf(recA))));
    // Each file is listed once, under its final name.
    EXPECT_EQ(indexText(), merged + "\r\n" + alone + "\r\n");
    EXPECT_EQ(m_log.path(0), out(merged));
    EXPECT_EQ(m_log.path(1), out(merged));
    EXPECT_EQ(m_log.path(2), out(alone));

    QDir(m_strSave).removeRecursively();
    setUp({recA, recB, recC}, CExportWorker::modeFile, CExportWorker::typeForcedMerge);
    EXPECT_EQ(run(), 1);
    const QString all = DAY_FOLDER + "001/10.00.00-10.00.14" + nameOf(recA).mid(17);
    EXPECT_EQ(fileBytes(out(all)), bytesOf(recA) + bytesOf(recB) + bytesOf(recC));
    EXPECT_EQ(indexText(), all + "\r\n");
}

TEST_F(ExportWorkerTest, MergeStartsANewFileBeyondTheSizeLimit)
{
    setUp({recA, recB}, CExportWorker::modeFile, CExportWorker::typeMerge);
    const quint64 nBoth = (quint64)bytesOf(recA).size() + (quint64)bytesOf(recB).size();
    m_worker.setMergeLimit(nBoth);
    EXPECT_EQ(run(), 1);
    EXPECT_EQ(indexText(), DAY_FOLDER + "001/10.00.00-10.00.10" + nameOf(recA).mid(17) + "\r\n");

    QDir(m_strSave).removeRecursively();
    m_worker.setMergeLimit(nBoth - 1);
    EXPECT_EQ(run(), 1);
    EXPECT_EQ(indexText(), DAY_FOLDER + "001/" + nameOf(recA) + "\r\n" + DAY_FOLDER + "001/" + nameOf(recB) + "\r\n");
}

TEST_F(ExportWorkerTest, EachChannelMergesIntoFilesOfItsOwn)
{
    setUp({recD, recA, recB}, CExportWorker::modeFile, CExportWorker::typeMerge);
    EXPECT_EQ(run(), 1);
    const QString first = DAY_FOLDER + "001/10.00.00-10.00.10" + nameOf(recA).mid(17);
    const QString second = DAY_FOLDER + "002/" + nameOf(recD).replace("h264", "h265");
    // Channels in ascending order; channel 0's group gets its final name when channel 1 starts.
    EXPECT_EQ(indexText(), first + "\r\n" + second + "\r\n");
    EXPECT_EQ(fileBytes(out(second)), bytesOf(recD));
}

TEST_F(ExportWorkerTest, ByTimeWritesTheFramesInsideTheRangeUnderClippedNames)
{
    setUp({recA, recB, recC}, CExportWorker::modeTime, CExportWorker::typeSingle);
    const QTime begin(10, 0, 2), end(10, 0, 8);
    setRange(begin, end);
    EXPECT_EQ(run(), 1);
    auto inside = [&](QTime t) { return begin <= t && t <= end; };
    const QString pathA = DAY_FOLDER + "001/10.00.02-10.00.06" + nameOf(recA).mid(17);
    const QString pathB = DAY_FOLDER + "001/10.00.06-10.00.08" + nameOf(recB).mid(17);
    const QByteArray expectA = framesWhere(bytesOf(recA), inside);
    ASSERT_FALSE(expectA.isEmpty());
    EXPECT_LT(expectA.size(), bytesOf(recA).size());
    EXPECT_EQ(fileBytes(out(pathA)), expectA);
    EXPECT_EQ(fileBytes(out(pathB)), framesWhere(bytesOf(recB), inside));
    EXPECT_EQ(m_log.status(2), "Not in time range");
    EXPECT_EQ(indexText(), pathA + "\r\n" + pathB + "\r\n");

    // Merged by time, the group is named from the first clipped begin to the last clipped end.
    QDir(m_strSave).removeRecursively();
    setUp({recA, recB}, CExportWorker::modeTime, CExportWorker::typeMerge);
    setRange(begin, end);
    EXPECT_EQ(run(), 1);
    const QString merged = DAY_FOLDER + "001/10.00.02-10.00.08" + nameOf(recA).mid(17);
    EXPECT_EQ(fileBytes(out(merged)), framesWhere(bytesOf(recA), inside) + framesWhere(bytesOf(recB), inside));
}

TEST_F(ExportWorkerTest, ByTimeAcrossMidnightTakesBothSidesAndNamesTheDayEnd)
{
    setUp({recE}, CExportWorker::modeTime, CExportWorker::typeSingle);
    const QTime begin(23, 59, 58);
    setRange(begin, QTime(0, 0, 0));
    EXPECT_EQ(run(), 1);
    const QByteArray bytes = bytesOf(recE);
    const QString dayEnd = DAY_FOLDER + "003/23.59.58-24.00.00" + nameOf(recE).mid(17);
    const QByteArray expected = framesWhere(bytes, [&](QTime t) { return t >= begin || t <= QTime(0, 0, 0); });
    EXPECT_EQ(fileBytes(out(dayEnd)), expected);

    QDir(m_strSave).removeRecursively();
    const QTime end(0, 0, 3);
    setRange(begin, end);
    EXPECT_EQ(run(), 1);
    const QString clipped = DAY_FOLDER + "003/23.59.58-00.00.03" + nameOf(recE).mid(17);
    const QByteArray both = framesWhere(bytes, [&](QTime t) { return t >= begin || t <= end; });
    EXPECT_EQ(fileBytes(out(clipped)), both);
    EXPECT_GT(both.size(), expected.size());
}

TEST_F(ExportWorkerTest, AFileEndingWhereTheRangeBeginsOverlapsItWithoutFrames)
{
    setUp({recA, recB}, CExportWorker::modeTime, CExportWorker::typeSingle);
    setRange(QTime(10, 0, 6), QTime(10, 0, 8)); // A ends at 10:00:06, its last frames are of 10:00:05
    EXPECT_EQ(run(), 1);
    EXPECT_EQ(m_log.status(0), "Frame not in time range (10:00:00 - 10:00:05)");
    EXPECT_EQ(m_log.status(1), "Export Finish");
}

TEST_F(ExportWorkerTest, ByTimeWithoutFramesInsideRemovesTheOutput)
{
    setUp({recA}, CExportWorker::modeTime, CExportWorker::typeSingle);
    m_worker.entries()[0].end = QTime(10, 5, 0); // the name promises more than the stream holds
    m_worker.entries()[0].nEndSeconds = 10 * 3600 + 5 * 60;
    setRange(QTime(10, 2, 0), QTime(10, 3, 0));
    EXPECT_EQ(run(), 1);
    EXPECT_EQ(m_log.status(0), "Frame not in time range (10:00:00 - 10:00:05)");
    EXPECT_TRUE(QDir(m_strSave + "/" + DAY_FOLDER + "001").isEmpty());
    EXPECT_EQ(indexText(), "");
    EXPECT_EQ(m_worker.failedCount(), 0);
}

TEST_F(ExportWorkerTest, FailedEntriesAreReportedRemovedAndTheRunGoesOn)
{
    setUp({recA, recB}, CExportWorker::modeFile, CExportWorker::typeSingle);
    ExportEntry missing = s_disk->entry(recA);
    missing.strPath.replace("[@", "[@7f"); // a cluster no recording starts at
    m_worker.entries().prepend(missing);
    const qint64 nSizeA = bytesOf(recA).size(), nSizeB = bytesOf(recB).size();
    ASSERT_GT(nSizeA, nSizeB);
    QSignalSpy finished(&m_worker, &CExportWorker::exportFinish);
    {
        FileSizeLimit limit((rlim_t)nSizeB + 1); // B fits, A does not
        EXPECT_EQ(run(), 1);
    }
    EXPECT_EQ(m_log.status(0), "Open failed");
    EXPECT_EQ(m_log.status(1), "Export failed: File too large");
    EXPECT_EQ(m_log.status(2), "Export Finish");
    EXPECT_FALSE(QFile::exists(out(DAY_FOLDER + "001/" + nameOf(recA))));
    EXPECT_EQ(indexText(), DAY_FOLDER + "001/" + nameOf(recB) + "\r\n");
    EXPECT_EQ(m_worker.failedCount(), 2);
    EXPECT_EQ(finished.count(), 1);
    EXPECT_EQ(m_worker.finishText(), "Export finished: 2 of 3 files failed");
    EXPECT_EQ(m_worker.leftFiles().size(), 1);
}

TEST_F(ExportWorkerTest, AFailedAppendLeavesTheMergedFileAsItWasBefore)
{
    setUp({recA, recB}, CExportWorker::modeFile, CExportWorker::typeMerge);
    const qint64 nSizeA = bytesOf(recA).size();
    {
        FileSizeLimit limit((rlim_t)nSizeA + 100);
        EXPECT_EQ(run(), 1);
    }
    EXPECT_EQ(m_log.status(1), "Export failed: File too large");
    EXPECT_EQ(fileBytes(out(DAY_FOLDER + "001/" + nameOf(recA))), bytesOf(recA));
    EXPECT_EQ(indexText(), DAY_FOLDER + "001/" + nameOf(recA) + "\r\n");
}

TEST_F(ExportWorkerTest, ADiskThatVanishesMidRunNeverEndsInSuccessWithShortFiles)
{
    const QString strCopy = QString::fromStdString(m_dir.file("vanishing.img"));
    ASSERT_TRUE(QFile::copy(QString::fromStdString(s_disk->imagePath()), strCopy));
    QList<QByteArray> whole;
    for (int nRecording = recA; nRecording < recordingCount; ++nRecording) whole.append(bytesOf(nRecording));
    ASSERT_EQ(mountImages({strCopy.toStdString()}), WFS_OK);
    ASSERT_NE(wfs_register_stream_ops(), -1);
    QFile image(strCopy);
    ASSERT_TRUE(image.resize(s_disk->clusterOffset(10))); // inside the first recordings' clusters

    setUp({recA, recB, recC, recD, recE}, CExportWorker::modeFile, CExportWorker::typeSingle);
    EXPECT_EQ(run(), 1);
    int nFailed = 0;
    for (int nRow = 0; nRow < recordingCount; ++nRow) {
        const QString strStatus = m_log.status(nRow);
        if (strStatus == "Export Finish") {
            EXPECT_EQ(fileBytes(m_log.path(nRow)), whole[nRow]) << nRow;
        } else {
            ++nFailed;
            EXPECT_TRUE(strStatus.startsWith("Export failed: ") || strStatus == "Open failed") << qPrintable(strStatus);
        }
    }
    EXPECT_GT(nFailed, 0);
    EXPECT_EQ(m_worker.failedCount(), nFailed);
    EXPECT_EQ(indexText().count("\r\n"), recordingCount - nFailed);
}

TEST_F(ExportWorkerTest, StopEndsTheRunWithinAChunkAndKeepsNoPartialFile)
{
    setUp({recA, recB, recC}, CExportWorker::modeFile, CExportWorker::typeSingle);
    QObject::connect(
        &m_worker, &CExportWorker::updateTableStatus, &m_worker,
        [this](int, int nRow, int nCol, const QString &strText) {
            if (nRow == 1 && nCol == CExportWorker::colStatus && strText == "Exporting(0%)") m_worker.stop();
        },
        Qt::DirectConnection);
    QSignalSpy finished(&m_worker, &CExportWorker::exportFinish);
    EXPECT_EQ(run(), 0);
    EXPECT_EQ(m_log.status(0), "Export Finish");
    EXPECT_EQ(m_log.status(1), "Export cancelled");
    EXPECT_TRUE(m_log.history(2).isEmpty());
    EXPECT_FALSE(QFile::exists(out(DAY_FOLDER + "001/" + nameOf(recB))));
    EXPECT_EQ(indexText(), DAY_FOLDER + "001/" + nameOf(recA) + "\r\n");
    EXPECT_EQ(finished.count(), 1); // the worker stopped by itself, not by a cancel
}

// ---- conversions

class ExportConversionTest : public ExportWorkerTest
{
protected:
    // A raw copy of a recording in the save folder, as the export leaves it before converting.
    QString rawCopy(int nRecording)
    {
        const QString strPath = out(DAY_FOLDER + "001/" + nameOf(nRecording));
        QDir().mkpath(QFileInfo(strPath).path());
        QFile file(strPath);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytesOf(nRecording));
        return strPath;
    }

    // The handle the converter gives next: one more than a conversion started now.
    static int nextHandle()
    {
        const int nHandle = CConvertToMp4::instance()->ConvertH264ToMp4V2("/nonexistent/a.h264", "/nonexistent/a.mp4");
        CConvertToMp4::cancel(nHandle);
        return nHandle + 1;
    }
};

TEST_F(ExportConversionTest, AReadErrorIsRetriedOnceThenFinal)
{
    setUp({recA}, CExportWorker::modeFile, CExportWorker::typeSingle, CExportWorker::formatMp4);
    m_worker.prepareRun();
    const QString strRaw = rawCopy(recA);
    const int nFirst = nextHandle();
    m_worker.convertToMp4({0}, strRaw, 0);
    EXPECT_EQ(m_log.status(0), "Converting(0%)");
    EXPECT_TRUE(m_worker.conversionsPending());

    m_worker.dealWithConvertProcess(nFirst, CExportWorker::RETRIED_CONVERT_ERROR);
    EXPECT_EQ(m_log.status(0), "Converting(0%)"); // started again
    EXPECT_TRUE(m_worker.conversionsPending());
    m_worker.dealWithConvertProcess(nFirst + 1, CExportWorker::RETRIED_CONVERT_ERROR);
    EXPECT_EQ(m_log.status(0), "Convert failed -99997");
    EXPECT_FALSE(m_worker.conversionsPending());
    EXPECT_EQ(m_worker.failedCount(), 1);
    EXPECT_TRUE(QFile::exists(strRaw)); // a failed conversion keeps its source

    m_worker.convertToMp4({0}, strRaw, 0);
    const int nOther = nFirst + 2;
    m_worker.dealWithConvertProcess(nOther, 37);
    EXPECT_EQ(m_log.status(0), "Converting (37%)");
    m_worker.dealWithConvertProcess(nOther, -5);
    EXPECT_EQ(m_log.status(0), "Convert failed -5");
    m_worker.cancel();
}

TEST_F(ExportConversionTest, AHundredBeforeTheRecordCountsAsFinished)
{
    setUp({recA}, CExportWorker::modeFile, CExportWorker::typeSingle, CExportWorker::formatMp4);
    m_worker.prepareRun();
    const QString strRaw = rawCopy(recA);
    QSignalSpy removed(&m_worker, &CExportWorker::removeSrcFile);
    const int nHandle = nextHandle();
    m_worker.dealWithConvertProcess(nHandle, 100);
    m_worker.convertToMp4({0}, strRaw, 0);
    EXPECT_EQ(m_log.status(0), "Convert finish");
    ASSERT_EQ(removed.count(), 1);
    EXPECT_EQ(removed.first().first().toString(), strRaw);
    EXPECT_FALSE(m_worker.conversionsPending());
    m_worker.cancel();
}

TEST_F(ExportConversionTest, AStartThatFailsShowsItsCode)
{
    setUp({recA}, CExportWorker::modeFile, CExportWorker::typeSingle, CExportWorker::formatMp4);
    m_worker.prepareRun();
    m_worker.convertToMp4({0}, QString(), 0);
    EXPECT_EQ(m_log.status(0), "Start convert failed Err = -1");
    EXPECT_FALSE(m_worker.conversionsPending());
    EXPECT_EQ(m_worker.failedCount(), 1);
}

TEST_F(ExportConversionTest, Mp4RunLeavesPlayableFilesAndNoRawOrIndex)
{
    setUp({recA, recD}, CExportWorker::modeFile, CExportWorker::typeSingle, CExportWorker::formatMp4);
    QObject::connect(&m_worker, &CExportWorker::removeSrcFile, &m_worker,
                     [](const QString &strPath) { QFile::remove(strPath); }, Qt::DirectConnection);
    std::atomic<int> nFinished{0};
    QObject::connect(&m_worker, &CExportWorker::exportFinish, &m_worker, [&nFinished] { ++nFinished; },
                     Qt::DirectConnection);
    m_worker.attachConverter();
    EXPECT_EQ(run(), 1);
    ASSERT_SOON(nFinished == 1, 60000);
    m_worker.detachConverter();
    m_worker.dealWithConvertProcess(99999, 100); // a late message of no conversion of the run
    EXPECT_EQ(nFinished, 1) << "the end of a run is told once";

    const QString mp4A = out(DAY_FOLDER + "001/" + nameOf(recA).replace("h264", "mp4"));
    const QString mp4D = out(DAY_FOLDER + "002/" + nameOf(recD).replace("h264", "mp4"));
    EXPECT_EQ(m_log.status(0), "Convert finish");
    EXPECT_EQ(m_log.path(0), mp4A);
    EXPECT_EQ(m_log.path(1), mp4D);
    const ProgramRun probeA = runProgram("ffprobe", {"-v", "error", "-select_streams", "v:0", "-show_entries",
                                              "stream=codec_name,duration", "-of", "csv=p=0", mp4A});
    ASSERT_EQ(probeA.nExitCode, 0);
    const QStringList fields = probeA.strOut.trimmed().split(',');
    ASSERT_EQ(fields.size(), 2);
    EXPECT_EQ(fields[0], "h264");
    int nFrames = 0;
    forEachFrame(bytesOf(recA), [&nFrames](const H264_PARSER_FRAME &f, QTime) { nFrames += f.nFrameType == 1; });
    EXPECT_NEAR(fields[1].toDouble(), nFrames / 10.0, 0.1 + 1e-9); // within a frame at ten frames a second
    const ProgramRun probeD = runProgram("ffprobe", {"-v", "error", "-select_streams", "v:0", "-show_entries",
                                              "stream=codec_name", "-of", "csv=p=0", mp4D});
    EXPECT_EQ(probeD.strOut.trimmed(), "hevc");
    EXPECT_FALSE(QFile::exists(out(DAY_FOLDER + "001/" + nameOf(recA))));
    EXPECT_FALSE(QFile::exists(out(DAY_FOLDER + "002/" + nameOf(recD).replace("h264", "h265"))));
    EXPECT_FALSE(QFile::exists(m_strSave + "/index.data"));

    const QList<CExportWorker::LeftFile> files = m_worker.leftFiles();
    ASSERT_EQ(files.size(), 2);
    EXPECT_TRUE(m_worker.appendChecksums(files));
    EXPECT_EQ(verifyChecksums(m_strSave), 0);
}

} // namespace

namespace {

// A long copy steps aside at every chunk for a reader waiting for the disk (playback, indexing).
TEST(ExportSharesTheDisk, AReaderWaitingForTheDiskGetsItAtEveryChunk)
{
    ScratchDir dir;
    sim::Scenario s;
    s.partitions = {partition(8192)};
    sim::RecordingSpec big = recording(0, DAY, 16);
    big.bytesPerSecond = 1 << 20;
    s.recordings.push_back(big);
    SimDisk disk(dir, "big.img", s);
    ASSERT_TRUE(disk.ok);
    ASSERT_EQ(mountImages({disk.path}), WFS_OK);
    ASSERT_NE(wfs_register_stream_ops(), -1);
    const sim::RecordingResult &r = resultOf(disk.manifest, 0);
    const QString strPath = QString::fromStdString(recordPath(0, r, r.firstCluster));

    CExportWorker worker;
    worker.setEntries({ExportEntry::fromRecorderPath(strPath, 0)});
    CExportWorker::Choices choices;
    choices.strSavePath = QString::fromStdString(dir.file("save"));
    worker.setChoices(choices);
    const qint64 nChunks = readAll(strPath).size() / CExportWorker::FILE_CHUNK;
    ASSERT_GE(nChunks, 20);

    std::atomic<bool> bExporting{false}, bDone{false};
    std::atomic<int> nReads{0};
    CGlobalAppData::instance(); // made on this thread first, as the program does at start
    std::thread reader([&] {
        while (!bExporting) QThread::yieldCurrentThread();
        while (!bDone) {
            CDiskReadLocker locker;
            if (bExporting) ++nReads;
        }
    });
    worker.prepareRun();
    bExporting = true;
    worker.run();
    bExporting = false;
    bDone = true;
    reader.join();
    EXPECT_GE(nReads, nChunks / 2);
}

} // namespace
