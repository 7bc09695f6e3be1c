#include "wfs_recover.h"

#include "wfs_buffer.h"
#include "wfs_log.h"
#include "wfs_path.h"
#include "wfs_readahead.h"
#include "wfs_stream.h"
#include "wfs_time.h"
#include "wfs_volume.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
const uint32_t ITEMS_PER_BLOCK = WFS_BLOCK_SIZE / sizeof(wfs_dir_item);
const uint32_t CACHED_BLOCKS = 8;  // the scan's block and those its look-ups go to
const uint32_t CACHED_FIRSTS = 64; // first clusters of the recordings being scanned, several per channel
const int64_t CLOCK_SLACK_SECONDS = 10; // a newer cluster may start this much earlier (the repair's rule)
const uint32_t PDP_START_CLUSTER2 = 28, PDP_END_CLUSTER2 = 32;
const uint32_t SECTOR = WFS_BLOCK_SIZE;
const uint32_t MAX_TRANSFER_SECTORS = 0x8000;
const uint64_t MAX_READ = uint64_t(1) << 30;

uint32_t get32(const uint8_t *p)
{
    uint32_t v;
    memcpy(&v, p, 4);
    return v;
}

bool usable_flag(uint8_t dir_flag) { return dir_flag >= 1 && dir_flag <= 3; }

bool starts_recording(uint32_t clus, const wfs_dir_item &item)
{
    return (item.dir_flag == 2 || item.dir_flag == 3) && item.first_cluster_no == clus;
}

uint32_t ordinal_of(uint32_t clus, const wfs_dir_item &item)
{
    return clus == item.first_cluster_no ? 0 : item.item_num;
}

bool same_recording(const wfs_dir_item &a, const wfs_dir_item &b)
{
    return a.chn_av == b.chn_av && a.stream_type == b.stream_type && a.repeat_no == b.repeat_no &&
           a.first_cluster_no == b.first_cluster_no;
}

// Directory items as the disk holds them: below the block cache and the overlay of the blocks
// the library wrote, whose repairs are not what the recorder left.
class DiskItems {
public:
    explicit DiskItems(const wfs_pdp *pdp) : m_pdp(pdp) {}

    bool read(uint32_t clus, wfs_dir_item *out)
    {
        if (clus >= m_pdp->total_clus) return false;
        const uint64_t block = m_pdp->start_sector + m_pdp->dir_offset + clus / ITEMS_PER_BLOCK;
        Slot &slot = m_slots[block % CACHED_BLOCKS];
        if (!slot.loaded || slot.block != block) {
            slot.block = block;
            slot.loaded = true;
            slot.ok = wfs_readahead_block(m_pdp->dev, block, reinterpret_cast<uint8_t *>(slot.items)) == 0;
            if (!slot.ok) wfs_debug("recover: directory block %llu of disk %u unreadable\n", (unsigned long long)block,
                                    (unsigned)m_pdp->dev);
        }
        if (!slot.ok) return false;
        *out = slot.items[clus % ITEMS_PER_BLOCK];
        return true;
    }

private:
    struct Slot {
        uint64_t block = 0;
        bool loaded = false;
        bool ok = false;
        wfs_dir_item items[ITEMS_PER_BLOCK];
    };
    const wfs_pdp *m_pdp;
    Slot m_slots[CACHED_BLOCKS];
};

// A search for fragments on one partition: what the listing holds (the newest lap up to the
// write head as mounted, and the older lap when the mount kept it) and the stretch past the
// head that is searched (what the newest lap wrote after the head, then the older lap up to
// its end as the disk records it).
class Search {
public:
    explicit Search(wfs_pdp *pdp) : m_pdp(pdp), m_items(pdp)
    {
        m_head = pdp->current_cluster;
        m_listed_end2 = pdp->start_cluster2 != 0 ? pdp->end_cluster2 : 0;
        uint64_t lo = std::max<uint64_t>({uint64_t(m_head) + 1, pdp->rev_clus, 1});
        m_lo = (uint32_t)std::min<uint64_t>(lo, pdp->total_clus);
        m_newest_stop = newest_lap_stop();
        uint64_t older_stop = uint64_t(older_lap_end()) + 1;
        m_hi = (uint32_t)std::min<uint64_t>(std::max<uint64_t>(older_stop, m_newest_stop), pdp->total_clus);
    }

