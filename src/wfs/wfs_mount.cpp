#include "wfs_mount.h"

#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fnmatch.h>
#include <string>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace {
struct mount_entry {
    char prefix[WFS_MOUNT_PREFIX_MAX + 1];
    wfs_fs_ops ops;
};

mount_entry g_mounts[WFS_MOUNT_ENTRIES];

FILE *as_file(void *stream) { return static_cast<FILE *>(stream); }

void *posix_fopen(const char *path, const char *mode) { return fopen(path, mode); }
int posix_fclose(void *stream) { return fclose(as_file(stream)); }
size_t posix_fread(void *buffer, size_t size, size_t count, void *stream)
{
    return fread(buffer, size, count, as_file(stream));
}
size_t posix_fwrite(const void *buffer, size_t size, size_t count, void *stream)
{
    return fwrite(buffer, size, count, as_file(stream));
}
int posix_fflush(void *stream) { return fflush(as_file(stream)); }
int posix_fseek(void *stream, int64_t offset, int whence) { return fseeko(as_file(stream), (off_t)offset, whence); }
int64_t posix_ftell(void *stream) { return (int64_t)ftello(as_file(stream)); }
char *posix_fgets(char *text, int size, void *stream) { return fgets(text, size, as_file(stream)); }
int posix_fputs(const char *text, void *stream) { return fputs(text, as_file(stream)); }
int posix_mkdir(const char *path) { return mkdir(path, 0777); }

// An open directory search: the folder, the name pattern and the stream of entries.
struct posix_search {
    DIR *dir;
    std::string folder;
    std::string pattern;
};

void fill_entry(const posix_search &s, const char *name, wfs_find_entry *out)
{
    memset(out, 0, sizeof *out);
    size_t len = strnlen(name, WFS_FIND_NAME_MAX); // longer names are cut to the entry's size
    memcpy(out->name, name, len);
    struct stat st;
    if (stat((s.folder + name).c_str(), &st) != 0) return;
    if (S_ISDIR(st.st_mode)) out->attrib |= WFS_FIND_DIRECTORY;
    if (!(st.st_mode & S_IWUSR)) out->attrib |= WFS_FIND_READONLY;
    if (name[0] == '.' && strcmp(name, ".") != 0 && strcmp(name, "..") != 0) out->attrib |= WFS_FIND_HIDDEN;
    out->time_write = (int64_t)st.st_mtime;
    out->size = S_ISDIR(st.st_mode) ? 0 : (int64_t)st.st_size;
}

int posix_findnext(intptr_t search, wfs_find_entry *out)
{
    if (search == -1 || search == 0) return -1;
    posix_search *s = reinterpret_cast<posix_search *>(search);
    while (dirent *e = readdir(s->dir)) {
        if (fnmatch(s->pattern.c_str(), e->d_name, 0) != 0) continue;
        fill_entry(*s, e->d_name, out);
        return 0;
    }
    return -1;
}

int posix_findclose(intptr_t search)
{
    if (search == -1 || search == 0) return -1;
    posix_search *s = reinterpret_cast<posix_search *>(search);
    closedir(s->dir);
    delete s;
    return 0;
}

intptr_t posix_findfirst(const char *pattern, wfs_find_entry *out)
{
    const char *slash = strrchr(pattern, '/');
    std::string folder = slash ? std::string(pattern, (size_t)(slash - pattern) + 1) : std::string();
    DIR *dir = opendir(folder.empty() ? "." : folder.c_str());
    if (!dir) return -1;
    intptr_t search = reinterpret_cast<intptr_t>(new posix_search{dir, folder, slash ? slash + 1 : pattern});
    if (posix_findnext(search, out) == 0) return search;
    posix_findclose(search);
    return -1;
}

int posix_disk_space(const char *path, uint64_t *free_bytes, uint64_t *total_bytes, uint64_t *free_again)
{
    struct statvfs st;
    if (statvfs(path, &st) != 0) return -1;
    if (free_bytes) *free_bytes = (uint64_t)st.f_bavail * st.f_frsize;
    if (total_bytes) *total_bytes = (uint64_t)st.f_blocks * st.f_frsize;
    if (free_again) *free_again = (uint64_t)st.f_bfree * st.f_frsize;
    return 0;
}

const wfs_fs_ops g_posix_ops = {
    posix_fopen,     posix_fclose,    posix_fread,      posix_fwrite, posix_fflush, posix_fseek,
    posix_ftell,     posix_fgets,     posix_fputs,      access,       rename,       remove,
    posix_findfirst, posix_findnext,  posix_findclose,  posix_mkdir,  rmdir,        posix_disk_space,
};

bool starts_with(const char *path, const char *prefix) { return strncmp(path, prefix, strlen(prefix)) == 0; }
} // namespace

const wfs_fs_ops *wfs_default_ops() { return &g_posix_ops; }

int wfs_mount_register(const char *prefix, const wfs_fs_ops *ops)
{
    if (!prefix || !*prefix || strlen(prefix) > WFS_MOUNT_PREFIX_MAX) return -1;
    for (int i = 1; i < WFS_MOUNT_ENTRIES; ++i) {
        mount_entry &m = g_mounts[i];
        if (ops && m.prefix[0] == '\0') {
            snprintf(m.prefix, sizeof m.prefix, "%s", prefix);
            m.ops = *ops;
            return i;
        }
        if (!ops && strcmp(m.prefix, prefix) == 0) {
            m = mount_entry{};
            return i;
        }
    }
    return -1;
}

const wfs_fs_ops *wfs_mount_lookup(const char *path)
{
    for (int i = 1; i < WFS_MOUNT_ENTRIES; ++i)
        if (g_mounts[i].prefix[0] != '\0' && starts_with(path, g_mounts[i].prefix)) return &g_mounts[i].ops;
    return &g_posix_ops;
}
