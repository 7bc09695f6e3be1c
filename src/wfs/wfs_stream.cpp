#include "wfs_stream.h"

#include "wfs_dir.h"
#include "wfs_image.h"
#include "wfs_log.h"
#include "wfs_path.h"
#include "wfs_recover.h"
#include "wfs_search.h"
#include "wfs_time.h"
#include "wfs_volume.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
const char *const g_source = "Src\\adapt";
const uint64_t g_max_read = uint64_t(1) << 30; // one call moves at most 1 GiB
const int64_t g_day_seconds = 86400;

wfs_stream_hook g_lock_hook = nullptr;
wfs_stream_hook g_unlock_hook = nullptr;

// Calls the optional lock hooks around one stream operation.
struct hook_scope {
    hook_scope()
    {
        if (g_lock_hook) g_lock_hook();
    }
    ~hook_scope()
    {
        if (g_unlock_hook) g_unlock_hook();
    }
};

// Streams count in the device's 512-byte sectors; a partition that says otherwise is not mounted.
const uint32_t SECTOR = WFS_BLOCK_SIZE;

// ---- why the thread's last operation failed

struct stream_error {
    uint32_t code;
    char text[480];
};
thread_local stream_error t_error;

void clear_error()
{
    t_error.code = WFS_OK;
    t_error.text[0] = '\0';
}

// The first failure of an operation is its reason.
void set_error(uint32_t code, const char *fmt, ...) __attribute__((format(printf, 2, 3)));
void set_error(uint32_t code, const char *fmt, ...)
{
    if (t_error.code != WFS_OK) return;
    t_error.code = code;
    va_list args;
    va_start(args, fmt);
    vsnprintf(t_error.text, sizeof t_error.text, fmt, args);
    va_end(args);
}

// Calls the optional lock hooks around one stream operation; operations that read the disk
// start with no failure of their own.
struct operation_scope : hook_scope {
    operation_scope() { clear_error(); }
};

bool valid(FILEHANDLE h, int line)
{
    if (wfs_handle_valid(h, g_source, line)) return true;
    set_error(WFS_ERR_BAD_HANDLE, "not an open stream");
    return false;
}

bool disk_failed(const wfs_file *h) { return !h->pdp || h->pdp->err_status == WFS_ERR_STATUS_BAD; }

// Stream bytes: the header is not part of the recording's bytes.
unsigned long long stream_byte(const wfs_file *h, uint64_t position)
{
    return position > h->head_skip ? position - h->head_skip : 0;
}

// The recording's clusters end before the length its directory item lists.
void note_short(FILEHANDLE h)
{
    if (t_error.code != WFS_OK) return;
    wfs_dir_item first = {};
    get_dir_item_info(h->pdp, h->first_cluster, &first);
    char item[160];
    snprintf(item, sizeof item, "disk %u partition %u cluster %u: item_num %u, end_length %u, %u sectors a cluster",
             (unsigned)h->pdp->dev, (unsigned)h->pdp->part, (unsigned)h->first_cluster, (unsigned)first.item_num,
             (unsigned)first.end_length, (unsigned)h->pdp->sec_per_clus);
    set_error(WFS_ERR_SHORT_CHAIN, "its clusters end there (%s)", item);
    if (h->short_logged) return;
    h->short_logged = 1;
    wfs_warn("a recording shorter than listed: its clusters end at byte %llu of %llu (%s)\n",
             stream_byte(h, h->position), stream_byte(h, h->file_len), item);
}

// A read or move that failed: the disk could not be read (the image layer says why), or the chain ended.
void note_failure(FILEHANDLE h, uint32_t rc, unsigned image_failures_before)
{
    const wfs_image_failure *why = wfs_image_last_failure();
    if (why->count != image_failures_before)
        set_error(WFS_ERR_READ, "%s", why->text);
    else if (rc == WFS_ERR_READ)
        set_error(WFS_ERR_READ, "a block of disk %u partition %u cannot be read", (unsigned)h->pdp->dev,
                  (unsigned)h->pdp->part);
    else
        note_short(h);
}

