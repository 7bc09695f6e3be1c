// korvane-cli: the headless front end to recorder disks.
#include "cli_commands.h"
#include "cli_options.h"

#include "common/cdiskimage.h"
#include "common/cglobalappdata.h"

#include <QCoreApplication>
#include <QLoggingCategory>
#include <QString>
#include <QtGlobal>

#include <csignal>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

const int EXIT_USAGE = 2;

struct Command {
    const char *name;
    int (*run)(const CliOptions &);
    std::vector<CliOption> options; // besides --verbose, which every command takes
    const char *usage;              // what follows "korvane-cli NAME"
    const char *summary;
    // Arguments besides options; the commands with options of their own check theirs.
    size_t minArgs, maxArgs;
};

const CliOption optImage{"--image", true, true};
const CliOption optNoDevices{"--no-devices", false, false};
const size_t unlimited = size_t(-1);

const std::vector<Command> &commands()
{
    static const std::vector<Command> table = {
        {"info", runInfo, {optImage, optNoDevices}, "[--image FILE]... [--no-devices]",
         "the disks found and, per partition, its type, time ranges and space", 0, 0},
        {"list", runList, {optImage, optNoDevices, {"--format", true, false}},
         "[--image FILE]... [--no-devices] [--format N]",
         "every recording: path, start, end, size in KiB (stream type N, 0 = main stream)", 0, unlimited},
        {"cat", runCat, {optImage, optNoDevices}, "[--image FILE]... [--no-devices] PATH",
         "the bytes of the recording PATH on standard output", 1, 1},
        {"recover", runRecover, {optImage, optNoDevices}, "[--image FILE]... [--no-devices]",
         "what the disk still holds but no listing reaches: path, start, end, size in KiB, kind", 0, 0},
        {"find", runFind, {optImage, optNoDevices}, "[--image FILE]... [--no-devices] PATTERN",
         "a day and channel of a partition, as the recorder lists it", 1, 1},
        {"probe", runProbe, {}, "FILE", "the frames of a recording saved on this computer", 1, 1},
        {"convert", runConvert, {}, "SRC DST", "a recording saved on this computer as MP4", 2, 2},
        {"export", runExport,
         {optImage, optNoDevices, {"--to", true, false}, {"--time", true, false}, {"--channels", true, false},
          {"--merge", false, false}, {"--forced-merge", false, false}, {"--mp4", false, false},
          {"--overwrite", false, false}},
         "[--image FILE]... [--no-devices] --to DIR [--time HH:MM:SS-HH:MM:SS]\n"
         "                          [--channels N[,N]...] [--merge | --forced-merge] [--mp4] [--overwrite] NODE",
         "the recordings under a disk, partition, day, channel or recording into DIR", 0, unlimited},
        {"cut", runCut, {{"--to", true, false}, {"--time", true, false}, {"--mp4", false, false}},
         "[--to DIR] [--mp4] --time HH:MM:SS-HH:MM:SS FILE", "a time range of an exported recording", 0, unlimited},
        {"gps", runGps, {optImage, optNoDevices, {"--format", true, false}, {"--datum", true, false}},
         "[--image FILE]... [--no-devices] [--format gpx|csv] [--datum wgs84|gcj02|bd09] PATH",
         "the GPS positions of a recording as GPX or CSV", 0, unlimited},
        {"mount", runMount,
         {optImage, optNoDevices, {"--foreground", false, false}, {"--allow-other", false, false}},
         "[--image FILE]... [--no-devices] [--foreground] [--allow-other] MOUNTPOINT",
         "the recordings as a read-only folder tree at MOUNTPOINT, until unmounted", 1, 3},
    };
    return table;
}

const Command *findCommand(const char *name)
{
    for (const Command &command : commands())
        if (strcmp(command.name, name) == 0) return &command;
    return nullptr;
}

void printUsageLines(FILE *out)
{
    const char *prefix = "usage: ";
    for (const Command &command : commands()) {
        fprintf(out, "%skorvane-cli %s %s\n", prefix, command.name, command.usage);
        prefix = "       ";
    }
}

