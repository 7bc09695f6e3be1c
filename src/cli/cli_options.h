// Options shared by every korvane-cli command.
#pragma once

#include <string>
#include <vector>

struct CliOptions {
    std::vector<std::string> images;
    bool scanDevices = true;
    std::vector<std::string> args; // what is left after the shared options
};

// Parses --image FILE (repeatable) and --no-devices; false with a message on stderr when malformed.
bool parseCliOptions(int argc, char **argv, int first, CliOptions *out);
// Hands the disks to the WFS library, scans them and mounts every partition; false with a message when none is usable.
bool openDisks(const CliOptions &options);
