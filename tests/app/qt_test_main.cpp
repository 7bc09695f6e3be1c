// GoogleTest main for widget tests: an off-screen QApplication for the whole run
// and the program's settings object in a scratch application folder.
// Debug and info lines (the catalogue logs every recording) stay out of the output,
// and so do the off-screen platform's notes on what it cannot do with windows.
#include <gtest/gtest.h>

#include "common/cglobalappdata.h"

#include <QApplication>
#include <QTemporaryDir>

#include <cstdio>

namespace {
void quietHandler(QtMsgType type, const QMessageLogContext &, const QString &text)
{
    if (type == QtDebugMsg || type == QtInfoMsg || text.startsWith("This plugin does not support")) return;
    fprintf(stderr, "%s\n", qPrintable(text));
}
} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quietHandler);
    QApplication app(argc, argv);
    // Settings and Backup folders of the run go to a scratch folder.
    QTemporaryDir appDir;
    CGlobalAppData::setAppPathOverride(appDir.path());
    ::testing::InitGoogleTest(&argc, argv);
    int result = RUN_ALL_TESTS();
    CGlobalAppData::saveAndRelease();
    return result;
}
