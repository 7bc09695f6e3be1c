#include "cli_options.h"

#include "wfs.h"
#include "wfs_image.h"

#include <algorithm>
#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <set>
#include <unistd.h>

bool parseCliOptions(int argc, char **argv, int first, const std::vector<CliOption> &accepted,
                     CliOptions *out)
{
    std::set<std::string> seen;
    for (int i = first; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg.size() < 2 || arg[0] != '-') {
            out->args.push_back(arg);
            continue;
        }
        std::string value;
        const size_t equals = arg.find('=');
        const bool inlineValue = arg.compare(0, 2, "--") == 0 && equals != std::string::npos;
        if (inlineValue) {
            value = arg.substr(equals + 1);
            arg.erase(equals);
        }
        const auto known = std::find_if(accepted.begin(), accepted.end(),
                                        [&](const CliOption &option) { return arg == option.name; });
        if (known == accepted.end()) {
            fprintf(stderr, "korvane-cli: unknown option %s (see korvane-cli --help)\n", arg.c_str());
            return false;
        }
        if (!known->repeatable && !seen.insert(arg).second) {
            fprintf(stderr, "korvane-cli: %s given twice\n", arg.c_str());
            return false;
        }
        if (!known->takesValue && inlineValue) {
            fprintf(stderr, "korvane-cli: %s takes no value\n", arg.c_str());
            return false;
        }
        if (known->takesValue && !inlineValue) {
            // An option right after one that needs a value means the value was forgotten.
            if (i + 1 >= argc || strncmp(argv[i + 1], "--", 2) == 0) {
                fprintf(stderr, "korvane-cli: %s needs a value\n", arg.c_str());
                return false;
            }
            value = argv[++i];
        }
        if (known->takesValue && value.empty()) {
            fprintf(stderr, "korvane-cli: %s needs a value\n", arg.c_str());
            return false;
        }
        if (arg == "--image") {
            out->images.push_back(value);
        } else if (arg == "--no-devices") {
            out->scanDevices = false;
        } else if (arg == "--verbose") {
            out->verbose = true;
        } else {
            out->args.push_back(arg);
            if (known->takesValue) out->args.push_back(value);
        }
    }
    return true;
}

namespace {
const int STANDBY_MINUTES = 10;
const uint32_t FILE_TIME_LIMIT = 86400; // the longest span of a recording
} // namespace

bool openDisks(const CliOptions &options)
{
    std::vector<const char *> paths;
    for (const std::string &image : options.images) {
        char why[600] = "";
        wfs_image *drive = wfs_image_open(image.c_str(), why, sizeof why);
        if (!drive) {
            fprintf(stderr, "korvane-cli: cannot open image %s: %s\n", image.c_str(), why);
            return false;
        }
        wfs_image_close(drive);
        paths.push_back(image.c_str());
    }
    wfs_set_console(stderr);
    if (options.verbose) wfs_set_debug_hook([](const char *line) { fputs(line, stderr); });
    ide_set_images(paths.data(), (int)paths.size());
    ide_set_scan_devices(options.scanDevices);
    if (wfs_bring_up(STANDBY_MINUTES, FILE_TIME_LIMIT) == 0) {
        fprintf(stderr, "korvane-cli: no WFS disk found\n");
        return false;
    }
    return true;
}

namespace {
std::atomic<bool> g_cancelRequested{false};

void onCancelSignal(int)
{
    g_cancelRequested = true;
}
} // namespace

void catchCancelSignals()
{
    std::signal(SIGINT, onCancelSignal);
    std::signal(SIGTERM, onCancelSignal);
}

bool cancelRequested()
{
    return g_cancelRequested;
}
