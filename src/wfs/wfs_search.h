// Finding recordings by channel and time across every mounted partition.
#pragma once

#include "wfs_file.h"

const uint8_t WFS_STREAM_ANY = 2;
const uint32_t WFS_LIST_VIDEO = 0x01;   // file-type bit: recordings with AV not 0
const uint32_t WFS_LIST_PICTURE = 0x10; // file-type bit: pictures (AV 0)

uint32_t file_goto_driver(FILEHANDLE h, uint32_t time, uint32_t lo, uint32_t hi, int type, uint8_t hint,
                          uint8_t stream_filter);
uint32_t file_goto_work_driver(FILEHANDLE h, uint8_t channel, uint32_t time, int type, uint8_t hint,
                               uint32_t alarm_mask, uint32_t part_mask, uint32_t reserved, uint8_t stream_filter);
// First cluster of the next recording in time order, 0 when none; sets found_time and pdp of the handle.
uint32_t find_next_file(FILEHANDLE h, uint8_t channel, uint32_t from, uint32_t to, uint8_t hint, uint32_t part_mask,
                        bool backward, uint8_t stream_filter);
// Lists into records (count in: room, out: found); 0 when something was found, 6 when nothing,
// WFS_ERR_READ when a block of the disk could not be read meanwhile (the records found are kept;
// wfs_image_last_failure says why).
uint32_t wfs_file_list(uint8_t channel, uint32_t from, uint32_t to, uint32_t *count, wfs_file_info_v2 *records,
                       uint32_t alarm_mask, uint8_t hint, uint32_t type_mask, uint8_t stream_filter);
// The same list over one partition only: what a caller that keeps only that partition's
// recordings needs, without the other partitions using up the list's limits.
uint32_t wfs_file_list_in(const wfs_pdp *only, uint8_t channel, uint32_t from, uint32_t to, uint32_t *count,
                          wfs_file_info_v2 *records, uint32_t alarm_mask, uint8_t hint, uint32_t type_mask,
                          uint8_t stream_filter);
// Links the valid sections of every healthy mounted partition (or of one) into a list reset for a new search.
wfs_time_section *wfs_build_search_list(bool backward, const wfs_pdp *only = nullptr);