// ---- buffers

bool alloc_buffer(FILEHANDLE h, uint32_t size)
{
    h->buffer_alloc = static_cast<uint8_t *>(malloc(size + WFS_BLOCK_SIZE));
    if (!h->buffer_alloc) return false;
    uintptr_t aligned = ((uintptr_t)h->buffer_alloc + WFS_BLOCK_SIZE - 1) & ~(uintptr_t)(WFS_BLOCK_SIZE - 1);
    h->buffer = reinterpret_cast<uint8_t *>(aligned);
    h->buf_size = size;
    h->buf_start = WFS_BUF_EMPTY;
    return true;
}

void free_buffer(FILEHANDLE h)
{
    free(h->buffer_alloc);
    h->buffer_alloc = nullptr;
    h->buffer = nullptr;
}

// The buffered bytes include pos; the end counts too, where the next block would start.
bool buffer_covers(const wfs_file *h, uint64_t pos)
{
    return h->buf_start != WFS_BUF_EMPTY && h->buf_start <= pos && pos <= h->buf_start + h->buf_size;
}

bool buffer_holds(const wfs_file *h, uint64_t pos)
{
    return h->buf_start != WFS_BUF_EMPTY && h->buf_start <= pos && pos < h->buf_start + h->buf_size;
}

// ---- opening

FILEHANDLE take_handle(const char *failure)
{
    FILEHANDLE h = wfs_alloc_handle();
    if (!h) {
        wfs_warn("%s", failure);
        return nullptr;
    }
    h->file_flag = WFS_FILE_READ;
    h->in_use = 1;
    h->open_tick = wfs_tick_ms();
    return h;
}

FILEHANDLE close_and_fail(FILEHANDLE h)
{
    free_buffer(h);
    wfs_file_close(h);
    return nullptr;
}

bool is_read_mode(const char *mode) { return strcmp(mode, "rb") == 0 || strcmp(mode, "r") == 0; }

bool is_work_directory(const char *path)
{
    const char *ide = strstr(path, "/ide");
    return ide && strstr(ide, "WorkDirectory");
}

FILEHANDLE open_work_directory(const char *path)
{
    uint32_t disk = 0, part = 0;
    wfs_pdp *pdp = wfs_parse_ide_component(path, &disk, &part) ? get_pdp(disk, part) : nullptr;
    if (!pdp) {
        wfs_warn("No such driver!\n");
        return nullptr;
    }
    if (pdp->err_status == WFS_ERR_STATUS_BAD) {
        wfs_warn("Disk error!\n");
        return nullptr;
    }
    FILEHANDLE h = take_handle("Get the Handle error!\n");
    if (!h) return nullptr;
    h->kind = WFS_KIND_WORKDIR;
    h->pdp = pdp;
    h->position = 0;
    return alloc_buffer(h, WFS_SMALL_BUFFER) ? h : close_and_fail(h);
}

// By cluster, or by channel and start time when the name carries no usable cluster.
uint32_t position_recording(FILEHANDLE h, const wfs_record_path &p)
{
    uint32_t disk = (uint32_t)(p.disk_letter - 'a');
    uint32_t cluster = p.name.cluster;
    if (cluster == 0 || cluster < h->pdp->rev_clus)
        return file_goto_work_driver(h, (uint8_t)p.channel, h->name_time, WFS_SEARCH_FIRST, (uint8_t)p.name.number,
                                     0xFF, 0xFF, 0, WFS_STREAM_ANY);
    return wfs_file_goto_clus(h, disk, (uint32_t)p.part, cluster);
}

// A recording may begin with a "DHII" header whose length the directory item does not carry.
uint32_t header_sectors(FILEHANDLE h)
{
    const uint32_t sec = SECTOR;
    if (h->cur_dir_info.head_sectors != 0) return h->cur_dir_info.head_sectors;
    uint8_t first[SECTOR];
    if (wfs_file_read(h, first, 1) != 0 || memcmp(first, "DHII", 4) != 0) return 0;
    uint32_t header_bytes;
    memcpy(&header_bytes, first + 4, 4);
    uint32_t sectors = header_bytes / sec;
    return sectors <= 0xFFFF ? sectors : 0;
}

