#include "cexportlog.h"

#include "common/cglobalappdata.h"
#include "common/crecordname.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QTextStream>

namespace {
const char *const TIME_FORMAT = "yyyy-MM-dd HH:mm:ss";

QString resultLine(const QString &a, const QString &b, const QString &c, const QString &d)
{
    return QString("%1\t%2\t%3\t%4\n").arg(a, -10).arg(b, -40).arg(c, -25).arg(d);
}
} // namespace

QString CExportLog::folder()
{
    return CGlobalAppData::instance()->logPath() + "/ExportLog";
}

QString CExportLog::filePath(const QDate &date)
{
    return folder() + "/" + date.toString("yyyyMMdd") + ".log";
}

QString CExportLog::blockText(const Run &run, bool bSeparated)
{
    static const char *const types[] = {"Single", "Merge", "Forced Merge"};
    QString text;
    if (bSeparated) text += "\n" + QString(64, '=') + "\n\n";
    text += "Start Time: " + run.startTime.toString(TIME_FORMAT) + "\n";
    text += "Finish Time: " + run.finishTime.toString(TIME_FORMAT) + "\n";
    text += QString("Export Mode: ") + (run.nMode == 1 ? "Time Mode" : "File Mode") + "\n";
    text += QString("Export Format: ") + (run.nFormat == 1 ? "MP4" : "H264") + "\n";
    text += QString("Export Type: ") + types[qBound(0, run.nExportType, 2)] + "\n";
    text += "Save Path: " + run.strSavePath + "\n";
    if (run.nMode == 1)
        text += "Time Range: " + run.rangeBegin.toString("hh:mm:ss") + " ~ " + run.rangeEnd.toString("hh:mm:ss") + "\n";
    text += "--- Channel Filter ---\n";
    for (const auto &channel : run.channelFilter)
        text += "  CH " + CRecordName::channelLabel(channel.first) + ": " + (channel.second ? "ON" : "OFF") + "\n";
    if (run.nMode != 1) {
        text += "--- File List ---\n";
        for (const FileItem &item : run.fileList)
            text += QString("  ") + (item.bTicked ? "[v]" : "[ ]") + " " + item.strChannel + "  " + item.strName + "\n";
    }
    text += "--- Export Result ---\n";
    text += resultLine(tr("Channel"), tr("File Name"), tr("Status"), tr("Export Path"));
    text += QString(60, '-') + "\n";
    for (const QStringList &row : run.results)
        text += resultLine(row.value(0), row.value(1), row.value(2), row.value(3));
    text += "--- SHA-256 ---\n";
    for (const auto &sum : run.checksums) text += sum.first + "  " + sum.second + "\n";
    return text;
}

bool CExportLog::append(const Run &run)
{
    if (!QDir().mkpath(folder())) {
        qWarning().noquote() << "Cannot create folder" << folder();
        return false;
    }
    QFile file(filePath(QDate::currentDate()));
    const bool bExisted = file.exists();
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text)) {
        qWarning().noquote() << "Cannot write the export log" << file.fileName();
        return false;
    }
    QTextStream stream(&file);
    stream.setCodec("UTF-8");
    stream << blockText(run, bExisted);
    stream.flush();
    return stream.status() == QTextStream::Ok && file.error() == QFile::NoError;
}
