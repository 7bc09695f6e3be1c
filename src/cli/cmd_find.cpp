// korvane-cli find: the recordings of a day and channel, one per line:
// name, size in bytes and modification time, separated by tabs.
#include "cli_commands.h"
#include "cli_options.h"

#include "common/cfsfilefind.h"
#include "wfs_stream.h"

#include <QDateTime>

#include <cstdio>

namespace {
void printEntry(const CFSFileFind &find)
{
    const QString time = QDateTime::fromSecsSinceEpoch(find.GetLastWriteTime()).toString("yyyy-MM-dd hh:mm:ss");
    printf("%s\t%lld\t%s\n", find.GetFileName().toLocal8Bit().constData(), (long long)find.GetSize(),
           time.toLocal8Bit().constData());
}
} // namespace

int runFind(const CliOptions &options)
{
    if (!openDisks(options)) return 1;
    wfs_register_stream_ops();
    const std::string &pattern = options.args.front();
    CFSFileFind find;
    if (!find.FindFile(QString::fromStdString(pattern))) {
        fprintf(stderr, "korvane-cli: nothing found for %s\n", pattern.c_str());
        return 1;
    }
    do
        printEntry(find);
    while (find.FindNextFile());
    return fflush(stdout) == 0 ? 0 : 1;
}
