#include "wfs_volume.h"

#include "wfs_buffer.h"
#include "wfs_device.h"
#include "wfs_dir.h"
#include "wfs_file.h"
#include "wfs_log.h"
#include "wfs_partition.h"
#include "wfs_time.h"
#include "wfs_userdata.h"

#include <cstring>

namespace {
const char REVISION[] = "$Rev: 9 $";
const uint32_t DEFAULT_TIME_LIMIT_MS = 3600000;
const uint32_t MIN_TIME_LIMIT_SECONDS = 60;
const uint32_t QUIRK_DIR_OFFSET = 187;
const uint32_t KEY_PARAM_BLOCK = 10;
const uint32_t MIB_SECTORS = 2048;
const uint32_t MIN_FREE_MIB = 16;

wfs_pdp g_drivers[WFS_MAX_DRIVERS];
wfs_pdp *g_work_drivers[WFS_DRIVER_TYPES];
uint32_t g_type_counts[WFS_DRIVER_TYPES];
IdeInfo g_ide;
uint64_t g_real_cap[WFS_MAX_DISKS];
uint32_t g_time_limit_ms = DEFAULT_TIME_LIMIT_MS;
uint32_t g_reference_time;

// Every slot is free until a partition is mounted into it.
const bool g_slots_free = [] {
    for (wfs_pdp &p : g_drivers) p.driver_type = WFS_DRIVER_FREE;
    return true;
}();

bool healthy_of_type(const wfs_pdp &p, uint32_t type) { return p.driver_type == type && p.err_status == 0; }

wfs_pdp *latest_end(uint32_t type, bool never_wrapped_only)
{
    wfs_pdp *best = nullptr;
    for (wfs_pdp &p : g_drivers) {
        if (!healthy_of_type(p, type) || (never_wrapped_only && p.flag_f != 0)) continue;
        if (!best || p.end_time1 > best->end_time1) best = &p;
    }
    return best;
}

void insert_before(wfs_pdp *member, wfs_pdp *p)
{
    p->next = member;
    p->prev = member->prev;
    member->prev->next = p;
    member->prev = p;
}

void build_ring(uint32_t type, wfs_pdp *work)
{
    work->next = work->prev = work;
    for (wfs_pdp &p : g_drivers) {
        if (&p == work || !healthy_of_type(p, type)) continue;
        wfs_pdp *m = work;
        do {
            if (m->start_time1 > p.start_time1) break;
            m = m->next;
        } while (m != work);
        insert_before(m, &p);
    }
}

void announce_ring(wfs_pdp *work)
{
    wfs_pdp *p = work;
    do {
        wfs_date_time s = wfs_unpack_time(p->start_time1), e = wfs_unpack_time(p->end_time1);
        wfs_event("WFS1", "%d-%d %d/%d-%d:%d:%d ~ %d/%d-%d:%d:%d", (int)p->dev + 1, (int)p->part + 1, s.month, s.day,
                  s.hour, s.minute, s.second, e.month, e.day, e.hour, e.minute, e.second);
        p = p->next;
    } while (p && p != work);
}

void rebuild_rings()
{
    for (wfs_pdp &p : g_drivers) p.next = p.prev = nullptr;
    for (uint32_t k = 0; k < WFS_DRIVER_TYPES; ++k) {
        g_type_counts[k] = 0;
        for (wfs_pdp &p : g_drivers)
            if (healthy_of_type(p, k)) g_type_counts[k]++;
        wfs_pdp *work = latest_end(k, false);
        if (!work) {
            wfs_silent("none type %d driver!\n", k);
            g_work_drivers[k] = nullptr;
            continue;
        }
        if ((k == 0 || k == WFS_DRIVER_PICTURE) && work->flag_f != 0)
            if (wfs_pdp *fresh = latest_end(k, true)) work = fresh;
        g_work_drivers[k] = work;
        build_ring(k, work);
        if (k == 0) announce_ring(work);
    }
}

// A field of the parameter block whose value the reader cannot work with, and why.
struct bad_field {
    const char *field;
    uint64_t value;
    const char *why;
};

bool area_fits(uint32_t offset, uint64_t blocks, uint64_t part_blocks)
{
    return (uint64_t)offset + blocks <= part_blocks;
}

// Parameters that would make the library read outside the partition, divide by zero,
// or walk cluster numbers that do not exist.
bool find_bad_parameter(const wfs_pdp *p, uint64_t part_blocks, bad_field *bad)
{
    const uint64_t dir_blocks = p->total_clus / 16 + 1, index_blocks = p->total_clus / 512 + 1;
    const uint64_t data_blocks = (uint64_t)p->total_clus * p->sec_per_clus;
    if (p->sec_size != WFS_BLOCK_SIZE) *bad = {"sec_size", p->sec_size, "a sector has 512 bytes"};
    else if (p->sec_per_clus == 0) *bad = {"sec_per_clus", 0, "zero sectors per cluster"};
    else if (p->total_clus == 0) *bad = {"total_clus", 0, "no clusters"};
    else if (p->total_clus > part_blocks / p->sec_per_clus)
        *bad = {"total_clus", p->total_clus, "more clusters than the partition holds"};
    else if (!area_fits(p->data_offset, data_blocks, part_blocks))
        *bad = {"data_offset", p->data_offset, "data area beyond the partition"};
    else if (!area_fits(p->dir_offset, dir_blocks, part_blocks))
        *bad = {"dir_offset", p->dir_offset, "directory beyond the partition"};
    else if (p->index_offset && !area_fits(p->index_offset, index_blocks, part_blocks))
        *bad = {"index_offset", p->index_offset, "index area beyond the partition"};
    else if (p->ext_dir_offset && !area_fits(p->ext_dir_offset, dir_blocks, part_blocks))
        *bad = {"ext_dir_offset", p->ext_dir_offset, "extended directory beyond the partition"};
    else if (p->rev_clus > p->total_clus) *bad = {"rev_clus", p->rev_clus, "first data cluster beyond the clusters"};
    else if (p->current_cluster >= p->total_clus && p->current_cluster != 0)
        *bad = {"current_cluster", p->current_cluster, "write head outside the clusters"};
    else if (p->start_cluster2 >= p->total_clus)
        *bad = {"start_cluster2", p->start_cluster2, "previous lap outside the clusters"};
    else if (p->end_cluster2 >= p->total_clus)
        *bad = {"end_cluster2", p->end_cluster2, "previous lap outside the clusters"};
    else if (p->collision_num > WFS_MAX_COLLISIONS)
        *bad = {"collision_num", p->collision_num, "too many clock collisions"};
    else {
        for (uint32_t i = 0; i < p->collision_num; ++i) {
            uint32_t x = p->collision[i];
            if (x == 0 || x < p->rev_clus || x >= p->total_clus) {
                *bad = {"collision", x, "clock collision outside the clusters"};
                return true;
            }
        }
        return false;
    }
    return true;
}

void apply_key_param_quirk(uint32_t disk, uint32_t part, wfs_pdp *pdp)
{
    uint8_t *copy = wfs_key_param_copy(disk, part);
    if (!copy) return;
    int32_t version;
    memcpy(&version, copy + 504, 4);
    if (version == -1) {
        version = 0;
        memcpy(copy + 504, &version, 4);
        return;
    }
    if (pdp->dir_offset != QUIRK_DIR_OFFSET) return;
    memset(copy, 0, WFS_BLOCK_SIZE);
    buffer_head *bh = bread(disk, (uint64_t)wfs_key_param_offset(disk, part) + KEY_PARAM_BLOCK);
    if (bh) {
        memset(bh->data, 0, WFS_BLOCK_SIZE);
        bh->dirt = 1;
        sync_buffer(bh);
        brelse(bh);
    }
    wfs_debug("\e[1;33m\n WFS delete 10 block data, dir_offset:%d\n\e[0m", (int)pdp->dir_offset);
    wfs_event("WFS", "delete 10 block data, dir_offset:%u", pdp->dir_offset);
}

void log_inventory()
{
    wfs_debug("disk_num = %d\n", g_ide.ide_num);
    wfs_debug("ide_num:%d\n", g_ide.ide_num);
    wfs_debug("ide_port:%d\n", g_ide.ide_port);
    wfs_debug("ide_mask:0x%x\n", g_ide.ide_mask);
    wfs_debug("ide_bad:0x%x\n", g_ide.ide_bad);
    wfs_debug("cap: ");
    for (int i = 0; i < g_ide.ide_num; ++i)
        wfs_debug("%llu, %llu(G) ", (unsigned long long)g_ide.ide_cap[i], (unsigned long long)(g_ide.ide_cap[i] >> 21));
    wfs_debug("\n");
}

void mount_disk(uint32_t disk)
{
    bool converted = wfs_convert_old_volume(disk);
    wfs_part_entry entries[WFS_MAX_PARTS] = {};
    if (wfs_read_partitions(disk, entries, WFS_MAX_PARTS) != WFS_OK) {
        wfs_debug("read fs partitions failed.\n");
        wfs_event("ClearDriver", "/dev/sd%d%c", (int)disk, 'a');
        return; // the disk is not formatted here: it shows no recordings
    }
    for (uint32_t p = 0; p < WFS_MAX_PARTS; ++p) {
        if (entries[p].total == 0) {
            wfs_silent("empty partition!\n");
            continue;
        }
        if (wfs_fs_mount(disk, p) != 0) {
            wfs_fs_umount(disk, p);
            wfs_warn("mount fs partition failed.\n");
            continue;
        }
        wfs_pdp *pdp = get_pdp(disk, p);
        if (converted && pdp) {
            wfs_apply_converted_ud_params(pdp);
            init_ud_area(pdp);
            save_pdp(pdp);
        }
    }
}

uint32_t port_index(uint32_t disk)
{
    uint32_t bits = g_ide.ide_port > 0 ? 2u * (uint32_t)g_ide.ide_port : 0;
    uint32_t bit = 0;
    for (uint32_t d = 0; d < (uint32_t)g_ide.ide_num; ++d, ++bit) {
        while (bit < bits && bit < 32 && !(g_ide.ide_mask & 1u << bit)) ++bit;
        if (bit >= bits || bit >= 32) {
            wfs_error("wfs_get_driver_info disk number(%d) to index (%d) failed!!!!!\n", (int)d, (int)bit);
            return 0;
        }
        if (d == disk) return bit;
    }
    return 0;
}

uint32_t free_mib(const wfs_pdp *p)
{
    if (p->start_cluster2 != 0) return 0;
    int64_t clusters = (int64_t)p->total_clus - (p->total_clus >> 21) - p->current_cluster - 1;
    int64_t mib = clusters > 0 ? clusters * p->sec_per_clus / MIB_SECTORS : 0;
    return mib < MIN_FREE_MIB ? 0 : (uint32_t)mib;
}

void widen(uint32_t *start, uint32_t *end, const wfs_time_section &s)
{
    if (s.start_time && (*start == 0 || s.start_time < *start)) *start = s.start_time;
    if (s.end_time > *end) *end = s.end_time;
}
} // namespace

