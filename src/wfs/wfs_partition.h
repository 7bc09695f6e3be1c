// Volume header, partition table, key parameters and partition parameter blocks.
#pragma once

#include "wfs_types.h"

enum { WFS_VER_OK = 1, WFS_VER_NO_MATCH = 3, WFS_VER_UNREADABLE = 5 };

int check_disk_ver(uint32_t disk_no, int *ver);
uint32_t wfs_read_partitions(uint32_t disk_no, wfs_part_entry *entries, int count);
int load_part_key_param(uint32_t disk_no, uint32_t part, uint64_t start);
int32_t get_key_param_ver(uint32_t disk_no, uint32_t part);
wfs_pdp *fill_driver_param(uint32_t disk_no, uint32_t part, uint64_t start);
int save_pdp(wfs_pdp *pdp);

// key_param_offset entry of a partition, as read from the volume header.
uint32_t wfs_key_param_offset(uint32_t disk_no, uint32_t part);
// The in-memory key-parameter copy (512 bytes) of a partition, or none out of range.
uint8_t *wfs_key_param_copy(uint32_t disk_no, uint32_t part);
void wfs_clear_key_params();
// Turns a "WFS0.3" header into "WFS0.4" in the cache; true when it did.
bool wfs_convert_old_volume(uint32_t disk_no);
// The user-data parameters a converted volume's partitions receive.
void wfs_apply_converted_ud_params(wfs_pdp *pdp);
