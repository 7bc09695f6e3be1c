#include "wfs_path.h"

#include "wfs_time.h"
#include "wfs_types.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
const char *const g_alarm_letters[] = {"R", "A", "M", "C", "H", "I", "S", "F", "N",
                                       "K", "G", "U", "P", "T", "B", "V"};
const unsigned g_alarm_letter_count = sizeof g_alarm_letters / sizeof g_alarm_letters[0];

// One '/'-separated component of a path, copied out so sscanf sees it alone.
struct component {
    char text[128];
};

// The last `count` components of the path, the last one first; each must follow a '/'.
bool last_components(const char *path, component *out, int count)
{
    const char *end = path + strlen(path);
    for (int i = 0; i < count; ++i) {
        const char *begin = end;
        while (begin > path && begin[-1] != '/') --begin;
        size_t len = (size_t)(end - begin);
        if (begin == path || len >= sizeof out[i].text) return false;
        memcpy(out[i].text, begin, len);
        out[i].text[len] = '\0';
        end = begin - 1;
    }
    return true;
}

bool parse_number(const char *text, int *out)
{
    char *end = nullptr;
    long value = strtol(text, &end, 10);
    if (end == text || *end != '\0' || value < 0 || value > 255) return false;
    *out = (int)value;
    return true;
}

// Names carry the times as the directory stores them: a damaged item's end hour of 25 is listed
// as 25, and the name must still open. Only what the packed fields cannot hold is refused.
bool storable_time_of_day(int hour, int minute, int second)
{
    return hour >= 0 && hour <= 31 && minute >= 0 && minute <= 63 && second >= 0 && second <= 63;
}

bool valid_date(int year, int month, int day)
{
    return year >= 2000 && year <= 2063 && month >= 1 && month <= 12 && day >= 1 && day <= 31;
}

bool parse_ide(const char *text, wfs_record_path *out)
{
    char letter = 0;
    int part = -1;
    if (sscanf(text, "ide%c%d", &letter, &part) != 2) return false;
    if (letter < 'a' || letter >= 'a' + WFS_MAX_DISKS || part < 0 || part >= WFS_MAX_PARTS) return false;
    out->disk_letter = letter;
    out->part = part;
    return true;
}

// The channel, date and disk components in front of the last one.
bool parse_folders(const component *c, wfs_record_path *out)
{
    // The channel folder carries the 0-based channel, exactly as the disk page writes it.
    if (!parse_number(c[1].text, &out->channel)) return false;
    if (sscanf(c[2].text, "%d-%d-%d", &out->year, &out->month, &out->day) != 3) return false;
    if (!valid_date(out->year, out->month, out->day)) return false;
    return parse_ide(c[3].text, out);
}

bool ends_with(const char *text, const char *tail)
{
    size_t n = strlen(text), m = strlen(tail);
    return n >= m && strcmp(text + n - m, tail) == 0;
}
} // namespace

const char *wfs_alarm_letter(unsigned alarm)
{
    return alarm < g_alarm_letter_count ? g_alarm_letters[alarm] : "R";
}

const char *wfs_alarm_letter_short(unsigned alarm) { return alarm <= 4 ? g_alarm_letters[alarm] : "R"; }

uint8_t wfs_alarm_of_letters(const char *letters)
{
    for (uint8_t alarm = 1; alarm <= 4; ++alarm)
        if (strcmp(letters, g_alarm_letters[alarm]) == 0) return alarm;
    return 0;
}

bool wfs_is_picture_file(const char *path) { return ends_with(path, ".jpg"); }

bool wfs_is_record_file(const char *path) { return ends_with(path, ".h264") || wfs_is_picture_file(path); }

bool wfs_parse_record_name(const char *name, wfs_record_name *out)
{
    wfs_record_name n = {};
    int used = 0;
    if (sscanf(name, "%2d.%2d.%2d-%2d.%2d.%2d%n", &n.start_hour, &n.start_minute, &n.start_second, &n.end_hour,
               &n.end_minute, &n.end_second, &used) != 6)
        return false;
    if (!storable_time_of_day(n.start_hour, n.start_minute, n.start_second) ||
        !storable_time_of_day(n.end_hour, n.end_minute, n.end_second))
        return false;
    const char *open = strchr(name + used, '[');
    const char *close = open ? strchr(open, ']') : nullptr;
    if (!close || (size_t)(close - open - 1) >= sizeof n.letters) return false;
    memcpy(n.letters, open + 1, (size_t)(close - open - 1));
    unsigned cluster = 0;
    int tail = 0;
    if (sscanf(close + 1, "[@%x][%d].%7s%n", &cluster, &n.number, n.ext, &tail) != 3 || close[1 + tail] != '\0')
        return false;
    n.cluster = cluster;
    *out = n;
    return true;
}

bool wfs_parse_record_path(const char *path, wfs_record_path *out)
{
    component c[4];
    wfs_record_path p = {};
    if (!last_components(path, c, 4) || !wfs_parse_record_name(c[0].text, &p.name) || !parse_folders(c, &p))
        return false;
    *out = p;
    return true;
}

bool wfs_parse_record_dir(const char *pattern, wfs_record_path *out)
{
    component c[4];
    wfs_record_path p = {};
    if (!last_components(pattern, c, 4) || !parse_folders(c, &p)) return false;
    *out = p;
    return true;
}

bool wfs_parse_ide_component(const char *path, uint32_t *disk, uint32_t *part)
{
    const char *ide = strstr(path, "/ide");
    wfs_record_path p = {};
    if (!ide || !parse_ide(ide + 1, &p)) return false;
    *disk = (uint32_t)(p.disk_letter - 'a');
    *part = (uint32_t)p.part;
    return true;
}

int wfs_format_record_name(char *out, size_t size, const wfs_record_name &n)
{
    return snprintf(out, size, "%02d.%02d.%02d-%02d.%02d.%02d[%s][@%x][%d].%s", n.start_hour, n.start_minute,
                    n.start_second, n.end_hour, n.end_minute, n.end_second, n.letters, n.cluster, n.number, n.ext);
}

int wfs_format_record_path(char *out, size_t size, const wfs_record_path &p)
{
    char name[160];
    wfs_format_record_name(name, sizeof name, p.name);
    return snprintf(out, size, "/mnt/ide%c%d/%04d-%02d-%02d/%03d/%s", p.disk_letter, p.part, p.year, p.month, p.day,
                    p.channel, name);
}

uint32_t wfs_record_start_time(const wfs_record_path &p)
{
    return wfs_pack_time({p.year, p.month, p.day, p.name.start_hour, p.name.start_minute, p.name.start_second});
}

uint32_t wfs_record_day_time(const wfs_record_path &p) { return wfs_pack_time({p.year, p.month, p.day, 0, 0, 0}); }