    wfs_pdp *pdp() const { return m_pdp; }
    uint32_t lo() const { return m_lo; }
    uint32_t hi() const { return m_hi; } // past the last cluster searched
    bool searched(uint32_t clus) const { return clus >= m_lo && clus < m_hi; }
    bool read(uint32_t clus, wfs_dir_item *out) { return m_items.read(clus, out); }

    // The kind of fragment that starts at clus, or 0.
    unsigned kind_at(uint32_t clus, const wfs_dir_item &item)
    {
        if (!searched(clus) || !usable_flag(item.dir_flag)) return 0;
        const bool intact = starts_recording(clus, item) || first_intact(item);
        if (intact && listed(item.first_cluster_no)) return 0;
        if (!chain_start(clus, item)) return 0;
        if (!intact) return WFS_FRAGMENT_TAIL;
        return item.first_cluster_no < m_newest_stop ? WFS_FRAGMENT_BEYOND : WFS_FRAGMENT_HIDDEN;
    }

    // Whether next continues the fragment at clus: the next cluster of the same recording,
    // pointing back at clus, its ordinal one higher, inside the searched stretch.
    bool continues(uint32_t clus, const wfs_dir_item &at, uint32_t next, wfs_dir_item *out)
    {
        if (!searched(next) || !read(next, out)) return false;
        return out->dir_flag == 1 && same_recording(at, *out) && out->up_cluster_no == clus &&
               ordinal_of(next, *out) == ordinal_of(clus, at) + 1;
    }

private:
    bool listed(uint32_t first) const
    {
        if (m_head != 0 && first >= m_pdp->rev_clus && first <= m_head) return true;
        return m_listed_end2 != 0 && first > m_head && first <= m_listed_end2;
    }

    // A fragment starts where its cluster does not continue the one before it.
    bool chain_start(uint32_t clus, const wfs_dir_item &item)
    {
        if (starts_recording(clus, item)) return true;
        const uint32_t up = item.up_cluster_no;
        wfs_dir_item before, again;
        if (!searched(up) || !read(up, &before) || !usable_flag(before.dir_flag) || before.down_cluster_no != clus)
            return true;
        return !continues(up, before, clus, &again);
    }

    // Whether the recording's first cluster still holds its start, or a newer recording took it.
    bool first_intact(const wfs_dir_item &member)
    {
        const uint32_t first = member.first_cluster_no;
        if (first < m_pdp->rev_clus || first >= m_pdp->total_clus) return false;
        First &cached = m_firsts[first % CACHED_FIRSTS];
        if (!cached.loaded || cached.clus != first) {
            cached.clus = first;
            cached.loaded = true;
            cached.ok = read(first, &cached.item);
        }
        return cached.ok && starts_recording(first, cached.item) && same_recording(cached.item, member) &&
               cached.item.start_time <= member.start_time;
    }

    // The end of the older lap as the disk records it; the mount's repair may have dropped it.
    uint32_t older_lap_end()
    {
        uint8_t block[WFS_BLOCK_SIZE];
        if (wfs_readahead_block(m_pdp->dev, m_pdp->start_sector + m_pdp->temp_off, block) != 0)
            return m_listed_end2;
        return get32(block + PDP_START_CLUSTER2) != 0 ? get32(block + PDP_END_CLUSTER2) : 0;
    }

