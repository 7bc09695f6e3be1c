// The commands of korvane-cli.
#pragma once

struct CliOptions;

int runInfo(const CliOptions &options);
