// Recordings a disk still holds that no listing reaches ("fragments"): what survives of
// a recording whose first cluster the newest lap took over ("tail"), a whole recording of
// the older lap that the mount's repair left out of the listing ("hidden"), and a whole
// recording the recorder wrote past a write head it never saved ("beyond").
//
// A fragment is a chain of clusters c1..cn following down_cluster_no, whose items agree on
// channel and AV byte, stream byte, repeat_no and first_cluster_no, with ordinals rising by
// one; it lies past the write head as mounted and belongs to no listed recording. Everything
// is read as the disk holds it, never as the mount's repair changed it in memory, and every
// walk is bounded: a damaged chain ends its fragment.
//
// Fragments are named like recordings, under a "recovered" folder of their partition:
//   /mnt/ide<letter><partition>/recovered/<start date>/<channel, 000 first>/
//       hh.mm.ss-hh.mm.ss[<type letter>][@<c1 in hex>][<repeat_no>].h264 (.jpg for pictures)
// and the stream layer (fs_fopen, fs_fread, fs_fseek, fs_ftell, fs_fclose, fs_findfirst,
// fs_findnext, fs_findclose) opens, reads and lists them like recordings.
#pragma once

#include "wfs_file.h"
#include "wfs_mount.h"

#include <cstddef>
#include <cstdint>

enum { WFS_FRAGMENT_TAIL = 1, WFS_FRAGMENT_HIDDEN = 2, WFS_FRAGMENT_BEYOND = 3 };

#define WFS_RECOVERED_FOLDER "recovered"

struct wfs_fragment {
    uint8_t disk;
    uint8_t part;
    uint8_t kind; // WFS_FRAGMENT_*
    uint8_t channel;
    uint8_t av;    // 0 picture, 2 or 3 video
    uint8_t alarm; // its type letter in the name
    uint8_t stream_type;
    uint8_t repeat_no;
    uint32_t first_cluster;      // c1, the cluster in the name
    uint32_t last_cluster;       // cn
    uint32_t clusters;           // n
    uint32_t first_ordinal;      // position of c1 in its recording; 0 when the recording's start survived
    uint32_t lost_first_cluster; // the recording's own first cluster (for a tail another recording's now)
    uint32_t last_sectors;       // sectors counted in cn: end_length (0 = full), or full when the chain broke
    uint32_t head_sectors;       // "DHII" header skipped at the start (first ordinal 0 only)
    uint32_t start_time;         // packed: start_time of c1
    uint32_t end_time;           // packed: end_time of cn
    uint32_t size_kib;           // ((n - 1) * sec_per_clus + last_sectors) / 2
    uint64_t bytes;              // what a reader gets: every counted sector but the header
};

// Which fragments a listing wants.
struct wfs_fragment_filter {
    uint32_t day; // packed midnight of the start date; 0 any
    int channel;  // -1 any
};

// The fragments of a mounted partition, by channel, start and first cluster. Fills at most
// capacity records and sets count to how many there are: with count > capacity the records
// filled are the first in cluster order, unsorted, and a larger buffer gets them all.
// 0, or FS_NO_EXIST_FILE when the partition is not mounted (WFS_ERR_READ when its disk failed,
// WFS_ERR_BAD_HANDLE without count, or without out for a non-zero capacity).
uint32_t wfs_recover_list(uint32_t disk, uint32_t part, const wfs_fragment_filter *filter, wfs_fragment *out,
                          uint32_t capacity, uint32_t *count);
// The fragment that starts at first_cluster: 0, FS_NO_EXIST_FILE when none starts there (or the
// partition is not mounted), WFS_ERR_CLUSTER_RANGE for a cluster outside the partition.
uint32_t wfs_recover_fragment(uint32_t disk, uint32_t part, uint32_t first_cluster, wfs_fragment *out);
// Its clusters c1..cn, at most capacity of them; the count of clusters, 0 when none starts there.
uint32_t wfs_recover_chain(uint32_t disk, uint32_t part, uint32_t first_cluster, uint32_t *clusters,
                           uint32_t capacity);

// "tail", "hidden" or "beyond" ("" for anything else).
const char *wfs_fragment_kind_name(unsigned kind);
// The fragment's file name, its folder ("/mnt/ideXN/recovered/date/channel") and its whole path;
// each returns the length snprintf reports.
int wfs_recover_format_name(char *out, size_t size, const wfs_fragment &f);
int wfs_recover_format_folder(char *out, size_t size, const wfs_fragment &f);
int wfs_recover_format_path(char *out, size_t size, const wfs_fragment &f);
// True for paths under "/mnt/ide<letter><partition>/recovered".
bool wfs_is_recovered_path(const char *path);

// The stream layer's operations on recovered paths and on handles they opened.
FILEHANDLE wfs_recover_fopen(const char *path);
size_t wfs_recover_fread(void *buffer, size_t size, size_t count, FILEHANDLE h);
int wfs_recover_fseek(FILEHANDLE h, int64_t offset, int whence);
int64_t wfs_recover_ftell(FILEHANDLE h);
intptr_t wfs_recover_findfirst(const char *pattern, wfs_find_entry *out);
int wfs_recover_findnext(FILEHANDLE h, wfs_find_entry *out);