    // What the newest lap wrote past the head: clusters whose times go on from the head's
    // (as the repair tells them from the older lap), up to a cluster never used.
    uint32_t newest_lap_stop()
    {
        wfs_dir_item item;
        uint32_t previous = 0, stop = m_lo;
        if (m_head >= m_pdp->rev_clus && read(m_head, &item) && usable_flag(item.dir_flag)) previous = item.start_time;
        for (uint32_t c = m_lo; c < m_pdp->total_clus; ++c) {
            if (!read(c, &item) || item.dir_flag == 0) break;
            if (!usable_flag(item.dir_flag)) continue;
            if (previous != 0 && wfs_time_diff_seconds(previous, item.start_time) > CLOCK_SLACK_SECONDS) break;
            previous = item.start_time;
            stop = c + 1;
        }
        return stop;
    }

    struct First {
        uint32_t clus = 0;
        bool loaded = false;
        bool ok = false;
        wfs_dir_item item;
    };

    wfs_pdp *m_pdp;
    DiskItems m_items;
    uint32_t m_head;
    uint32_t m_listed_end2;
    uint32_t m_lo, m_hi;
    uint32_t m_newest_stop;
    First m_firsts[CACHED_FIRSTS];
};

// The header a recording's first cluster starts with: from its item, else from a "DHII" mark.
uint32_t header_sectors(const wfs_pdp *pdp, uint32_t clus, const wfs_dir_item &item)
{
    if (item.head_sectors != 0) return item.head_sectors;
    uint8_t first[SECTOR];
    uint64_t sector = pdp->start_sector + pdp->data_offset + uint64_t(clus) * pdp->sec_per_clus;
    if (bread_multi_quiet(pdp->dev, 1, sector, first) != 0 || memcmp(first, "DHII", 4) != 0) return 0;
    uint32_t sectors = get32(first + 4) / SECTOR;
    return sectors <= 0xFFFF ? sectors : 0;
}

// Follows the chain from clus, describing the fragment and keeping up to capacity clusters.
void walk(Search &s, uint32_t clus, const wfs_dir_item &first, unsigned kind, wfs_fragment *f, uint32_t *chain,
          uint32_t capacity)
{
    const wfs_pdp *pdp = s.pdp();
    const uint32_t spc = pdp->sec_per_clus;
    const uint32_t limit = s.hi() - s.lo();
    wfs_dir_item at = first, next_item;
    uint32_t c = clus, n = 1, last_sectors = spc;
    if (chain && capacity > 0) chain[0] = clus;
    for (;;) {
        const uint32_t next = at.down_cluster_no;
        if (next == 0 || next == WFS_CLUSTER_OPEN) {
            last_sectors = at.end_length == 0 || at.end_length > spc ? spc : at.end_length;
            break;
        }
        if (n >= limit || !s.continues(c, at, next, &next_item)) break;
        if (chain && n < capacity) chain[n] = next;
        c = next;
        at = next_item;
        ++n;
    }
    const uint64_t sectors = uint64_t(n - 1) * spc + last_sectors;
    const uint32_t ordinal = ordinal_of(clus, first);
    uint64_t head = ordinal == 0 ? header_sectors(pdp, clus, first) : 0;
    if (head > sectors) head = sectors;
    *f = wfs_fragment{};
    f->disk = (uint8_t)pdp->dev;
    f->part = (uint8_t)pdp->part;
    f->kind = (uint8_t)kind;
    f->channel = (uint8_t)dir_item_channel(first);
    f->av = (uint8_t)dir_item_av(first);
    f->alarm = first.alarm;
    f->stream_type = first.stream_type;
    f->repeat_no = first.repeat_no;
    f->first_cluster = clus;
    f->last_cluster = c;
    f->clusters = n;
    f->first_ordinal = ordinal;
    f->lost_first_cluster = first.first_cluster_no;
    f->last_sectors = last_sectors;
    f->head_sectors = (uint32_t)head;
    f->start_time = first.start_time;
    f->end_time = at.end_time;
    f->size_kib = (uint32_t)(sectors / 2);
    f->bytes = (sectors - head) * SECTOR;
}

