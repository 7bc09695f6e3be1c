// Bringing the library up over the disks found: mounting partitions into the
// driver slots, work rings, time sections and the partition information record.
#pragma once

#include "wfs_types.h"

// The record the application reads about one partition.
struct wfs_driver_info {
    uint32_t driver_type;
    uint32_t is_work_driver;
    uint32_t section_count;
    uint32_t start_time;  // range at or after the write head
    uint32_t end_time;
    uint32_t reserved;
    uint32_t start_time2; // range below the write head
    uint32_t end_time2;
    uint32_t total_mib;
    uint32_t free_mib;
    uint32_t err_status;
    uint32_t port_index;
};

uint32_t wfs_file_sys_init(int *count, uint32_t reference_time);
// What every program does before it lists or reads: scans the drives (ide_init), mounts every
// WFS partition, sets the drives' standby time, wakes the drives that hold a work partition and
// sets the longest span of a recording. Returns the number of WFS disks found.
uint32_t wfs_bring_up(int standby_minutes, uint32_t file_time_limit_seconds);
int wfs_fs_mount(uint32_t disk, uint32_t part);
int wfs_fs_umount(uint32_t disk, uint32_t part);
wfs_pdp *get_pdp(uint32_t disk, uint32_t part);
void g_fs_change();
uint32_t wfs_build_time_sections(wfs_pdp *pdp);
uint32_t wfs_get_driver_info(uint32_t disk, uint32_t part, wfs_driver_info *out);
uint32_t wfs_set_file_time_limit(uint32_t seconds);
void wfs_print_drivers();

// Repair of the newest directory entries after an unclean stop of the recorder.
uint32_t restore_fs41(wfs_pdp *pdp);
// Brings the section holding the write head up to date.
void wfs_refresh_live_section(wfs_pdp *pdp);
bool wfs_section_valid(const wfs_pdp *pdp, int j);

wfs_pdp *wfs_driver_slot(int i);
wfs_pdp *wfs_work_driver(uint32_t type);
uint32_t wfs_type_count(uint32_t type);
IdeInfo *wfs_ide_info();
uint64_t wfs_real_capacity(uint32_t disk);
uint32_t wfs_fs_generation();
uint32_t wfs_file_time_limit_ms();
uint32_t wfs_reference_time();
