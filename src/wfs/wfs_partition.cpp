#include "wfs_partition.h"

#include "wfs_buffer.h"
#include "wfs_device.h"
#include "wfs_log.h"
#include "wfs_volume.h"

#include <cstring>

namespace {
const char VERSION_04[7] = {'W', 'F', 'S', '0', '.', '4', 0};
const char VERSION_03[7] = {'W', 'F', 'S', '0', '.', '3', 0};
const int HEADER_KEY_OFFSETS = 480;
const int HEADER_FLAG1 = 510;
const int HEADER_FLAG2 = 511;
const uint32_t TABLE_BLOCK = 20;
const int TABLE_ENTRIES = 56;
const int ENTRY_SIZE = 64;
const uint32_t KEY_PARAM_BLOCK = 10;
const uint32_t PDP_BLOCK = 24;
const int PDP_MARK = 328;
const uint64_t CAPACITY_SLACK = 4096;
const uint32_t CONVERTED_UD_OFFSET = 40960;
const uint32_t CONVERTED_UD_COUNT = 0x280000;

uint32_t g_key_param_offset[WFS_MAX_DISKS][WFS_MAX_PARTS];
uint8_t g_part_key_param[WFS_MAX_KEY_DISKS][WFS_MAX_PARTS][WFS_BLOCK_SIZE];

uint32_t get32(const uint8_t *p, int off)
{
    uint32_t v;
    memcpy(&v, p + off, 4);
    return v;
}

uint64_t get64(const uint8_t *p, int off)
{
    uint64_t v;
    memcpy(&v, p + off, 8);
    return v;
}

void put32(uint8_t *p, int off, uint32_t v) { memcpy(p + off, &v, 4); }
void put64(uint8_t *p, int off, uint64_t v) { memcpy(p + off, &v, 8); }

// Where each 32-bit field of the parameter block lies in its on-disk record.
struct pdp_field {
    int offset;
    uint32_t wfs_pdp::*member;
};
const pdp_field PDP_FIELDS[] = {
    {12, &wfs_pdp::status},
    {16, &wfs_pdp::start_time1},
    {20, &wfs_pdp::end_time1},
    {24, &wfs_pdp::current_cluster},
    {28, &wfs_pdp::start_cluster2},
    {32, &wfs_pdp::end_cluster2},
    {36, &wfs_pdp::start_time2},
    {40, &wfs_pdp::end_time2},
    {44, &wfs_pdp::sec_size},
    {48, &wfs_pdp::sec_per_clus},
    {52, &wfs_pdp::ext_dir_offset},
    {56, &wfs_pdp::rev_clus},
    {60, &wfs_pdp::index_offset},
    {64, &wfs_pdp::temp_off},
    {68, &wfs_pdp::dir_offset},
    {72, &wfs_pdp::data_offset},
    {76, &wfs_pdp::total_clus},
    {84, &wfs_pdp::driver_type},
    {88, &wfs_pdp::ud_offset},
    {92, &wfs_pdp::ud_item_size},
    {96, &wfs_pdp::ud_item_count},
    {100, &wfs_pdp::ud_first_item},
    {104, &wfs_pdp::ud_last_item},
    {108, &wfs_pdp::dev},
    {116, &wfs_pdp::index_restored_clus},
    {140, &wfs_pdp::part},
    {152, &wfs_pdp::err_status},
    {156, &wfs_pdp::collision_off},
    {160, &wfs_pdp::collision_num},
    {164, &wfs_pdp::work_section},
    {236, &wfs_pdp::backdir_offset},
    {240, &wfs_pdp::face_lib_param_offset},
    {248, &wfs_pdp::lock_file_info_off},
    {256, &wfs_pdp::mark_file_info_off},
    {324, &wfs_pdp::upgrade_off},
};
const int PDP_FLAG_F = 8;
const int PDP_CLEARED_BYTE = 9;
const int PDP_CLEARED_WORD = 180;
const int PDP_START_SECTOR = 224;

void decode_pdp(wfs_pdp *pdp, const uint8_t *block)
{
    memcpy(pdp->block, block, WFS_BLOCK_SIZE);
    for (const pdp_field &f : PDP_FIELDS) pdp->*f.member = get32(block, f.offset);
    pdp->flag_f = block[PDP_FLAG_F];
    pdp->start_sector = get64(block, PDP_START_SECTOR);
}

void encode_pdp(const wfs_pdp *pdp, uint8_t *block)
{
    memcpy(block, pdp->block, WFS_BLOCK_SIZE);
    for (const pdp_field &f : PDP_FIELDS) put32(block, f.offset, pdp->*f.member);
    block[PDP_FLAG_F] = pdp->flag_f;
    put64(block, PDP_START_SECTOR, pdp->start_sector);
}

wfs_pdp *slot_for(uint32_t disk_no, uint32_t part)
{
    if (wfs_pdp *bound = get_pdp(disk_no, part)) return bound;
    for (int i = 0; i < WFS_MAX_DRIVERS; ++i)
        if (wfs_driver_slot(i)->driver_type == WFS_DRIVER_FREE) return wfs_driver_slot(i);
    return nullptr;
}

void load_collisions(wfs_pdp *pdp)
{
    buffer_head *bh = bread(pdp->dev, pdp->start_sector + pdp->collision_off);
    if (!bh) {
        wfs_error("collision sec read error\n");
        wfs_raise_storage_error(pdp->dev, wfs_storage_area_code(pdp->part, WFS_STORAGE_PARAMS));
        memset(pdp->collision, 0, sizeof pdp->collision);
        return;
    }
    memcpy(pdp->collision, bh->data, sizeof pdp->collision);
    brelse(bh);
}

void load_face_lib(wfs_pdp *pdp)
{
    memset(pdp->face_lib_param, 0, sizeof pdp->face_lib_param);
    if (pdp->part != 0) return;
    buffer_head *bh = bread(pdp->dev, pdp->start_sector + pdp->face_lib_param_offset);
    if (!bh) return;
    if (memcmp(bh->data, "FACELIB", 8) == 0) memcpy(pdp->face_lib_param, bh->data, WFS_FACE_LIB_SIZE);
    brelse(bh);
}

bool key_params_valid(const uint8_t *b, uint32_t key_offset)
{
    return get64(b, 0) != 0 && get32(b, 508) == WFS_PARAM_MARK && (int32_t)get32(b, 504) > 0 &&
           key_offset < get32(b, 60) && get32(b, 60) < get32(b, 68);
}

void reconcile_capacity(uint32_t disk_no, const wfs_part_entry *entries, int n)
{
    IdeInfo *ide = wfs_ide_info();
    uint64_t cap = ide->ide_cap[disk_no];
    uint64_t sum = 0;
    for (int j = 0; j < n; ++j) {
        if (entries[j].total == 0) continue;
        sum += entries[j].total;
        if (sum == cap) return;
        if (sum < cap && cap - sum < CAPACITY_SLACK) {
            wfs_debug("disk_no=%d, total=%lld, j=%d, ide_cap=%lld, file:%s,line:%d\n", (int)disk_no, (long long)sum,
                      j, (long long)cap, __FILE__, __LINE__);
            return;
        }
    }
    if (sum == 0) return;
    ide->ide_cap[disk_no] = sum;
    ide_set_info(ide);
}
} // namespace