bool admitted(const wfs_fragment &f, const wfs_fragment_filter *filter)
{
    if (!filter) return true;
    if (filter->day != 0 && (f.start_time & ~0x1FFFFu) != filter->day) return false;
    return filter->channel < 0 || filter->channel == f.channel;
}

bool listing_order(const wfs_fragment &a, const wfs_fragment &b)
{
    if (a.channel != b.channel) return a.channel < b.channel;
    if (a.start_time != b.start_time) return a.start_time < b.start_time;
    return a.first_cluster < b.first_cluster;
}

wfs_pdp *mounted(uint32_t disk, uint32_t part, uint32_t *rc)
{
    wfs_pdp *pdp = get_pdp(disk, part);
    *rc = !pdp ? FS_NO_EXIST_FILE : pdp->err_status == WFS_ERR_STATUS_BAD ? WFS_ERR_READ : WFS_OK;
    return *rc == WFS_OK ? pdp : nullptr;
}

// The fragment at clus of a mounted partition, its clusters into chain when given.
uint32_t fragment_at(wfs_pdp *pdp, uint32_t clus, wfs_fragment *out, uint32_t *chain, uint32_t capacity)
{
    if (clus >= pdp->total_clus) return WFS_ERR_CLUSTER_RANGE;
    Search s(pdp);
    wfs_dir_item item;
    if (!s.searched(clus) || !s.read(clus, &item)) return FS_NO_EXIST_FILE;
    const unsigned kind = s.kind_at(clus, item);
    if (kind == 0) return FS_NO_EXIST_FILE;
    walk(s, clus, item, kind, out, chain, capacity);
    return WFS_OK;
}

// "/mnt/ideXN/recovered/date/channel/name" read as the recording path "/mnt/ideXN/date/channel/name".
bool parse_recovered(const char *path, wfs_record_path *out, bool folder)
{
    if (!wfs_is_recovered_path(path)) return false;
    const char *slash = strchr(path + strlen(WFS_STREAM_PREFIX), '/');
    const char *rest = slash + 1 + strlen(WFS_RECOVERED_FOLDER);
    char plain[512];
    if (snprintf(plain, sizeof plain, "%.*s%s", (int)(slash - path), path, rest) >= (int)sizeof plain) return false;
    return folder ? wfs_parse_record_dir(plain, out) : wfs_parse_record_path(plain, out);
}

FILEHANDLE take_handle(wfs_pdp *pdp, uint8_t kind, const char *failure)
{
    FILEHANDLE h = wfs_alloc_handle();
    if (!h) {
        wfs_warn("%s", failure);
        return nullptr;
    }
    h->file_flag = WFS_FILE_READ;
    h->in_use = 1;
    h->open_tick = wfs_tick_ms();
    h->pdp = pdp;
    h->kind = kind;
    return h;
}

FILEHANDLE close_and_fail(FILEHANDLE h)
{
    free(h->buffer_alloc);
    h->buffer_alloc = nullptr;
    wfs_file_close(h);
    return nullptr;
}

// One allocation holds the aligned read buffer and, behind it, the fragment's clusters.
bool alloc_stream(FILEHANDLE h, uint32_t buf_size, uint32_t clusters)
{
    h->buffer_alloc = static_cast<uint8_t *>(malloc(buf_size + WFS_BLOCK_SIZE + size_t(clusters) * 4));
    if (!h->buffer_alloc) return false;
    uintptr_t aligned = ((uintptr_t)h->buffer_alloc + WFS_BLOCK_SIZE - 1) & ~(uintptr_t)(WFS_BLOCK_SIZE - 1);
    h->buffer = reinterpret_cast<uint8_t *>(aligned);
    h->buf_size = buf_size;
    h->buf_start = WFS_BUF_EMPTY;
    h->recovered = h->buffer + buf_size;
    h->recovered_count = clusters;
    return true;
}

