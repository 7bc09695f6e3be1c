#include "wfs_buffer.h"

#include "wfs_device.h"
#include "wfs_image.h"
#include "wfs_log.h"
#include "wfs_partition.h"
#include "wfs_readahead.h"
#include "wfs_time.h"
#include "wfs_volume.h"

#include <array>
#include <cstring>
#include <map>
#include <utility>

namespace {
alignas(WFS_BLOCK_SIZE) uint8_t g_buffer_data[WFS_NR_BUFFERS][WFS_BLOCK_SIZE];
buffer_head g_heads[WFS_NR_BUFFERS];
buffer_head *g_hash[WFS_NR_HASH];
buffer_head *g_free_list;
uint8_t g_protect[16];

wfs_storage_error_hook g_storage_hook = nullptr;
uint32_t g_read_error_mask;
uint32_t g_write_error_mask;
uint32_t g_bad_disk_mask;
uint64_t g_last_error_block[WFS_MAX_DISKS];
uint32_t g_access_tick[WFS_MAX_DISKS];
uint32_t g_standby_minutes[WFS_MAX_DISKS];

typedef std::pair<uint32_t, uint64_t> block_key;
std::map<block_key, std::array<uint8_t, WFS_BLOCK_SIZE>> g_overlay;

const uint64_t UNPROTECTED_HEAD_LIMIT = 28;
const uint64_t PROTECTED_AFTER_KEY_PARAMS = 1052;

// Reads a block, preferring what the library wrote to it earlier.
int read_block(uint32_t dev, uint64_t block, uint8_t *dst)
{
    auto it = g_overlay.find({dev, block});
    if (it != g_overlay.end()) {
        memcpy(dst, it->second.data(), WFS_BLOCK_SIZE);
        return 0;
    }
    return wfs_readahead_block(dev, block, dst);
}

void apply_overlay(uint32_t dev, uint16_t count, uint64_t block, uint8_t *dst)
{
    for (auto it = g_overlay.lower_bound({dev, block}); it != g_overlay.end(); ++it) {
        if (it->first.first != dev || it->first.second >= block + count) break;
        memcpy(dst + (it->first.second - block) * WFS_BLOCK_SIZE, it->second.data(), WFS_BLOCK_SIZE);
    }
}

void hash_unlink(buffer_head *bh)
{
    if (bh->hash_prev) bh->hash_prev->hash_next = bh->hash_next;
    else if (g_hash[bh->blocknr & 0xFF] == bh) g_hash[bh->blocknr & 0xFF] = bh->hash_next;
    if (bh->hash_next) bh->hash_next->hash_prev = bh->hash_prev;
    bh->hash_prev = bh->hash_next = nullptr;
}

void hash_link_head(buffer_head *bh)
{
    buffer_head *&head = g_hash[bh->blocknr & 0xFF];
    bh->hash_prev = nullptr;
    bh->hash_next = head;
    if (head) head->hash_prev = bh;
    head = bh;
}

void free_unlink(buffer_head *bh)
{
    if (!bh->free_prev || !bh->free_next) {
        wfs_warn("Free block list corrupted\n");
        return;
    }
    if (bh->free_next == bh) {
        g_free_list = nullptr;
    } else {
        bh->free_prev->free_next = bh->free_next;
        bh->free_next->free_prev = bh->free_prev;
        if (g_free_list == bh) g_free_list = bh->free_next;
    }
    bh->free_prev = bh->free_next = nullptr;
}

void free_link_tail(buffer_head *bh)
{
    if (!g_free_list) {
        g_free_list = bh->free_prev = bh->free_next = bh;
        return;
    }
    bh->free_next = g_free_list;
    bh->free_prev = g_free_list->free_prev;
    g_free_list->free_prev->free_next = bh;
    g_free_list->free_prev = bh;
}

buffer_head *find_buffer(uint32_t dev, uint64_t block)
{
    for (buffer_head *bh = g_hash[block & 0xFF]; bh; bh = bh->hash_next)
        if (bh->dev == dev && bh->blocknr == block) return bh;
    return nullptr;
}

void dump_head(const buffer_head *bh)
{
    wfs_error("\e[1;35m num=%d, dev=%d, blocknr=%lld, count=%d, uptodate=%d, dirt=%d\n \e[m", (int)(bh - g_heads),
              (int)bh->dev, (long long)bh->blocknr, bh->count, bh->uptodate, bh->dirt);
}

void dump_buffers()
{
    buffer_head *bh = g_free_list;
    if (bh) do {
            dump_head(bh);
            bh = bh->free_next;
        } while (bh && bh != g_free_list);
    for (buffer_head *chain : g_hash)
        for (bh = chain; bh; bh = bh->hash_next) dump_head(bh);
}

buffer_head *first_unheld()
{
    buffer_head *bh = g_free_list;
    if (!bh) return nullptr;
    do {
        if (bh->count == 0) return bh;
        bh = bh->free_next;
    } while (bh && bh != g_free_list);
    return nullptr;
}

uint64_t protected_limit(uint32_t dev)
{
    if (get_key_param_ver(dev, 0) >= 1) return (uint64_t)wfs_key_param_offset(dev, 0) + PROTECTED_AFTER_KEY_PARAMS;
    return UNPROTECTED_HEAD_LIMIT;
}

bool is_protected(uint32_t dev, uint64_t block)
{
    return dev < sizeof g_protect && g_protect[dev] && block <= protected_limit(dev);
}

void keep_in_overlay(const buffer_head *bh)
{
    memcpy(g_overlay[{bh->dev, bh->blocknr}].data(), bh->data, WFS_BLOCK_SIZE);
}

int write_one(buffer_head *bh)
{
    if (!bh->dirt) return 0;
    if (is_protected(bh->dev, bh->blocknr)) {
        wfs_event("WFS", "sync_buffer offset error, /dev/sd%d%c, %llu", (int)bh->dev, 'a',
                  (unsigned long long)bh->blocknr);
        wfs_error("\e[40;35m  disk[%d] sync_buffer ,the offset error ! the error block is %llu \e[0m \n", (int)bh->dev,
                  (unsigned long long)bh->blocknr);
        return 1;
    }
    wfs_note_access(bh->dev);
    int rc = ide_write((uint16_t)bh->dev, 1, bh->blocknr, bh->data);
    bh->dirt = 0;
    if (rc != 0) {
        wfs_report_storage_error(bh->dev, bh->blocknr, WFS_IO_WRITE);
        return 1;
    }
    keep_in_overlay(bh);
    return 0;
}

// A dirty buffer leaves the cache: reads must go on seeing its change, even one
// the header protection refused, or what the library sees would depend on cache pressure.
void evict_dirty(buffer_head *bh)
{
    sync_buffer(bh);
    if (bh->dirt) keep_in_overlay(bh);
}

template <typename Fn> int with_protection_lifted(uint32_t dev, Fn fn)
{
    if (dev >= sizeof g_protect) return fn();
    uint8_t saved = g_protect[dev];
    g_protect[dev] = 0;
    int rc = fn();
    g_protect[dev] = saved ? saved : 1;
    return rc;
}

// A failed read is reported with what the image layer says about it.
void report_read_failure(uint32_t dev, uint64_t block, unsigned failures_before)
{
    wfs_report_storage_error(dev, block, WFS_IO_READ);
    const wfs_image_failure *why = wfs_image_last_failure();
    if (why->count != failures_before)
        wfs_warn("disk %d, block %llu: %s\n", (int)dev, (unsigned long long)block, why->text);
}

int read_multi(uint32_t dev, uint16_t count, uint64_t block, void *dst, bool report)
{
    if (count == 0) return 0;
    wfs_note_access(dev);
    const unsigned failures = wfs_image_last_failure()->count;
    int rc = ide_read((uint16_t)dev, count, block, dst);
    if (rc != 0) {
        if (report) report_read_failure(dev, block, failures);
        return rc;
    }
    apply_overlay(dev, count, block, (uint8_t *)dst);
    return 0;
}
} // namespace

