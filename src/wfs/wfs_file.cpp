#include "wfs_file.h"

#include "wfs_buffer.h"
#include "wfs_dir.h"
#include "wfs_log.h"
#include "wfs_time.h"
#include "wfs_volume.h"

#include <cstdlib>
#include <cstring>

uint32_t fs_change_count;

namespace {
wfs_file g_files[WFS_MAX_HANDLES];

bool is_real_cluster(uint32_t link) { return link != 0 && link != WFS_CLUSTER_OPEN; }

wfs_pdp *first_mounted()
{
    for (int i = 0; i < WFS_MAX_DRIVERS; ++i)
        if (wfs_driver_slot(i)->driver_type != WFS_DRIVER_FREE) return wfs_driver_slot(i);
    return nullptr;
}

bool is_read_handle(const wfs_file *h) { return h->file_flag == WFS_FILE_READ || h->file_flag == WFS_FILE_READ2; }

const uint32_t MAX_TRANSFER_SECTORS = 0x8000; // one device transfer counts its sectors in 16 bits

void fill_past_end(void *buffer, uint32_t sectors)
{
    memset(buffer, 0xFF, (size_t)sectors * WFS_BLOCK_SIZE);
    wfs_debug("wfs_file_read() over!!!\n");
}

// Sectors of one cluster straight into the caller's memory, in transfers the device layer can count.
bool read_run(const wfs_pdp *pdp, uint64_t sector, uint32_t sectors, uint8_t *out)
{
    while (sectors > 0) {
        uint32_t n = sectors < MAX_TRANSFER_SECTORS ? sectors : MAX_TRANSFER_SECTORS;
        if (bread_multi(pdp->dev, (uint16_t)n, sector, out) != 0) return false;
        sector += n;
        out += (size_t)n * WFS_BLOCK_SIZE;
        sectors -= n;
    }
    return true;
}

// The cluster after `from` in the recording's chain. A cluster that the index search finds but that
// names another first cluster belongs to another recording: the chain has ended.
uint32_t next_of_file(FILEHANDLE h, uint32_t from, uint32_t *next)
{
    uint32_t rc = get_next_clus_no(h->pdp, WFS_SEARCH_NEXT_OF_FILE, from, 0, next, h->channel);
    if (rc != WFS_OK) return rc;
    if (*next <= from) return WFS_ERR_END_OF_CHAIN;
    wfs_dir_item item;
    if ((rc = get_dir_item_info_op(h->pdp, *next, &item, "wfs_file_read")) != WFS_OK) return rc;
    return item.first_cluster_no == h->first_cluster ? WFS_OK : WFS_ERR_END_OF_CHAIN;
}

uint32_t recording_sectors(FILEHANDLE h, uint32_t *sectors)
{
    wfs_dir_item first;
    uint32_t rc = get_dir_item_info_op(h->pdp, h->first_cluster, &first, "wfs_file_moveto_len");
    if (rc == WFS_OK) *sectors = (uint32_t)((uint64_t)first.item_num * h->pdp->sec_per_clus + first.end_length);
    return rc;
}
} // namespace

#define VALID_HANDLE(h) wfs_handle_valid(h, "Src\\file", __LINE__)

bool wfs_handle_valid(FILEHANDLE h, const char *where, int line)
{
    bool in_table = h >= g_files && h < g_files + WFS_MAX_HANDLES;
    if (in_table && h->open_generation == fs_change_count && h->file_flag != WFS_FILE_FREE) return true;
    wfs_warn("INVALID HANDLE: %s,%d %d %d\n", where, line, in_table ? (int)h->open_generation : -1,
             (int)fs_change_count);
    return false;
}

void wfs_reset_handles()
{
    for (wfs_file &f : g_files) {
        free(f.buffer_alloc);
        memset(&f, 0, sizeof f);
    }
}

FILEHANDLE wfs_alloc_handle()
{
    for (wfs_file &f : g_files) {
        if (f.file_flag != WFS_FILE_FREE) continue;
        free(f.buffer_alloc);
        memset(&f, 0, sizeof f);
        f.open_generation = fs_change_count;
        return &f;
    }
    wfs_warn("none available handle\n");
    return nullptr;
}

