#include "cdiskimage.h"

#include "wfs_device.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

CDiskImage::Problem CDiskImage::check(const QString &strPath)
{
    const QFileInfo info(strPath);
    if (strPath.isEmpty() || !info.exists())
        return problemMissing;
    if (info.isDir())
        return problemFolder;
    struct stat st;
    const QByteArray path = QFile::encodeName(strPath);
    if (stat(path.constData(), &st) != 0 || !(S_ISREG(st.st_mode) || S_ISBLK(st.st_mode)))
        return problemNotAFile;
    const int fd = open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT ? problemMissing : problemUnreadable;
    const bool bWfs = checkMagicByHandle(fd);
    close(fd);
    return bWfs ? problemNone : problemNotWfs;
}

QString CDiskImage::problemText(Problem problem)
{
    switch (problem) {
    case problemNone: return QString();
    case problemMissing: return tr("The file does not exist.");
    case problemFolder: return tr("This is a folder, not a disk image file.");
    case problemNotAFile: return tr("This is not a disk image file.");
    case problemUnreadable: return tr("The file cannot be opened for reading (no permission).");
    case problemNotWfs: return tr("No recorder disk (WFS) was found in the file.");
    }
    return QString();
}

QString CDiskImage::fileFilter()
{
    return tr("Disk images (*.img *.dd *.001 *.raw *.bin);;All files (*)");
}
