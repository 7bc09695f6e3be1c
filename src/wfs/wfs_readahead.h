// Read-ahead below the block cache: a miss on one metadata block reads the
// aligned 64 KiB run around it, and the runs are kept (least recently used
// first out) so that scans of the directory and index areas of large disks
// cost a few large reads instead of one read per block. Disks are only read,
// so what is kept never goes stale while the volume stays initialised.
#pragma once

#include <cstddef>
#include <cstdint>

// Reads one block through the run cache; 0 or the device error.
int wfs_readahead_block(uint32_t dev, uint64_t block, uint8_t *dst);
// Forgets every run (a new initialisation reads the disks afresh).
void wfs_readahead_reset();
size_t wfs_readahead_runs();
