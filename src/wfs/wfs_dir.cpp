#include "wfs_dir.h"

#include "wfs_buffer.h"
#include "wfs_log.h"
#include "wfs_time.h"
#include "wfs_userdata.h"

#include <cstring>
#include <utility>

namespace {
const uint32_t DIR_ITEMS_PER_BLOCK = WFS_BLOCK_SIZE / sizeof(wfs_dir_item);
const uint32_t INDEX_ITEMS_PER_BLOCK = WFS_BLOCK_SIZE;
uint8_t g_repeat_counter;

uint64_t dir_block(const wfs_pdp *pdp, uint32_t area, uint32_t clus)
{
    return pdp->start_sector + area + clus / DIR_ITEMS_PER_BLOCK;
}

uint32_t dir_slot(uint32_t clus) { return clus % DIR_ITEMS_PER_BLOCK * sizeof(wfs_dir_item); }

uint64_t index_block(const wfs_pdp *pdp, uint32_t clus)
{
    return pdp->start_sector + pdp->index_offset + clus / INDEX_ITEMS_PER_BLOCK;
}

// Reads one 32-byte item of a directory-shaped area.
uint32_t read_item(wfs_pdp *pdp, uint32_t area, uint32_t clus, void *out, uint32_t hook_code)
{
    buffer_head *bh = bread(pdp->dev, dir_block(pdp, area, clus));
    if (!bh) {
        if (hook_code) wfs_raise_storage_error(pdp->dev, hook_code);
        return WFS_ERR_READ;
    }
    memcpy(out, bh->data + dir_slot(clus), sizeof(wfs_dir_item));
    brelse(bh);
    return WFS_OK;
}

bool dir_cluster_ok(wfs_pdp *pdp, uint32_t clus, const char *op)
{
    if (clus <= pdp->total_clus) return true;
    wfs_error("GET_DIR_ITEM(%d %u %s) failed!!!!!!!!!!!!\n", (int)pdp->dev, clus, op);
    return false;
}

// Applies a change to a cluster's directory item through the cache.
template <typename Change> uint32_t change_dir_item(wfs_pdp *pdp, uint32_t clus, bool sync, const char *op, Change change)
{
    if (!dir_cluster_ok(pdp, clus, op)) return WFS_ERR_CLUSTER_RANGE;
    buffer_head *bh = bread(pdp->dev, dir_block(pdp, pdp->dir_offset, clus));
    if (!bh) {
        wfs_raise_storage_error(pdp->dev, wfs_storage_area_code(pdp->part, WFS_STORAGE_DIR));
        return WFS_ERR_READ;
    }
    wfs_dir_item item;
    memcpy(&item, bh->data + dir_slot(clus), sizeof item);
    bool write_through = change(item) && sync;
    memcpy(bh->data + dir_slot(clus), &item, sizeof item);
    bh->dirt = 1;
    if (write_through) sync_buffer(bh);
    brelse(bh);
    return WFS_OK;
}

bool locked_item(wfs_pdp *pdp, uint32_t clus, wfs_dir_item *item)
{
    return get_dir_item_info(pdp, clus, item) == WFS_OK && (item->attr & WFS_ATTR_LOCKED);
}
} // namespace

uint32_t get_dir_item_info_op(wfs_pdp *pdp, uint32_t clus, wfs_dir_item *out, const char *op)
{
    if (!dir_cluster_ok(pdp, clus, op)) return WFS_ERR_CLUSTER_RANGE;
    return read_item(pdp, pdp->dir_offset, clus, out, wfs_storage_area_code(pdp->part, WFS_STORAGE_DIR));
}

uint32_t get_dir_item_info(wfs_pdp *pdp, uint32_t clus, wfs_dir_item *out)
{
    return get_dir_item_info_op(pdp, clus, out, "get_dir_item_info");
}

uint32_t get_bk_dir_item_info(wfs_pdp *pdp, uint32_t clus, wfs_dir_item *out)
{
    if (clus > pdp->total_clus) {
        wfs_error("GET_BK_DIR_ITEM(%d %d) failed!!!!!!!!!!!!\n", (int)pdp->dev, (int)clus);
        return WFS_ERR_CLUSTER_RANGE;
    }
    return read_item(pdp, pdp->backdir_offset, clus, out, wfs_storage_area_code(pdp->part, WFS_STORAGE_BACKUP_DIR));
}

uint32_t get_dir_item_time(wfs_pdp *pdp, uint32_t clus, uint32_t *time)
{
    wfs_dir_item item;
    uint32_t rc = get_dir_item_info_op(pdp, clus, &item, "get_dir_item_time");
    if (rc == WFS_OK) *time = item.start_time;
    return rc;
}

