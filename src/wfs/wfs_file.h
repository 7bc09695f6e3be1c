// Recordings as open files: the handle table, positioning at a recording's first
// cluster, reading along its chain of clusters, and the index-area searches.
#pragma once

#include "wfs_types.h"

enum { WFS_MAX_HANDLES = 256 };

// file_flag values
enum { WFS_FILE_FREE = 0, WFS_FILE_WRITE = 1, WFS_FILE_READ = 2, WFS_FILE_SUSPENDED = 3, WFS_FILE_READ2 = 4 };
// kind values of the stream layer
enum { WFS_KIND_RECORDING = 0, WFS_KIND_WORKDIR = 5, WFS_KIND_WORKDIR_READ = 6 };
// kinds of recovered recordings (wfs_recover.h): a fragment open for reading, a listing of fragments
enum { WFS_KIND_RECOVERED = 7, WFS_KIND_RECOVERED_FIND = 8 };

struct wfs_file {
    wfs_file *mirror;
    uint64_t file_len; // bytes; 64-bit so recordings of 4 GiB and more keep their length
    uint32_t first_cluster;
    uint32_t write_counters[2];
    uint32_t cur_cluster; // 0: no recording positioned
    uint32_t cur_offset;  // sectors of cur_cluster already consumed
    uint32_t up_cluster;
    uint32_t total_clus_num;
    uint32_t curr_clus_num;
    uint32_t clus_sectors;
    uint8_t file_flag;
    uint8_t channel; // 0xFF: any channel in a search
    uint8_t av;
    uint8_t alarm;
    uint8_t stream_type;
    uint8_t in_use;
    uint32_t open_tick;
    wfs_pdp *pdp;
    wfs_dir_item cur_dir_info;
    uint32_t name_time;
    uint32_t found_time;
    // byte stream kept by the stream layer
    uint64_t position;
    uint64_t head_skip;
    uint64_t buf_start; // WFS_BUF_EMPTY: nothing buffered
    uint32_t buf_size;
    uint32_t buf_valid; // bytes of the buffer the recording's clusters filled (less at the chain's end)
    uint8_t *buffer;      // 512-byte aligned inside buffer_alloc
    uint8_t *buffer_alloc;
    uint32_t open_generation;
    wfs_time_section *sections; // search list of a time search
    uint8_t dirty;
    uint8_t kind;
    uint8_t short_logged; // the early end of the chain has been logged once
    // A recovered recording's clusters, or a listing's fragments; inside buffer_alloc.
    void *recovered;
    uint32_t recovered_count;
};
typedef wfs_file *FILEHANDLE;

const uint64_t WFS_BUF_EMPTY = ~0ull;
const uint8_t WFS_ANY_CHANNEL = 0xFF;

// Search kinds of get_next_clus_no.
enum {
    WFS_SEARCH_ALLOC = 1,
    WFS_SEARCH_USABLE = 2,
    WFS_SEARCH_FIRST = 3,
    WFS_SEARCH_FIRST_STRICT = 4,
    WFS_SEARCH_BAD = 5,
    WFS_SEARCH_USABLE_DOWN = 7,
    WFS_SEARCH_FIRST_DOWN = 8,
    WFS_SEARCH_NEXT_OF_FILE = 9,
    WFS_SEARCH_FIRST_ANY = 10,
    WFS_SEARCH_PREV_OF_FILE = 11,
    WFS_SEARCH_USABLE_DOWN_STRICT = 12,
};

uint32_t wfs_file_open(FILEHANDLE *out, uint8_t in_use, int second_mode);
uint32_t wfs_file_goto_clus(FILEHANDLE h, uint32_t disk, uint32_t part, uint32_t cluster);
uint32_t wfs_file_read(FILEHANDLE h, void *buffer, uint32_t sectors);
uint32_t wfs_file_moveto_len(FILEHANDLE h, uint32_t sector_offset);
uint32_t wfs_file_tell(FILEHANDLE h, uint32_t *sector_offset);
uint32_t wfs_get_file_info(FILEHANDLE h, uint8_t *channel, uint8_t *alarm, uint8_t *stream_type, uint8_t *av);
uint32_t wfs_get_file_info2(FILEHANDLE h, uint32_t *start_time, uint32_t *end_time, uint32_t *size_kib);
uint32_t wfs_file_close(FILEHANDLE h);
uint32_t get_next_clus_no(wfs_pdp *pdp, int kind, uint32_t cluster, uint32_t bound, uint32_t *out, uint8_t channel);

// Takes a free slot for reading (zeroed, current generation) or none with "none available handle".
FILEHANDLE wfs_alloc_handle();
// Makes cluster the handle's current cluster and copies its directory item.
uint32_t file_set_cur_clus(FILEHANDLE h, uint32_t cluster);
// True when h is a slot of the table opened in the current generation; logs "INVALID HANDLE" otherwise.
bool wfs_handle_valid(FILEHANDLE h, const char *where, int line);
// Frees every slot (volume initialisation).
void wfs_reset_handles();
// Generation counter bumped by g_fs_change.
extern uint32_t fs_change_count;
