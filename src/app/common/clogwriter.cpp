#include "clogwriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QMutexLocker>

namespace {

struct LogState
{
    QMutex mutex;
    QFile file;
    QString strLogPath;
    int nLogLevel = 0;
    QtMessageHandler previous = nullptr;
    bool bInstalled = false;
};

LogState &state()
{
    static LogState s;
    return s;
}

// Creation time as far as the file system tells it: the birth time, or an earlier
// modification time for files restored or copied with their times kept.
QDateTime createdAt(const QFileInfo &info)
{
    const QDateTime birth = info.birthTime();
    const QDateTime modified = info.lastModified();
    return birth.isValid() && birth < modified ? birth : modified;
}

void writeLine(LogState &s, const QString &strLine)
{
    const QString strToday = CLogWriter::logFileName(s.strLogPath, QDate::currentDate());
    if (s.file.isOpen() && s.file.fileName() != strToday)
        s.file.close();
    const qint64 nSize = s.file.isOpen() ? s.file.size() : QFileInfo(strToday).size();
    if (nSize > CLogWriter::MAX_LOG_SIZE) {
        s.file.close();
        CLogWriter::rotate(strToday);
    }
    if (!s.file.isOpen()) {
        QDir().mkpath(s.strLogPath);
        s.file.setFileName(strToday);
        if (!s.file.open(QIODevice::Append | QIODevice::Text))
            return;
    }
    s.file.write(strLine.toUtf8());
    s.file.flush();
}

} // namespace

void CLogWriter::install(int nLogLevel, const QString &strLogPath)
{
    LogState &s = state();
    {
        QMutexLocker locker(&s.mutex);
        s.nLogLevel = nLogLevel;
        s.strLogPath = strLogPath;
        s.file.close();
    }
    removeOldLogs(strLogPath, QDateTime::currentDateTime());
    if (!s.bInstalled) {
        s.previous = qInstallMessageHandler(messageHandler);
        s.bInstalled = true;
    }
}

void CLogWriter::uninstall()
{
    LogState &s = state();
    if (!s.bInstalled)
        return;
    qInstallMessageHandler(s.previous);
    QMutexLocker locker(&s.mutex);
    s.file.close();
    s.bInstalled = false;
}

bool CLogWriter::isInstalled()
{
    return state().bInstalled;
}

bool CLogWriter::shouldWrite(QtMsgType type, int nLogLevel)
{
    return (type == QtDebugMsg && nLogLevel >= 0) || (type == QtInfoMsg && nLogLevel > 1) ||
           (type == QtWarningMsg && nLogLevel > 2) || nLogLevel > 3;
}

QString CLogWriter::formatLine(const QDateTime &time, const char *pFunction, int nLine, const QString &strMsg)
{
    return QString("[%1] {%2:%3} : %4\r\n")
        .arg(time.toString("yyyy-MM-dd hh:mm:ss.zzz"), pFunction ? QString(pFunction) : QString("unknown"))
        .arg(nLine)
        .arg(strMsg);
}

QString CLogWriter::logFileName(const QString &strLogPath, const QDate &date)
{
    return QString("%1/Client_%2.log").arg(strLogPath, date.toString("yyyyMMdd"));
}

QString CLogWriter::rotate(const QString &strLogFile)
{
    if (QFileInfo(strLogFile).size() <= MAX_LOG_SIZE)
        return QString();
    const QString strBase = strLogFile.left(strLogFile.size() - int(qstrlen(".log")));
    int n = 1;
    while (QFileInfo::exists(QString("%1%2.log").arg(strBase).arg(n)))
        ++n;
    const QString strTarget = QString("%1%2.log").arg(strBase).arg(n);
    return QFile::rename(strLogFile, strTarget) ? strTarget : QString();
}

int CLogWriter::removeOldLogs(const QString &strLogPath, const QDateTime &now)
{
    const QDateTime limit = now.addDays(-KEEP_DAYS);
    const QFileInfoList files = QDir(strLogPath).entryInfoList(QDir::Files | QDir::Hidden | QDir::NoSymLinks);
    int nRemoved = 0;
    for (const QFileInfo &info : files) {
        if (info.fileName().contains("Client_") && createdAt(info) < limit && QFile::remove(info.filePath()))
            ++nRemoved;
    }
    return nRemoved;
}

void CLogWriter::messageHandler(QtMsgType type, const QMessageLogContext &context, const QString &strMsg)
{
    // A message raised while writing (by Qt itself) only reaches the previous handler.
    static thread_local bool t_bWriting = false;
    LogState &s = state();
    QtMessageHandler previous = s.previous;
    if (!t_bWriting) {
        t_bWriting = true;
        QMutexLocker locker(&s.mutex);
        if (shouldWrite(type, s.nLogLevel))
            writeLine(s, formatLine(QDateTime::currentDateTime(), context.function, context.line, strMsg));
        t_bWriting = false;
    }
    if (previous)
        previous(type, context, strMsg);
}