uint32_t get_dir_item_time1(wfs_pdp *pdp, uint32_t clus, uint32_t *time)
{
    wfs_dir_item item;
    uint32_t rc = get_dir_item_info_op(pdp, clus, &item, "get_dir_item_time1");
    if (rc != WFS_OK) return rc;
    if (item.down_cluster_no != 0 && item.down_cluster_no != WFS_CLUSTER_OPEN)
        return get_dir_item_time(pdp, item.down_cluster_no, time);
    *time = item.end_time == item.start_time ? wfs_time_add_seconds(item.start_time, 1) : item.end_time;
    return WFS_OK;
}

uint32_t get_ext_dir_item(wfs_pdp *pdp, uint32_t clus, wfs_ext_dir_item *out)
{
    if (pdp->ext_dir_offset == 0) return WFS_ERR_NOT_PRESENT;
    if (clus > pdp->total_clus) {
        wfs_error("GET_EXT_DIR_ITEM(%d %d) failed!!!!!!!!!!!!\n", (int)pdp->dev, (int)clus);
        return WFS_ERR_CLUSTER_RANGE;
    }
    return read_item(pdp, pdp->ext_dir_offset, clus, out, 0);
}

uint32_t get_index_item_info(wfs_pdp *pdp, uint32_t clus, uint8_t *out)
{
    if (pdp->index_offset == 0) return WFS_ERR_NO_INDEX;
    if (clus > pdp->total_clus) return WFS_ERR_CLUSTER_RANGE;
    buffer_head *bh = bread(pdp->dev, index_block(pdp, clus));
    if (!bh) return WFS_ERR_READ;
    *out = bh->data[clus % INDEX_ITEMS_PER_BLOCK];
    brelse(bh);
    return WFS_OK;
}

bool wfs_check_item_times(const wfs_pdp *pdp, uint32_t clus, uint32_t start_time, uint32_t end_time)
{
    bool sound = true;
    const std::pair<const char *, uint32_t> times[] = {{"start_time", start_time}, {"end_time", end_time}};
    for (const auto &t : times) {
        if (wfs_packed_time_valid(t.second)) continue;
        wfs_date_time d = wfs_unpack_time(t.second);
        wfs_warn("disk %u partition %u cluster %u: damaged %s 0x%08x (%04d-%02d-%02d %02d:%02d:%02d)\n",
                 (unsigned)pdp->dev, (unsigned)pdp->part, (unsigned)clus, t.first, (unsigned)t.second, d.year,
                 d.month, d.day, d.hour, d.minute, d.second);
        sound = false;
    }
    return sound;
}

uint32_t wfs_item_length_kib(const wfs_pdp *pdp, const wfs_dir_item &item)
{
    return (uint32_t)(((uint64_t)item.item_num * pdp->sec_per_clus + item.end_length) / 2);
}

uint32_t fill_file_info(wfs_pdp *pdp, uint32_t clus, wfs_file_info *out)
{
    wfs_dir_item d;
    uint32_t rc = get_dir_item_info_op(pdp, clus, &d, "fill_file_info");
    if (rc != WFS_OK) return rc;
    out->channel = (uint8_t)dir_item_channel(d);
    out->alarm = d.alarm;
    out->attr_low = d.attr & 7;
    out->av = (uint8_t)dir_item_av(d);
    out->stream_type = d.stream_type;
    out->repeat_no = d.repeat_no;
    out->start_time = d.start_time;
    out->end_time = d.end_time;
    out->length_kib = wfs_item_length_kib(pdp, d);
    out->disk = pdp->dev;
    out->part = pdp->part;
    out->first_cluster_no = d.first_cluster_no;
    out->up_cluster_no = d.up_cluster_no;
    if (d.alarm & 3) {
        uint8_t card[12];
        if (ud_get_item(pdp, d.up_cluster_no, d.first_cluster_no, card) == WFS_OK) memcpy(out->card, card, 11);
    }
    return WFS_OK;
}

