// The commands of korvane-cli.
#pragma once

#include "catalogue/crecordloader.h"

#include <cstdio>

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
int runMount(const CliOptions &options);

// What "info" prints about the disks the library holds.
void writeInfo(FILE *out);
// The path "list" prints for a record of the catalogue and its file name.
QString listedPath(const wfs_file_info_v2 &record, const QString &fileName);
// The lines "list" prints for a batch of the catalogue loader.
void writeListLines(FILE *out, const RecordPairs &pairs, const QVector<wfs_file_info_v2> &records);
