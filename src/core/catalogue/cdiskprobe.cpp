#include "cdiskprobe.h"

#include "wfs_device.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

bool CDiskProbe::isWholeDiskName(const QString &strName, const QString &strSysBlock)
{
    return ide_is_whole_disk_name(QFile::encodeName(strName).constData(), QFile::encodeName(strSysBlock).constData());
}

QStringList CDiskProbe::blockDevices(const QString &strSysBlock, const QString &strDev)
{
    QStringList devices;
    QStringList names = QDir(strSysBlock).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System);
    names.sort();
    for (const QString &strName : names)
        if (isWholeDiskName(strName, strSysBlock)) devices << strDev + "/" + strName;
    return devices;
}

QStringList CDiskProbe::unreadable(const QStringList &devices)
{
    QStringList refused;
    for (const QString &strDevice : devices) {
        const int fd = open(QFile::encodeName(strDevice).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
        if (fd >= 0)
            close(fd);
        else if (errno == EACCES || errno == EPERM)
            refused << strDevice;
    }
    return refused;
}