// The length the first cluster's directory item lists, in bytes; false (with the reason) when it cannot be read.
bool listed_length(FILEHANDLE h, uint64_t *bytes)
{
    uint32_t start = 0, end = 0, kib = 0;
    uint32_t rc = wfs_get_file_info2(h, &start, &end, &kib);
    if (rc != WFS_OK) {
        set_error(rc, "its length cannot be read (directory item of disk %u partition %u cluster %u)",
                  (unsigned)h->pdp->dev, (unsigned)h->pdp->part, (unsigned)h->first_cluster);
        return false;
    }
    *bytes = uint64_t(kib) * 1024;
    return true;
}

// Values of the first cluster's item that no recorder writes are named in the log.
void check_first_item(const wfs_file *h)
{
    const wfs_dir_item &d = h->cur_dir_info;
    if (d.end_length > h->pdp->sec_per_clus)
        wfs_warn("disk %u partition %u cluster %u: end_length %u is more than the %u sectors of a cluster\n",
                 (unsigned)h->pdp->dev, (unsigned)h->pdp->part, (unsigned)h->cur_cluster, (unsigned)d.end_length,
                 (unsigned)h->pdp->sec_per_clus);
    wfs_check_item_times(h->pdp, h->cur_cluster, d.start_time, d.end_time);
}

FILEHANDLE open_recording(const char *path, const wfs_record_path &p)
{
    wfs_pdp *pdp = get_pdp((uint32_t)(p.disk_letter - 'a'), (uint32_t)p.part);
    if (!pdp) {
        wfs_warn("No such driver!\n");
        set_error(FS_NO_EXIST_FILE, "no mounted partition %d on disk %c", p.part, p.disk_letter);
        return nullptr;
    }
    if (pdp->err_status == WFS_ERR_STATUS_BAD) {
        set_error(WFS_ERR_READ, "disk %c partition %d failed to read its metadata", p.disk_letter, p.part);
        return nullptr;
    }
    FILEHANDLE h = take_handle("Get the Handle error!\n");
    if (!h) {
        set_error(1, "no free file handle");
        return nullptr;
    }
    h->kind = WFS_KIND_RECORDING;
    h->channel = (uint8_t)p.channel;
    h->pdp = pdp;
    h->name_time = wfs_record_start_time(p);
    h->alarm = wfs_alarm_of_letters(p.name.letters);
    const unsigned failures = wfs_image_last_failure()->count;
    uint32_t rc = position_recording(h, p);
    if (rc != WFS_OK) {
        wfs_warn("No file %s!\n", path);
        const wfs_image_failure *why = wfs_image_last_failure();
        if (why->count != failures) set_error(WFS_ERR_READ, "%s", why->text);
        else set_error(rc, "no recording starts at cluster %x of disk %c partition %d", (unsigned)p.name.cluster,
                       p.disk_letter, p.part);
        return close_and_fail(h);
    }
    check_first_item(h);
    h->cur_dir_info.head_sectors = (uint16_t)header_sectors(h);
    if (!listed_length(h, &h->file_len)) return close_and_fail(h);
    h->head_skip = uint64_t(h->cur_dir_info.head_sectors) * SECTOR;
    h->position = h->head_skip;
    uint32_t size = h->av == 0 ? WFS_SMALL_BUFFER : WFS_VIDEO_BUFFER;
    return alloc_buffer(h, size) ? h : close_and_fail(h);
}

// ---- reading

// Near the end the recording may still be growing: take the newer length, never a shorter one.
bool refresh_length(FILEHANDLE h)
{
    uint64_t len = 0;
    if (!listed_length(h, &len)) return false;
    if (len > h->file_len) h->file_len = len;
    return true;
}