int check_disk_ver(uint32_t disk_no, int *ver)
{
    buffer_head *bh = bread(disk_no, 0);
    if (!bh) {
        *ver = WFS_VER_UNREADABLE;
        return 0;
    }
    const uint8_t *b = bh->data;
    if (memcmp(b, VERSION_04, 7) == 0 && b[HEADER_FLAG1] == 'K' && b[HEADER_FLAG2] == 'V') {
        *ver = WFS_VER_OK;
        if (disk_no < WFS_MAX_DISKS)
            for (int p = 0; p < WFS_MAX_PARTS; ++p) g_key_param_offset[disk_no][p] = get32(b, HEADER_KEY_OFFSETS + 4 * p);
    } else {
        char text[8] = {};
        memcpy(text, b, 7);
        wfs_debug(" check_disk_ver no match: ver %s, flg %02X %02X\n", text, b[HEADER_FLAG1], b[HEADER_FLAG2]);
        *ver = WFS_VER_NO_MATCH;
    }
    brelse(bh);
    return 0;
}

uint32_t wfs_read_partitions(uint32_t disk_no, wfs_part_entry *entries, int count)
{
    int ver = 0;
    check_disk_ver(disk_no, &ver);
    if (ver == WFS_VER_NO_MATCH) {
        wfs_debug(" wfs_read_partitions ver no match\n");
        return WFS_ERR_VERSION;
    }
    if (ver == WFS_VER_UNREADABLE) {
        wfs_debug(" wfs_read_partitions read head info failed\n");
        return WFS_ERR_HEAD_READ;
    }
    uint64_t table_block = (uint64_t)wfs_key_param_offset(disk_no, 0) + TABLE_BLOCK;
    buffer_head *bh = bread(disk_no, table_block);
    if (!bh) {
        wfs_debug("\e[1;33m read block:%d error! file:%s,line:%d\n \e[m", (int)table_block, __FILE__, __LINE__);
        wfs_raise_storage_error(disk_no, WFS_STORAGE_PART_TABLE);
        return WFS_ERR_READ;
    }
    int n = count < WFS_MAX_PARTS ? count : WFS_MAX_PARTS;
    for (int i = 0; i < n; ++i) {
        const uint8_t *e = bh->data + TABLE_ENTRIES + ENTRY_SIZE * i;
        entries[i].start = get64(e, 0);
        entries[i].total = get64(e, 8);
        if (get32(e, 56) != 0 && entries[i].total == 0) entries[i].start = 0;
        wfs_debug("\e[1;35m 123____i=%d, start=%llu, total=%llu, file:%s,line:%d\n \e[m", i,
                  (unsigned long long)entries[i].start, (unsigned long long)entries[i].total, __FILE__, __LINE__);
    }
    brelse(bh);
    if (disk_no < WFS_MAX_DISKS) reconcile_capacity(disk_no, entries, n);
    return WFS_OK;
}

