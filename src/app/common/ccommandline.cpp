#include "ccommandline.h"

#include "wfs_device.h"

#include <QFile>
#include <QFileInfo>

#include <vector>

CCommandLine::CCommandLine(const QStringList &args)
{
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == "--image" && i + 1 < args.size())
            m_images << QFileInfo(args[++i]).absoluteFilePath();
        else if (args[i].startsWith("--image="))
            m_images << QFileInfo(args[i].mid(int(qstrlen("--image=")))).absoluteFilePath();
        else if (args[i] == "--no-devices")
            m_bScanDevices = false;
        else if (args[i] == "--verbose")
            m_bVerbose = true;
    }
}

void CCommandLine::applyToDiskLayer() const
{
    std::vector<QByteArray> paths;
    std::vector<const char *> pointers;
    for (const QString &strImage : m_images)
        paths.push_back(QFile::encodeName(strImage));
    for (const QByteArray &path : paths)
        pointers.push_back(path.constData());
    ide_set_images(pointers.data(), int(pointers.size()));
    ide_set_scan_devices(m_bScanDevices);
}