// Up to `sectors` from where the handle stands; *got says how many the chain held there. wfs_file_read
// fills what lies past the chain's last cluster with 0xFF: those bytes are never counted.
void read_sectors(FILEHANDLE h, uint8_t *out, uint32_t sectors, uint32_t *got)
{
    const unsigned failures = wfs_image_last_failure()->count;
    uint32_t before = 0, after = 0;
    wfs_file_tell(h, &before);
    uint32_t rc = wfs_file_read(h, out, sectors);
    wfs_file_tell(h, &after);
    *got = after > before ? std::min(after - before, sectors) : 0;
    if (rc != WFS_OK) note_failure(h, rc, failures);
}

// Puts the handle at a sector of the recording; a chain too short to reach it is a failure with its reason.
bool move_to(FILEHANDLE h, uint32_t target)
{
    const unsigned failures = wfs_image_last_failure()->count;
    uint32_t at = 0;
    uint32_t rc = wfs_file_moveto_len(h, target);
    if (rc == WFS_OK && wfs_file_tell(h, &at) == WFS_OK && at == target) return true;
    note_failure(h, rc, failures);
    return false;
}

// The buffer from the position's sector on: copying out of it never leaves it.
bool refill(FILEHANDLE h)
{
    const uint32_t target = (uint32_t)(h->position / SECTOR);
    h->buf_start = WFS_BUF_EMPTY;
    if (!move_to(h, target)) return false;
    uint32_t got = 0;
    read_sectors(h, h->buffer, h->buf_size / SECTOR, &got);
    if (got == 0) {
        note_short(h);
        return false;
    }
    h->buf_start = uint64_t(target) * SECTOR;
    h->buf_valid = got * SECTOR;
    return true;
}

// The block after a full buffer: the handle already stands there.
bool next_buffer(FILEHANDLE h)
{
    uint32_t got = 0;
    read_sectors(h, h->buffer, h->buf_size / SECTOR, &got);
    if (got == 0) {
        h->buf_start = WFS_BUF_EMPTY;
        note_short(h);
        return false;
    }
    h->buf_start += h->buf_size;
    h->buf_valid = got * SECTOR;
    h->position = h->buf_start;
    return true;
}

uint64_t copy_out(FILEHANDLE h, uint8_t *out, uint64_t n)
{
    memcpy(out, h->buffer + (h->position - h->buf_start), (size_t)n);
    h->position += n;
    return n;
}

// Recording bytes the buffer holds from the position on, up to the listed length.
uint64_t buffered_from_position(const wfs_file *h)
{
    uint64_t end = std::min(h->buf_start + h->buf_valid, h->file_len);
    return end > h->position ? end - h->position : 0;
}

// A buffer that the chain did not fill is read again from the position: a damaged block
// fails every time it is read, and the chain's early end is found again.
uint64_t read_buffered(FILEHANDLE h, uint8_t *out, uint64_t n, bool stale)
{
    if ((stale || !buffer_covers(h, h->position)) && !refill(h)) return 0;
    uint64_t done = 0;
    while (done < n) {
        uint64_t available = buffered_from_position(h);
        if (available >= n - done) return done + copy_out(h, out + done, n - done);
        done += copy_out(h, out + done, available);
        if (h->position >= h->file_len) break;
        bool full = h->buf_valid == h->buf_size && h->position == h->buf_start + h->buf_size;
        if (!(full ? next_buffer(h) : refill(h))) break;
    }
    return done;
}

bool is_large_aligned(const wfs_file *h, uint64_t n)
{
    const uint32_t sec = SECTOR;
    return n > h->buf_size / 2 && h->position % sec == 0 && n % sec == 0;
}

// Whole sectors straight from the disk into the caller's buffer, as far as the chain holds them.
uint64_t read_direct(FILEHANDLE h, uint8_t *out, uint64_t n)
{
    if (h->position >= h->file_len) return 0;
    const uint32_t sec = SECTOR;
    n = std::min(n, h->file_len - h->position) / sec * sec;
    const uint32_t target = (uint32_t)(h->position / sec);
    uint32_t at = 0;
    h->buf_start = WFS_BUF_EMPTY;
    if ((wfs_file_tell(h, &at) != WFS_OK || at != target) && !move_to(h, target)) return 0;
    if (n == 0) return 0;
    uint32_t got = 0;
    read_sectors(h, out, (uint32_t)(n / sec), &got);
    h->position += uint64_t(got) * sec;
    if (uint64_t(got) * sec < n) note_short(h);
    return uint64_t(got) * sec;
}