uint32_t wfs_file_open(FILEHANDLE *out, uint8_t in_use, int second_mode)
{
    *out = nullptr;
    FILEHANDLE h = wfs_alloc_handle();
    if (!h) {
        wfs_warn("wfs_file_open() Get the Handle error!\n");
        return 1;
    }
    h->pdp = first_mounted();
    if (!h->pdp) return 1;
    h->file_flag = second_mode ? WFS_FILE_READ2 : WFS_FILE_READ;
    h->in_use = in_use;
    h->open_tick = wfs_tick_ms();
    *out = h;
    return WFS_OK;
}

uint32_t file_set_cur_clus(FILEHANDLE h, uint32_t cluster)
{
    h->cur_cluster = cluster;
    h->cur_offset = 0;
    // The directory has an item for cluster total_clus, but no data cluster lies there.
    if (cluster >= h->pdp->total_clus) {
        wfs_error("GET_DIR_ITEM(%d %u %s) failed!!!!!!!!!!!!\n", (int)h->pdp->dev, cluster, "file_set_cur_clus");
        return WFS_ERR_CLUSTER_RANGE;
    }
    uint32_t rc = get_dir_item_info_op(h->pdp, cluster, &h->cur_dir_info, "file_set_cur_clus");
    if (rc != WFS_OK) return rc;
    const wfs_dir_item &d = h->cur_dir_info;
    h->channel = (uint8_t)dir_item_channel(d);
    h->av = (uint8_t)dir_item_av(d);
    h->alarm = d.alarm;
    h->stream_type = d.stream_type;
    uint32_t spc = h->pdp->sec_per_clus;
    // A damaged length never lets a read run into the clusters that follow.
    h->clus_sectors = is_real_cluster(d.down_cluster_no) || d.end_length == 0 || d.end_length > spc ? spc : d.end_length;
    h->up_cluster = d.up_cluster_no;
    h->first_cluster = d.first_cluster_no;
    h->curr_clus_num = cluster == d.first_cluster_no ? 0 : d.item_num;
    return WFS_OK;
}

uint32_t wfs_file_goto_clus(FILEHANDLE h, uint32_t disk, uint32_t part, uint32_t cluster)
{
    wfs_pdp *pdp = get_pdp(disk, part);
    if (!pdp) {
        wfs_warn("get_pdp failed disk:%d, part:%d !!!!!\n", (int)disk, (int)part);
        return FS_NO_EXIST_FILE;
    }
    if (!VALID_HANDLE(h)) return WFS_ERR_BAD_HANDLE;
    if (!is_read_handle(h)) {
        wfs_warn("Invalid file read handle!!!!!\n");
        return WFS_ERR_BAD_HANDLE;
    }
    h->pdp = pdp;
    uint32_t rc = file_set_cur_clus(h, cluster);
    if (rc == WFS_OK && h->cur_dir_info.first_cluster_no != cluster) {
        wfs_debug("wfs_file_goto_clus() first_cluster:%d, clus:%d\n", (int)h->cur_dir_info.first_cluster_no,
                  (int)cluster);
        return FS_NO_EXIST_FILE;
    }
    return rc;
}

uint32_t wfs_file_read(FILEHANDLE h, void *buffer, uint32_t sectors)
{
    if (!VALID_HANDLE(h)) return WFS_ERR_BAD_HANDLE;
    if (sectors == 0) wfs_debug("wfs_file_read sec_num == 0\n");
    uint8_t *out = (uint8_t *)buffer;
    // Every step moves to a later cluster of the partition: no more steps than it has clusters.
    for (uint32_t step = 0; step <= h->pdp->total_clus; ++step) {
        if (h->cur_cluster == 0 || h->clus_sectors < h->cur_offset) return FS_NO_EXIST_FILE;
        const wfs_pdp *pdp = h->pdp;
        uint64_t sector = pdp->start_sector + pdp->data_offset + (uint64_t)h->cur_cluster * pdp->sec_per_clus +
                          h->cur_offset;
        if (h->cur_offset + sectors <= h->clus_sectors) {
            if (!read_run(pdp, sector, sectors, out)) return WFS_ERR_END_OF_CHAIN;
            h->cur_offset += sectors;
            return WFS_OK;
        }
        uint32_t k = h->clus_sectors - h->cur_offset;
        if (k > 0) {
            if (!read_run(pdp, sector, k, out)) return WFS_ERR_END_OF_CHAIN;
            h->cur_offset += k; // the sectors read count even when no cluster follows
            if (!is_real_cluster(h->cur_dir_info.down_cluster_no)) {
                fill_past_end(out + (size_t)k * WFS_BLOCK_SIZE, sectors - k);
                return WFS_OK;
            }
        }
        uint32_t next = 0;
        uint32_t rc = next_of_file(h, h->cur_cluster, &next);
        if (rc != WFS_OK) return rc;
        const uint32_t ordinal = h->curr_clus_num + 1;
        if ((rc = file_set_cur_clus(h, next)) != WFS_OK) return rc;
        h->curr_clus_num = ordinal; // counted along the chain: a damaged item_num cannot move the position
        if (h->clus_sectors == 0) return WFS_OK;
        out += (size_t)k * WFS_BLOCK_SIZE;
        sectors -= k;
    }
    return WFS_ERR_END_OF_CHAIN;
}

