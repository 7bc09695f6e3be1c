// What stands in the way of reading a disk image file: nothing, a missing file, a
// folder, something that is not a file, no read permission, or no WFS volume in it.
// Only ever opens the file for reading.
#pragma once

#include <QCoreApplication>
#include <QString>

class CDiskImage
{
    Q_DECLARE_TR_FUNCTIONS(CDiskImage)
public:
    enum Problem { problemNone = 0, problemMissing, problemFolder, problemNotAFile, problemUnreadable, problemNotWfs };

    static Problem check(const QString &strPath);
    // The disk layer can be offered the file (it decides itself whether it holds WFS).
    static bool isReadable(Problem problem) { return problem == problemNone || problem == problemNotWfs; }
    static QString problemText(Problem problem);
    // The file chooser's filter: raw images first, any file second.
    static QString fileFilter();
};
