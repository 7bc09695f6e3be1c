#include "cdiskprobe.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

bool CDiskProbe::isWholeDiskName(const QString &strName, const QString &strSysBlock)
{
    if (strName.startsWith("sd") || strName.startsWith("vd"))
        return true;
    if (strName.startsWith("nvme"))
        return strName.indexOf('n', 4) >= 0 && strName.indexOf('p', 4) < 0;
    if (strName.startsWith("mmcblk"))
        return !strName.contains("boot") && !strName.contains("rpmb");
    if (strName.startsWith("loop"))
        return QFileInfo::exists(strSysBlock + "/" + strName + "/loop/backing_file");
    return false;
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