// Whole sectors of the fragment from sector first on, cluster by cluster in chain order.
bool read_sectors(FILEHANDLE h, uint64_t first, uint64_t count, uint8_t *out)
{
    const wfs_pdp *pdp = h->pdp;
    const uint32_t spc = pdp->sec_per_clus;
    const uint32_t *chain = static_cast<const uint32_t *>(h->recovered);
    while (count > 0) {
        const uint64_t k = first / spc;
        const uint32_t offset = (uint32_t)(first % spc);
        if (k >= h->recovered_count) return false;
        const uint32_t run = (uint32_t)std::min<uint64_t>({count, spc - offset, MAX_TRANSFER_SECTORS});
        const uint64_t sector = pdp->start_sector + pdp->data_offset + uint64_t(chain[k]) * spc + offset;
        if (bread_multi(pdp->dev, (uint16_t)run, sector, out) != 0) return false;
        first += run;
        count -= run;
        out += size_t(run) * SECTOR;
    }
    return true;
}

// The buffer holding the position; false when its sectors cannot be read.
bool fill_buffer(FILEHANDLE h)
{
    const uint64_t window = h->position / h->buf_size * h->buf_size;
    if (h->buf_start == window) return true;
    const uint64_t bytes = std::min<uint64_t>(h->buf_size, h->file_len - window);
    h->buf_start = WFS_BUF_EMPTY;
    if (!read_sectors(h, window / SECTOR, bytes / SECTOR, h->buffer)) return false;
    h->buf_start = window;
    return true;
}

void fill_find_entry(const wfs_fragment &f, wfs_find_entry *out)
{
    memset(out, 0, sizeof *out);
    wfs_recover_format_name(out->name, sizeof out->name, f);
    out->size = (int64_t)f.bytes;
    out->time_write = wfs_packed_to_local_seconds(f.start_time);
}
} // namespace

uint32_t wfs_recover_list(uint32_t disk, uint32_t part, const wfs_fragment_filter *filter, wfs_fragment *out,
                          uint32_t capacity, uint32_t *count)
{
    uint32_t rc = WFS_OK;
    if (!count || (capacity > 0 && !out)) return WFS_ERR_BAD_HANDLE;
    *count = 0;
    wfs_pdp *pdp = mounted(disk, part, &rc);
    if (!pdp) return rc;
    Search s(pdp);
    uint32_t found = 0;
    wfs_dir_item item;
    for (uint32_t c = s.lo(); c < s.hi(); ++c) {
        if (!s.read(c, &item)) continue;
        const unsigned kind = s.kind_at(c, item);
        if (kind == 0) continue;
        wfs_fragment f;
        walk(s, c, item, kind, &f, nullptr, 0);
        if (!admitted(f, filter)) continue;
        if (found < capacity) out[found] = f;
        ++found;
    }
    *count = found;
    if (found <= capacity) std::sort(out, out + found, listing_order);
    return WFS_OK;
}

uint32_t wfs_recover_fragment(uint32_t disk, uint32_t part, uint32_t first_cluster, wfs_fragment *out)
{
    uint32_t rc = WFS_OK;
    wfs_pdp *pdp = mounted(disk, part, &rc);
    return pdp ? fragment_at(pdp, first_cluster, out, nullptr, 0) : rc;
}

uint32_t wfs_recover_chain(uint32_t disk, uint32_t part, uint32_t first_cluster, uint32_t *clusters,
                           uint32_t capacity)
{
    uint32_t rc = WFS_OK;
    wfs_fragment f;
    wfs_pdp *pdp = mounted(disk, part, &rc);
    if (!pdp || fragment_at(pdp, first_cluster, &f, clusters, capacity) != WFS_OK) return 0;
    return f.clusters;
}

const char *wfs_fragment_kind_name(unsigned kind)
{
    switch (kind) {
    case WFS_FRAGMENT_TAIL:
        return "tail";
    case WFS_FRAGMENT_HIDDEN:
        return "hidden";
    case WFS_FRAGMENT_BEYOND:
        return "beyond";
    default:
        return "";
    }
}

