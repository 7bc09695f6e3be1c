// GoogleTest main for widget tests: an off-screen QApplication for the whole run.
// Debug and info lines (the catalogue logs every recording) stay out of the output,
// and so does the off-screen platform's note that it cannot fade windows.
#include <gtest/gtest.h>

#include <QApplication>

#include <cstdio>

namespace {
void quietHandler(QtMsgType type, const QMessageLogContext &, const QString &text)
{
    if (type == QtDebugMsg || type == QtInfoMsg || text.contains("does not support setting window opacity")) return;
    fprintf(stderr, "%s\n", qPrintable(text));
}
} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quietHandler);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
