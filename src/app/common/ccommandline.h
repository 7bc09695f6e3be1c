// The program's own command-line options, as korvane-cli takes them: "--image FILE"
// (repeatable; also "--image=FILE") offers disk images before the machine's disks,
// "--no-devices" leaves the block devices alone, "--verbose" also shows the log on
// standard error. Other arguments are Qt's.
#pragma once

#include <QStringList>

class CCommandLine
{
public:
    explicit CCommandLine(const QStringList &args); // args[0] is the program

    QStringList images() const { return m_images; } // absolute paths, in the order given
    bool scanDevices() const { return m_bScanDevices; }
    bool verbose() const { return m_bVerbose; }
    // Hands the images and the device choice to the disk layer.
    void applyToDiskLayer() const;

private:
    QStringList m_images;
    bool m_bScanDevices = true;
    bool m_bVerbose = false;
};
