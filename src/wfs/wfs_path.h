// Names of recordings: "/mnt/ide<letter><partition>/<date>/<channel>/<file name>"
// with file names "hh.mm.ss-hh.mm.ss[letters][@cluster][number].ext".
#pragma once

#include <cstddef>
#include <cstdint>

struct wfs_record_name {
    int start_hour, start_minute, start_second;
    int end_hour, end_minute, end_second;
    char letters[16]; // type letters of the alarm type
    uint32_t cluster; // first cluster; 0 when unknown
    int number;       // stream type or repeat number, whichever the writer chose
    char ext[8];      // "h264" or "jpg"
};

struct wfs_record_path {
    char disk_letter; // 'a' for disk 0
    int part;
    int year, month, day;
    int channel; // 0-based, as the channel folder is written
    wfs_record_name name;
};

// Type letter of an alarm type, 1 "A" .. 15 "V", anything else "R".
const char *wfs_alarm_letter(unsigned alarm);
// The four letters day listings use: 1 "A", 2 "M", 3 "C", 4 "H", else "R".
const char *wfs_alarm_letter_short(unsigned alarm);
// Alarm type of type letters: "A" 1, "M" 2, "C" 3, "H" 4, any other 0.
uint8_t wfs_alarm_of_letters(const char *letters);

// True when the path names a recording file (".h264" or ".jpg" at its end).
bool wfs_is_record_file(const char *path);
bool wfs_is_picture_file(const char *path);

// Parses a whole recording path; false when any part is missing or out of range.
bool wfs_parse_record_path(const char *path, wfs_record_path *out);
bool wfs_parse_record_name(const char *name, wfs_record_name *out);
// Parses "/ide%c%d" inside the path (the disk and partition of any path below it).
bool wfs_parse_ide_component(const char *path, uint32_t *disk, uint32_t *part);
// Parses a day-and-channel folder followed by one more component (a pattern such as "*").
bool wfs_parse_record_dir(const char *pattern, wfs_record_path *out);

// Writes the file name or the whole path; returns the length snprintf reports.
int wfs_format_record_name(char *out, size_t size, const wfs_record_name &name);
int wfs_format_record_path(char *out, size_t size, const wfs_record_path &path);

// Packed time of the path's date at the name's start time, or of the date alone.
uint32_t wfs_record_start_time(const wfs_record_path &path);
uint32_t wfs_record_day_time(const wfs_record_path &path);