wfs_pdp *wfs_driver_slot(int i) { return i >= 0 && i < WFS_MAX_DRIVERS ? &g_drivers[i] : nullptr; }
wfs_pdp *wfs_work_driver(uint32_t type) { return type < WFS_DRIVER_TYPES ? g_work_drivers[type] : nullptr; }
uint32_t wfs_type_count(uint32_t type) { return type < WFS_DRIVER_TYPES ? g_type_counts[type] : 0; }
IdeInfo *wfs_ide_info() { return &g_ide; }
uint64_t wfs_real_capacity(uint32_t disk) { return disk < WFS_MAX_DISKS ? g_real_cap[disk] : 0; }
uint32_t wfs_fs_generation() { return fs_change_count; }
uint32_t wfs_file_time_limit_ms() { return g_time_limit_ms; }
uint32_t wfs_reference_time() { return g_reference_time; }

wfs_pdp *get_pdp(uint32_t disk, uint32_t part)
{
    for (wfs_pdp &p : g_drivers)
        if (p.driver_type != WFS_DRIVER_FREE && p.dev == disk && p.part == part) return &p;
    return nullptr;
}

uint32_t wfs_file_sys_init(int *count, uint32_t reference_time)
{
    wfs_debug("___________---------wfs_file_sys_init\n");
    wfs_debug("wfs_file_sys_init() libWFS.a %s, Build in:%s %s\n", REVISION, __DATE__, __TIME__);
    g_reference_time = reference_time;
    ide_get_info(&g_ide);
    if (g_ide.ide_num < 0) g_ide.ide_num = 0;
    if (g_ide.ide_num > WFS_MAX_DISKS) g_ide.ide_num = WFS_MAX_DISKS;
    *count = 0;
    memset(g_work_drivers, 0, sizeof g_work_drivers);
    log_inventory();
    memcpy(g_real_cap, g_ide.ide_cap, sizeof g_real_cap);
    buffer_init();
    wfs_clear_key_params();
    for (int i = 0; i < WFS_MAX_DRIVERS; ++i) {
        wfs_reset_access((uint32_t)i);
        memset(&g_drivers[i], 0, sizeof g_drivers[i]);
        g_drivers[i].driver_type = WFS_DRIVER_FREE;
    }
    wfs_reset_handles();
    for (int disk = 0; disk < g_ide.ide_num; ++disk) mount_disk((uint32_t)disk);
    g_fs_change();
    for (const wfs_pdp &p : g_drivers)
        if (p.driver_type == 0 && p.err_status == 0) ++*count;
    wfs_debug("wfs_file_sys_init() end============================\n\n");
    uint32_t rc = g_work_drivers[0] ? WFS_OK : WFS_ERR_NO_NORMAL_DRIVER;
    wfs_print_drivers();
    wfs_debug("\n");
    return rc;
}