int wfs_recover_format_name(char *out, size_t size, const wfs_fragment &f)
{
    wfs_date_time s = wfs_unpack_time(f.start_time), e = wfs_unpack_time(f.end_time);
    wfs_record_name name = {s.hour, s.minute, s.second, e.hour, e.minute, e.second, {}, f.first_cluster,
                            f.repeat_no, {}};
    snprintf(name.letters, sizeof name.letters, "%s", wfs_alarm_letter(f.alarm));
    snprintf(name.ext, sizeof name.ext, "%s", f.av != 0 ? "h264" : "jpg");
    return wfs_format_record_name(out, size, name);
}

int wfs_recover_format_folder(char *out, size_t size, const wfs_fragment &f)
{
    wfs_date_time s = wfs_unpack_time(f.start_time);
    return snprintf(out, size, WFS_STREAM_PREFIX "%c%u/" WFS_RECOVERED_FOLDER "/%04d-%02d-%02d/%03u", 'a' + f.disk,
                    (unsigned)f.part, s.year, s.month, s.day, (unsigned)f.channel);
}

int wfs_recover_format_path(char *out, size_t size, const wfs_fragment &f)
{
    char folder[96], name[128];
    wfs_recover_format_folder(folder, sizeof folder, f);
    wfs_recover_format_name(name, sizeof name, f);
    return snprintf(out, size, "%s/%s", folder, name);
}

bool wfs_is_recovered_path(const char *path)
{
    const size_t prefix = strlen(WFS_STREAM_PREFIX), folder = strlen(WFS_RECOVERED_FOLDER);
    if (!path || strncmp(path, WFS_STREAM_PREFIX, prefix) != 0) return false;
    const char *slash = strchr(path + prefix, '/');
    if (!slash || strncmp(slash + 1, WFS_RECOVERED_FOLDER, folder) != 0) return false;
    return slash[1 + folder] == '/' || slash[1 + folder] == '\0';
}

FILEHANDLE wfs_recover_fopen(const char *path)
{
    wfs_record_path p;
    if (!parse_recovered(path, &p, false)) {
        wfs_warn("No file %s!\n", path);
        return nullptr;
    }
    const uint32_t disk = (uint32_t)(p.disk_letter - 'a'), part = (uint32_t)p.part;
    wfs_pdp *pdp = get_pdp(disk, part);
    if (!pdp) {
        wfs_warn("No such driver!\n");
        return nullptr;
    }
    if (pdp->err_status == WFS_ERR_STATUS_BAD) return nullptr;
    wfs_fragment f;
    char canonical[512];
    // Only the name the fragment goes by opens it: another time, channel or number is another file.
    if (fragment_at(pdp, p.name.cluster, &f, nullptr, 0) != WFS_OK ||
        wfs_recover_format_path(canonical, sizeof canonical, f) >= (int)sizeof canonical ||
        strcmp(canonical, path) != 0) {
        wfs_warn("No file %s!\n", path);
        return nullptr;
    }
    FILEHANDLE h = take_handle(pdp, WFS_KIND_RECOVERED, "Get the Handle error!\n");
    if (!h) return nullptr;
    h->channel = f.channel;
    h->av = f.av;
    h->alarm = f.alarm;
    h->stream_type = f.stream_type;
    h->first_cluster = f.first_cluster;
    h->file_len = f.bytes + uint64_t(f.head_sectors) * SECTOR;
    h->head_skip = uint64_t(f.head_sectors) * SECTOR;
    h->position = h->head_skip;
    if (!alloc_stream(h, f.av == 0 ? WFS_SMALL_BUFFER : WFS_VIDEO_BUFFER, f.clusters)) return close_and_fail(h);
    uint32_t *chain = static_cast<uint32_t *>(h->recovered);
    if (fragment_at(pdp, f.first_cluster, &f, chain, h->recovered_count) != WFS_OK ||
        f.clusters != h->recovered_count)
        return close_and_fail(h);
    return h;
}

