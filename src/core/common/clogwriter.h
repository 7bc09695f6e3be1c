// The application's log: every Qt message, filtered by the log level, appended to a
// daily file "Client_yyyyMMdd.log" in the log folder. Files beyond 10,485,759 bytes are
// moved aside. Warnings, errors and fatal messages are always written; the level
// filters debug and info only. Nothing reaches the terminal unless echo is on
// ("--verbose"): then every written line also goes to standard error.
#pragma once

#include <QDateTime>
#include <QString>
#include <QtGlobal>

class CLogWriter
{
public:
    static constexpr qint64 MAX_LOG_SIZE = 0x9FFFFF;
    static constexpr int KEEP_DAYS = 3;

    // Before the application object exists: messages are kept until install() writes them.
    static void holdEarlyMessages();
    // Stores the level, deletes old "Client_" logs of the folder and installs the handler.
    static void install(int nLogLevel, const QString &strLogPath);
    // Puts the previous handler back and closes the file (tests, shutdown of tools).
    static void uninstall();
    static bool isInstalled();
    // Written lines also go to standard error.
    static void setEcho(bool bEcho);

    static bool shouldWrite(QtMsgType type, int nLogLevel);
    static QString formatLine(const QDateTime &time, const char *pFunction, int nLine, const QString &strMsg);
    // The text without terminal escape sequences and other control characters (tabs kept).
    static QString plainText(const QString &strMsg);
    static QString logFileName(const QString &strLogPath, const QDate &date);
    // Moves a log larger than MAX_LOG_SIZE to the first free "<name><n>.log"; the new name, or empty.
    static QString rotate(const QString &strLogFile);
    // Deletes files whose name holds "Client_" and that were created before now - KEEP_DAYS.
    static int removeOldLogs(const QString &strLogPath, const QDateTime &now);

private:
    static void messageHandler(QtMsgType type, const QMessageLogContext &context, const QString &strMsg);
    static void earlyHandler(QtMsgType type, const QMessageLogContext &context, const QString &strMsg);
};