uint32_t wfs_file_moveto_len(FILEHANDLE h, uint32_t s)
{
    wfs_debug("wfs_file_moveto_len(%u)\n", s);
    if (!VALID_HANDLE(h)) return WFS_ERR_BAD_HANDLE;
    if (h->cur_cluster == 0) return FS_NO_EXIST_FILE;
    uint32_t length = 0;
    uint32_t rc = recording_sectors(h, &length);
    if (rc != WFS_OK) return rc;
    if (length < s) return WFS_ERR_NOT_PRESENT;
    uint32_t spc = h->pdp->sec_per_clus;
    uint32_t k = s > 0 ? (s - 1) / spc : 0;
    uint32_t o = s - k * spc;
    uint32_t clus = h->first_cluster;
    wfs_debug("fir_clus=%u,cur_clus=%u,down_clus:%u", h->first_cluster, h->cur_cluster,
              h->cur_dir_info.down_cluster_no);
    for (uint32_t i = 0; i < k; ++i)
        if (next_of_file(h, clus, &clus) != WFS_OK) return WFS_ERR_NOT_PRESENT;
    if ((rc = file_set_cur_clus(h, clus)) != WFS_OK) return rc;
    h->curr_clus_num = k; // the clusters walked, whatever the item says: wfs_file_tell then reports s
    h->cur_offset = o;
    wfs_debug("clus_num=%u,offset=%u\n", k, o);
    return WFS_OK;
}

uint32_t wfs_file_tell(FILEHANDLE h, uint32_t *sector_offset)
{
    if (!VALID_HANDLE(h)) return WFS_ERR_BAD_HANDLE;
    uint32_t value = h->cur_cluster == 0 ? 0 : h->curr_clus_num * h->pdp->sec_per_clus + h->cur_offset;
    if (sector_offset) *sector_offset = value;
    return WFS_OK;
}

uint32_t wfs_get_file_info(FILEHANDLE h, uint8_t *channel, uint8_t *alarm, uint8_t *stream_type, uint8_t *av)
{
    if (!VALID_HANDLE(h)) return WFS_ERR_BAD_HANDLE;
    if (h->cur_cluster == 0) return FS_NO_EXIST_FILE;
    *channel = h->channel;
    *alarm = h->alarm;
    *stream_type = h->stream_type;
    *av = h->av;
    return WFS_OK;
}

uint32_t wfs_get_file_info2(FILEHANDLE h, uint32_t *start_time, uint32_t *end_time, uint32_t *size_kib)
{
    if (!VALID_HANDLE(h)) return WFS_ERR_BAD_HANDLE;
    if (h->cur_cluster == 0) return FS_NO_EXIST_FILE;
    wfs_dir_item first;
    uint32_t rc = get_dir_item_info_op(h->pdp, h->first_cluster, &first, "wfs_get_file_info2");
    if (rc != WFS_OK) return rc;
    *start_time = first.start_time;
    *end_time = first.end_time;
    *size_kib = wfs_item_length_kib(h->pdp, first);
    return WFS_OK;
}

uint32_t wfs_file_close(FILEHANDLE h)
{
    if (!VALID_HANDLE(h)) return WFS_ERR_BAD_HANDLE;
    if (h->file_flag != WFS_FILE_WRITE && !is_read_handle(h)) {
        wfs_warn("Not a active file handle!!!!!\n");
        return WFS_ERR_BAD_HANDLE;
    }
    if (h->mirror && h->mirror != h) wfs_file_close(h->mirror);
    h->mirror = nullptr;
    h->file_flag = WFS_FILE_FREE;
    return WFS_OK;
}
