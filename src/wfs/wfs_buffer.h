// The 128-block metadata cache, with write protection of the volume's header
// area and the storage-error bookkeeping.
#pragma once

#include "wfs_types.h"

enum { WFS_NR_BUFFERS = 128, WFS_NR_HASH = 256 };

struct buffer_head {
    uint32_t dev;
    uint64_t blocknr;
    uint8_t uptodate;
    uint8_t dirt;
    uint8_t count;
    uint8_t lock;
    buffer_head *hash_prev;
    buffer_head *hash_next;
    buffer_head *free_prev;
    buffer_head *free_next;
    uint8_t *data;
};

enum { WFS_IO_WRITE = 1, WFS_IO_READ = 2 };

// What the storage-error hook is told failed to read: the partition table (code 5, its back-up 6),
// or an area of partition p, as p * 100 + the area's code.
enum : uint32_t {
    WFS_STORAGE_PART_TABLE = 5,
    WFS_STORAGE_PART_TABLE_BACKUP = 6,
    WFS_STORAGE_PARAMS = 5,     // key-parameter and parameter blocks
    WFS_STORAGE_DIR = 7,        // directory area
    WFS_STORAGE_BACKUP_DIR = 8, // back-up directory area
};
inline uint32_t wfs_storage_area_code(uint32_t part, uint32_t area) { return part * 100 + area; }

typedef void (*wfs_storage_error_hook)(uint32_t disk, uint32_t code);

void buffer_init();
buffer_head *getblk(uint32_t dev, uint64_t block);
buffer_head *bread(uint32_t dev, uint64_t block);
void brelse(buffer_head *bh);
int sync_buffer(buffer_head *bh);
int sync_buffer_unprotected(buffer_head *bh);
int sync_dev(uint32_t dev);
int sync_dev_unprotected(uint32_t dev);
int sync_all();
void set_protect(uint32_t dev, int flag);
int bread_multi(uint32_t dev, uint16_t count, uint64_t block, void *dst);
int bread_multi_quiet(uint32_t dev, uint16_t count, uint64_t block, void *dst);
int bwrite_multi(uint32_t dev, uint16_t count, uint64_t block, const void *src);

// Storage errors: the optional hook, the report of a failed transfer and the masks it keeps.
void wfs_set_storage_error_hook(wfs_storage_error_hook hook);
void wfs_raise_storage_error(uint32_t disk, uint32_t code);
void wfs_report_storage_error(uint32_t dev, uint64_t block, int kind);
uint32_t wfs_read_error_mask();
uint32_t wfs_write_error_mask();
uint32_t wfs_bad_disk_mask();
uint64_t wfs_last_error_block(uint32_t dev);

// Access bookkeeping per disk (ticks in milliseconds, standby in minutes).
void wfs_reset_access(uint32_t dev);
void wfs_note_access(uint32_t dev);

// Blocks written through the cache, kept so later reads see them; never on the disk.
size_t wfs_overlay_size();
bool wfs_overlay_has(uint32_t dev, uint64_t block);