int wfs_fs_mount(uint32_t disk, uint32_t part)
{
    wfs_debug("--------------wfs_fs_mount\n");
    wfs_part_entry entries[WFS_MAX_PARTS] = {};
    if (part >= WFS_MAX_PARTS || wfs_read_partitions(disk, entries, WFS_MAX_PARTS) != WFS_OK) return -1;
    const wfs_part_entry &entry = entries[part];
    if (entry.total == 0) return -1;
    if (entry.start + entry.total > wfs_real_capacity(disk)) {
        wfs_warn("wfs_fs_mount failed, partition %u.%u ends beyond the disk\n", disk, part);
        return -1;
    }
    if (load_part_key_param(disk, part, entry.start) != 0) {
        wfs_debug(" load_part_key_param  error !  fun: %s , line: %d \n", "wfs_fs_mount", __LINE__);
        return 1;
    }
    wfs_pdp *pdp = fill_driver_param(disk, part, entry.start);
    if (!pdp) return -1;
    // The type that marks a free slot would free this one while it is mounted: illegal, so read-only type 1.
    if (pdp->driver_type == WFS_DRIVER_FREE) {
        wfs_warn("wfs_get_driver_info() DISK Set to ReadOnly!\n");
        pdp->driver_type = 1;
    }
    apply_key_param_quirk(disk, part, pdp);
    bad_field bad;
    if (find_bad_parameter(pdp, entry.total, &bad)) {
        wfs_warn("wfs_fs_mount failed, partition crashed: disk %u partition %u: %s %llu (%s)\n", disk, part, bad.field,
                 (unsigned long long)bad.value, bad.why);
        return -1;
    }
    if (pdp->status != WFS_STATUS_CLEAN && (pdp->driver_type == 0 || pdp->driver_type == 3 || pdp->driver_type == 4)) {
        restore_fs41(pdp);
        pdp->status = WFS_STATUS_CLEAN;
        save_pdp(pdp);
    }
    wfs_build_time_sections(pdp);
    return 0;
}

