#include "cexportindex.h"

#include "common/crecordname.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace {
// One line of the index, at most nMax bytes; a longer line is read past and given as empty.
QByteArray readLine(QFile &file, int nMax)
{
    QByteArray line = file.readLine(nMax + 2);
    const bool bTooLong = !line.endsWith('\n') && !file.atEnd();
    while (bTooLong && !file.atEnd() && !file.readLine(4096).endsWith('\n')) {
    }
    return bTooLong ? QByteArray() : line;
}
} // namespace

bool CExportIndex::isExportPath(const QString &strRelative)
{
    static const QRegularExpression layout("^ide[a-z][0-9]/(recovered/)?\\d{4}-\\d{2}-\\d{2}/\\d{3}/[^/]+$");
    const CRecordName name(strRelative);
    return layout.match(strRelative).hasMatch() && name.hasFolders() && name.fileName() != "." &&
           name.fileName() != "..";
}

QStringList CExportIndex::read(const QString &strFolder)
{
    QStringList paths;
    QFile index(strFolder + "/index.data");
    if (!index.open(QIODevice::ReadOnly)) return paths;
    const QString strRoot = QFileInfo(strFolder).canonicalFilePath() + "/";
    while (!index.atEnd()) {
        QString strLine = QString::fromLocal8Bit(readLine(index, MAX_LINE));
        while (strLine.endsWith('\n') || strLine.endsWith('\r')) strLine.chop(1);
        if (!isExportPath(strLine)) continue;
        // Only files inside the folder, also when a link points elsewhere.
        const QFileInfo file(strFolder + "/" + strLine);
        if (!file.isFile() || !file.canonicalFilePath().startsWith(strRoot)) continue;
        paths.append(strLine);
    }
    paths.sort();
    paths.removeDuplicates();
    return paths;
}
