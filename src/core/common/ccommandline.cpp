#include "ccommandline.h"

#include "common/cdiskimage.h"
#include "common/cglobalappdata.h"
#include "wfs_device.h"

#include <QFile>
#include <QFileInfo>

#include <vector>

namespace {

// Options of QGuiApplication, QApplication and the X11 platform, which Qt takes out of the
// arguments itself; Qt accepts them with one dash or two.
const QStringList qtOptionsWithValue = {"platform", "platformpluginpath", "platformtheme", "plugin",
                                        "qwindowgeometry", "qwindowicon", "qwindowtitle", "session",
                                        "display", "geometry", "style", "stylesheet"};
const QStringList qtFlags = {"reverse", "widgetcount", "nograb", "dograb", "sync", "qmljsdebugger"};

bool isQtOption(const QStringList &args, int &i)
{
    QString strName = args[i].mid(args[i].startsWith("--") ? 2 : 1);
    const bool bInlineValue = strName.contains('=');
    strName = strName.section('=', 0, 0);
    if (qtFlags.contains(strName)) return true;
    if (!qtOptionsWithValue.contains(strName)) return false;
    if (!bInlineValue && i + 1 < args.size()) ++i;
    return true;
}

} // namespace

CCommandLine::CCommandLine(const QStringList &args)
{
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == "--help" || args[i] == "-h") {
            m_action = actionHelp;
            return;
        }
        if (args[i] == "--version") {
            m_action = actionVersion;
            return;
        }
    }
    for (int i = 1; i < args.size() && m_action == actionRun; ++i) {
        if (!takeOption(args, i) && !isQtOption(args, i))
            fail(QString("unknown option %1 (see korvane --help)").arg(args[i]));
    }
}

bool CCommandLine::takeOption(const QStringList &args, int &i)
{
    const QString &strArg = args[i];
    if (!strArg.startsWith('-') || strArg == "-") {
        m_images << QFileInfo(strArg).absoluteFilePath(); // a file, as "korvane %F" passes it
        return true;
    }
    const QString strName = strArg.section('=', 0, 0);
    const bool bInlineValue = strArg.startsWith("--") && strArg.contains('=');
    if (strName != "--image" && strName != "--no-devices" && strName != "--verbose")
        return false;
    if (strName != "--image") {
        if (bInlineValue)
            fail(strName + " takes no value");
        else if (m_given.contains(strName))
            fail(strName + " given twice");
        m_given << strName;
        if (strName == "--verbose")
            m_bVerbose = true;
        else
            m_bScanDevices = false;
        return true;
    }
    QString strValue = strArg.section('=', 1);
    if (!bInlineValue) {
        // An option right after --image means its file was forgotten.
        if (i + 1 >= args.size() || args[i + 1].startsWith("--")) {
            fail("--image needs a file");
            return true;
        }
        strValue = args[++i];
    }
    if (strValue.isEmpty())
        fail("--image needs a file");
    else
        m_images << QFileInfo(strValue).absoluteFilePath();
    return true;
}

void CCommandLine::fail(const QString &strError)
{
    if (m_action == actionError) return; // the first fault is the one named
    m_action = actionError;
    m_strError = strError;
}

QString CCommandLine::helpText()
{
    // Printed before any translation is loaded.
    return QStringLiteral(
        "Usage: korvane [OPTION]... [IMAGE]...\n"
        "Shows, plays and exports the recordings on the disks of video recorders (WFS file system).\n"
        "It never writes to a recorder disk.\n"
        "\n"
        "  --image FILE   offer the disk image FILE before the machine's disks (repeatable;\n"
        "                 also --image=FILE; an IMAGE named without option is the same)\n"
        "  --no-devices   leave the machine's block devices alone\n"
        "  --verbose      also show the log's lines on standard error\n"
        "  -h, --help     show this text\n"
        "  --version      show the version and the build date\n"
        "\n"
        "Qt's own options (-platform, -style, -reverse, ...) are passed on to Qt; switches for the\n"
        "map's web engine go into the environment variable QTWEBENGINE_CHROMIUM_FLAGS.\n"
        "Settings and logs: ~/.config/korvane/Config.ini and ~/.local/share/korvane/Log, or beside\n"
        "the program when it runs from a folder of its own that it may write to.\n"
        "The manual page korvane(1) tells more.\n");
}

QString CCommandLine::versionText()
{
    return QString("korvane %1, built %2\n").arg(CGlobalAppData::versionText(), CGlobalAppData::buildText());
}

QStringList CCommandLine::unusableImages() const
{
    QStringList lines;
    for (const QString &strImage : m_images) {
        const CDiskImage::Problem problem = CDiskImage::check(strImage);
        if (!CDiskImage::isReadable(problem))
            lines << QString("%1: %2").arg(strImage, CDiskImage::problemText(problem));
    }
    return lines;
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
