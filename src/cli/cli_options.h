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

// An option a command accepts.
struct CliOption {
    const char *name; // "--format"
    bool takesValue;  // "--format N" or "--format=N"
    bool repeatable;  // may be given more than once
};

// Parses argv[first..] against the options the command accepts. --image FILE (repeatable),
// --no-devices and --verbose fill their fields when accepted; the command's other options (as
// "--name" "value", also when given as "--name=value") and its arguments stay in args, in order.
// False with a one-line message on stderr for an option the command does not take, one given
// twice, or one without its value.
bool parseCliOptions(int argc, char **argv, int first, const std::vector<CliOption> &accepted,
                     CliOptions *out);
// Hands the disks to the WFS library, scans them and mounts every partition; false with a message when none is usable.
bool openDisks(const CliOptions &options);
// SIGINT and SIGTERM ask a long command to cancel, as its dialog's Cancel would, instead of killing it.
void catchCancelSignals();
bool cancelRequested();
// Exit status of a cancelled command.
const int EXIT_CANCELLED = 130;
