// Runs korvane-cli on a disk image and keeps what it printed.
#pragma once

#include "wfs_test_image.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>

struct CliRun {
    int status;
    std::string out, err;
};

inline std::string slurp(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// korvane-cli COMMAND --no-devices --image IMAGE [ARG]; a run still going after a minute counts as hung
// (status 124).
inline CliRun runCli(const ScratchDir &dir, const std::string &command, const std::string &image,
                     const std::string &arg = "")
{
    std::string out = dir.file("cli.out"), err = dir.file("cli.err");
    std::string line = "timeout 60 '" KORVANE_CLI "' " + command + " --no-devices --image '" + image + "'" +
                       (arg.empty() ? "" : " '" + arg + "'") + " > '" + out + "' 2> '" + err + "'";
    int rc = system(line.c_str());
    return {WIFEXITED(rc) ? WEXITSTATUS(rc) : 128 + WTERMSIG(rc), slurp(out), slurp(err)};
}
