// Options shared by every korvane-cli command.
#pragma once

#include <string>
#include <vector>

struct CliOptions {
    std::vector<std::string> images;
    bool scanDevices = true;
    bool verbose = false; // the library's trace and the application's debug lines on stderr
    std::vector<std::string> args; // what is left after the shared options
};

// Parses --image FILE (repeatable), --no-devices and --verbose; false with a message on stderr when malformed.
bool parseCliOptions(int argc, char **argv, int first, CliOptions *out);
// Hands the disks to the WFS library, scans them and mounts every partition; false with a message when none is usable.
bool openDisks(const CliOptions &options);
// SIGINT and SIGTERM ask a long command to cancel, as its dialog's Cancel would, instead of killing it.
void catchCancelSignals();
bool cancelRequested();
// Exit status of a cancelled command.
const int EXIT_CANCELLED = 130;
