// GoogleTest main for end-to-end tests on an X display: the program's settings in a scratch
// application folder, and the program's own skin and style sheet, so windows look as users see them.
#include "common/cglobalappdata.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

#include <gtest/gtest.h>

namespace {
// Warnings and errors only: the program logs every export step and every second of playback.
void quietHandler(QtMsgType type, const QMessageLogContext &, const QString &text)
{
    if (type == QtDebugMsg || type == QtInfoMsg) return;
    fprintf(stderr, "%s\n", qPrintable(text));
}

void useProgramSkin(QApplication &app, const QString &strAppDir)
{
    const QString strSkin = QString(KORVANE_BIN_DIR) + "/skin";
    QFile::link(strSkin, strAppDir + "/skin");
    QFile style(strSkin + "/style.ss");
    if (style.open(QIODevice::ReadOnly | QIODevice::Text))
        app.setStyleSheet(QString::fromUtf8(style.readAll()).replace("@skinpath", strSkin));
}
} // namespace

int main(int argc, char **argv)
{
    qInstallMessageHandler(quietHandler);
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs); // tests answer Qt's own file dialog
    QApplication app(argc, argv);
    QTemporaryDir appDir;
    CGlobalAppData::setAppPathOverride(appDir.path());
    useProgramSkin(app, appDir.path());
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    CGlobalAppData::saveAndRelease();
    return result;
}
