// The files "korvane-cli mount" shows, by where they come from. Each source adds its entries to
// the tree before the mount; a new kind of file is one more such function and, when its bytes
// are read another way, one more MountContent.
#pragma once

#include "cmd_mount_tree.h"

#include <string>

// Every recording "list" prints, at its path after "/mnt/", modified at its start, read through the
// stream layer. *listing receives the lines "list" prints.
void addDiskRecordings(MountTree *tree, std::string *listing);
// The recovered recordings under "ide<d><p>/recovered/<date>/<channel>/<name>".
void addRecoveredRecordings(MountTree *tree);
// ".korvane/info.txt" (what "info" prints) and ".korvane/recordings.tsv" (what "list" prints).
void addKorvaneTexts(MountTree *tree, const std::string &listing, int64_t mtime);
