// korvane-cli: the headless front end to recorder disks.
#include "cli_commands.h"
#include "cli_options.h"

#include <QLoggingCategory>
#include <QString>
#include <QtGlobal>

#include <cstdio>
#include <cstring>

namespace {
void usage()
{
    fprintf(stderr, "usage: korvane-cli info [--image FILE]... [--no-devices] [--verbose]\n"
                    "       korvane-cli list [--image FILE]... [--no-devices] [--format N]\n"
                    "       korvane-cli cat [--image FILE]... [--no-devices] PATH\n"
                    "       korvane-cli find [--image FILE]... [--no-devices] PATTERN\n"
                    "       korvane-cli probe FILE\n"
                    "       korvane-cli convert SRC DST\n"
                    "       korvane-cli export [--image FILE]... [--no-devices] --to DIR [--time HH:MM:SS-HH:MM:SS]\n"
                    "                          [--channels N[,N]...] [--merge | --forced-merge] [--mp4] NODE\n"
                    "       korvane-cli cut [--to DIR] [--mp4] --time HH:MM:SS-HH:MM:SS FILE\n"
                    "       korvane-cli gps [--image FILE]... [--no-devices] [--format gpx|csv] [--datum wgs84|gcj02|bd09] PATH\n");
}

bool g_verbose = false;

// Standard output carries data only: the application's lines go to stderr, debug lines only when asked for.
void messageToStderr(QtMsgType type, const QMessageLogContext &, const QString &text)
{
    if ((type == QtDebugMsg || type == QtInfoMsg) && !g_verbose) return;
    fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
}
} // namespace

int main(int argc, char **argv)
{
    if (argc < 2) {
        usage();
        return 2;
    }
    CliOptions options;
    if (!parseCliOptions(argc, argv, 2, &options)) return 2;
    g_verbose = options.verbose;
    qInstallMessageHandler(messageToStderr);
    if (!g_verbose) QLoggingCategory::setFilterRules("korvane.*.debug=false\nkorvane.*.info=false");
    if (strcmp(argv[1], "info") == 0 && options.args.empty()) return runInfo(options);
    if (strcmp(argv[1], "list") == 0) return runList(options);
    if (strcmp(argv[1], "cat") == 0 && options.args.size() == 1) return runCat(options);
    if (strcmp(argv[1], "find") == 0 && options.args.size() == 1) return runFind(options);
    if (strcmp(argv[1], "probe") == 0 && options.args.size() == 1) return runProbe(options);
    if (strcmp(argv[1], "convert") == 0 && options.args.size() == 2) return runConvert(options);
    if (strcmp(argv[1], "export") == 0) return runExport(options);
    if (strcmp(argv[1], "cut") == 0) return runCut(options);
    if (strcmp(argv[1], "gps") == 0) return runGps(options);
    usage();
    return 2;
}
