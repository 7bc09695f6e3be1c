// Packed local times: second in bits 0-5, minute 6-11, hour 12-16, day 17-21,
// month 22-25, year - 2000 in 26-31. 0 means no time; unsigned order is time order.
#pragma once

#include <cstdint>
#include <ctime>

struct wfs_date_time {
    int year, month, day, hour, minute, second;
};

uint32_t wfs_pack_time(const wfs_date_time &t);
// True when the packed time is a real calendar time (month 1-12, a day the month has, hour 0-23,
// minute and second 0-59); false for 0 ("no time") and for what only a damaged item holds.
bool wfs_packed_time_valid(uint32_t packed);
wfs_date_time wfs_unpack_time(uint32_t packed);
// The current local time, packed.
uint32_t wfs_now_packed();
// Seconds since the epoch of the packed calendar time, counted without a time zone.
int64_t wfs_packed_to_seconds(uint32_t packed);
uint32_t wfs_seconds_to_packed(int64_t seconds);
// The packed time as a calendar record (daylight saving left to the system).
struct tm wfs_packed_to_tm(uint32_t packed);
// Seconds since 1970 of the packed time read as local time of this machine.
int64_t wfs_packed_to_local_seconds(uint32_t packed);
uint32_t wfs_time_add_seconds(uint32_t packed, int64_t seconds);
int64_t wfs_time_diff_seconds(uint32_t later, uint32_t earlier);
// Milliseconds of a steady clock, for access times.
uint32_t wfs_tick_ms();
