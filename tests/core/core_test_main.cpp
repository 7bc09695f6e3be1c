// GoogleTest main of the core tests: a QCoreApplication named like the program (no widgets,
// no display), XDG folders and the program's application folder inside a temporary folder so
// no test touches the user's, and the log's debug lines kept out of the output.
#include "common/cglobalappdata.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <cstdio>

#include <gtest/gtest.h>

namespace {
void quietHandler(QtMsgType type, const QMessageLogContext &, const QString &text)
{
    if (type == QtDebugMsg || type == QtInfoMsg) return;
    fprintf(stderr, "%s\n", qPrintable(text));
}
} // namespace

int main(int argc, char **argv)
{
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toLocal8Bit());
    qputenv("XDG_DATA_HOME", (home.path() + "/data").toLocal8Bit());
    qInstallMessageHandler(quietHandler);
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("korvane");
    QTemporaryDir appDir;
    CGlobalAppData::setAppPathOverride(appDir.path());
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    CGlobalAppData::saveAndRelease();
    return result;
}
