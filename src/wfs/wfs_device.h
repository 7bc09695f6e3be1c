// Raw sector access to recorder disks: disk images given to the program (raw files,
// split raw images ".001", ".002", ..., Expert Witness sets ".E01", ".E02", ...) and,
// unless turned off, the machine's whole-disk block devices. Nothing is opened for writing.
#pragma once

#include "wfs_types.h"

#include <cstddef>

// Images are offered first, in the order given; they replace any earlier list.
void ide_set_images(const char *const *paths, int count);
// An image held in memory, offered before every other drive (null or size 0: none); the bytes
// must stay while the library uses them.
void ide_set_memory_image(const void *data, size_t size);
// Whether whole-disk block devices from /sys/block are examined after the images.
void ide_set_scan_devices(bool on);
// The whole-disk block devices the scan looks at: sd*, vd*, nvme*n* (no partitions), mmcblk*
// (no boot or rpmb areas) and loop devices with a backing file, as named in sys_block.
bool ide_is_whole_disk_name(const char *name, const char *sys_block);

int ide_init();
int ide_rescan();
bool checkMagic(int disk);
bool checkMagicByHandle(int fd);
int ide_get_info(IdeInfo *dst);
int ide_set_info(const IdeInfo *src);
int ide_read(uint16_t disk, uint16_t count, uint64_t sector, void *dst);
int read_sectors_by_handle(int fd, uint16_t count, uint64_t sector, void *dst);
int ide_write(uint16_t disk, uint16_t count, uint64_t sector, const void *src);

// Drive number (position among the candidates, for "PhysicalDrive%1") and path of a disk index.
int ide_get_drive_number(int disk);
const char *ide_get_drive_path(int disk);
uint32_t ide_get_base_sector(int disk);
// Sectors from the volume's base sector to the end of the drive as it was opened (0: no such disk).
uint64_t ide_volume_sectors(int disk);

// Sees every successful sector read (disk index, volume-relative sector, count); for diagnostics and benchmarks.
typedef void (*ide_read_observer)(int disk, uint64_t sector, uint16_t count);
void ide_set_read_observer(ide_read_observer observer);

// Device hooks the library calls; nothing to do for disks that are only read.
int ide_wakeup(int disk);
int ide_set_standby(int disk, int minutes);
int ide_setstabdby_multi(uint32_t disk_mask, int minutes);
int ide_flush(int disk);