void buffer_init()
{
    memset(g_heads, 0, sizeof g_heads);
    memset(g_hash, 0, sizeof g_hash);
    g_free_list = nullptr;
    for (int i = 0; i < WFS_NR_BUFFERS; ++i) {
        g_heads[i].data = g_buffer_data[i];
        free_link_tail(&g_heads[i]);
    }
    memset(g_protect, 1, sizeof g_protect);
    g_overlay.clear();
    wfs_readahead_reset();
    g_read_error_mask = g_write_error_mask = g_bad_disk_mask = 0;
    memset(g_last_error_block, 0, sizeof g_last_error_block);
}

buffer_head *getblk(uint32_t dev, uint64_t block)
{
    for (;;) {
        if (buffer_head *bh = find_buffer(dev, block)) {
            bh->count++;
            if (bh->dev == dev && bh->blocknr == block) return bh;
            brelse(bh);
            continue;
        }
        buffer_head *bh = first_unheld();
        if (!bh) {
            wfs_error("\e[1;35m wfs__error, have no free buffers\n \e[m");
            dump_buffers();
            return nullptr;
        }
        bh->count++;
        hash_unlink(bh);
        free_unlink(bh);
        if (bh->dirt) evict_dirty(bh);
        bh->dev = dev;
        bh->blocknr = block;
        bh->dirt = 0;
        bh->uptodate = 0;
        if (find_buffer(dev, block)) {
            bh->dev = 0;
            bh->blocknr = 0;
            bh->count = 0;
            free_link_tail(bh);
            hash_link_head(bh);
            continue;
        }
        free_link_tail(bh);
        hash_link_head(bh);
        return bh;
    }
}

buffer_head *bread(uint32_t dev, uint64_t block)
{
    buffer_head *bh = getblk(dev, block);
    if (!bh) {
        wfs_event("WFS", "getblk null, /dev/sd%d, %llu", (int)dev, (unsigned long long)block);
        return nullptr;
    }
    if (bh->uptodate) return bh;
    const unsigned failures = wfs_image_last_failure()->count;
    if (read_block(dev, block, bh->data) != 0) {
        report_read_failure(dev, block, failures);
        brelse(bh);
        return nullptr;
    }
    wfs_note_access(dev);
    bh->uptodate = 1;
    return bh;
}

