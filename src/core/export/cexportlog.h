// The day's export log: one block per export run, appended to
// "<log folder>/ExportLog/yyyyMMdd.log", separated from the previous block by a rule.
#pragma once

#include <QCoreApplication>
#include <QDateTime>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QTime>

class CExportLog
{
    Q_DECLARE_TR_FUNCTIONS(CExportLog)

public:
    struct FileItem {
        bool bTicked = false;
        QString strChannel;
        QString strName;
    };

    // Everything one block reports.
    struct Run {
        QDateTime startTime;
        QDateTime finishTime;
        int nMode = 0;       // 0 by file, 1 by time
        int nFormat = 0;     // 0 raw, 1 MP4
        int nExportType = 0; // 0 single, 1 merge, 2 forced merge
        QString strSavePath;
        QTime rangeBegin;
        QTime rangeEnd;
        QList<QPair<int, bool>> channelFilter; // 0-based channel, ticked
        QList<FileItem> fileList;              // by file only
        QList<QStringList> results;            // columns 1 to 4 of the run's list
        QList<QPair<QString, QString>> checksums; // SHA-256, path relative to the save folder
    };

    static QString folder();
    static QString filePath(const QDate &date);
    // The block's text; bSeparated puts the rule of a later block of the day in front.
    static QString blockText(const Run &run, bool bSeparated);
    // Appends the block to the day's file; false when the file cannot be written.
    static bool append(const Run &run);
};
