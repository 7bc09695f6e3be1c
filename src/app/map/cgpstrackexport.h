// "Export GPS Track" of a recording, as the record pages offer it: a save dialog,
// then the recording read on a worker thread with a progress dialog, and a prompt
// with the outcome. The Disk page and the Local page call exportTrack.
#pragma once

#include <QObject>
#include <QString>

class QWidget;

class CGpsTrackExport : public QObject
{
    Q_OBJECT
public:
    // Asks where to save the track of the recording (a "/mnt/ide" path or a file on the PC), then writes it.
    static void exportTrack(QWidget *pParent, const QString &strRecordPath);
    // The save dialog: a ".gpx" file in the record folder named after the recording; empty when cancelled.
    static QString chooseFile(QWidget *pParent, const QString &strRecordPath);
    // Writes the track with a progress dialog and reports the outcome; true when a file was written.
    static bool exportTo(QWidget *pParent, const QString &strRecordPath, const QString &strGpxPath);
};
