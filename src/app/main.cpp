// Korvane's entry: prepares Qt and the web engine's environment, settings, log,
// crash report, style sheet and translation, shows the main window, and starts
// the program again when it ends with the restart exit code.
#include "catalogue/crecordlistmanage.h"
#include "common/ccommandline.h"
#include "common/ccrashhandler.h"
#include "common/cglobalappdata.h"
#include "common/clibrarylog.h"
#include "common/clogwriter.h"
#include "common/crestarthelper.h"
#include "common/ctranslationloader.h"
#include "shell/ckorvane.h"

#include <QApplication>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QPixmap>
#include <QSplashScreen>
#include <QStandardPaths>

#include <csignal>
#include <cstdio>
#include <memory>
#include <vector>

#ifndef KORVANE_VERSION
#define KORVANE_VERSION "0.0.0"
#endif

namespace {

void prepareWebEngine()
{
    const QString strStorage = QStandardPaths::writableLocation(QStandardPaths::TempLocation) + "/QtWebEngine_AppData";
    QDir().mkpath(strStorage);
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    qputenv("QTWEBENGINE_USER_DATA_PATH", QFile::encodeName(strStorage));
}

void loadStyleSheet(QApplication &app, const QString &strAppPath)
{
    QFile file(strAppPath + "/skin/style.ss");
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return;
    QString strStyle = QString::fromUtf8(file.readAll());
    strStyle.replace("@skinpath", strAppPath + "/skin");
    app.setStyleSheet(strStyle);
}

void setApplicationFont(QApplication &app, const QString &strLanguage)
{
    QFont font = app.font();
    font.setPointSize(9);
    font.setFamily(CTranslationLoader::fontFamily(strLanguage));
    app.setFont(font);
}

std::unique_ptr<QSplashScreen> showSplash(const QString &strAppPath)
{
    const QPixmap picture(strAppPath + "/skin/icons/StartLogo.png");
    if (picture.isNull())
        return nullptr;
    auto pSplash = std::make_unique<QSplashScreen>(picture);
    pSplash->show();
    pSplash->showMessage(QCoreApplication::translate("main", "Loading"), Qt::AlignBottom | Qt::AlignLeft, Qt::white);
    QCoreApplication::processEvents();
    return pSplash;
}

int runApplication(int argc, char **argv, const CCommandLine &options)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("korvane");
    QApplication::setApplicationVersion(KORVANE_VERSION);
    QApplication::setDesktopFileName("korvane"); // the menu entry, so desktops match the window to it

    CGlobalAppData *pData = CGlobalAppData::instance();
    CLogWriter::install(pData->logLevel(), pData->logPath());
    CLibraryLog::route();
    pData->setCommandLineImages(options.images());
    pData->setScanDevices(options.scanDevices());
    pData->applyDiskImages();
    for (const QString &strLine : options.unusableImages())
        qWarning().noquote() << "Disk image skipped:" << strLine;
    // Beside the executable, or with the logs when an installed copy's folder is read-only.
    CCrashHandler::install(nullptr, pData->dataPath() + "/CrashDumpFile.dmp");

    const QString strAppPath = pData->appPath();
    loadStyleSheet(app, strAppPath);
    app.setWindowIcon(QIcon(strAppPath + "/skin/icons/logo.png"));
    CTranslationLoader translation;
    translation.install(pData->language(), pData->languageFile());
    setApplicationFont(app, pData->language());
    std::unique_ptr<QSplashScreen> pSplash = showSplash(strAppPath);
    qDebug().noquote() << "Version " + pData->version() + " BuildTime " + pData->buildTime();

    int nExitCode = 0;
    {
        // The window and its pages go first: they still use the settings while closing.
        CKorvane window;
        window.start();
        if (pSplash)
            pSplash->finish(&window);
        window.recordList()->start();
        nExitCode = app.exec();
    }
    CGlobalAppData::saveAndRelease();
    CLibraryLog::unroute();
    return nExitCode;
}

// Help, version and a wrong command line are answered before anything touches the window system.
int answerWithoutWindow(const CCommandLine &options)
{
    switch (options.action()) {
    case CCommandLine::actionHelp:
        fputs(qPrintable(CCommandLine::helpText()), stdout);
        return 0;
    case CCommandLine::actionVersion:
        fputs(qPrintable(CCommandLine::versionText()), stdout);
        return 0;
    case CCommandLine::actionError:
        fprintf(stderr, "korvane: %s\n", qPrintable(options.error()));
        return 2;
    case CCommandLine::actionRun:
        break;
    }
    return -1;
}

} // namespace

int main(int argc, char **argv)
{
    // A file-size limit makes a write fail, which every writer reports, instead of ending the program.
    std::signal(SIGXFSZ, SIG_IGN);
    QStringList args;
    for (int i = 0; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    const CCommandLine options(args);
    const int nAnswered = answerWithoutWindow(options);
    if (nAnswered >= 0)
        return nAnswered;
    // The program still starts: the Disk page lists these images with the same reason.
    for (const QString &strLine : options.unusableImages())
        fprintf(stderr, "korvane: cannot use disk image %s\n", qPrintable(strLine));

    // Until the log is open, whatever Qt says is kept for it rather than printed.
    CLogWriter::setEcho(options.verbose());
    CLogWriter::holdEarlyMessages();

    QCoreApplication::setAttribute(Qt::AA_UseSoftwareOpenGL);
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts); // the map page's web engine needs it
    QCoreApplication::setAttribute(Qt::AA_DisableHighDpiScaling);
    qputenv("QT_FONT_DPI", "96");

    // The web engine reads its switches from the command line.
    std::vector<QByteArray> arguments(argv, argv + argc);
    arguments.emplace_back("--disable-web-security");
    std::vector<char *> extended;
    for (QByteArray &argument : arguments)
        extended.push_back(argument.data());
    extended.push_back(nullptr);
    prepareWebEngine();
    QCoreApplication::setAttribute(Qt::AA_UseSoftwareOpenGL);

    const int nExitCode = runApplication(int(arguments.size()), extended.data(), options);
    if (CRestartHelper::isRestartRequested(nExitCode)) {
        QStringList restartArgs;
        for (int i = 1; i < argc; ++i)
            restartArgs << QString::fromLocal8Bit(argv[i]);
        CRestartHelper::restartIfRequested(nExitCode, QFileInfo("/proc/self/exe").canonicalFilePath(), restartArgs);
    }
    return 0;
}
