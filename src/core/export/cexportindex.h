// "index.data" of an export folder, as the Local page and the day model read it back: one relative
// path a line ("ide<d><p>[/recovered]/<yyyy-mm-dd>/<channel from 001>/<name>"). Whatever the lines
// say, only files inside the folder that follow the export layout are given out.
#pragma once

#include <QString>
#include <QStringList>

class CExportIndex
{
public:
    static constexpr int MAX_LINE = 1024; // longer index lines are no paths of an export

    // The listed files that exist inside strFolder, sorted, each once.
    static QStringList read(const QString &strFolder);
    static bool isExportPath(const QString &strRelative);
};
