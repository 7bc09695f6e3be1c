// Fuzz target: a whole disk image in memory through the WFS library as the programs use it:
// scan and mount, the partition information and diagnostic tables, the full listing of every
// partition, the day table and day listings, a read of every listed recording, and the
// recovered recordings: found, listed by folder and read.
#include "zero_runs.h"

#include "wfs.h"
#include "wfs_path.h"
#include "wfs_recover.h"
#include "wfs_stream.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace
{
const size_t kMaxImage = 64u << 20;
const uint64_t kMaxReadPerRecording = 4u << 20;
const uint32_t kMaxRecords = 64;
const uint32_t kMaxRecordingsRead = 16;

bool setUp()
{
    wfs_set_console(fopen("/dev/null", "w"));
    wfs_set_debug_hook([](const char *) {}); // the trace is still formatted
    wfs_register_stream_ops();
    ide_set_images(nullptr, 0);
    ide_set_scan_devices(false);
    return true;
}

uint32_t earliest(uint32_t a, uint32_t b)
{
    return b != 0 && (a == 0 || b < a) ? b : a;
}

// The times the partition holds, by whole days, as the catalogue lists them.
void dayRange(const wfs_pdp *pdp, uint32_t *from, uint32_t *to)
{
    uint32_t start = earliest(pdp->start_time1, pdp->start_time2),
             end = std::max(pdp->end_time1, pdp->end_time2);
    for (uint32_t j = 0; j < std::min<uint32_t>(pdp->collision_num + 2, WFS_MAX_SECTIONS); ++j) {
        if (!wfs_section_valid(pdp, (int)j)) continue;
        start = earliest(start, pdp->sections[j].start_time);
        end = std::max(end, pdp->sections[j].end_time);
    }
    *from = start & ~0x1FFFFu;
    *to = (end & ~0x1FFFFu) | 23u << 12 | 59u << 6 | 59u;
}

wfs_record_path pathOf(const wfs_file_info_v2 &r)
{
    wfs_date_time s = wfs_unpack_time(r.start_time), e = wfs_unpack_time(r.end_time);
    wfs_record_path p = {};
    p.disk_letter = char('a' + r.disk);
    p.part = r.part;
    p.year = s.year;
    p.month = s.month;
    p.day = s.day;
    p.channel = r.channel;
    p.name = {s.hour,   s.minute, s.second,           e.hour,          e.minute,
              e.second, "R",      r.first_cluster_no, r.stream & 0x0F, {}};
    snprintf(p.name.ext, sizeof p.name.ext, "%s", r.av ? "h264" : "jpg");
    return p;
}

void readRecording(const char *path)
{
    FILEHANDLE h = fs_fopen(path, "rb");
    if (!h) return;
    static char buffer[1 << 20];
    const size_t sizes[] = {1000, 32768, sizeof buffer, 511};
    uint64_t done = 0;
    for (int i = 0; done < kMaxReadPerRecording; ++i) {
        size_t n = fs_fread(buffer, 1, sizes[i % 4], h);
        if (n == 0) break;
        done += n;
    }
    int64_t end = (fs_fseek(h, 0, SEEK_END), fs_ftell(h));
    if (end > 0 && fs_fseek(h, end / 2, SEEK_SET) == 0) fs_fread(buffer, 1, 4096, h);
    fs_fseek(h, -100, SEEK_END);
    fs_fread(buffer, 1, 4096, h);
    fs_fclose(h);
}

void listDay(const wfs_record_path &p)
{
    char pattern[128];
    snprintf(pattern, sizeof pattern, "/mnt/ide%c%d/%04d-%02d-%02d/%03d/*", p.disk_letter, p.part, p.year,
             p.month, p.day, p.channel + 1);
    wfs_find_entry entry;
    intptr_t search = fs_findfirst(pattern, &entry);
    for (int i = 0; search != -1 && i < 64 && fs_findnext(search, &entry) == 0; ++i) {
    }
    if (search != -1) fs_findclose(search);
}

void readDayTable(uint32_t disk, uint32_t part)
{
    char path[64];
    snprintf(path, sizeof path, "/mnt/ide%c%u/WorkDirectory", char('a' + disk), part);
    FILEHANDLE h = fs_fopen(path, "rb");
    if (!h) return;
    uint8_t table[WFS_DAY_TABLE_BYTES];
    fs_fread(table, 1, sizeof table, h);
    fs_fclose(h);
}

void recoverPartition(uint32_t disk, uint32_t part)
{
    static wfs_fragment fragments[kMaxRecords];
    uint32_t found = 0;
    wfs_recover_list(disk, part, nullptr, fragments, kMaxRecords, &found);
    for (uint32_t i = 0; i < found && i < kMaxRecords && i < kMaxRecordingsRead; ++i) {
        char path[256];
        wfs_recover_format_path(path, sizeof path, fragments[i]);
        readRecording(path);
        if (i > 0) continue;
        wfs_recover_format_folder(path, sizeof path, fragments[i]);
        strcat(path, "/*");
        wfs_find_entry entry;
        intptr_t search = fs_findfirst(path, &entry);
        for (int n = 0; search != -1 && n < 64 && fs_findnext(search, &entry) == 0; ++n) {
        }
        if (search != -1) fs_findclose(search);
    }
}

void examinePartition(uint32_t disk, uint32_t part)
{
    wfs_driver_info info;
    wfs_get_driver_info(disk, part, &info);
    wfs_pdp *pdp = get_pdp(disk, part);
    if (!pdp) return;
    readDayTable(disk, part);
    uint32_t from = 0, to = 0;
    dayRange(pdp, &from, &to);
    static wfs_file_info_v2 records[kMaxRecords];
    uint32_t count = kMaxRecords;
    wfs_file_list_in(pdp, WFS_ANY_CHANNEL, from, to, &count, records, 0xFFFFFFFF, 0,
                     WFS_LIST_VIDEO | WFS_LIST_PICTURE, WFS_STREAM_ANY);
    uint32_t channelCount = kMaxRecords;
    if (count > 0)
        wfs_file_list_in(pdp, records[0].channel, from, to, &channelCount, records + count / 2, 0xFFFFFFFF, 0,
                         WFS_LIST_VIDEO, WFS_STREAM_ANY);
    for (uint32_t i = 0; i < count && i < kMaxRecordingsRead; ++i) {
        wfs_record_path p = pathOf(records[i]);
        char path[256];
        wfs_format_record_path(path, sizeof path, p);
        readRecording(path);
        p.name.cluster = 0; // by channel and time instead of by cluster
        wfs_format_record_path(path, sizeof path, p);
        readRecording(path);
        if (i == 0) listDay(p);
    }
    recoverPartition(disk, part);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const bool ready = setUp();
    (void)ready;
    std::vector<uint8_t> image = korvane::fuzz::expandZeroRuns(data, size, kMaxImage);
    ide_set_memory_image(image.data(), image.size());
    ide_init();
    int normal = 0;
    wfs_file_sys_init(&normal, 0);
    IdeInfo ide;
    for (int disk = 0; disk < ide_get_info(&ide); ++disk)
        for (uint32_t part = 0; part < WFS_MAX_PARTS; ++part)
            examinePartition((uint32_t)disk, part);
    wfs_print_drivers();
    ide_set_memory_image(nullptr, 0);
    ide_init(); // nothing may read the image after it goes
    return 0;
}
