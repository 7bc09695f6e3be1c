#include "packed_time.h"

#include <cstdio>
#include <ctime>

namespace korvane::sim {

uint32_t packTime(Seconds t)
{
    time_t raw = time_t(t);
    struct tm tm {};
    gmtime_r(&raw, &tm);
    int year = tm.tm_year + 1900 - 2000;
    if (year < 0 || year > 63)
        return 0;
    return uint32_t(year) << 26 | uint32_t(tm.tm_mon + 1) << 22 | uint32_t(tm.tm_mday) << 17 |
           uint32_t(tm.tm_hour) << 12 | uint32_t(tm.tm_min) << 6 | uint32_t(tm.tm_sec);
}

Seconds makeTime(int year, int month, int day, int hour, int minute, int second)
{
    struct tm tm {};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    tm.tm_sec = second;
    return Seconds(timegm(&tm));
}

Seconds unpackTime(uint32_t packed)
{
    return makeTime(int(packed >> 26) + 2000, int(packed >> 22 & 15), int(packed >> 17 & 31),
                    int(packed >> 12 & 31), int(packed >> 6 & 63), int(packed & 63));
}

bool parseTime(const std::string &text, Seconds &out)
{
    int y, mo, d, h, mi, s;
    char sep;
    char tail;
    if (std::sscanf(text.c_str(), "%4d-%2d-%2d%c%2d:%2d:%2d%c", &y, &mo, &d, &sep, &h, &mi, &s, &tail) != 7)
        return false;
    if ((sep != ' ' && sep != 'T') || y < 2000 || y > 2063 || mo < 1 || mo > 12 || d < 1 || d > 31 || h > 23 ||
        mi > 59 || s > 59 || h < 0 || mi < 0 || s < 0)
        return false;
    out = makeTime(y, mo, d, h, mi, s);
    return formatTime(out) == text.substr(0, 10) + " " + text.substr(11);
}

std::string formatTime(Seconds t)
{
    time_t raw = time_t(t);
    struct tm tm {};
    gmtime_r(&raw, &tm);
    char buf[80];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday,
                  tm.tm_hour, tm.tm_min, tm.tm_sec);
    return buf;
}

} // namespace korvane::sim