int load_part_key_param(uint32_t disk_no, uint32_t part, uint64_t start)
{
    uint32_t key_offset = wfs_key_param_offset(disk_no, part);
    buffer_head *bh = bread(disk_no, start + key_offset + KEY_PARAM_BLOCK);
    if (!bh) {
        wfs_debug("\e[1;33m read block error! file:%s,line:%d\n \e[m", __FILE__, __LINE__);
        wfs_raise_storage_error(disk_no, wfs_storage_area_code(part, WFS_STORAGE_PARAMS));
        return 1;
    }
    uint8_t *copy = wfs_key_param_copy(disk_no, part);
    if (copy && key_params_valid(bh->data, key_offset)) memcpy(copy, bh->data, WFS_BLOCK_SIZE);
    brelse(bh);
    return 0;
}

int32_t get_key_param_ver(uint32_t disk_no, uint32_t part)
{
    const uint8_t *copy = wfs_key_param_copy(disk_no, part);
    if (!copy || get32(copy, 508) != WFS_PARAM_MARK) return -1;
    return (int32_t)get32(copy, 504);
}

wfs_pdp *fill_driver_param(uint32_t disk_no, uint32_t part, uint64_t start)
{
    uint32_t temp_off = wfs_key_param_offset(disk_no, part) + PDP_BLOCK;
    wfs_debug("\e[1;35m 123____disk_no=%d, start_sector=%lld, tempParamOff=%lld, function:%s,file:%s,line:%d\n \e[m",
              (int)disk_no, (long long)start, (long long)temp_off, __func__, __FILE__, __LINE__);
    buffer_head *bh = bread(disk_no, start + temp_off);
    if (!bh) {
        wfs_debug("\e[1;33m read block:%d error! file:%s,line:%d\n \e[m", (int)(start + temp_off), __FILE__, __LINE__);
        wfs_raise_storage_error(disk_no, wfs_storage_area_code(part, WFS_STORAGE_PARAMS));
        return nullptr;
    }
    if (get32(bh->data, PDP_MARK) != WFS_PARAM_MARK) {
        wfs_error("temp sec check flag error\n");
        brelse(bh);
        return nullptr;
    }
    wfs_pdp *pdp = slot_for(disk_no, part);
    if (!pdp) {
        wfs_error("get_empty_driver failed!!!!!!!!!!!!!\n");
        brelse(bh);
        return nullptr;
    }
    decode_pdp(pdp, bh->data);
    brelse(bh);
    pdp->start_sector = start;
    pdp->block[PDP_CLEARED_BYTE] = 0;
    put32(pdp->block, PDP_CLEARED_WORD, 0);
    pdp->dev = disk_no;
    pdp->part = part;
    pdp->next = pdp->prev = nullptr;
    pdp->temp_off = temp_off;
    if (pdp->collision_off == 0) pdp->collision_off = pdp->temp_off + 4;
    wfs_debug("\e[1;33m disk_no=%d,part=%d,driverTP=%d,driverTP1=%d,start=%lld,start1:%lld,start2:%lld, line=%d\n \e[m",
              (int)disk_no, (int)part, (int)pdp->driver_type, (int)pdp->driver_type, (long long)start,
              (long long)pdp->start_time1, (long long)pdp->start_time2, __LINE__);
    load_collisions(pdp);
    load_face_lib(pdp);
    return pdp;
}