size_t wfs_recover_fread(void *buffer, size_t size, size_t count, FILEHANDLE h)
{
    if (size == 0 || count == 0 || count > SIZE_MAX / size) return 0;
    uint64_t n = std::min<uint64_t>(uint64_t(size) * count, MAX_READ / size * size);
    n = std::min<uint64_t>(n, h->file_len > h->position ? h->file_len - h->position : 0);
    uint8_t *out = static_cast<uint8_t *>(buffer);
    uint64_t done = 0;
    while (done < n) {
        if (h->position % SECTOR == 0 && n - done >= SECTOR) {
            const uint64_t bytes = (n - done) / SECTOR * SECTOR;
            if (!read_sectors(h, h->position / SECTOR, bytes / SECTOR, out + done)) break;
            h->position += bytes;
            done += bytes;
            continue;
        }
        if (!fill_buffer(h)) break;
        const uint64_t offset = h->position - h->buf_start;
        const uint64_t take = std::min<uint64_t>(n - done, h->buf_size - offset);
        memcpy(out + done, h->buffer + offset, (size_t)take);
        h->position += take;
        done += take;
    }
    return (size_t)(done / size);
}

int wfs_recover_fseek(FILEHANDLE h, int64_t offset, int whence)
{
    int64_t target;
    switch (whence) {
    case SEEK_SET:
        target = offset + (int64_t)h->head_skip;
        break;
    case SEEK_CUR:
        target = (int64_t)h->position + offset;
        break;
    case SEEK_END:
        target = (int64_t)h->file_len + offset;
        break;
    default:
        return WFS_SEEK_OUT_OF_RANGE;
    }
    if (target < (int64_t)h->head_skip || target > (int64_t)h->file_len) return WFS_SEEK_OUT_OF_RANGE;
    h->position = (uint64_t)target;
    return 0;
}

int64_t wfs_recover_ftell(FILEHANDLE h) { return (int64_t)(h->position - h->head_skip); }

intptr_t wfs_recover_findfirst(const char *pattern, wfs_find_entry *out)
{
    wfs_record_path p;
    if (!out || !parse_recovered(pattern, &p, true)) return -1;
    const uint32_t disk = (uint32_t)(p.disk_letter - 'a'), part = (uint32_t)p.part;
    wfs_pdp *pdp = get_pdp(disk, part);
    if (!pdp) {
        wfs_warn("No such driver!\n");
        return -1;
    }
    const wfs_fragment_filter filter = {wfs_record_day_time(p), p.channel};
    uint32_t count = 0;
    if (wfs_recover_list(disk, part, &filter, nullptr, 0, &count) != WFS_OK || count == 0) return -1;
    FILEHANDLE h = take_handle(pdp, WFS_KIND_RECOVERED_FIND, "fs_findfirst() Get the Handle error!\n");
    if (!h) return -1;
    h->buffer_alloc = static_cast<uint8_t *>(malloc(size_t(count) * sizeof(wfs_fragment)));
    if (!h->buffer_alloc) {
        close_and_fail(h);
        return -1;
    }
    wfs_fragment *fragments = reinterpret_cast<wfs_fragment *>(h->buffer_alloc);
    uint32_t listed = 0;
    wfs_recover_list(disk, part, &filter, fragments, count, &listed);
    h->recovered = fragments;
    h->recovered_count = std::min(count, listed);
    h->position = 0;
    if (wfs_recover_findnext(h, out) != 0) {
        close_and_fail(h);
        return -1;
    }
    return reinterpret_cast<intptr_t>(h);
}

int wfs_recover_findnext(FILEHANDLE h, wfs_find_entry *out)
{
    if (!out || h->kind != WFS_KIND_RECOVERED_FIND || h->position >= h->recovered_count) return -1;
    fill_find_entry(static_cast<const wfs_fragment *>(h->recovered)[h->position++], out);
    return 0;
}
