#include "clogwriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QMutexLocker>
#include <QRegularExpression>
#include <QVector>

#include <cstdio>

namespace {

struct EarlyMessage
{
    QtMsgType type;
    QDateTime time;
    QByteArray function;
    int nLine;
    QString strMsg;
};

struct LogState
{
    QMutex mutex;
    QFile file;
    QString strLogPath;
    int nLogLevel = 0;
    bool bEcho = false;
    bool bReportedUnwritable = false;
    QtMessageHandler previous = nullptr;
    bool bInstalled = false;
    bool bHolding = false;
    QVector<EarlyMessage> early;
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

bool writeLine(LogState &s, const QString &strLine)
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
            return false;
    }
    const bool bOk = s.file.write(strLine.toUtf8()) >= 0;
    s.file.flush();
    return bOk;
}

void toStandardError(const QString &strLine)
{
    QString strText = strLine;
    strText.remove('\r');
    fputs(strText.toLocal8Bit().constData(), stderr);
    fflush(stderr);
}

// Under the mutex: the message as a line of the file, and on standard error when echo is on.
// A warning or worse that cannot reach the file is not lost: it goes to standard error, and so
// does a fatal message, the last thing the program says.
void record(LogState &s, QtMsgType type, const QDateTime &time, const char *pFunction, int nLine,
            const QString &strMsg)
{
    if (!CLogWriter::shouldWrite(type, s.nLogLevel))
        return;
    const QString strLine = CLogWriter::formatLine(time, pFunction, nLine, CLogWriter::plainText(strMsg));
    const bool bWritten = writeLine(s, strLine);
    if (s.bEcho || type == QtFatalMsg || (!bWritten && type != QtDebugMsg && type != QtInfoMsg)) {
        if (!bWritten && !s.bReportedUnwritable && !s.bEcho) {
            s.bReportedUnwritable = true;
            toStandardError(QString("korvane: the log file %1 cannot be written\n").arg(s.file.fileName()));
        }
        toStandardError(strLine);
    }
}

} // namespace

void CLogWriter::holdEarlyMessages()
{
    LogState &s = state();
    if (s.bInstalled || s.bHolding)
        return;
    s.bHolding = true;
    s.previous = qInstallMessageHandler(earlyHandler);
}

void CLogWriter::install(int nLogLevel, const QString &strLogPath)
{
    LogState &s = state();
    {
        QMutexLocker locker(&s.mutex);
        s.nLogLevel = nLogLevel;
        s.strLogPath = strLogPath;
        s.bReportedUnwritable = false;
        s.file.close();
    }
    removeOldLogs(strLogPath, QDateTime::currentDateTime());
    if (s.bHolding) {
        qInstallMessageHandler(messageHandler);
        s.bHolding = false;
        s.bInstalled = true;
        QMutexLocker locker(&s.mutex);
        for (const EarlyMessage &m : s.early)
            record(s, m.type, m.time, m.function.isEmpty() ? nullptr : m.function.constData(), m.nLine, m.strMsg);
        s.early.clear();
    } else if (!s.bInstalled) {
        s.previous = qInstallMessageHandler(messageHandler);
        s.bInstalled = true;
    }
}

void CLogWriter::uninstall()
{
    LogState &s = state();
    if (!s.bInstalled && !s.bHolding)
        return;
    qInstallMessageHandler(s.previous);
    QMutexLocker locker(&s.mutex);
    s.file.close();
    s.bInstalled = false;
    s.bHolding = false;
    s.early.clear();
}

bool CLogWriter::isInstalled()
{
    return state().bInstalled;
}

void CLogWriter::setEcho(bool bEcho)
{
    QMutexLocker locker(&state().mutex);
    state().bEcho = bEcho;
}

bool CLogWriter::shouldWrite(QtMsgType type, int nLogLevel)
{
    switch (type) {
    case QtDebugMsg: return nLogLevel >= 0;
    case QtInfoMsg: return nLogLevel > 1;
    default: return true; // warnings, errors and fatal messages
    }
}

QString CLogWriter::formatLine(const QDateTime &time, const char *pFunction, int nLine, const QString &strMsg)
{
    return QString("[%1] {%2:%3} : %4\r\n")
        .arg(time.toString("yyyy-MM-dd hh:mm:ss.zzz"), pFunction ? QString(pFunction) : QString("unknown"))
        .arg(nLine)
        .arg(strMsg);
}

QString CLogWriter::plainText(const QString &strMsg)
{
    static const QRegularExpression escapes("\\x1b(\\[[\\x20-\\x3f]*[\\x40-\\x7e]?)?|[\\x00-\\x08\\x0b-\\x1f\\x7f]");
    QString strText = strMsg;
    strText.remove(escapes);
    return strText;
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
    // A message raised while writing (by Qt itself) is dropped rather than written into the line.
    static thread_local bool t_bWriting = false;
    if (t_bWriting)
        return;
    t_bWriting = true;
    LogState &s = state();
    {
        QMutexLocker locker(&s.mutex);
        record(s, type, QDateTime::currentDateTime(), context.function, context.line, strMsg);
    }
    t_bWriting = false;
}

void CLogWriter::earlyHandler(QtMsgType type, const QMessageLogContext &context, const QString &strMsg)
{
    LogState &s = state();
    QMutexLocker locker(&s.mutex);
    s.early.append({type, QDateTime::currentDateTime(), QByteArray(context.function), context.line, strMsg});
    if (s.bEcho || type == QtFatalMsg)
        toStandardError(formatLine(QDateTime::currentDateTime(), context.function, context.line, plainText(strMsg)));
}
