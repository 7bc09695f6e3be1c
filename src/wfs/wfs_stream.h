// Recordings as byte streams under "/mnt/ide": opening a recording by its path,
// buffered reading, seeking, a partition's day table and day listings.
#pragma once

#include "wfs_file.h"
#include "wfs_mount.h"

enum { WFS_DAY_TABLE_WORDS = 832, WFS_DAY_TABLE_BYTES = WFS_DAY_TABLE_WORDS * 4 };
enum { WFS_VIDEO_BUFFER = 32768, WFS_SMALL_BUFFER = 4096 };

// fs_fseek and fs_ftell failures.
enum { WFS_SEEK_BAD_HANDLE = -1, WFS_SEEK_DISK_FAILED = -2, WFS_SEEK_OUT_OF_RANGE = -3 };

FILEHANDLE fs_fopen(const char *path, const char *mode);
int fs_fclose(FILEHANDLE h);
size_t fs_fread(void *buffer, size_t size, size_t count, FILEHANDLE h);
size_t fs_fwrite(const void *buffer, size_t size, size_t count, FILEHANDLE h);
int fs_fflush(FILEHANDLE h);
int fs_fseek(FILEHANDLE h, int64_t offset, int whence);
int64_t fs_ftell(FILEHANDLE h);
char *fs_fgets(char *text, int size, FILEHANDLE h);
int fs_fputs(const char *text, FILEHANDLE h);
int fs_access(const char *path, int mode);
int fs_rename(const char *from, const char *to);
int fs_remove(const char *path);
intptr_t fs_findfirst(const char *pattern, wfs_find_entry *out);
int fs_findnext(intptr_t search, wfs_find_entry *out);
int fs_findclose(intptr_t search);
int fs_mkdir(const char *path);
int fs_rmdir(const char *path);
int fs_disk_space(const char *path, uint64_t *free_bytes, uint64_t *total_bytes, uint64_t *free_again);

// Why the calling thread's last fs_fopen, fs_fread, fs_fseek, fs_findfirst or fs_findnext failed,
// or why its fs_fread returned less than asked before the recording's listed end: a result code
// (0 when it did not fail: a read that stops at the listed end is no failure) and, when why is
// given, the reason. WFS_ERR_SHORT_CHAIN: the recording's clusters end before its listed length;
// WFS_ERR_READ: the disk could not be read (the reason says why and where); FS_NO_EXIST_FILE:
// nothing of that name; other codes as the file functions return them. Each of those operations
// clears it first; fs_ftell and fs_fclose leave it.
uint32_t fs_last_error(char *why, size_t why_size);

// Optional hooks called on entry to and exit from every stream operation.
typedef void (*wfs_stream_hook)();
void wfs_set_stream_lock_hooks(wfs_stream_hook lock, wfs_stream_hook unlock);

// The operations above as a mount table.
const wfs_fs_ops *wfs_stream_ops();
// Where recordings live: paths that start with it are disk recordings, all others PC
// files (on Linux "/mnt" itself holds ordinary mounted drives, such as export targets).
#define WFS_STREAM_PREFIX "/mnt/ide"
// Registers that table under WFS_STREAM_PREFIX; returns the registry entry or -1.
int wfs_register_stream_ops();
