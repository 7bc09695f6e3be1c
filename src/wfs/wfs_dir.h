// Directory, back-up directory, extended directory and index areas of a partition.
#pragma once

#include "wfs_types.h"

// Cluster states of the index byte.
enum { WFS_STATE_CONT = 0, WFS_STATE_FIRST3 = 1, WFS_STATE_FIRST2 = 2, WFS_STATE_SPECIAL = 3 };

uint32_t get_dir_item_info(wfs_pdp *pdp, uint32_t clus, wfs_dir_item *out);
// The same, naming the caller's operation in the failure line.
uint32_t get_dir_item_info_op(wfs_pdp *pdp, uint32_t clus, wfs_dir_item *out, const char *op);
uint32_t get_bk_dir_item_info(wfs_pdp *pdp, uint32_t clus, wfs_dir_item *out);
uint32_t get_dir_item_time(wfs_pdp *pdp, uint32_t clus, uint32_t *time);
uint32_t get_dir_item_time1(wfs_pdp *pdp, uint32_t clus, uint32_t *time);
uint32_t get_ext_dir_item(wfs_pdp *pdp, uint32_t clus, wfs_ext_dir_item *out);
uint32_t get_index_item_info(wfs_pdp *pdp, uint32_t clus, uint8_t *out);
uint32_t fill_file_info(wfs_pdp *pdp, uint32_t clus, wfs_file_info *out);
uint32_t fill_file_info_v2(wfs_pdp *pdp, uint32_t clus, wfs_file_info_v2 *out);

uint32_t set_dir_item_info(wfs_pdp *pdp, uint32_t clus, const wfs_dir_item *item, bool sync);
uint32_t set_dir_item_up_clus(wfs_pdp *pdp, uint32_t clus, uint32_t value, bool sync);
uint32_t set_dir_item_down_clus(wfs_pdp *pdp, uint32_t clus, uint32_t value, bool sync);
uint32_t set_dir_item_end_time(wfs_pdp *pdp, uint32_t clus, uint32_t time, uint16_t length, bool sync);
uint32_t set_dir_first_item(wfs_pdp *pdp, uint32_t clus, uint16_t length, uint16_t item_num, uint32_t time, bool sync);
uint32_t set_dir_last_item(wfs_pdp *pdp, uint32_t clus, uint16_t length, uint32_t time, bool sync);
uint32_t set_dir_last_item1(wfs_pdp *pdp, uint32_t clus, bool sync);
uint32_t set_dir_file_alrm(wfs_pdp *pdp, uint32_t clus, uint8_t alarm, bool sync);
uint32_t set_ext_dir_event(wfs_pdp *pdp, uint32_t clus, unsigned bit, bool sync);
uint32_t set_index_item_info(wfs_pdp *pdp, uint32_t clus, uint8_t value, bool sync);
void fill_dir_item(wfs_dir_item *out, uint8_t channel, uint8_t av, uint8_t alarm, uint8_t dir_flag, uint8_t stream,
                   uint32_t up_cluster_no, uint32_t first_cluster_no, uint16_t item_num, uint16_t head_sectors,
                   uint8_t attr_mid, uint8_t attr_low);

uint32_t restore_clus_index(wfs_pdp *pdp);

// The index state a directory flag stands for.
uint8_t wfs_state_of_dir_flag(uint8_t dir_flag);
// The three tests of a cluster's index byte; the directory item is read only for state 3.
bool wfs_index_usable(wfs_pdp *pdp, uint32_t clus, uint8_t index_byte);
bool wfs_index_continuation(wfs_pdp *pdp, uint32_t clus, uint8_t index_byte);
bool wfs_index_first(wfs_pdp *pdp, uint32_t clus, uint8_t index_byte);
// Logs each time of the item that is not a calendar time (an end hour of 25) as damaged, with the
// partition, the cluster and the value as stored; true when both times are sound.
bool wfs_check_item_times(const wfs_pdp *pdp, uint32_t clus, uint32_t start_time, uint32_t end_time);
// Length in KiB of the recording a (first-cluster) item describes.
uint32_t wfs_item_length_kib(const wfs_pdp *pdp, const wfs_dir_item &item);
