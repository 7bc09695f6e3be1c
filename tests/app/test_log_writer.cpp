// CLogWriter: level filter, line format, rotation at the size limit, removal of old logs.
#include "common/clogwriter.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

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

TEST(LogWriter, LevelFilter)
{
    EXPECT_TRUE(CLogWriter::shouldWrite(QtDebugMsg, 0));
    EXPECT_FALSE(CLogWriter::shouldWrite(QtInfoMsg, 0));
    EXPECT_FALSE(CLogWriter::shouldWrite(QtWarningMsg, 0));
    EXPECT_FALSE(CLogWriter::shouldWrite(QtCriticalMsg, 0));
    EXPECT_FALSE(CLogWriter::shouldWrite(QtInfoMsg, 1));
    EXPECT_TRUE(CLogWriter::shouldWrite(QtInfoMsg, 2));
    EXPECT_FALSE(CLogWriter::shouldWrite(QtWarningMsg, 2));
    EXPECT_TRUE(CLogWriter::shouldWrite(QtWarningMsg, 3));
    EXPECT_FALSE(CLogWriter::shouldWrite(QtCriticalMsg, 3));
    for (QtMsgType type : {QtDebugMsg, QtInfoMsg, QtWarningMsg, QtCriticalMsg, QtFatalMsg})
        EXPECT_TRUE(CLogWriter::shouldWrite(type, 4));
    EXPECT_FALSE(CLogWriter::shouldWrite(QtDebugMsg, -1));
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
    EXPECT_FALSE(strText.contains("warning line"));
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

TEST(LogWriter, UnwritableLogFolderStillPassesMessagesOn)
{
    CLogWriter::install(4, "/proc/korvane-no-log");
    qWarning("nowhere to go");
    CLogWriter::uninstall();
    EXPECT_FALSE(QFileInfo::exists("/proc/korvane-no-log"));
}

} // namespace