void mark_day(uint32_t *words, uint32_t packed)
{
    wfs_date_time t = wfs_unpack_time(packed);
    if (packed == 0 || t.month < 1 || t.month > 12 || t.day < 1 || t.day > 31) return;
    words[(t.year - 2000) * 13 + t.month] |= 1u << t.day;
}

void mark_start(wfs_pdp *pdp, uint32_t cluster, uint32_t *words)
{
    wfs_dir_item item;
    if (get_dir_item_info(pdp, cluster, &item) == WFS_OK) mark_day(words, item.start_time);
}

// Marks every recording that starts after `from` up to the end of the ring segment after it.
void walk_file_starts(wfs_pdp *pdp, uint32_t from, uint32_t *words)
{
    uint32_t cluster = from;
    for (uint32_t steps = 0; steps < pdp->total_clus; ++steps) {
        uint32_t next = 0;
        if (get_next_clus_no(pdp, WFS_SEARCH_FIRST_ANY, cluster, 0, &next, WFS_ANY_CHANNEL) != WFS_OK) return;
        if (next <= cluster || next >= pdp->total_clus) return;
        mark_start(pdp, next, words);
        cluster = next;
    }
}

// The current lap from the first data cluster, then the older lap above the write head.
void build_day_table(wfs_pdp *pdp, uint32_t *words)
{
    walk_file_starts(pdp, pdp->rev_clus > 0 ? pdp->rev_clus - 1 : 0, words);
    uint32_t older = pdp->start_cluster2;
    if (older > pdp->current_cluster && older < pdp->total_clus) walk_file_starts(pdp, older - 1, words);
}

uint64_t read_day_table(FILEHANDLE h, void *out, uint64_t n)
{
    if (h->kind != WFS_KIND_WORKDIR || n != WFS_DAY_TABLE_BYTES) return 0;
    uint32_t words[WFS_DAY_TABLE_WORDS] = {};
    build_day_table(h->pdp, words);
    memcpy(out, words, sizeof words);
    h->kind = WFS_KIND_WORKDIR_READ;
    return n;
}

// ---- day listings

uint32_t time_of_day(uint32_t packed) { return packed & 0x1FFFF; }

// A recording running over midnight is listed under the day it started on.
bool belongs_to_previous_day(const wfs_dir_item &item, uint32_t day)
{
    return item.start_time < day && time_of_day(item.end_time) < time_of_day(item.start_time);
}

void fill_find_entry(const wfs_pdp *pdp, uint32_t cluster, const wfs_dir_item &item, wfs_find_entry *out)
{
    wfs_date_time s = wfs_unpack_time(item.start_time), e = wfs_unpack_time(item.end_time);
    wfs_record_name name = {s.hour, s.minute, s.second, e.hour, e.minute, e.second, {}, cluster, item.repeat_no, {}};
    snprintf(name.letters, sizeof name.letters, "%s", wfs_alarm_letter_short(item.alarm));
    snprintf(name.ext, sizeof name.ext, "%s", dir_item_av(item) ? "h264" : "jpg");
    memset(out, 0, sizeof *out);
    wfs_format_record_name(out->name, sizeof out->name, name);
    int64_t sectors = int64_t(item.item_num) * pdp->sec_per_clus + item.end_length - item.head_sectors;
    out->size = sectors > 0 ? sectors * pdp->sec_size : 0;
    out->time_write = wfs_packed_to_local_seconds(item.start_time);
}