int wfs_fs_umount(uint32_t disk, uint32_t part)
{
    wfs_pdp *pdp = get_pdp(disk, part);
    if (!pdp) return -1;
    pdp->driver_type = WFS_DRIVER_FREE;
    pdp->next = pdp->prev = nullptr;
    if (uint8_t *copy = wfs_key_param_copy(disk, part)) memset(copy, 0, WFS_BLOCK_SIZE);
    return 0;
}

void g_fs_change()
{
    rebuild_rings();
    ++fs_change_count;
    wfs_silent("g_fs_change: %d\n", fs_change_count);
}

uint32_t wfs_get_driver_info(uint32_t disk, uint32_t part, wfs_driver_info *out)
{
    wfs_debug("wfs_get_driver_info!");
    wfs_pdp *p = get_pdp(disk, part);
    if (!p) return 1;
    memset(out, 0, sizeof *out);
    out->driver_type = p->driver_type;
    if (p->driver_type > 7) {
        wfs_warn("wfs_get_driver_info() DISK Set to ReadOnly!\n");
        p->driver_type = 1;
    } else {
        out->is_work_driver = wfs_work_driver(p->driver_type) == p;
    }
    uint32_t sections = p->collision_num + 2;
    out->section_count = sections;
    out->start_time = p->start_time1;
    out->end_time = p->end_time1;
    out->start_time2 = p->start_time2;
    out->total_mib = (uint32_t)(((uint64_t)p->total_clus * p->sec_per_clus + p->data_offset) / MIB_SECTORS);
    out->free_mib = free_mib(p);
    out->err_status = p->err_status;
    if (out->is_work_driver) wfs_refresh_live_section(p);
    for (uint32_t j = 0; j < sections && j < WFS_MAX_SECTIONS; ++j) {
        if (!wfs_section_valid(p, (int)j)) continue;
        if (p->sections[j].start_clus < p->current_cluster) widen(&out->start_time2, &out->end_time2, p->sections[j]);
        else widen(&out->start_time, &out->end_time, p->sections[j]);
    }
    out->port_index = port_index(disk);
    return 0;
}

uint32_t wfs_bring_up(int standby_minutes, uint32_t file_time_limit_seconds)
{
    ide_init();
    IdeInfo info;
    const uint32_t disks = (uint32_t)ide_get_info(&info);
    int count = 0;
    wfs_file_sys_init(&count, 0);
    ide_setstabdby_multi(0xFFFFFFFF, standby_minutes);
    for (uint32_t type = 0; type < WFS_DRIVER_TYPES; ++type)
        if (wfs_pdp *work = wfs_work_driver(type)) ide_wakeup((int)work->dev);
    wfs_set_file_time_limit(file_time_limit_seconds);
    return disks;
}

uint32_t wfs_set_file_time_limit(uint32_t seconds)
{
    if (seconds >= MIN_TIME_LIMIT_SECONDS) g_time_limit_ms = seconds * 1000;
    return 0;
}
