// CLogWriter: level filter, line format, rotation at the size limit, removal of old logs,
// and the routing: the libraries' lines reach the file plain, the terminal gets nothing
// unless echo ("--verbose") is on.
#include "common/clibrarylog.h"
#include "common/clogwriter.h"
#include "wfs_log.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

extern "C" {
#include <libavutil/log.h>
}

#include <cstdio>
#include <unistd.h>

namespace {

// Everything written to standard error (file descriptor 2) while it lives.
class StandardErrorCapture
{
public:
    StandardErrorCapture()
    {
        fflush(stderr);
        m_nSaved = dup(2);
        m_pFile = tmpfile();
        dup2(fileno(m_pFile), 2);
    }
    ~StandardErrorCapture() { restore(); }
    QByteArray text()
    {
        restore();
        rewind(m_pFile);
        QByteArray data;
        char buffer[4096];
        for (size_t n; (n = fread(buffer, 1, sizeof buffer, m_pFile)) > 0;) data.append(buffer, int(n));
        return data;
    }

private:
    void restore()
    {
        if (m_nSaved < 0) return;
        fflush(stderr);
        dup2(m_nSaved, 2);
        close(m_nSaved);
        m_nSaved = -1;
    }
    int m_nSaved = -1;
    FILE *m_pFile = nullptr;
};

void writeSized(const QString &strPath, qint64 nSize)
{
    QFile file(strPath);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_TRUE(file.resize(nSize));
}

void setAge(const QString &strPath, int nDays)
{
    QFile file(strPath);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    const QDateTime when = QDateTime::currentDateTime().addDays(-nDays);
    ASSERT_TRUE(file.setFileTime(when, QFileDevice::FileModificationTime));
}

QString readText(const QString &strPath)
{
    QFile file(strPath);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

TEST(LogWriter, LevelFiltersOnlyDebugAndInfo)
{
    EXPECT_TRUE(CLogWriter::shouldWrite(QtDebugMsg, 0));
    EXPECT_FALSE(CLogWriter::shouldWrite(QtInfoMsg, 0));
    EXPECT_FALSE(CLogWriter::shouldWrite(QtInfoMsg, 1));
    EXPECT_TRUE(CLogWriter::shouldWrite(QtInfoMsg, 2));
    EXPECT_FALSE(CLogWriter::shouldWrite(QtDebugMsg, -1));
    for (int nLevel : {-1, 0, 1, 2, 3, 4})
        for (QtMsgType type : {QtWarningMsg, QtCriticalMsg, QtFatalMsg})
            EXPECT_TRUE(CLogWriter::shouldWrite(type, nLevel)) << "type " << type << " at level " << nLevel;
    for (QtMsgType type : {QtDebugMsg, QtInfoMsg, QtWarningMsg, QtCriticalMsg, QtFatalMsg})
        EXPECT_TRUE(CLogWriter::shouldWrite(type, 4));
}

TEST(LogWriter, LineFormat)
{
    const QDateTime time(QDate(2026, 8, 20), QTime(9, 5, 1, 7));
    EXPECT_EQ(CLogWriter::formatLine(time, "void f(int)", 42, "hello"),
              "[2026-08-20 09:05:01.007] {void f(int):42} : hello\r\n");
    EXPECT_EQ(CLogWriter::formatLine(time, nullptr, 0, "x"), "[2026-08-20 09:05:01.007] {unknown:0} : x\r\n");
    EXPECT_EQ(CLogWriter::logFileName("/l", QDate(2026, 1, 2)), "/l/Client_20260102.log");
}

TEST(LogWriter, InstalledHandlerWritesOnlyTheMessagesOfItsLevel)
{
    QTemporaryDir dir;
    const QString strLogPath = dir.path() + "/Log";
    CLogWriter::install(0, strLogPath);
    qDebug("debug %d", 1);
    qInfo("info line");
    qWarning("warning line");
    CLogWriter::install(4, strLogPath);
    qWarning("second warning");
    CLogWriter::uninstall();
    qDebug("after uninstall");

    const QString strText = readText(CLogWriter::logFileName(strLogPath, QDate::currentDate()));
    EXPECT_TRUE(strText.contains(QRegularExpression(
        "^\\[\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d\\.\\d{3}\\] \\{.*InstalledHandler.*:\\d+\\} : debug 1\r\n")))
        << strText.toStdString();
    EXPECT_FALSE(strText.contains("info line"));
    EXPECT_TRUE(strText.contains("} : warning line\r\n")) << "warnings are written at the default level";
    EXPECT_TRUE(strText.contains("} : second warning\r\n"));
    EXPECT_FALSE(strText.contains("after uninstall"));
}

TEST(LogWriter, RotationStartsOneByteAboveTheLimit)
{
    QTemporaryDir dir;
    const QString strLog = dir.path() + "/Client_20260102.log";
    writeSized(strLog, CLogWriter::MAX_LOG_SIZE);
    EXPECT_TRUE(CLogWriter::rotate(strLog).isEmpty());
    EXPECT_TRUE(QFile::exists(strLog));

    writeSized(strLog, CLogWriter::MAX_LOG_SIZE + 1);
    EXPECT_EQ(CLogWriter::rotate(strLog), dir.path() + "/Client_202601021.log");
    EXPECT_FALSE(QFile::exists(strLog));

    writeSized(strLog, CLogWriter::MAX_LOG_SIZE + 1);
    writeSized(dir.path() + "/Client_202601022.log", 1);
    EXPECT_EQ(CLogWriter::rotate(strLog), dir.path() + "/Client_202601023.log");
}

TEST(LogWriter, LargeLogIsMovedAsideBeforeTheNextLine)
{
    QTemporaryDir dir;
    const QString strLogPath = dir.path() + "/Log";
    QDir().mkpath(strLogPath);
    const QString strToday = CLogWriter::logFileName(strLogPath, QDate::currentDate());
    writeSized(strToday, CLogWriter::MAX_LOG_SIZE + 1);
    CLogWriter::install(0, strLogPath);
    qDebug("fresh line");
    CLogWriter::uninstall();
    const QString strMoved = strToday.left(strToday.size() - 4) + "1.log";
    EXPECT_EQ(QFileInfo(strMoved).size(), CLogWriter::MAX_LOG_SIZE + 1);
    EXPECT_TRUE(readText(strToday).endsWith("} : fresh line\r\n"));
    EXPECT_LT(QFileInfo(strToday).size(), 200);
}

TEST(LogWriter, OpenLogIsRotatedWhenItOutgrowsTheLimit)
{
    QTemporaryDir dir;
    const QString strLogPath = dir.path() + "/Log";
    const QString strToday = CLogWriter::logFileName(strLogPath, QDate::currentDate());
    CLogWriter::install(0, strLogPath);
    qDebug("first line");
    {
        QFile grow(strToday);
        ASSERT_TRUE(grow.open(QIODevice::Append));
        grow.write(QByteArray(int(CLogWriter::MAX_LOG_SIZE), 'x'));
    }
    qDebug("second line");
    CLogWriter::uninstall();
    const QString strMoved = strToday.left(strToday.size() - 4) + "1.log";
    EXPECT_TRUE(readText(strMoved).contains("first line"));
    EXPECT_TRUE(readText(strToday).endsWith("} : second line\r\n"));
    EXPECT_FALSE(readText(strToday).contains("first line"));
}

TEST(LogWriter, OldClientLogsAreRemovedOthersSurvive)
{
    QTemporaryDir dir;
    const QString strOld = dir.path() + "/Client_20200101.log";
    const QString strHidden = dir.path() + "/.Client_hidden.log";
    const QString strRecent = dir.path() + "/Client_20990101.log";
    const QString strOther = dir.path() + "/export.log";
    for (const QString &strPath : {strOld, strHidden, strRecent, strOther})
        writeSized(strPath, 10);
    setAge(strOld, 4);
    setAge(strHidden, 4);
    setAge(strOther, 4);
    setAge(strRecent, 2);
    ASSERT_TRUE(QFile::link(strOld, dir.path() + "/Client_link.log"));

    EXPECT_EQ(CLogWriter::removeOldLogs(dir.path(), QDateTime::currentDateTime()), 2);
    EXPECT_FALSE(QFile::exists(strOld));
    EXPECT_FALSE(QFile::exists(strHidden));
    EXPECT_TRUE(QFile::exists(strRecent));
    EXPECT_TRUE(QFile::exists(strOther));
}

TEST(LogWriter, AWarningThatCannotReachTheFileGoesToStandardError)
{
    StandardErrorCapture capture;
    CLogWriter::install(0, "/proc/korvane-no-log");
    qDebug("debug goes nowhere");
    qWarning("nowhere to go");
    CLogWriter::uninstall();
    const QByteArray text = capture.text();
    EXPECT_FALSE(QFileInfo::exists("/proc/korvane-no-log"));
    EXPECT_TRUE(text.contains("cannot be written")) << text.constData();
    EXPECT_TRUE(text.contains("} : nowhere to go\n")) << text.constData();
    EXPECT_FALSE(text.contains("debug goes nowhere"));
}

TEST(LogWriter, NothingReachesTheTerminalAndTheLibrariesLinesArePlain)
{
    QTemporaryDir dir;
    const QString strLogPath = dir.path() + "/Log";
    StandardErrorCapture capture;
    CLogWriter::install(0, strLogPath);
    CLibraryLog::route();
    qDebug("\x1b[1;33mcoloured\x1b[m debug");
    qWarning("Config.ini could not be written: /x/Config.ini");
    wfs_debug("\x1b[1;33m read block:%d error! file:%s,line:%d\n \x1b[m", 7, "/home/build/korvane/src/wfs/wfs_partition.cpp",
              204);
    wfs_warn("Disk error!\n");
    wfs_error("\x1b[1;35m wfs__error, have no free buffers\n \x1b[m");
    av_log(nullptr, AV_LOG_ERROR, "decoder choked\n");
    CLibraryLog::unroute();
    CLogWriter::uninstall();

    EXPECT_EQ(capture.text(), QByteArray()) << "the terminal stays quiet";
    const QString strText = readText(CLogWriter::logFileName(strLogPath, QDate::currentDate()));
    EXPECT_TRUE(strText.contains("} : coloured debug\r\n")) << strText.toStdString();
    EXPECT_TRUE(strText.contains("} : Config.ini could not be written: /x/Config.ini\r\n"));
    EXPECT_TRUE(strText.contains("read block:7 error! file:wfs_partition.cpp,line:204"));
    EXPECT_TRUE(strText.contains("} : FSWarn Disk error!\r\n"));
    EXPECT_TRUE(strText.contains("} : FSError wfs__error, have no free buffers\r\n"));
    EXPECT_TRUE(strText.contains("FFmpeg: decoder choked"));
    EXPECT_FALSE(strText.contains(QChar(0x1b))) << "no escape codes";
    EXPECT_FALSE(strText.contains("/home/build")) << "no build-tree paths";
}

TEST(LogWriter, EchoShowsTheWrittenLinesOnStandardError)
{
    QTemporaryDir dir;
    StandardErrorCapture capture;
    CLogWriter::setEcho(true);
    CLogWriter::install(0, dir.path() + "/Log");
    qDebug("shown twice");
    qInfo("written nowhere at level 0");
    CLogWriter::uninstall();
    CLogWriter::setEcho(false);
    const QByteArray text = capture.text();
    EXPECT_TRUE(text.contains("} : shown twice\n")) << text.constData();
    EXPECT_FALSE(text.contains('\r'));
    EXPECT_FALSE(text.contains("written nowhere"));
}

TEST(LogWriter, MessagesBeforeInstallationAreKeptForTheFile)
{
    QTemporaryDir dir;
    const QString strLogPath = dir.path() + "/Log";
    StandardErrorCapture capture;
    CLogWriter::holdEarlyMessages();
    qWarning("said before the log was open");
    CLogWriter::install(0, strLogPath);
    qDebug("after");
    CLogWriter::uninstall();
    EXPECT_EQ(capture.text(), QByteArray());
    const QString strText = readText(CLogWriter::logFileName(strLogPath, QDate::currentDate()));
    EXPECT_LT(strText.indexOf("said before the log was open"), strText.indexOf("} : after"));
    EXPECT_GE(strText.indexOf("said before the log was open"), 0) << strText.toStdString();
}

TEST(LogWriter, LibraryLinesLoseColourCodesAndSourceFolders)
{
    char text[] = "\x1b[1;33m read:/a/b/src/wfs/x.cpp,line:3 dev=/dev/sda /mnt/idea0/f.h264 (/c/d.h)\x1b[m";
    EXPECT_STREQ(wfs_log_clean(text), " read:x.cpp,line:3 dev=/dev/sda /mnt/idea0/f.h264 (d.h)");
    char plain[] = "nothing to do";
    EXPECT_STREQ(wfs_log_clean(plain), "nothing to do");
    EXPECT_EQ(CLogWriter::plainText("a\x1b[0mb\x07" "c\td"), "abc\td");
}

} // namespace