// The next recording of the search's channel and stream type that belongs to its day.
int find_next_entry(FILEHANDLE h, wfs_find_entry *out)
{
    uint32_t day_end = wfs_time_add_seconds(h->name_time, g_day_seconds);
    // Each search hands out another first cluster of some section: the sections' clusters bound the walk.
    uint64_t limit = uint64_t(WFS_MAX_SECTIONS) * h->pdp->total_clus;
    for (uint64_t step = 0; step <= limit; ++step) {
        uint32_t cluster = find_next_file(h, h->channel, h->name_time, day_end, 0, 0xFF, false, h->stream_type);
        if (cluster == 0 || wfs_time_diff_seconds(h->found_time, h->name_time) >= g_day_seconds) return -1;
        wfs_dir_item item;
        if (get_dir_item_info(h->pdp, cluster, &item) != WFS_OK) return -1;
        if (item.stream_type != h->stream_type || belongs_to_previous_day(item, h->name_time)) continue;
        fill_find_entry(h->pdp, cluster, item, out);
        return 0;
    }
    return -1;
}

// A day listing ends where the recordings end, or where the disk could not be read.
void note_search_end(unsigned image_failures_before)
{
    const wfs_image_failure *why = wfs_image_last_failure();
    if (why->count != image_failures_before) set_error(WFS_ERR_READ, "%s", why->text);
    else set_error(FS_NO_EXIST_FILE, "no further recording");
}

FILEHANDLE search_handle(intptr_t search, int line)
{
    FILEHANDLE h = search == -1 ? nullptr : reinterpret_cast<FILEHANDLE>(search);
    return valid(h, line) ? h : nullptr;
}

int fflush_locked(FILEHANDLE h)
{
    h->dirty = 0;
    return 0;
}
} // namespace

FILEHANDLE fs_fopen(const char *path, const char *mode)
{
    operation_scope scope;
    if (!path || !mode) return nullptr;
    if (!is_read_mode(mode)) {
        wfs_warn("fs_fopen(%s, %s): recordings are opened for reading only\n", path, mode);
        set_error(WFS_ERR_BAD_HANDLE, "recordings are opened for reading only");
        return nullptr;
    }
    if (wfs_is_recovered_path(path)) return wfs_recover_fopen(path);
    if (is_work_directory(path)) return open_work_directory(path);
    wfs_record_path p;
    if (!wfs_is_record_file(path) || !wfs_parse_record_path(path, &p)) {
        wfs_warn("No file %s!\n", path);
        set_error(FS_NO_EXIST_FILE, "not a recording's path");
        return nullptr;
    }
    return open_recording(path, p);
}

int fs_fclose(FILEHANDLE h)
{
    hook_scope scope;
    if (!valid(h, __LINE__)) return -1;
    fflush_locked(h);
    free_buffer(h);
    bool failed = disk_failed(h);
    uint32_t rc = wfs_file_close(h);
    return failed || rc == WFS_OK ? 0 : -1;
}

size_t fs_fread(void *buffer, size_t size, size_t count, FILEHANDLE h)
{
    operation_scope scope;
    if (!valid(h, __LINE__) || size == 0 || count == 0 || count > SIZE_MAX / size) return 0;
    if (disk_failed(h)) {
        wfs_warn("Disk error!\n");
        set_error(WFS_ERR_READ, "the disk failed to read its metadata");
        return 0;
    }
    if (h->kind == WFS_KIND_RECOVERED) return wfs_recover_fread(buffer, size, count, h);
    uint64_t n = uint64_t(size) * count;
    if (h->kind != WFS_KIND_RECORDING) return (size_t)(read_day_table(h, buffer, n) / size);
    if (!h->buffer) return 0; // a slot of the table that is no stream
    if (n > g_max_read) n = g_max_read / size * size;
    bool stale = h->position + n >= h->file_len; // a growing recording may have changed its last block
    if (stale) refresh_length(h);
    uint8_t *out = static_cast<uint8_t *>(buffer);
    uint64_t done = is_large_aligned(h, n) ? read_direct(h, out, n) : read_buffered(h, out, n, stale);
    return (size_t)(done / size);
}

size_t fs_fwrite(const void *, size_t, size_t, FILEHANDLE) { return 0; }

