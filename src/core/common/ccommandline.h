// The program's own command-line options: "--image FILE" (repeatable; also "--image=FILE",
// and a file named without option, as a file manager passes it) offers disk images before
// the machine's disks, "--no-devices" leaves the block devices alone, "--verbose" also
// shows the log on standard error, "--help" and "--version" are answered without a window.
// Qt's own options (-platform, -style, ...) are left to Qt; anything else is an error.
#pragma once

#include <QStringList>

class CCommandLine
{
public:
    enum Action { actionRun, actionHelp, actionVersion, actionError };

    explicit CCommandLine(const QStringList &args); // args[0] is the program

    Action action() const { return m_action; }
    // One line naming the option at fault, for actionError.
    QString error() const { return m_strError; }
    static QString helpText();
    static QString versionText();

    QStringList images() const { return m_images; } // absolute paths, in the order given
    bool scanDevices() const { return m_bScanDevices; }
    bool verbose() const { return m_bVerbose; }
    // The images given that cannot be read at all (missing, a folder, not a file, no
    // permission), each as "path: what is wrong".
    QStringList unusableImages() const;
    // Hands the images and the device choice to the disk layer.
    void applyToDiskLayer() const;

private:
    bool takeOption(const QStringList &args, int &i);
    void fail(const QString &strError);

    Action m_action = actionRun;
    QString m_strError;
    QStringList m_images;
    QStringList m_given; // options seen, to refuse one given twice
    bool m_bScanDevices = true;
    bool m_bVerbose = false;
};
