#include "wfs_device.h"

#include "wfs_log.h"

#include <algorithm>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <linux/fs.h>
#include <string>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {
const int MAX_DRIVE_NUMBER = 256;
const uint32_t MBR_FIRST_PART_START = 454;

std::vector<std::string> g_images;
ide_read_observer g_read_observer = nullptr;
bool g_scan_devices = true;

IdeInfo g_ide_info_wfs;
int g_handle[WFS_MAX_DISKS] = {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1,
                               -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
uint32_t g_base_sector[WFS_MAX_DISKS];
int g_drive_number[WFS_MAX_DISKS];
std::string g_drive_path[WFS_MAX_DISKS];

bool is_whole_disk_name(const std::string &name)
{
    auto starts = [&](const char *p) { return name.rfind(p, 0) == 0; };
    if (starts("sd") || starts("vd")) return true;
    if (starts("nvme")) return name.find('n', 4) != std::string::npos && name.find('p', 4) == std::string::npos;
    if (starts("mmcblk")) return name.find("boot") == std::string::npos && name.find("rpmb") == std::string::npos;
    if (starts("loop")) return access(("/sys/block/" + name + "/loop/backing_file").c_str(), F_OK) == 0;
    return false;
}

std::vector<std::string> block_devices()
{
    std::vector<std::string> names;
    DIR *dir = opendir("/sys/block");
    if (!dir) return names;
    while (struct dirent *e = readdir(dir))
        if (e->d_name[0] != '.' && is_whole_disk_name(e->d_name)) names.push_back(e->d_name);
    closedir(dir);
    std::sort(names.begin(), names.end());
    for (auto &n : names) n = "/dev/" + n;
    return names;
}

// The candidates in drive-number order: images, then block devices.
std::vector<std::string> candidates()
{
    std::vector<std::string> all = g_images;
    if (g_scan_devices) {
        std::vector<std::string> devs = block_devices();
        all.insert(all.end(), devs.begin(), devs.end());
    }
    if (all.size() > MAX_DRIVE_NUMBER) all.resize(MAX_DRIVE_NUMBER);
    return all;
}

int open_drive(const std::string &path) { return open(path.c_str(), O_RDONLY | O_CLOEXEC); }

uint64_t capacity_sectors(int fd)
{
    struct stat st;
    if (fstat(fd, &st) != 0) return 0;
    if (S_ISBLK(st.st_mode)) {
        uint64_t bytes = 0;
        return ioctl(fd, BLKGETSIZE64, &bytes) == 0 ? bytes / WFS_BLOCK_SIZE : 0;
    }
    return (uint64_t)st.st_size / WFS_BLOCK_SIZE;
}

bool read_exact(int fd, void *dst, size_t len, uint64_t offset)
{
    size_t done = 0;
    while (done < len) {
        ssize_t n = pread(fd, (char *)dst + done, len - done, (off_t)(offset + done));
        if (n <= 0) return false;
        done += (size_t)n;
    }
    return true;
}

uint32_t mbr_volume_start(int fd)
{
    uint8_t sector0[WFS_BLOCK_SIZE] = {};
    if (!read_exact(fd, sector0, sizeof sector0, 0)) memset(sector0, 0, sizeof sector0);
    uint32_t start;
    memcpy(&start, sector0 + MBR_FIRST_PART_START, 4);
    return start;
}

bool has_signature(const uint8_t *block) { return memcmp(block, "WFS", 3) == 0; }

void close_slot(int k)
{
    if (g_handle[k] >= 0) close(g_handle[k]);
    g_handle[k] = -1;
    g_drive_path[k].clear();
}
} // namespace

void ide_set_images(const char *const *paths, int count) { g_images.assign(paths, paths + count); }
void ide_set_scan_devices(bool on) { g_scan_devices = on; }

int ide_init()
{
    for (int k = 0; k < WFS_MAX_DISKS; ++k) close_slot(k);
    memset(&g_ide_info_wfs, 0, sizeof g_ide_info_wfs);
    g_ide_info_wfs.ide_port = 4;
    std::vector<std::string> drives = candidates();
    for (size_t n = 0; n < drives.size() && g_ide_info_wfs.ide_num < WFS_MAX_DISKS; ++n) {
        int fd = open_drive(drives[n]);
        if (fd < 0) continue;
        wfs_debug("%s\n", drives[n].c_str());
        int k = g_ide_info_wfs.ide_num;
        g_handle[k] = fd;
        g_base_sector[k] = 0;
        if (checkMagic(k)) {
            g_drive_number[k] = (int)n;
            g_drive_path[k] = drives[n];
            g_ide_info_wfs.ide_cap[k] = capacity_sectors(fd);
            g_ide_info_wfs.ide_mask |= 1u << k;
            g_ide_info_wfs.ide_num++;
        } else {
            close_slot(k);
        }
    }
    return 0;
}

int ide_rescan()
{
    int count = 0;
    for (const std::string &path : candidates()) {
        int fd = open_drive(path);
        if (fd < 0) continue;
        if (checkMagicByHandle(fd)) count++;
        close(fd);
    }
    return count;
}

bool checkMagic(int k)
{
    if (k < 0 || k >= WFS_MAX_DISKS || g_handle[k] < 0) return false;
    uint32_t start = mbr_volume_start(g_handle[k]);
    uint8_t block[WFS_BLOCK_SIZE];
    if (ide_read((uint16_t)k, 1, start, block) != 0 || !has_signature(block)) return false;
    g_base_sector[k] = start;
    return true;
}

bool checkMagicByHandle(int fd)
{
    uint32_t start = mbr_volume_start(fd);
    uint8_t block[WFS_BLOCK_SIZE];
    return read_sectors_by_handle(fd, 1, start, block) == 0 && has_signature(block);
}

int ide_get_info(IdeInfo *dst)
{
    *dst = g_ide_info_wfs;
    return g_ide_info_wfs.ide_num;
}

int ide_set_info(const IdeInfo *src)
{
    g_ide_info_wfs = *src;
    return g_ide_info_wfs.ide_num;
}

int read_sectors_by_handle(int fd, uint16_t count, uint64_t sector, void *dst)
{
    if (count == 0) return 0;
    return read_exact(fd, dst, (size_t)count * WFS_BLOCK_SIZE, sector * WFS_BLOCK_SIZE) ? 0 : -1;
}

int ide_read(uint16_t disk, uint16_t count, uint64_t sector, void *dst)
{
    if (disk >= WFS_MAX_DISKS || g_handle[disk] < 0) return -1;
    int rc = read_sectors_by_handle(g_handle[disk], count, sector + g_base_sector[disk], dst);
    if (rc == 0 && g_read_observer) g_read_observer(disk, sector, count);
    return rc;
}

void ide_set_read_observer(ide_read_observer observer) { g_read_observer = observer; }

int ide_write(uint16_t, uint16_t, uint64_t, const void *) { return 0; }

int ide_get_drive_number(int disk)
{
    return disk >= 0 && disk < g_ide_info_wfs.ide_num ? g_drive_number[disk] : -1;
}

const char *ide_get_drive_path(int disk)
{
    return disk >= 0 && disk < g_ide_info_wfs.ide_num ? g_drive_path[disk].c_str() : "";
}

uint32_t ide_get_base_sector(int disk)
{
    return disk >= 0 && disk < WFS_MAX_DISKS ? g_base_sector[disk] : 0;
}

int ide_wakeup(int) { return 0; }
int ide_set_standby(int, int) { return 0; }
int ide_setstabdby_multi(uint32_t, int) { return 0; }
int ide_flush(int) { return 0; }