uint32_t fill_file_info_v2(wfs_pdp *pdp, uint32_t clus, wfs_file_info_v2 *out)
{
    wfs_dir_item d;
    uint32_t rc = get_dir_item_info_op(pdp, clus, &d, "fill_file_info_v2");
    if (rc != WFS_OK) return rc;
    out->channel = (uint8_t)dir_item_channel(d);
    out->alarm = d.alarm;
    out->av = (uint8_t)dir_item_av(d);
    out->repeat_no = d.repeat_no;
    out->disk = (uint8_t)pdp->dev;
    out->part = (uint8_t)pdp->part;
    out->attr_low = d.attr & 7;
    out->stream = (uint8_t)((d.stream_type & 0x0F) | (d.attr & 0xE0) >> 1);
    out->start_time = d.start_time;
    out->end_time = d.end_time;
    out->length_kib = wfs_item_length_kib(pdp, d);
    out->up_cluster_no = d.up_cluster_no;
    out->first_cluster_no = d.first_cluster_no;
    out->attr_mid = (d.attr >> 3) & 3;
    wfs_ext_dir_item ext;
    if (get_ext_dir_item(pdp, clus, &ext) == WFS_OK) {
        out->ext0 = ext.code0;
        out->ext1 = ext.code1;
        out->ext_events = ext.events;
    } else {
        out->ext0 = 0x3F;
        out->ext1 = 0;
    }
    return WFS_OK;
}

uint32_t set_dir_item_info(wfs_pdp *pdp, uint32_t clus, const wfs_dir_item *item, bool sync)
{
    return change_dir_item(pdp, clus, sync, "set_dir_item_info", [&](wfs_dir_item &d) {
        d = *item;
        return true;
    });
}

uint32_t set_dir_item_up_clus(wfs_pdp *pdp, uint32_t clus, uint32_t value, bool sync)
{
    return change_dir_item(pdp, clus, sync, "set_dir_item_up_clus", [&](wfs_dir_item &d) {
        d.up_cluster_no = value;
        return true;
    });
}

uint32_t set_dir_item_down_clus(wfs_pdp *pdp, uint32_t clus, uint32_t value, bool sync)
{
    return change_dir_item(pdp, clus, sync, "set_dir_item_down_clus", [&](wfs_dir_item &d) {
        d.down_cluster_no = value;
        return value / DIR_ITEMS_PER_BLOCK != clus / DIR_ITEMS_PER_BLOCK;
    });
}

uint32_t set_dir_item_end_time(wfs_pdp *pdp, uint32_t clus, uint32_t time, uint16_t length, bool sync)
{
    return change_dir_item(pdp, clus, sync, "set_dir_item_end_time", [&](wfs_dir_item &d) {
        d.end_time = time;
        d.end_length = length;
        return true;
    });
}

uint32_t set_dir_first_item(wfs_pdp *pdp, uint32_t clus, uint16_t length, uint16_t item_num, uint32_t time, bool sync)
{
    return change_dir_item(pdp, clus, sync, "set_dir_first_item", [&](wfs_dir_item &d) {
        d.end_time = time;
        d.end_length = length;
        d.item_num = item_num;
        return true;
    });
}

uint32_t set_dir_last_item(wfs_pdp *pdp, uint32_t clus, uint16_t length, uint32_t time, bool sync)
{
    return change_dir_item(pdp, clus, sync, "set_dir_last_item", [&](wfs_dir_item &d) {
        d.end_time = time;
        d.end_length = length;
        d.down_cluster_no = 0;
        return true;
    });
}

uint32_t set_dir_last_item1(wfs_pdp *pdp, uint32_t clus, bool sync)
{
    return change_dir_item(pdp, clus, sync, "set_dir_last_item1", [&](wfs_dir_item &d) {
        d.down_cluster_no = 0;
        return true;
    });
}

uint32_t set_dir_file_alrm(wfs_pdp *pdp, uint32_t clus, uint8_t alarm, bool sync)
{
    return change_dir_item(pdp, clus, sync, "set_dir_file_alrm", [&](wfs_dir_item &d) {
        d.alarm = alarm;
        return true;
    });
}

uint32_t set_ext_dir_event(wfs_pdp *pdp, uint32_t clus, unsigned bit, bool sync)
{
    if (pdp->ext_dir_offset == 0) return WFS_ERR_NOT_PRESENT;
    if (clus > pdp->total_clus || bit >= 32) {
        wfs_error("GET_EXT_DIR_ITEM(%d %d) failed!!!!!!!!!!!!\n", (int)pdp->dev, (int)clus);
        return WFS_ERR_CLUSTER_RANGE;
    }
    buffer_head *bh = bread(pdp->dev, dir_block(pdp, pdp->ext_dir_offset, clus));
    if (!bh) return WFS_ERR_READ;
    wfs_ext_dir_item ext;
    memcpy(&ext, bh->data + dir_slot(clus), sizeof ext);
    ext.events |= 1u << bit;
    memcpy(bh->data + dir_slot(clus), &ext, sizeof ext);
    bh->dirt = 1;
    if (sync) sync_buffer(bh);
    brelse(bh);
    return WFS_OK;
}

