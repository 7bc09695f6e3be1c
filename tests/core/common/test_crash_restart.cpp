// The crash report of a fatal signal and the restart decision of exit code 774.
#include "common/ccrashhandler.h"
#include "common/crestarthelper.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const char *g_callbackFile = nullptr;

void writeCallbackText(const char *pText)
{
    FILE *pFile = fopen(g_callbackFile, "w");
    if (pFile) {
        fputs(pText, pFile);
        fclose(pFile);
    }
}

int crashChild(const QString &strDump, int nSignal)
{
    const pid_t pid = fork();
    if (pid == 0) {
        CCrashHandler::install(writeCallbackText, strDump);
        raise(nSignal);
        _exit(0);
    }
    int nStatus = 0;
    waitpid(pid, &nStatus, 0);
    return nStatus;
}

QString readText(const QString &strPath)
{
    QFile file(strPath);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

TEST(CrashHandler, SegfaultWritesTheDumpAndExitsWithMinusOne)
{
    QTemporaryDir dir;
    const QString strDump = dir.path() + "/CrashDumpFile.dmp";
    const QByteArray callbackFile = QFile::encodeName(dir.path() + "/callback.txt");
    g_callbackFile = callbackFile.constData();

    const int nStatus = crashChild(strDump, SIGSEGV);
    ASSERT_TRUE(WIFEXITED(nStatus));
    EXPECT_EQ(WEXITSTATUS(nStatus), 255);

    const QString strText = readText(strDump);
    EXPECT_TRUE(strText.startsWith("Signal: SIGSEGV\nException Code:0xb\nException Address:0x")) << strText.toStdString();
    EXPECT_TRUE(strText.contains("\nBacktrace:\n"));
    EXPECT_GE(strText.count('\n'), 6) << "backtrace lines expected";
    EXPECT_TRUE(readText(dir.path() + "/callback.txt").startsWith("Exception Code:0xb\nException Address:0x"));
}

TEST(CrashHandler, AbortIsReportedAndOverwritesTheOldDump)
{
    QTemporaryDir dir;
    const QString strDump = dir.path() + "/CrashDumpFile.dmp";
    QFile old(strDump);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(100000, 'x'));
    old.close();
    const QByteArray callbackFile = QFile::encodeName(dir.path() + "/callback.txt");
    g_callbackFile = callbackFile.constData();

    const int nStatus = crashChild(strDump, SIGABRT);
    ASSERT_TRUE(WIFEXITED(nStatus));
    EXPECT_EQ(WEXITSTATUS(nStatus), 255);
    const QString strText = readText(strDump);
    EXPECT_TRUE(strText.startsWith("Signal: SIGABRT\n"));
    EXPECT_FALSE(strText.contains("xxxx"));
}

TEST(Restart, OnlyExitCode774StartsTheProgramAgain)
{
    QStringList launched;
    const auto launcher = [&](const QString &strProgram, const QStringList &args) {
        launched << strProgram + " " + args.join(" ");
        return true;
    };
    const QStringList args = {"--no-devices", "--image", "/tmp/a.img"};
    for (int nCode : {0, 1, -1, 773, 775})
        EXPECT_FALSE(CRestartHelper::restartIfRequested(nCode, "/opt/korvane", args, launcher));
    EXPECT_TRUE(launched.isEmpty());
    EXPECT_TRUE(CRestartHelper::restartIfRequested(774, "/opt/korvane", args, launcher));
    EXPECT_EQ(launched, QStringList{"/opt/korvane --no-devices --image /tmp/a.img"});
}

TEST(Restart, DetachedStartRunsTheProgram)
{
    QTemporaryDir dir;
    const QString strMark = dir.path() + "/started";
    ASSERT_TRUE(CRestartHelper::restartIfRequested(774, "/bin/sh", {"-c", "echo restarted > \"$0\"", strMark}));
    for (int i = 0; i < 500 && !QFile::exists(strMark); ++i)
        QThread::msleep(10);
    EXPECT_TRUE(QFile::exists(strMark));
    EXPECT_FALSE(CRestartHelper::restartIfRequested(774, dir.path() + "/missing-program", {}));
}

} // namespace