void printHelp()
{
    printf("Reads the disks of video recorders (WFS file system) and their recordings, without a window.\n"
           "It never writes to a recorder disk.\n\n");
    printUsageLines(stdout);
    printf("       korvane-cli --help | --version\n\nCommands:\n");
    for (const Command &command : commands())
        printf("  %-8s %s\n", command.name, command.summary);
    printf("\nOptions:\n"
           "  --image FILE   read the disk image FILE before the machine's disks (repeatable; also --image=FILE)\n"
           "  --no-devices   leave the machine's block devices alone\n"
           "  --verbose      the library's trace and debug lines on standard error (every command)\n"
           "  -h, --help     show this text\n"
           "  --version      show the version and the build date\n\n"
           "Recording paths look like /mnt/idea0/2024-03-05/000/10.15.00-10.45.00[R][@1a2b][0].h264;\n"
           "\"korvane-cli list\" prints them, \"korvane-cli recover\" the recovered ones under\n"
           "/mnt/idea0/recovered/. Exit status: 0 done, 1 failed, 2 wrong command line,\n"
           "130 cancelled. The manual page korvane-cli(1) tells more.\n");
}

void printVersion()
{
    printf("korvane-cli %s, built %s\n", qPrintable(CGlobalAppData::versionText()),
           qPrintable(CGlobalAppData::buildText()));
}

bool accepts(const Command &command, const char *option)
{
    return std::any_of(command.options.begin(), command.options.end(),
                       [&](const CliOption &accepted) { return strcmp(accepted.name, option) == 0; });
}

// Images the disk layer could not even open: named with the reason, before any disk is read.
bool imagesUsable(const CliOptions &options)
{
    for (const std::string &image : options.images) {
        const CDiskImage::Problem problem = CDiskImage::check(QString::fromLocal8Bit(image.c_str()));
        if (CDiskImage::isReadable(problem)) continue;
        fprintf(stderr, "korvane-cli: cannot use disk image %s: %s\n", image.c_str(),
                qPrintable(CDiskImage::problemText(problem)));
        return false;
    }
    return true;
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
    // A file-size limit makes a write fail, which every writer reports, instead of ending the program.
    std::signal(SIGXFSZ, SIG_IGN);
    // Settings the commands read (the cut's default folder) are the desktop program's.
    QCoreApplication::setApplicationName("korvane");
    for (int i = 1; i < argc; ++i) {
        if (strcmp(argv[i], "--help") == 0 || strcmp(argv[i], "-h") == 0) {
            printHelp();
            return 0;
        }
        if (strcmp(argv[i], "--version") == 0) {
            printVersion();
            return 0;
        }
    }
    if (argc < 2) {
        printUsageLines(stderr);
        return EXIT_USAGE;
    }
    const Command *command = findCommand(argv[1]);
    if (!command) {
        if (argv[1][0] == '-')
            fprintf(stderr, "korvane-cli: the command comes first, before %s (see korvane-cli --help)\n", argv[1]);
        else
            fprintf(stderr, "korvane-cli: unknown command %s (see korvane-cli --help)\n", argv[1]);
        return EXIT_USAGE;
    }
    std::vector<CliOption> accepted = command->options;
    accepted.push_back({"--verbose", false, false});
    CliOptions options;
    if (!parseCliOptions(argc, argv, 2, accepted, &options)) return EXIT_USAGE;
    if (options.args.size() < command->minArgs || options.args.size() > command->maxArgs) {
        fprintf(stderr, "usage: korvane-cli %s %s\n", command->name, command->usage);
        return EXIT_USAGE;
    }
    if (accepts(*command, "--image") && !imagesUsable(options)) return 1;
    g_verbose = options.verbose;
    qInstallMessageHandler(messageToStderr);
    if (!g_verbose) QLoggingCategory::setFilterRules("korvane.*.debug=false\nkorvane.*.info=false");
    return command->run(options);
}