int fs_fflush(FILEHANDLE h)
{
    hook_scope scope;
    return valid(h, __LINE__) ? fflush_locked(h) : -1;
}

// Positions within the listed length: the handle moves to the clusters with the next read, which
// fails there (with its reason) when the chain does not reach so far.
int fs_fseek(FILEHANDLE h, int64_t offset, int whence)
{
    operation_scope scope;
    if (!valid(h, __LINE__)) return WFS_SEEK_BAD_HANDLE;
    if (disk_failed(h)) {
        set_error(WFS_ERR_READ, "the disk failed to read its metadata");
        return WFS_SEEK_DISK_FAILED;
    }
    if (h->kind == WFS_KIND_RECOVERED) return wfs_recover_fseek(h, offset, whence);
    const bool recording = h->kind == WFS_KIND_RECORDING;
    int64_t target;
    switch (whence) {
    case SEEK_SET:
        target = offset + (recording ? (int64_t)h->head_skip : 0);
        break;
    case SEEK_CUR:
        target = (int64_t)h->position + offset;
        break;
    case SEEK_END:
        if (recording && !refresh_length(h)) return WFS_SEEK_DISK_FAILED;
        target = (int64_t)h->file_len + offset;
        break;
    default:
        set_error(WFS_ERR_NOT_PRESENT, "unknown origin %d", whence);
        return WFS_SEEK_OUT_OF_RANGE;
    }
    if (target == (int64_t)h->position) return 0;
    const int64_t first = recording ? (int64_t)h->head_skip : 0;
    if (target < first || target > (int64_t)h->file_len) {
        set_error(WFS_ERR_NOT_PRESENT, "byte %lld lies outside the stream's %lld bytes", (long long)(target - first),
                  (long long)h->file_len - first);
        return WFS_SEEK_OUT_OF_RANGE;
    }
    if (!buffer_holds(h, (uint64_t)target)) {
        fflush_locked(h);
        h->buf_start = WFS_BUF_EMPTY;
    }
    h->position = (uint64_t)target;
    return 0;
}

int64_t fs_ftell(FILEHANDLE h)
{
    hook_scope scope;
    if (!valid(h, __LINE__)) return WFS_SEEK_BAD_HANDLE;
    if (disk_failed(h)) return WFS_SEEK_DISK_FAILED;
    if (h->kind == WFS_KIND_RECOVERED) return wfs_recover_ftell(h);
    return (int64_t)(h->kind == WFS_KIND_RECORDING ? h->position - h->head_skip : h->position);
}

char *fs_fgets(char *, int, FILEHANDLE) { return nullptr; }
int fs_fputs(const char *, FILEHANDLE) { return -1; }
int fs_access(const char *, int) { return 0; }
int fs_rename(const char *, const char *) { return -1; }
int fs_remove(const char *) { return -1; }
int fs_mkdir(const char *) { return -1; }
int fs_rmdir(const char *) { return -1; }

intptr_t fs_findfirst(const char *pattern, wfs_find_entry *out)
{
    operation_scope scope;
    if (wfs_is_recovered_path(pattern)) return wfs_recover_findfirst(pattern, out);
    wfs_record_path p;
    if (!pattern || !out || !wfs_parse_record_dir(pattern, &p)) {
        set_error(FS_NO_EXIST_FILE, "not a day and channel folder of a recorder disk");
        return -1;
    }
    wfs_pdp *pdp = get_pdp((uint32_t)(p.disk_letter - 'a'), (uint32_t)p.part);
    if (!pdp) {
        wfs_warn("No such driver!\n");
        set_error(FS_NO_EXIST_FILE, "no mounted partition %d on disk %c", p.part, p.disk_letter);
        return -1;
    }
    FILEHANDLE h = take_handle("fs_findfirst() Get the Handle error!\n");
    if (!h) {
        set_error(1, "no free file handle");
        return -1;
    }
    const unsigned failures = wfs_image_last_failure()->count;
    h->pdp = pdp;
    h->channel = (uint8_t)p.channel;
    h->name_time = wfs_record_day_time(p);
    if (file_goto_work_driver(h, h->channel, h->name_time, WFS_SEARCH_USABLE, 0, 0xFF, 0xFF, 0, WFS_STREAM_ANY) !=
            WFS_OK ||
        find_next_entry(h, out) != 0) {
        note_search_end(failures);
        wfs_file_close(h);
        return -1;
    }
    return reinterpret_cast<intptr_t>(h);
}

