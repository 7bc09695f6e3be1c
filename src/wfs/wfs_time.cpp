#include "wfs_time.h"

#include <ctime>

uint32_t wfs_pack_time(const wfs_date_time &t)
{
    return (uint32_t)(t.year - 2000) << 26 | (uint32_t)t.month << 22 | (uint32_t)t.day << 17 |
           (uint32_t)t.hour << 12 | (uint32_t)t.minute << 6 | (uint32_t)t.second;
}

bool wfs_packed_time_valid(uint32_t packed)
{
    static const int days_in_month[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    wfs_date_time t = wfs_unpack_time(packed);
    if (packed == 0 || t.month < 1 || t.month > 12 || t.day < 1 || t.hour > 23 || t.minute > 59 || t.second > 59)
        return false;
    bool leap = t.year % 4 == 0 && (t.year % 100 != 0 || t.year % 400 == 0);
    return t.day <= days_in_month[t.month - 1] - (t.month == 2 && !leap ? 1 : 0);
}

wfs_date_time wfs_unpack_time(uint32_t p)
{
    wfs_date_time t;
    t.year = (int)(p >> 26) + 2000;
    t.month = (int)(p >> 22 & 0xF);
    t.day = (int)(p >> 17 & 0x1F);
    t.hour = (int)(p >> 12 & 0x1F);
    t.minute = (int)(p >> 6 & 0x3F);
    t.second = (int)(p & 0x3F);
    return t;
}

uint32_t wfs_now_packed()
{
    time_t now = time(nullptr);
    struct tm tm;
    localtime_r(&now, &tm);
    return wfs_pack_time({tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec});
}

struct tm wfs_packed_to_tm(uint32_t packed)
{
    wfs_date_time t = wfs_unpack_time(packed);
    struct tm tm = {};
    tm.tm_year = t.year - 1900;
    tm.tm_mon = t.month - 1;
    tm.tm_mday = t.day;
    tm.tm_hour = t.hour;
    tm.tm_min = t.minute;
    tm.tm_sec = t.second;
    tm.tm_isdst = -1;
    return tm;
}

namespace {
// Days from 1970-01-01 to the first of the month, months outside 1-12 carried into the year as
// timegm carries them (the civil-from-days algorithm of the proleptic Gregorian calendar).
int64_t days_to_month(int64_t year, int64_t month)
{
    year += (month - 1 >= 0 ? (month - 1) / 12 : (month - 12) / 12);
    month = ((month - 1) % 12 + 12) % 12 + 1;
    year -= month <= 2;
    const int64_t era = (year >= 0 ? year : year - 399) / 400;
    const int64_t year_of_era = year - era * 400;
    const int64_t day_of_year = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5;
    const int64_t day_of_era = year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year;
    return era * 146097 + day_of_era - 719468;
}
} // namespace

// Seconds counted without a time zone; days, hours, minutes and seconds out of their ranges (a damaged
// item's hour of 25) carry over as timegm carries them. Computed here: the listing converts often.
int64_t wfs_packed_to_seconds(uint32_t packed)
{
    wfs_date_time t = wfs_unpack_time(packed);
    return (days_to_month(t.year, t.month) + t.day - 1) * 86400 + t.hour * 3600 + t.minute * 60 + t.second;
}

int64_t wfs_packed_to_local_seconds(uint32_t packed)
{
    struct tm tm = wfs_packed_to_tm(packed);
    return (int64_t)mktime(&tm);
}

uint32_t wfs_seconds_to_packed(int64_t seconds)
{
    int64_t days = seconds >= 0 ? seconds / 86400 : (seconds - 86399) / 86400;
    int64_t rest = seconds - days * 86400;
    days += 719468;
    const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const int64_t day_of_era = days - era * 146097;
    const int64_t year_of_era = (day_of_era - day_of_era / 1460 + day_of_era / 36524 - day_of_era / 146096) / 365;
    const int64_t day_of_year = day_of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
    const int64_t mp = (5 * day_of_year + 2) / 153;
    const int day = (int)(day_of_year - (153 * mp + 2) / 5 + 1);
    const int month = (int)(mp < 10 ? mp + 3 : mp - 9);
    const int64_t year = year_of_era + era * 400 + (month <= 2);
    if (year < 2000 || year > 2063) return 0;
    return wfs_pack_time({(int)year, month, day, (int)(rest / 3600), (int)(rest / 60 % 60), (int)(rest % 60)});
}

uint32_t wfs_time_add_seconds(uint32_t packed, int64_t seconds)
{
    return wfs_seconds_to_packed(wfs_packed_to_seconds(packed) + seconds);
}

int64_t wfs_time_diff_seconds(uint32_t later, uint32_t earlier)
{
    return wfs_packed_to_seconds(later) - wfs_packed_to_seconds(earlier);
}

// The coarse monotonic clock: milliseconds are all the access times need, and the block layer asks often.
uint32_t wfs_tick_ms()
{
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC_COARSE, &now);
    return (uint32_t)((uint64_t)now.tv_sec * 1000 + (uint64_t)now.tv_nsec / 1000000);
}
