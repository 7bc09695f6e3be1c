// The mount registry: a path goes either to the operations of the first entry
// whose prefix starts it, or to the default entry over ordinary POSIX files.
#pragma once

#include <cstddef>
#include <cstdint>

enum { WFS_MOUNT_ENTRIES = 32, WFS_MOUNT_PREFIX_MAX = 31, WFS_FIND_NAME_MAX = 107 };

enum : uint32_t { WFS_FIND_READONLY = 0x01, WFS_FIND_HIDDEN = 0x02, WFS_FIND_DIRECTORY = 0x10 };

// One entry of a directory search.
struct wfs_find_entry {
    char name[WFS_FIND_NAME_MAX + 1];
    uint32_t attrib;
    int64_t time_write; // seconds since 1970
    int64_t size;       // bytes
};
static_assert(sizeof(wfs_find_entry) == 128, "a find entry is 128 bytes");

// The operations behind a mount entry, in the order of the table. A stream is
// whatever the entry's fopen returned; a search handle is -1 on failure.
struct wfs_fs_ops {
    void *(*fopen)(const char *path, const char *mode);
    int (*fclose)(void *stream);
    size_t (*fread)(void *buffer, size_t size, size_t count, void *stream);
    size_t (*fwrite)(const void *buffer, size_t size, size_t count, void *stream);
    int (*fflush)(void *stream);
    int (*fseek)(void *stream, int64_t offset, int whence);
    int64_t (*ftell)(void *stream);
    char *(*fgets)(char *text, int size, void *stream);
    int (*fputs)(const char *text, void *stream);
    int (*access)(const char *path, int mode);
    int (*rename)(const char *from, const char *to);
    int (*remove)(const char *path);
    intptr_t (*findfirst)(const char *pattern, wfs_find_entry *out);
    int (*findnext)(intptr_t search, wfs_find_entry *out);
    int (*findclose)(intptr_t search);
    int (*mkdir)(const char *path);
    int (*rmdir)(const char *path);
    int (*disk_space)(const char *path, uint64_t *free_bytes, uint64_t *total_bytes, uint64_t *free_again);
};

// Copies prefix and table into the first empty entry (1-31) and returns its
// number, or -1 when none is empty. A null table empties the entry with that prefix.
int wfs_mount_register(const char *prefix, const wfs_fs_ops *ops);
// The table that serves the path.
const wfs_fs_ops *wfs_mount_lookup(const char *path);
// The table of entry 0, over POSIX files.
const wfs_fs_ops *wfs_default_ops();
