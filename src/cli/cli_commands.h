// The commands of korvane-cli.
#pragma once

struct CliOptions;

int runInfo(const CliOptions &options);
int runList(const CliOptions &options);
int runCat(const CliOptions &options);
int runFind(const CliOptions &options);
int runProbe(const CliOptions &options);
int runConvert(const CliOptions &options);
int runExport(const CliOptions &options);
int runCut(const CliOptions &options);
int runGps(const CliOptions &options);
int runRecover(const CliOptions &options);