void brelse(buffer_head *bh)
{
    if (!bh) return;
    if (bh->count == 0) {
        wfs_warn("warming Trying to free free buffer,dev=%d,blocknr=%d,uptodate=%d,dirt=%d\n", (int)bh->dev,
                 (int)bh->blocknr, bh->uptodate, bh->dirt);
        return;
    }
    bh->count--;
}

int sync_buffer(buffer_head *bh) { return write_one(bh); }

int sync_buffer_unprotected(buffer_head *bh)
{
    return with_protection_lifted(bh->dev, [&] { return write_one(bh); });
}

int sync_dev(uint32_t dev)
{
    int rc = 0;
    for (buffer_head &bh : g_heads)
        if (bh.dirt && bh.dev == dev) rc |= write_one(&bh);
    return rc;
}

int sync_dev_unprotected(uint32_t dev)
{
    return with_protection_lifted(dev, [&] { return sync_dev(dev); });
}

int sync_all()
{
    int rc = 0;
    for (buffer_head &bh : g_heads)
        if (bh.dirt) rc |= write_one(&bh);
    return rc;
}

void set_protect(uint32_t dev, int flag)
{
    if (dev < sizeof g_protect) g_protect[dev] = (uint8_t)flag;
}

int bread_multi(uint32_t dev, uint16_t count, uint64_t block, void *dst)
{
    return read_multi(dev, count, block, dst, true);
}

int bread_multi_quiet(uint32_t dev, uint16_t count, uint64_t block, void *dst)
{
    return read_multi(dev, count, block, dst, false);
}

int bwrite_multi(uint32_t dev, uint16_t count, uint64_t block, const void *src)
{
    if (is_protected(dev, block)) {
        wfs_event("StorageDeviceError", "bwrite_multi offset error, /dev/sd%d%c, %llu", (int)dev, 'a',
                  (unsigned long long)block);
        wfs_error("\e[40;35m  disk[%d] bwrite_multi ,the offset error ! the error block is %llu \e[0m \n", (int)dev,
                  (unsigned long long)block);
        return 1;
    }
    wfs_note_access(dev);
    int rc = ide_write((uint16_t)dev, count, block, src);
    if (rc != 0) wfs_report_storage_error(dev, block, WFS_IO_WRITE);
    return rc;
}

void wfs_set_storage_error_hook(wfs_storage_error_hook hook) { g_storage_hook = hook; }

void wfs_raise_storage_error(uint32_t disk, uint32_t code)
{
    if (g_storage_hook) g_storage_hook(disk, code);
}

void wfs_report_storage_error(uint32_t dev, uint64_t block, int kind)
{
    if (kind == WFS_IO_WRITE)
        wfs_event("StorageDeviceError", "Write, /dev/sd%d%c, %lld", (int)dev, 'a', (long long)block);
    else
        wfs_event("StorageDeviceError", "Read, /dev/sd%d%c, %lld", (int)dev, 'a', (long long)block);
    wfs_pdp *pdp = get_pdp(dev, 0);
    if (!pdp || pdp->err_status != 0) return;
    uint64_t data_start = pdp->start_sector + pdp->data_offset;
    if (block >= data_start + (uint64_t)pdp->total_clus * pdp->sec_per_clus) {
        wfs_warn("disk access parameter error : disk %d, offset %d,  error %d\n", (int)dev, (int)block, kind);
        return;
    }
    wfs_warn("disk access io error : disk %d, offset %d,  error %d\n", (int)dev, (int)block, kind);
    if (block >= data_start + (uint64_t)pdp->rev_clus * pdp->sec_per_clus) return;
    if (dev >= WFS_MAX_DISKS) return;
    if (kind == WFS_IO_WRITE) g_write_error_mask |= 1u << dev;
    else g_read_error_mask |= 1u << dev;
    g_last_error_block[dev] = block;
    pdp->err_status = WFS_ERR_STATUS_BAD;
    g_bad_disk_mask |= 1u << dev;
}

uint32_t wfs_read_error_mask() { return g_read_error_mask; }
uint32_t wfs_write_error_mask() { return g_write_error_mask; }
uint32_t wfs_bad_disk_mask() { return g_bad_disk_mask; }
uint64_t wfs_last_error_block(uint32_t dev) { return dev < WFS_MAX_DISKS ? g_last_error_block[dev] : 0; }

void wfs_reset_access(uint32_t dev)
{
    if (dev >= WFS_MAX_DISKS) return;
    g_access_tick[dev] = wfs_tick_ms();
    g_standby_minutes[dev] = 0;
}

// No idle or wake hooks are registered, so only the tick is kept.
void wfs_note_access(uint32_t dev)
{
    if (dev < WFS_MAX_DISKS) g_access_tick[dev] = wfs_tick_ms();
}

size_t wfs_overlay_size() { return g_overlay.size(); }
bool wfs_overlay_has(uint32_t dev, uint64_t block) { return g_overlay.count({dev, block}) != 0; }
