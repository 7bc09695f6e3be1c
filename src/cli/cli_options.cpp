#include "cli_options.h"

#include "wfs.h"
#include "wfs_image.h"

#include <atomic>
#include <csignal>
#include <cstdio>

bool parseCliOptions(int argc, char **argv, int first, CliOptions *out)
{
    for (int i = first; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--image") {
            if (i + 1 >= argc) {
                fprintf(stderr, "korvane-cli: --image needs a file\n");
                return false;
            }
            out->images.push_back(argv[++i]);
        } else if (arg == "--no-devices") {
            out->scanDevices = false;
        } else if (arg == "--verbose") {
            out->verbose = true;
        } else {
            out->args.push_back(arg);
        }
    }
    return true;
}

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
    ide_init();
    IdeInfo info;
    if (ide_get_info(&info) == 0) {
        fprintf(stderr, "korvane-cli: no WFS disk found\n");
        return false;
    }
    int count = 0;
    wfs_file_sys_init(&count, 0);
    ide_setstabdby_multi(0xFFFFFFFF, 10);
    for (uint32_t type = 0; type < WFS_DRIVER_TYPES; ++type)
        if (wfs_pdp *work = wfs_work_driver(type)) ide_wakeup((int)work->dev);
    wfs_set_file_time_limit(86400);
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
