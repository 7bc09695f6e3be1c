// korvane-cli: the headless front end to recorder disks.
#include "cli_commands.h"
#include "cli_options.h"

#include <cstdio>
#include <cstring>

namespace {
void usage()
{
    fprintf(stderr, "usage: korvane-cli info [--image FILE]... [--no-devices]\n");
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
    if (strcmp(argv[1], "info") == 0 && options.args.empty()) return runInfo(options);
    usage();
    return 2;
}