int fs_findnext(intptr_t search, wfs_find_entry *out)
{
    operation_scope scope;
    FILEHANDLE h = search_handle(search, __LINE__);
    if (h && h->kind == WFS_KIND_RECOVERED_FIND) return wfs_recover_findnext(h, out);
    if (!h || !out || h->kind != WFS_KIND_RECORDING) return -1;
    const unsigned failures = wfs_image_last_failure()->count;
    if (find_next_entry(h, out) == 0) return 0;
    note_search_end(failures);
    return -1;
}

uint32_t fs_last_error(char *why, size_t why_size)
{
    if (why && why_size) snprintf(why, why_size, "%s", t_error.text);
    return t_error.code;
}

int fs_findclose(intptr_t search)
{
    hook_scope scope;
    FILEHANDLE h = search_handle(search, __LINE__);
    if (!h) return -1;
    bool failed = disk_failed(h);
    free_buffer(h); // a listing of recovered recordings keeps its entries there
    wfs_file_close(h);
    if (!failed) return 0;
    wfs_warn("Disk error!\n");
    return -1;
}

int fs_disk_space(const char *path, uint64_t *free_bytes, uint64_t *total_bytes, uint64_t *free_again)
{
    hook_scope scope;
    uint32_t disk = 0, part = 0;
    wfs_pdp *pdp = path && wfs_parse_ide_component(path, &disk, &part) ? get_pdp(disk, part) : nullptr;
    if (!pdp) return -1;
    uint64_t cluster_bytes = uint64_t(pdp->sec_per_clus) * pdp->sec_size;
    uint64_t used = pdp->current_cluster < pdp->total_clus ? pdp->current_cluster : pdp->total_clus;
    uint64_t total = uint64_t(pdp->total_clus) * cluster_bytes;
    uint64_t available = (pdp->total_clus - used) * cluster_bytes;
    if (free_bytes) *free_bytes = available;
    if (total_bytes) *total_bytes = total;
    if (free_again) *free_again = available;
    return 0;
}

void wfs_set_stream_lock_hooks(wfs_stream_hook lock, wfs_stream_hook unlock)
{
    g_lock_hook = lock;
    g_unlock_hook = unlock;
}

namespace {
FILEHANDLE as_handle(void *stream) { return static_cast<FILEHANDLE>(stream); }

const wfs_fs_ops g_stream_ops = {
    [](const char *path, const char *mode) -> void * { return fs_fopen(path, mode); },
    [](void *s) { return fs_fclose(as_handle(s)); },
    [](void *b, size_t size, size_t count, void *s) { return fs_fread(b, size, count, as_handle(s)); },
    [](const void *b, size_t size, size_t count, void *s) { return fs_fwrite(b, size, count, as_handle(s)); },
    [](void *s) { return fs_fflush(as_handle(s)); },
    [](void *s, int64_t offset, int whence) { return fs_fseek(as_handle(s), offset, whence); },
    [](void *s) { return fs_ftell(as_handle(s)); },
    [](char *text, int size, void *s) { return fs_fgets(text, size, as_handle(s)); },
    [](const char *text, void *s) { return fs_fputs(text, as_handle(s)); },
    fs_access,
    fs_rename,
    fs_remove,
    fs_findfirst,
    fs_findnext,
    fs_findclose,
    fs_mkdir,
    fs_rmdir,
    fs_disk_space,
};
} // namespace

const wfs_fs_ops *wfs_stream_ops() { return &g_stream_ops; }

int wfs_register_stream_ops() { return wfs_mount_register(WFS_STREAM_PREFIX, &g_stream_ops); }