int save_pdp(wfs_pdp *pdp)
{
    wfs_debug("save_pdp,%u dev-- %u clus\n", pdp->dev, pdp->current_cluster);
    buffer_head *bh = bread(pdp->dev, pdp->start_sector + pdp->temp_off);
    if (!bh) return WFS_ERR_READ;
    encode_pdp(pdp, bh->data);
    bh->dirt = 1;
    // The parameter block is the partition's header: written like the partition table.
    int rc = sync_buffer_unprotected(bh);
    brelse(bh);
    return rc;
}

uint32_t wfs_key_param_offset(uint32_t disk_no, uint32_t part)
{
    return disk_no < WFS_MAX_DISKS && part < WFS_MAX_PARTS ? g_key_param_offset[disk_no][part] : 0;
}

uint8_t *wfs_key_param_copy(uint32_t disk_no, uint32_t part)
{
    return disk_no < WFS_MAX_KEY_DISKS && part < WFS_MAX_PARTS ? g_part_key_param[disk_no][part] : nullptr;
}

void wfs_clear_key_params()
{
    memset(g_part_key_param, 0, sizeof g_part_key_param);
    memset(g_key_param_offset, 0, sizeof g_key_param_offset);
}

bool wfs_convert_old_volume(uint32_t disk_no)
{
    buffer_head *bh = bread(disk_no, 0);
    if (!bh) return false;
    bool old = memcmp(bh->data, VERSION_03, 7) == 0;
    if (old) {
        memcpy(bh->data, VERSION_04, 7);
        bh->data[HEADER_FLAG1] = 'K';
        bh->data[HEADER_FLAG2] = 'V';
        bh->dirt = 1;
        sync_buffer_unprotected(bh);
        wfs_debug("WFS0.3->WFS0.4 compat convert!\n");
    }
    brelse(bh);
    return old;
}

void wfs_apply_converted_ud_params(wfs_pdp *pdp)
{
    pdp->ud_offset = pdp->data_offset + CONVERTED_UD_OFFSET;
    pdp->ud_item_size = sizeof(wfs_ud_item);
    pdp->ud_item_count = CONVERTED_UD_COUNT;
    pdp->ud_first_item = 1;
    pdp->ud_last_item = 1;
}
