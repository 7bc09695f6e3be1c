// Fuzz target: the Local page's reading of an exported folder's "index.data". Whatever the lines
// say, only files inside the folder that follow the export layout may be listed.
#include "export/cexportindex.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>

#include <unistd.h>

namespace
{
// An exported folder with one recording and a link that leads out of it.
QString scratchFolder()
{
    const QString strBase = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    const QString strFolder = strBase + QString("/korvane-fuzz-local-%1").arg(getpid());
    QDir().mkpath(strFolder + "/idea0/2024-03-05/001");
    QDir().mkpath(strFolder + "/idea0/2024-03-05/002");
    QFile file(strFolder + "/idea0/2024-03-05/001/10.00.00-10.10.00[R][@1][0].h264");
    file.open(QIODevice::WriteOnly);
    QFile::link("/etc/hostname", strFolder + "/idea0/2024-03-05/002/10.00.00-10.10.00[R][@2][0].h264");
    return strFolder;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QString strFolder = scratchFolder();
    static const QString strRoot = QFileInfo(strFolder).canonicalFilePath() + "/";
    QFile index(strFolder + "/index.data");
    if (!index.open(QIODevice::WriteOnly | QIODevice::Truncate)) return 0;
    index.write(reinterpret_cast<const char *>(data), qint64(size));
    index.close();
    for (const QString &strPath : CExportIndex::read(strFolder)) {
        if (!CExportIndex::isExportPath(strPath)) __builtin_trap();
        if (!QFileInfo(strFolder + "/" + strPath).canonicalFilePath().startsWith(strRoot)) __builtin_trap();
    }
    return 0;
}