uint32_t set_index_item_info(wfs_pdp *pdp, uint32_t clus, uint8_t value, bool sync)
{
    if (pdp->index_offset == 0) return WFS_ERR_NO_INDEX;
    if (clus > pdp->total_clus) return WFS_ERR_CLUSTER_RANGE;
    buffer_head *bh = bread(pdp->dev, index_block(pdp, clus));
    if (!bh) return WFS_ERR_READ;
    uint8_t &slot = bh->data[clus % INDEX_ITEMS_PER_BLOCK];
    if (wfs_index_usable(pdp, clus, slot)) {
        slot = value;
        bh->dirt = 1;
        if (sync) sync_buffer(bh);
    }
    brelse(bh);
    return WFS_OK;
}

void fill_dir_item(wfs_dir_item *out, uint8_t channel, uint8_t av, uint8_t alarm, uint8_t dir_flag, uint8_t stream,
                   uint32_t up_cluster_no, uint32_t first_cluster_no, uint16_t item_num, uint16_t head_sectors,
                   uint8_t attr_mid, uint8_t attr_low)
{
    memset(out, 0, sizeof *out);
    out->alarm = alarm;
    out->dir_flag = dir_flag;
    out->item_num = item_num;
    out->up_cluster_no = up_cluster_no;
    out->down_cluster_no = WFS_CLUSTER_OPEN;
    out->start_time = out->end_time = wfs_now_packed();
    out->head_sectors = head_sectors;
    out->first_cluster_no = first_cluster_no;
    out->attr = (uint8_t)((attr_mid & 3) << 3 | (attr_low & 7));
    out->stream_type = stream;
    out->repeat_no = g_repeat_counter;
    out->chn_av = (uint8_t)(channel << 2 | (av & 3));
    if (item_num == 0) g_repeat_counter++;
}

uint8_t wfs_state_of_dir_flag(uint8_t dir_flag)
{
    switch (dir_flag) {
    case 0:
    case 1:
        return WFS_STATE_CONT;
    case 3:
        return WFS_STATE_FIRST3;
    case 2:
        return WFS_STATE_FIRST2;
    default:
        return WFS_STATE_SPECIAL;
    }
}

bool wfs_index_usable(wfs_pdp *pdp, uint32_t clus, uint8_t index_byte)
{
    if ((index_byte & 3) != WFS_STATE_SPECIAL) return true;
    wfs_dir_item item;
    return locked_item(pdp, clus, &item);
}

bool wfs_index_continuation(wfs_pdp *pdp, uint32_t clus, uint8_t index_byte)
{
    uint8_t s = index_byte & 3;
    if (s == WFS_STATE_CONT) return true;
    if (s != WFS_STATE_SPECIAL) return false;
    wfs_dir_item item;
    return locked_item(pdp, clus, &item) && (item.dir_flag == 1 || item.dir_flag == 5);
}

bool wfs_index_first(wfs_pdp *pdp, uint32_t clus, uint8_t index_byte)
{
    uint8_t s = index_byte & 3;
    if (s == WFS_STATE_FIRST3 || s == WFS_STATE_FIRST2) return true;
    if (s != WFS_STATE_SPECIAL) return false;
    wfs_dir_item item;
    return locked_item(pdp, clus, &item) && (item.dir_flag == 1 || item.dir_flag == 2 || item.dir_flag == 4);
}

uint32_t restore_clus_index(wfs_pdp *pdp)
{
    const uint64_t restored = pdp->index_restored_clus;
    uint32_t clus = restored > (uint64_t)pdp->rev_clus + 512 ? (uint32_t)(restored - 512) : pdp->rev_clus;
    for (; clus <= pdp->current_cluster; ++clus) {
        wfs_dir_item item;
        uint32_t rc = get_dir_item_info(pdp, clus, &item);
        if (rc != WFS_OK) {
            wfs_debug("Error %d : get_dir_item_info(pdp,st_clus,pdir_item)\n", (int)rc);
            return rc;
        }
        uint8_t state = wfs_state_of_dir_flag(item.dir_flag);
        if (state == WFS_STATE_SPECIAL) wfs_warn("restore_clus_index: set bad clus %u\n", clus);
        rc = set_index_item_info(pdp, clus, (uint8_t)(dir_item_channel(item) << 2 | state), false);
        if (rc != WFS_OK) {
            wfs_debug("Error %d : set_index_item_info(pdp,st_clus,&index_info,FALSE)\n", (int)rc);
            return rc;
        }
    }
    pdp->index_restored_clus = pdp->current_cluster;
    return WFS_OK;
}
