// What the Qt-based benchmarks share.
#pragma once

#include <QString>
#include <QtGlobal>

#include <cstdio>

// Keeps the program's debug and info lines out of the figures; warnings and errors still show.
inline void quietHandler(QtMsgType type, const QMessageLogContext &, const QString &text)
{
    if (type == QtWarningMsg || type == QtCriticalMsg || type == QtFatalMsg) fprintf(stderr, "%s\n", qPrintable(text));
}
