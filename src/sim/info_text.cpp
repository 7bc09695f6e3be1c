#include "info_text.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <ctime>

namespace korvane::sim {

namespace {

std::string format(const char *pattern, ...) __attribute__((format(printf, 1, 2)));

std::string format(const char *pattern, ...)
{
    char text[256];
    va_list args;
    va_start(args, pattern);
    std::vsnprintf(text, sizeof text, pattern, args);
    va_end(args);
    return text;
}

struct tm utcParts(Seconds utc)
{
    const time_t raw = time_t(utc);
    struct tm parts {};
    gmtime_r(&raw, &parts);
    return parts;
}

std::string clockField(const struct tm &t) { return format("%02d%02d%02d.00", t.tm_hour, t.tm_min, t.tm_sec); }

// ddmm.mmmm (dddmm.mmmm with three degree digits) and its hemisphere letter.
std::string coordinate(double degrees, int degreeDigits, char positive, char negative)
{
    const long long tenThousandthsOfMinute = std::llround(std::fabs(degrees) * 600000);
    const long long whole = tenThousandthsOfMinute / 600000;
    const long long minutes = tenThousandthsOfMinute % 600000;
    return format("%0*lld%02lld.%04lld,%c", degreeDigits, whole, minutes / 10000, minutes % 10000,
                  degrees < 0 ? negative : positive);
}

std::string position(const VehicleState &v)
{
    return coordinate(v.latitude, 2, 'N', 'S') + "," + coordinate(v.longitude, 3, 'E', 'W');
}

std::string axis(double milliG)
{
    const long rounded = std::lround(milliG);
    return format("%c%03ld", rounded < 0 ? '-' : '+', std::labs(rounded));
}

} // namespace

std::string nmeaSentence(const std::string &body)
{
    unsigned checksum = 0;
    for (char c : body)
        checksum ^= uint8_t(c);
    return "$" + body + format("*%02X", checksum);
}

std::string rmcSentence(const VehicleState &v, Seconds utc)
{
    const struct tm t = utcParts(utc);
    return nmeaSentence("GNRMC," + clockField(t) + ",A," + position(v) +
                        format(",%.1f,%.1f,%02d%02d%02d,,,A", v.speedKmh / 1.852, v.course, t.tm_mday, t.tm_mon + 1,
                               t.tm_year % 100));
}

std::string ggaSentence(const VehicleState &v, Seconds utc)
{
    return nmeaSentence("GNGGA," + clockField(utcParts(utc)) + "," + position(v) + ",1,09,0.9,35.0,M,47.0,M,,");
}

std::string infoText(const VehicleState &v, Seconds utc, bool alarm)
{
    std::string text;
    if (utc % 5 == 0)
        text += "GPS:" + ggaSentence(v, utc) + ";";
    text += "GPS:" + rmcSentence(v, utc) + ";";
    // The vertical axis is read as (1000 - value) / 1000 g after "+", (1000 + value) / 1000 after "-".
    text += "G-SENSOR:" + axis(v.forwardMilliG) + "," + axis(v.lateralMilliG) + "," + axis(-v.verticalMilliG) + ";";
    text += format("STATUS:1%c%c%c0000;", v.speedKmh >= 1 ? '1' : '0', alarm ? '1' : '0',
                   v.forwardMilliG < -30 ? '1' : '0');
    text += format("SPEED:%ld;", std::lround(v.speedKmh));
    return text;
}

} // namespace korvane::sim
