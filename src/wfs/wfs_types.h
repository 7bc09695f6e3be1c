// Shared records, result codes and limits of the WFS library.
#pragma once

#include <cstddef>
#include <cstdint>

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "on-disk records are copied as little-endian memory");

// Result codes shared by every area of the library.
enum : uint32_t {
    WFS_OK = 0,
    WFS_ERR_NOT_PRESENT = 2,
    WFS_ERR_END_OF_CHAIN = 3,
    WFS_ERR_READ = 4,
    WFS_ERR_CLUSTER_RANGE = 5,
    FS_NO_EXIST_FILE = 6,
    WFS_ERR_NO_NORMAL_DRIVER = 7,
    WFS_ERR_UD_NOT_FOUND = 10,
    WFS_ERR_BAD_HANDLE = 11,
    WFS_ERR_RECORD_BOUNDARY = 12,
    WFS_ERR_NO_INDEX = 13,
    WFS_ERR_SHORT_CHAIN = 14, // a recording's clusters end before the length its directory item lists
    WFS_ERR_VERSION = 1002,
    WFS_ERR_HEAD_READ = 1003,
};

enum {
    WFS_BLOCK_SIZE = 512,
    WFS_MAX_DISKS = 32,
    WFS_MAX_KEY_DISKS = 16,
    WFS_MAX_PARTS = 4,
    WFS_MAX_DRIVERS = 32,
    WFS_DRIVER_TYPES = 7,
    WFS_MAX_COLLISIONS = 128,
    WFS_MAX_SECTIONS = 130,
    WFS_FACE_LIB_SIZE = 228,
    WFS_DRIVER_FREE = 255,
    WFS_DRIVER_PICTURE = 4,
};

const uint32_t WFS_PARAM_MARK = 0x789ABCDE;
const uint32_t WFS_STATUS_CLEAN = 0xAA;
const uint32_t WFS_CLUSTER_OPEN = 0xFFFFFFFF;
const uint32_t WFS_ERR_STATUS_BAD = 15;

// Disk inventory handed from the device layer to the library.
struct IdeInfo {
    int32_t ide_num;
    int32_t ide_port;
    uint32_t ide_mask;
    uint32_t ide_bad;
    uint64_t ide_cap[WFS_MAX_DISKS];
};

// One partition-table entry as the library uses it.
struct wfs_part_entry {
    uint64_t start;
    uint64_t total;
};

// Directory item: 32 bytes per cluster, laid out exactly as on the disk.
struct wfs_dir_item {
    uint8_t alarm;
    uint8_t dir_flag;
    uint16_t item_num;
    uint32_t up_cluster_no;
    uint32_t down_cluster_no;
    uint32_t start_time;
    uint32_t end_time;
    uint16_t head_sectors;
    uint16_t end_length;
    uint32_t first_cluster_no;
    uint8_t attr;
    uint8_t stream_type;
    uint8_t repeat_no;
    uint8_t chn_av; // bits 2-7 channel, bits 0-1 AV kind
};
static_assert(sizeof(wfs_dir_item) == 32, "directory item is 32 bytes");

inline unsigned dir_item_channel(const wfs_dir_item &d) { return d.chn_av >> 2; }
inline unsigned dir_item_av(const wfs_dir_item &d) { return d.chn_av & 3; }

const uint8_t WFS_ATTR_LOCKED = 0x20;

// Extended directory item; only these fields are interpreted.
struct wfs_ext_dir_item {
    uint8_t code0;
    uint8_t code1;
    uint8_t reserved[2];
    uint32_t events;
    uint8_t rest[24];
};
static_assert(sizeof(wfs_ext_dir_item) == 32, "extended directory item is 32 bytes");

// User-data item: card record, lap number and the recording it belongs to.
struct wfs_ud_item {
    uint8_t card[10];
    uint8_t kind;
    uint8_t lap;
    uint32_t first_cluster_no;
};
static_assert(sizeof(wfs_ud_item) == 16, "user-data item is 16 bytes");

// Catalogue list record of one recording (natural alignment: one padding byte before the event bits).
struct wfs_file_info_v2 {
    uint8_t channel;
    uint8_t alarm;
    uint8_t av;
    uint8_t repeat_no;
    uint8_t disk;
    uint8_t part;
    uint8_t attr_low;
    uint8_t stream; // low nibble stream type, high nibble attr bits 5-7
    uint32_t start_time;
    uint32_t end_time;
    uint32_t length_kib;
    uint32_t up_cluster_no;
    uint32_t first_cluster_no;
    uint8_t ext0;
    uint8_t ext1;
    uint8_t attr_mid;
    uint32_t ext_events;
};
static_assert(sizeof(wfs_file_info_v2) == 36, "catalogue list record is 36 bytes");

// Older record of the diagnostic dumps.
struct wfs_file_info {
    uint8_t channel;
    uint8_t alarm;
    uint8_t attr_low;
    uint8_t av;
    uint8_t stream_type;
    uint8_t repeat_no;
    uint32_t start_time;
    uint32_t end_time;
    uint32_t length_kib;
    uint32_t disk;
    uint32_t part;
    uint32_t first_cluster_no;
    uint32_t up_cluster_no;
    uint8_t card[11];
};

struct wfs_pdp;

// A stretch of a partition that holds one continuous run of recording times,
// with the state a search over all partitions keeps in it.
struct wfs_time_section {
    wfs_pdp *pdp;
    wfs_time_section *next; // next section of the current search list
    uint32_t start_time;
    uint32_t end_time;
    uint32_t start_clus;
    uint32_t end_clus;
    uint32_t cursor;
    int32_t state; // -1 exhausted, 0 not positioned, 1 positioned, 2 holding a candidate
    uint32_t candidate_time;
};

// Partition parameters of a mounted partition ("driver"), the fields of the
// on-disk parameter block plus the memory links the library keeps with them.
struct wfs_pdp {
    uint8_t flag_f;
    uint32_t status;
    uint32_t start_time1;
    uint32_t end_time1;
    uint32_t current_cluster;
    uint32_t start_cluster2;
    uint32_t end_cluster2;
    uint32_t start_time2;
    uint32_t end_time2;
    uint32_t sec_size;
    uint32_t sec_per_clus;
    uint32_t ext_dir_offset;
    uint32_t rev_clus;
    uint32_t index_offset;
    uint32_t temp_off;
    uint32_t dir_offset;
    uint32_t data_offset;
    uint32_t total_clus;
    uint32_t driver_type;
    uint32_t ud_offset;
    uint32_t ud_item_size;
    uint32_t ud_item_count;
    uint32_t ud_first_item;
    uint32_t ud_last_item;
    uint32_t dev;
    uint32_t index_restored_clus;
    uint32_t part;
    uint32_t err_status;
    uint32_t collision_off;
    uint32_t collision_num;
    uint32_t work_section;
    uint64_t start_sector;
    uint32_t backdir_offset;
    uint32_t face_lib_param_offset;
    uint32_t lock_file_info_off;
    uint32_t mark_file_info_off;
    uint32_t upgrade_off;

    wfs_pdp *next; // ring of partitions of the same type
    wfs_pdp *prev;
    uint32_t collision[WFS_MAX_COLLISIONS];
    wfs_time_section sections[WFS_MAX_SECTIONS];
    uint8_t face_lib_param[WFS_FACE_LIB_SIZE];
    uint8_t block[WFS_BLOCK_SIZE]; // the block as loaded: reserved words are written back unchanged
};
