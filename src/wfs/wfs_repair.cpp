#include "wfs_dir.h"
#include "wfs_log.h"
#include "wfs_time.h"
#include "wfs_volume.h"

namespace {
const uint32_t REPAIR_WINDOW = 520;
const uint32_t PICTURE_GAP = 64;
const uint32_t VIDEO_GAP = 256;
const int64_t CLOCK_SLACK_SECONDS = 10;
const uint16_t MAX_END_LENGTH = 4096;

// Closes the recording whose cluster clus was still being written.
uint32_t close_open_cluster(wfs_pdp *pdp, uint32_t clus, const wfs_dir_item &item, uint16_t length)
{
    uint32_t start = 0;
    get_dir_item_time(pdp, clus, &start);
    uint32_t end = item.end_time;
    uint32_t first = item.first_cluster_no;
    uint32_t rc;
    if ((rc = set_dir_first_item(pdp, first, length, item.item_num, start, false)) != WFS_OK) {
        wfs_debug("Error %d : set_dir_first_item(pdp, pdir_item->first_cluster_no, end_length, "
                  "pdir_item->item_num, start_time, FALSE)\n", (int)rc);
        return rc;
    }
    if ((rc = set_dir_item_end_time(pdp, first, end, length, false)) != WFS_OK) {
        wfs_debug("Error %d : set_dir_item_end_time(pdp, pdir_item->first_cluster_no, pdir_item->end_time, "
                  "end_length, FALSE)\n", (int)rc);
        return rc;
    }
    if ((rc = set_dir_last_item(pdp, clus, length, end, false)) != WFS_OK) {
        wfs_debug("Error %d : set_dir_last_item(pdp,clus1,end_length,pdir_item->end_time,FALSE)\n", (int)rc);
        return rc;
    }
    if ((rc = set_dir_item_down_clus(pdp, clus, 0, false)) != WFS_OK) {
        wfs_debug("Error %d : set_dir_item_down_clus(pdp,clus1,0,FALSE)\n", (int)rc);
        return rc;
    }
    if ((rc = set_dir_item_end_time(pdp, clus, end, length, false)) != WFS_OK) {
        wfs_debug("Error %d : set_dir_item_end_time(pdp, clus1, pdir_item->end_time, end_length, FALSE)\n", (int)rc);
        return rc;
    }
    return WFS_OK;
}

// Walks the clusters written after the last save of the parameters and closes open recordings.
uint32_t close_recent_clusters(wfs_pdp *pdp, uint32_t *last_good, bool *found)
{
    uint32_t first = pdp->current_cluster > pdp->rev_clus ? pdp->current_cluster : pdp->rev_clus;
    uint64_t window_end = (uint64_t)pdp->current_cluster + REPAIR_WINDOW;
    uint32_t end = window_end < pdp->total_clus ? (uint32_t)window_end : pdp->total_clus;
    uint32_t previous_time = 0;
    uint16_t length = 0;
    *last_good = first;
    *found = false;
    for (uint32_t c = first; c < end; ++c) {
        wfs_dir_item item;
        uint32_t rc = get_dir_item_info(pdp, c, &item);
        if (rc != WFS_OK) {
            wfs_debug("Error %d : get_dir_item_info(pdp,clus1,pdir_item)\n", (int)rc);
            return rc;
        }
        if (item.dir_flag < 1 || item.dir_flag > 3) continue;
        if (previous_time != 0 && wfs_time_diff_seconds(previous_time, item.start_time) > CLOCK_SLACK_SECONDS) {
            wfs_silent("time out\n");
            break;
        }
        previous_time = item.start_time;
        if (item.dir_flag == 1) {
            wfs_dir_item up;
            if ((rc = get_dir_item_info(pdp, item.up_cluster_no, &up)) != WFS_OK) {
                wfs_debug("Error %d : get_dir_item_info(pdp, pdir_item->up_cluster_no, &next_dir_item)\n", (int)rc);
                return rc;
            }
            if (up.down_cluster_no != c) {
                wfs_silent("cluster out\n");
                break;
            }
        }
        if (item.down_cluster_no == 0 || item.stream_type == 3 || item.stream_type == 4) {
            *last_good = c;
            *found = true;
            continue;
        }
        if (item.down_cluster_no != WFS_CLUSTER_OPEN) continue;
        if (item.end_length >= 1 && item.end_length <= MAX_END_LENGTH) length = item.end_length;
        if ((rc = close_open_cluster(pdp, c, item, length)) != WFS_OK) return rc;
        *last_good = c;
        *found = true;
    }
    return WFS_OK;
}

uint32_t trim_previous_lap(wfs_pdp *pdp)
{
    uint32_t gap = pdp->driver_type == WFS_DRIVER_PICTURE ? PICTURE_GAP : VIDEO_GAP;
    if ((uint64_t)pdp->current_cluster + gap < pdp->end_cluster2) {
        pdp->start_cluster2 = pdp->current_cluster + gap;
        uint32_t rc = get_dir_item_time(pdp, pdp->start_cluster2, &pdp->start_time2);
        if (rc != WFS_OK) wfs_debug("Error %d : get_dir_item_time(pdp,pdp->start_cluster2,&pdp->start_time2)\n", (int)rc);
        return rc;
    }
    wfs_silent("pdp->start_cluster2 SET TO 0\n");
    pdp->start_cluster2 = pdp->end_cluster2 = pdp->start_time2 = pdp->end_time2 = 0;
    return WFS_OK;
}
} // namespace

uint32_t restore_fs41(wfs_pdp *pdp)
{
    uint32_t last_good = 0;
    bool found = false;
    uint32_t rc = close_recent_clusters(pdp, &last_good, &found);
    if (rc != WFS_OK) return rc;
    // A partition that never recorded keeps its empty write head.
    bool recorded = found || pdp->current_cluster != 0;
    if (pdp->rev_clus != pdp->current_cluster + 1 && recorded) {
        pdp->current_cluster = last_good;
        if ((rc = get_dir_item_time1(pdp, pdp->current_cluster, &pdp->end_time1)) != WFS_OK) {
            wfs_debug("Error %d : get_dir_item_time1(pdp,pdp->current_cluster,&pdp->end_time1)\n", (int)rc);
            return rc;
        }
    }
    if (pdp->start_cluster2 != 0 && (rc = trim_previous_lap(pdp)) != WFS_OK) return rc;
    if ((rc = restore_clus_index(pdp)) != WFS_OK) wfs_debug("Error %d : restore_clus_index(pdp)\n", (int)rc);
    return rc;
}
