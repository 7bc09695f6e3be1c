#include "wfs_device.h"

#include "wfs_image.h"
#include "wfs_log.h"

#include <algorithm>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace {
const int MAX_DRIVE_NUMBER = 256;
const uint32_t MBR_FIRST_PART_START = 454;
const char MEMORY_DRIVE_NAME[] = "(memory)";

std::vector<std::string> g_images;
const void *g_memory_image = nullptr;
size_t g_memory_image_size = 0;
ide_read_observer g_read_observer = nullptr;
bool g_scan_devices = true;

IdeInfo g_ide_info_wfs;
wfs_image *g_handle[WFS_MAX_DISKS];
uint32_t g_base_sector[WFS_MAX_DISKS];
int g_drive_number[WFS_MAX_DISKS];
std::string g_drive_path[WFS_MAX_DISKS];

std::vector<std::string> block_devices()
{
    std::vector<std::string> names;
    DIR *dir = opendir("/sys/block");
    if (!dir) return names;
    while (struct dirent *e = readdir(dir))
        if (e->d_name[0] != '.' && ide_is_whole_disk_name(e->d_name, "/sys/block")) names.push_back(e->d_name);
    closedir(dir);
    std::sort(names.begin(), names.end());
    for (auto &n : names) n = "/dev/" + n;
    return names;
}

// The candidates in drive-number order: an image in memory, images, then block devices.
std::vector<std::string> candidates()
{
    std::vector<std::string> all;
    if (g_memory_image) all.push_back(MEMORY_DRIVE_NAME);
    all.insert(all.end(), g_images.begin(), g_images.end());
    if (g_scan_devices) {
        std::vector<std::string> devs = block_devices();
        all.insert(all.end(), devs.begin(), devs.end());
    }
    if (all.size() > MAX_DRIVE_NUMBER) all.resize(MAX_DRIVE_NUMBER);
    return all;
}

wfs_image *open_drive(const std::string &path, size_t n)
{
    if (n == 0 && g_memory_image) return wfs_image_open_memory(g_memory_image, g_memory_image_size);
    return wfs_image_open(path.c_str());
}

uint32_t mbr_volume_start(wfs_image *drive)
{
    uint8_t sector0[WFS_BLOCK_SIZE] = {};
    if (wfs_image_read(drive, sector0, sizeof sector0, 0) != 0) memset(sector0, 0, sizeof sector0);
    uint32_t start;
    memcpy(&start, sector0 + MBR_FIRST_PART_START, 4);
    return start;
}

bool has_signature(const uint8_t *block) { return memcmp(block, "WFS", 3) == 0; }

bool drive_has_volume(wfs_image *drive)
{
    uint8_t block[WFS_BLOCK_SIZE];
    uint64_t start = mbr_volume_start(drive);
    return wfs_image_read(drive, block, sizeof block, start * WFS_BLOCK_SIZE) == 0 && has_signature(block);
}

void close_slot(int k)
{
    wfs_image_close(g_handle[k]);
    g_handle[k] = nullptr;
    g_drive_path[k].clear();
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
} // namespace

void ide_set_images(const char *const *paths, int count) { g_images.assign(paths, paths + count); }
bool ide_is_whole_disk_name(const char *name, const char *sys_block)
{
    const std::string n(name);
    auto starts = [&](const char *p) { return n.rfind(p, 0) == 0; };
    if (starts("sd") || starts("vd")) return true;
    if (starts("nvme")) return n.find('n', 4) != std::string::npos && n.find('p', 4) == std::string::npos;
    if (starts("mmcblk")) return n.find("boot") == std::string::npos && n.find("rpmb") == std::string::npos;
    if (starts("loop")) return access((std::string(sys_block) + "/" + n + "/loop/backing_file").c_str(), F_OK) == 0;
    return false;
}

void ide_set_scan_devices(bool on) { g_scan_devices = on; }

void ide_set_memory_image(const void *data, size_t size)
{
    g_memory_image = size ? data : nullptr;
    g_memory_image_size = size;
}

int ide_init()
{
    for (int k = 0; k < WFS_MAX_DISKS; ++k) close_slot(k);
    memset(&g_ide_info_wfs, 0, sizeof g_ide_info_wfs);
    g_ide_info_wfs.ide_port = 4;
    std::vector<std::string> drives = candidates();
    for (size_t n = 0; n < drives.size() && g_ide_info_wfs.ide_num < WFS_MAX_DISKS; ++n) {
        wfs_image *drive = open_drive(drives[n], n);
        if (!drive) continue;
        wfs_debug("%s (%s, %llu bytes)\n", drives[n].c_str(), wfs_image_kind(drive),
                  (unsigned long long)wfs_image_size(drive));
        int k = g_ide_info_wfs.ide_num;
        g_handle[k] = drive;
        g_base_sector[k] = 0;
        if (checkMagic(k)) {
            g_drive_number[k] = (int)n;
            g_drive_path[k] = drives[n];
            g_ide_info_wfs.ide_cap[k] = wfs_image_size(drive) / WFS_BLOCK_SIZE;
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
    std::vector<std::string> drives = candidates();
    for (size_t n = 0; n < drives.size(); ++n) {
        wfs_image *drive = open_drive(drives[n], n);
        if (!drive) continue;
        if (drive_has_volume(drive)) count++;
        wfs_image_close(drive);
    }
    return count;
}

bool checkMagic(int k)
{
    if (k < 0 || k >= WFS_MAX_DISKS || !g_handle[k]) return false;
    uint32_t start = mbr_volume_start(g_handle[k]);
    uint8_t block[WFS_BLOCK_SIZE];
    if (ide_read((uint16_t)k, 1, start, block) != 0 || !has_signature(block)) return false;
    g_base_sector[k] = start;
    return true;
}

bool checkMagicByHandle(int fd)
{
    uint8_t sector0[WFS_BLOCK_SIZE] = {};
    if (!read_exact(fd, sector0, sizeof sector0, 0)) memset(sector0, 0, sizeof sector0);
    uint32_t start;
    memcpy(&start, sector0 + MBR_FIRST_PART_START, 4);
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
    if (disk >= WFS_MAX_DISKS || !g_handle[disk]) return -1;
    if (count == 0) return 0;
    uint64_t at = sector + g_base_sector[disk];
    if (at > UINT64_MAX / WFS_BLOCK_SIZE - count) return -1;
    int rc = wfs_image_read(g_handle[disk], dst, (size_t)count * WFS_BLOCK_SIZE, at * WFS_BLOCK_SIZE);
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

uint64_t ide_volume_sectors(int disk)
{
    if (disk < 0 || disk >= g_ide_info_wfs.ide_num) return 0;
    uint64_t sectors = g_ide_info_wfs.ide_cap[disk];
    return sectors > g_base_sector[disk] ? sectors - g_base_sector[disk] : 0;
}

int ide_wakeup(int) { return 0; }
int ide_set_standby(int, int) { return 0; }
int ide_setstabdby_multi(uint32_t, int) { return 0; }
int ide_flush(int) { return 0; }
