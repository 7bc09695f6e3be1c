// The machine's whole-disk block devices, as the disk layer looks for them (sd*, vd*,
// nvme*n*, mmcblk*, loop devices with a backing file), and those of them that exist but
// cannot be opened for reading, so the Disk page can say why it found nothing.
#pragma once

#include <QString>
#include <QStringList>

class CDiskProbe
{
public:
    static bool isWholeDiskName(const QString &strName, const QString &strSysBlock = "/sys/block");
    // "/dev/<name>" of every whole disk listed in strSysBlock, sorted by name.
    static QStringList blockDevices(const QString &strSysBlock = "/sys/block", const QString &strDev = "/dev");
    // The devices that exist but refuse to be opened for reading (no permission).
    static QStringList unreadable(const QStringList &devices);
};
