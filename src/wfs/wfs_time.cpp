#include "wfs_time.h"

#include <chrono>

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

int64_t wfs_packed_to_seconds(uint32_t packed)
{
    struct tm tm = wfs_packed_to_tm(packed);
    return (int64_t)timegm(&tm);
}

int64_t wfs_packed_to_local_seconds(uint32_t packed)
{
    struct tm tm = wfs_packed_to_tm(packed);
    return (int64_t)mktime(&tm);
}

uint32_t wfs_seconds_to_packed(int64_t seconds)
{
    time_t s = (time_t)seconds;
    struct tm tm;
    if (!gmtime_r(&s, &tm) || tm.tm_year + 1900 < 2000 || tm.tm_year + 1900 > 2063) return 0;
    return wfs_pack_time({tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec});
}

uint32_t wfs_time_add_seconds(uint32_t packed, int64_t seconds)
{
    return wfs_seconds_to_packed(wfs_packed_to_seconds(packed) + seconds);
}

int64_t wfs_time_diff_seconds(uint32_t later, uint32_t earlier)
{
    return wfs_packed_to_seconds(later) - wfs_packed_to_seconds(earlier);
}

uint32_t wfs_tick_ms()
{
    using namespace std::chrono;
    return (uint32_t)duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}
