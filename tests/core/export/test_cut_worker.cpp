// Cutting exported recordings: outputs against the frames inside the range, names, the
// checks, the start jump on an uneven recording, failures and stopping.
#include "common/cglobalappdata.h"
#include "export/ccutworker.h"

#include "core_test_support.h"
#include "cut_test_fixture.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

using namespace exporttest;

namespace {

// Frames whose date-time lies in [from, to].
QByteArray framesBetween(const QByteArray &bytes, const QDateTime &from, const QDateTime &to)
{
    QByteArray out;
    forEachFrame(bytes, [&](const H264_PARSER_FRAME &f, QTime) {
        if (f.nYear == 0) return;
        const QDateTime t(QDate((int)f.nYear, (int)f.nMonth, (int)f.nDay),
                          QTime((int)f.nHour, (int)f.nMinute, (int)f.nSecond));
        if (from <= t && t <= to) out.append((const char *)f.pData, (int)f.nLength);
    });
    return out;
}

const QDate DAY1(2024, 3, 5), DAY2(2024, 3, 6);

TEST_F(CutTest, TheWholeRecordingAndAPartOfItHoldExactlyTheirFrames)
{
    const QByteArray bytes = fileBytes(copyOf(recA));
    CCutWorker whole;
    ASSERT_EQ(cut(whole, copyOf(recA), QTime(10, 0, 0), QTime(10, 0, 6)), CCutWorker::resultDone);
    EXPECT_EQ(whole.outputPath(), m_strSave + "/20240305_10.00.00_10.00.06.h264");
    EXPECT_EQ(fileBytes(whole.outputPath()), framesBetween(bytes, QDateTime(DAY1, QTime(10, 0, 0)),
                                                           QDateTime(DAY1, QTime(10, 0, 6))));
    EXPECT_EQ(framesBetween(bytes, QDateTime(DAY1, QTime(0, 0)), QDateTime(DAY2, QTime(0, 0))).size(),
              fileBytes(whole.outputPath()).size()); // every timed frame

    CCutWorker part;
    QSignalSpy progress(&part, &CCutWorker::updateProcess), status(&part, &CCutWorker::updateExportStatus);
    ASSERT_EQ(cut(part, copyOf(recA), QTime(10, 0, 2), QTime(10, 0, 3)), CCutWorker::resultDone);
    EXPECT_EQ(fileBytes(part.outputPath()),
              framesBetween(bytes, QDateTime(DAY1, QTime(10, 0, 2)), QDateTime(DAY1, QTime(10, 0, 3))));
    EXPECT_EQ(progress.first().first().toInt(), 0);
    EXPECT_EQ(progress.last().first().toInt(), 1000);
    QStringList texts;
    for (const QList<QVariant> &signal : status) texts << signal.first().toString();
    EXPECT_TRUE(texts.contains("Start Cut"));
    EXPECT_TRUE(texts.first().startsWith("Find Start Pos ")) << qPrintable(texts.first());
}

TEST_F(CutTest, ACutOverMidnightTakesItsEndOnTheNextDay)
{
    CCutWorker worker;
    ASSERT_EQ(cut(worker, copyOf(recE), QTime(23, 59, 58), QTime(0, 0, 2)), CCutWorker::resultDone);
    EXPECT_EQ(worker.outputPath(), m_strSave + "/20240305_23.59.58_00.00.02.h264");
    const QByteArray expected =
        framesBetween(fileBytes(copyOf(recE)), QDateTime(DAY1, QTime(23, 59, 58)), QDateTime(DAY2, QTime(0, 0, 2)));
    EXPECT_EQ(fileBytes(worker.outputPath()), expected);
    EXPECT_GT(expected.size(), 0);
    EXPECT_EQ(worker.fileEndSeconds(), 86400 + 5);
}

TEST_F(CutTest, ARecordingFromTenPmPastMidnightCutsAcrossIt)
{
    const QDateTime start(DAY1, QTime(22, 59, 50));
    const QByteArray bytes = syntheticRecording(start, 3630, 1, [](int) { return 100; }); // to 00:00:20
    const QString strPath = m_strSave + "/src/idea0/2024-03-05/001/22.59.50-00.00.20[R][@1][0].h264";
    ASSERT_TRUE(writeBytes(strPath, bytes));
    CCutWorker worker;
    ASSERT_EQ(cut(worker, strPath, QTime(22, 59, 58), QTime(0, 0, 2)), CCutWorker::resultDone);
    const QByteArray expected =
        framesBetween(bytes, QDateTime(DAY1, QTime(22, 59, 58)), QDateTime(DAY2, QTime(0, 0, 2)));
    EXPECT_EQ(expected.size(), 3605 * 116); // a frame a second, header included
    EXPECT_EQ(fileBytes(worker.outputPath()), expected);
}

TEST_F(CutTest, AnH265CutIsNamedSoAndItsMp4ReplacesTheRawCut)
{
    CCutWorker raw;
    ASSERT_EQ(cut(raw, copyOf(recD), QTime(10, 0, 1), QTime(10, 0, 3)), CCutWorker::resultDone);
    EXPECT_EQ(raw.outputPath(), m_strSave + "/20240305_10.00.01_10.00.03.h265");
    EXPECT_TRUE(QFile::exists(raw.outputPath()));

    const ProgramRun run =
        runProgram(KORVANE_CLI, {"cut", "--to", m_strSave + "/mp4", "--mp4", "--time", "10:00:01-10:00:03", copyOf(recD)});
    ASSERT_EQ(run.nExitCode, 0) << qPrintable(run.strErr);
    const QString strMp4 = m_strSave + "/mp4/20240305_10.00.01_10.00.03.mp4";
    EXPECT_EQ(run.strOut.trimmed(), strMp4);
    EXPECT_EQ(QDir(m_strSave + "/mp4").entryList(QDir::Files), QStringList({"20240305_10.00.01_10.00.03.mp4"}));
    const ProgramRun probe = runProgram("ffprobe", {"-v", "error", "-select_streams", "v:0", "-count_frames",
                                                    "-show_entries", "stream=codec_name,nb_read_frames", "-of",
                                                    "csv=p=0", strMp4});
    int nFrames = 0;
    forEachFrame(fileBytes(raw.outputPath()), [&nFrames](const H264_PARSER_FRAME &f, QTime) { nFrames += f.nFrameType == 1; });
    EXPECT_EQ(probe.strOut.trimmed(), QString("hevc,%1").arg(nFrames));
}

TEST_F(CutTest, RangesOutsideTheRecordingAndNamesWithoutTimesAreRefused)
{
    CCutWorker worker;
    ASSERT_TRUE(worker.setSource(copyOf(recA)));
    EXPECT_FALSE(worker.rangeAllowed(QTime(9, 59, 59), QTime(10, 0, 3)));
    EXPECT_FALSE(worker.rangeAllowed(QTime(10, 0, 3), QTime(10, 0, 2)));
    EXPECT_FALSE(worker.rangeAllowed(QTime(10, 0, 3), QTime(10, 0, 7)));
    EXPECT_TRUE(worker.rangeAllowed(QTime(10, 0, 6), QTime(10, 0, 6)));
    ASSERT_TRUE(worker.setSource(copyOf(recE)));
    EXPECT_TRUE(worker.rangeAllowed(QTime(23, 59, 56), QTime(0, 0, 4)));
    EXPECT_FALSE(worker.rangeAllowed(QTime(23, 59, 56), QTime(0, 0, 6)));

    EXPECT_FALSE(worker.setSource(m_strSave + "/idea0/2024-03-05/001/clip.h264"));
    EXPECT_FALSE(worker.setSource("/somewhere/10.00.00-10.00.06[R][@1][0].h264"));
    EXPECT_TRUE(worker.setSource("/somewhere/ide/x/idea3/2024-03-05/004/22.00.00-24.00.00.h264"));
    EXPECT_EQ(worker.fileEndSeconds(), 86400);

    const ProgramRun abnormal = runProgram(KORVANE_CLI, {"cut", "--to", m_strSave, "--time", "09:00:00-10:00:03", copyOf(recA)});
    EXPECT_EQ(abnormal.nExitCode, 2);
    EXPECT_TRUE(abnormal.strErr.contains("Abnormal time"));
    const QString strLoose = m_strSave + "/loose.h264";
    ASSERT_TRUE(writeBytes(strLoose, fileBytes(copyOf(recA))));
    const ProgramRun unnamed = runProgram(KORVANE_CLI, {"cut", "--time", "10:00:00-10:00:03", strLoose});
    EXPECT_EQ(unnamed.nExitCode, 2);
    EXPECT_TRUE(unnamed.strErr.contains("no time range")) << qPrintable(unnamed.strErr);
    EXPECT_FALSE(QDir(m_strSave).exists("20240305_10.00.00_10.00.03.h264"));
}

TEST_F(CutTest, AJumpThatLandsPastTheStartSearchesAgainFromTheBeginning)
{
    // Small frames for a minute, then large ones: the proportional jump lands late.
    const QDateTime start(DAY1, QTime(10, 0, 0));
    const QByteArray bytes = syntheticRecording(start, 120, 5, [](int s) { return s < 60 ? 200 : 20000; });
    const QString strPath = m_strSave + "/src/idea0/2024-03-05/001/10.00.00-10.02.00[R][@1][0].h264";
    ASSERT_TRUE(writeBytes(strPath, bytes));
    CCutWorker worker;
    worker.setJumpThreshold(0);
    ASSERT_TRUE(worker.setSource(strPath));
    worker.setChoices(m_strSave, QTime(10, 0, 40), QTime(10, 1, 10), false);

    // Where the jump lands, the first timed frame is already past the cut begin.
    const qint64 nJump = qint64(40 * 0.8 / 120 * bytes.size());
    QTime firstAfterJump;
    forEachFrame(bytes.mid(nJump), [&firstAfterJump](const H264_PARSER_FRAME &, QTime t) {
        if (!firstAfterJump.isValid() && t.isValid()) firstAfterJump = t;
    });
    ASSERT_GT(firstAfterJump, QTime(10, 0, 40));

    ASSERT_EQ(worker.cut(), CCutWorker::resultDone);
    EXPECT_EQ(fileBytes(worker.outputPath()),
              framesBetween(bytes, QDateTime(DAY1, QTime(10, 0, 40)), QDateTime(DAY1, QTime(10, 1, 10))));

    // An even recording: the jump lands before the start, and the search goes on from there.
    const QByteArray even = syntheticRecording(start, 120, 5, [](int) { return 2000; });
    ASSERT_TRUE(writeBytes(strPath, even));
    CCutWorker evenWorker;
    evenWorker.setJumpThreshold(0);
    QSignalSpy status(&evenWorker, &CCutWorker::updateExportStatus);
    ASSERT_TRUE(evenWorker.setSource(strPath));
    evenWorker.setChoices(m_strSave + "/even", QTime(10, 1, 0), QTime(10, 1, 30), false);
    ASSERT_EQ(evenWorker.cut(), CCutWorker::resultDone);
    EXPECT_EQ(fileBytes(evenWorker.outputPath()),
              framesBetween(even, QDateTime(DAY1, QTime(10, 1, 0)), QDateTime(DAY1, QTime(10, 1, 30))));
    const QString strFirst = status.first().first().toString();
    EXPECT_GT(strFirst.section(' ', -1).section('/', 0, 0).toLongLong(), even.size() / 4) << qPrintable(strFirst);
}

TEST_F(CutTest, ReadAndWriteFailuresAndRangesWithoutFramesEndAsFailed)
{
    const QString strTruncated = m_strSave + "/src/idea0/2024-03-05/001/10.00.00-10.00.06[R][@1][0].h264";
    ASSERT_TRUE(writeBytes(strTruncated, fileBytes(copyOf(recA)).left(5000)));
    CCutWorker truncated;
    EXPECT_EQ(cut(truncated, strTruncated, QTime(10, 0, 0), QTime(10, 0, 6)), CCutWorker::resultDone);
    EXPECT_LE(fileBytes(truncated.outputPath()).size(), 5000);

    const QString strJunk = m_strSave + "/src/idea0/2024-03-05/002/10.00.00-10.00.06[R][@1][0].h264";
    ASSERT_TRUE(writeBytes(strJunk, QByteArray(100000, 'j')));
    const QByteArray earlierCut = fileBytes(truncated.outputPath());
    CCutWorker junk;
    EXPECT_EQ(cut(junk, strJunk, QTime(10, 0, 0), QTime(10, 0, 6)), CCutWorker::resultFailed);
    EXPECT_EQ(junk.failureReason(), "No frame in the time range");
    EXPECT_EQ(fileBytes(junk.outputPath()), earlierCut) << "an empty cut leaves no file and replaces none";
    const ProgramRun empty = runProgram(KORVANE_CLI, {"cut", "--to", m_strSave + "/empty", "--time", "10:00:00-10:00:06", strJunk});
    EXPECT_EQ(empty.nExitCode, 1);
    EXPECT_TRUE(empty.strErr.contains("Cut Failed: No frame in the time range")) << qPrintable(empty.strErr);
    EXPECT_TRUE(QDir(m_strSave + "/empty").entryList(QDir::Files | QDir::Hidden).isEmpty());

    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 4096;
    setrlimit(RLIMIT_FSIZE, &small);
    CCutWorker full;
    const CCutWorker::Result result = cut(full, copyOf(recE), QTime(23, 59, 55), QTime(0, 0, 5));
    setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_EQ(result, CCutWorker::resultFailed);
    EXPECT_FALSE(QFile::exists(full.outputPath()));
    QSignalSpy message(&full, &CCutWorker::showMessage);
    ASSERT_TRUE(full.setSource("/nonexistent/idea0/2024-03-05/001/10.00.00-10.00.06.h264"));
    full.run();
    ASSERT_EQ(message.count(), 1);
    EXPECT_EQ(message.first().first().toString(), "Cut Failed");
}

} // namespace
