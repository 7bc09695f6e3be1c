#include "cgpsrmcparse.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {
const char *const kRmcTypes[] = {"$GPRMC", "$BDRMC", "$GNRMC", "$GLRMC", "$GARMC", "$CCRMC"};
const char kGgaType[] = "$GNGGA";
const double kKnotToKmh = 1.852;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The value of an item: the text after the key's length from the item's start, as a
// 128-byte buffer holds it.
std::string valueOf(const std::string &strItem, const char *pKey)
{
    const size_t keyLen = strlen(pKey);
    if (strItem.size() <= keyLen) return std::string();
    return strItem.substr(keyLen, CGPSRMCParse::kValueBufferSize - 1);
}

bool contains(const std::string &strItem, const char *pKey) { return strItem.find(pKey) != std::string::npos; }

int daysInMonth(int nMonth, int nYear)
{
    switch (nMonth) {
    case 2:
        return nYear % 4 == 0 ? 29 : 28;
    case 4:
    case 6:
    case 9:
    case 11:
        return 30;
    default:
        return 31;
    }
}
} // namespace

bool CGPSRMCParse::ParseAllInfo(const char *pText, int nLength, FrameInfo &info)
{
    if (!pText || nLength <= 0) return true;
    const std::string text(pText, strnlen(pText, (size_t)nLength));
    size_t from = 0;
    for (size_t end = text.find(';'); end != std::string::npos; from = end + 1, end = text.find(';', from)) {
        if (end - from > kMaxItemLength) {
            info.fSpeed = 0;
            return false;
        }
        ParseItem(text.substr(from, end - from), info);
    }
    return true;
}

void CGPSRMCParse::ParseItem(const std::string &strItem, FrameInfo &info)
{
    if (contains(strItem, "GPS:")) {
        ParseGpsSentence(valueOf(strItem, "GPS:"), info.gps);
    } else if (contains(strItem, "G-SENSOR:")) {
        ParseGSensor(valueOf(strItem, "G-SENSOR:"), info);
    } else if (contains(strItem, "INFO:")) {
        ParseInfo(valueOf(strItem, "INFO:"), info);
    } else if (strItem.find("STATUS:") <= 1) { // the key within the first 8 characters
        ParseStatus(valueOf(strItem, "STATUS:"), info);
    } else if (contains(strItem, "SPEED:")) {
        info.fSpeed = (float)ReadNumber(valueOf(strItem, "SPEED:"));
    } else if (contains(strItem, "PASSENGER:")) {
        ParsePassenger(valueOf(strItem, "PASSENGER:"), info);
    }
}

std::string CGPSRMCParse::Field(const std::string &strSentence, int n)
{
    size_t from = 0;
    for (int i = 0; i < n; ++i) {
        from = strSentence.find(',', from);
        if (from == std::string::npos) return std::string();
        ++from;
    }
    const size_t end = strSentence.find(',', from);
    return strSentence.substr(from, end == std::string::npos ? std::string::npos : end - from);
}

double CGPSRMCParse::ReadNumber(const std::string &strText, size_t nFrom)
{
    double value = 0, scale = 0;
    for (size_t i = nFrom; i < strText.size(); ++i) {
        const char c = strText[i];
        if (c == '.' && scale == 0) {
            scale = 1;
        } else if (isDigit(c)) {
            if (scale == 0) {
                value = value * 10 + (c - '0');
            } else {
                scale /= 10;
                value += (c - '0') * scale;
            }
        } else {
            break;
        }
    }
    return value;
}

int CGPSRMCParse::TwoDigits(const std::string &strText, size_t nFrom)
{
    auto digit = [&](size_t i) { return i < strText.size() && isDigit(strText[i]) ? strText[i] - '0' : 0; };
    return digit(nFrom) * 10 + digit(nFrom + 1);
}

bool CGPSRMCParse::ParseGpsSentence(const std::string &strSentence, GpsInfo &gps)
{
    gps.bValid = 0;
    const std::string type = strSentence.substr(0, strSentence.find(','));
    for (const char *rmc : kRmcTypes) {
        if (type != rmc) continue;
        if (Field(strSentence, 2).compare(0, 1, "A") != 0) return false;
        ParseRmc(strSentence, gps);
        return true;
    }
    if (type != kGgaType) return false;
    ParseCoordinates(strSentence, 2, gps);
    gps.bValid = 1;
    return true;
}

void CGPSRMCParse::ParseRmc(const std::string &strSentence, GpsInfo &gps)
{
    ParseCoordinates(strSentence, 3, gps);
    gps.fSpeed = (float)(ReadNumber(Field(strSentence, 7)) * kKnotToKmh);
    gps.fCourse = (float)ReadNumber(Field(strSentence, 8));
    ParseDateTime(Field(strSentence, 1), Field(strSentence, 9), gps);
    gps.bValid = 1;
}

// ddmm.mmmm (dddmm.mmmm) with its hemisphere letter in the next field.
void CGPSRMCParse::ParseCoordinates(const std::string &strSentence, int nLatField, GpsInfo &gps)
{
    struct Axis {
        double *pDecimal;
        int32_t *pDegree, *pMinute;
        char *pLetter;
        char cPositive;
    };
    const Axis axes[2] = {{&gps.dLatitude, &gps.nLatDegree, &gps.nLatMinute, &gps.cNorthSouth, 'N'},
                          {&gps.dLongitude, &gps.nLonDegree, &gps.nLonMinute, &gps.cEastWest, 'E'}};
    for (int i = 0; i < 2; ++i) {
        const Axis &a = axes[i];
        const std::string letter = Field(strSentence, nLatField + 2 * i + 1);
        double value = ReadNumber(Field(strSentence, nLatField + 2 * i));
        *a.pLetter = letter.empty() ? 0 : letter[0];
        if (*a.pLetter != a.cPositive) value = -value;
        // Absurd values stay absurd (and are refused as positions) without overflowing the conversion below.
        value = std::isnan(value) ? 0 : std::clamp(value, -1e9, 1e9);
        const int32_t degrees = (int32_t)((long long)value / 100);
        const float minutes = (float)(value - degrees * 100.0);
        *a.pDecimal = degrees + minutes / 60.0;
        *a.pDegree = degrees;
        *a.pMinute = (int32_t)(minutes * 10000.0);
    }
}

void CGPSRMCParse::ParseDateTime(const std::string &strTime, const std::string &strDate, GpsInfo &gps)
{
    gps.nHour = (uint16_t)TwoDigits(strTime, 0);
    gps.nMinute = (uint16_t)TwoDigits(strTime, 2);
    gps.nSecond = (uint16_t)TwoDigits(strTime, 4);
    gps.nDay = (uint16_t)TwoDigits(strDate, 0);
    gps.nMonth = (uint16_t)TwoDigits(strDate, 2);
    gps.nYear = 2000 + TwoDigits(strDate, 4);
    CarryDateTime(gps);
}

void CGPSRMCParse::CarryDateTime(GpsInfo &gps)
{
    if (gps.nSecond >= 60) {
        gps.nSecond = 0;
        if (++gps.nMinute >= 60) {
            gps.nMinute = 0;
            ++gps.nHour;
        }
    }
    if (gps.nHour >= 24) {
        gps.nHour -= 24;
        ++gps.nDay;
    }
    if (gps.nDay > daysInMonth(gps.nMonth, gps.nYear)) {
        gps.nDay = 1;
        ++gps.nMonth;
    }
    if (gps.nMonth >= 13) {
        gps.nMonth -= 12;
        ++gps.nYear;
    }
}

// Axes "+xxx,-yyy,+zzz" in thousandths of g; z is the deviation from 1 g.
void CGPSRMCParse::ParseGSensor(const std::string &strValue, FrameInfo &info)
{
    size_t at = 0;
    float axes[3] = {0, 0, 0};
    for (int n = 0; n < 3; ++n) {
        if (n > 0) {
            at = strValue.find(',', at);
            if (at == std::string::npos) break;
            ++at;
        }
        const bool plus = at < strValue.size() && strValue[at] == '+';
        const double value = ReadNumber(strValue, at + 1);
        if (n < 2)
            axes[n] = (float)(plus ? value / 1000 : -value / 1000);
        else
            axes[n] = (float)(plus ? (1000 - value) / 1000 : (1000 + value) / 1000);
    }
    info.fGSensorX = axes[0];
    info.fGSensorY = axes[1];
    info.fGSensorZ = axes[2];
}

void CGPSRMCParse::ParseInfo(const std::string &strValue, FrameInfo &info)
{
    const size_t n = strValue.copy(info.szInfo, sizeof info.szInfo - 1);
    info.szInfo[n] = 0;
}

void CGPSRMCParse::ParseStatus(const std::string &strValue, FrameInfo &info)
{
    const size_t digits = strValue.size() == 11 ? 11 : 8;
    for (size_t i = 0; i < digits && i < strValue.size(); ++i)
        info.nStatus[i] = strValue[i] - '0';
    info.nStatusBits = 0;
    for (int k = 0; k < 6; ++k)
        if (info.nStatus[k + 1] == 1) info.nStatusBits |= 1 << k;
}

// "LL" text length, the text, then groups of a 2-character code and a 4-digit count.
void CGPSRMCParse::ParsePassenger(const std::string &strValue, FrameInfo &info)
{
    if (strValue.size() < 2 || !isDigit(strValue[0]) || !isDigit(strValue[1])) return;
    PassengerInfo &p = info.passenger;
    const size_t len = std::min<size_t>((size_t)TwoDigits(strValue, 0), strValue.size() - 2);
    p.nTextLen = (int32_t)len;
    strValue.copy(p.szText, len, 2);
    p.szText[len] = 0;
    static const char *const codes[4] = {"00", "10", "01", "11"};
    for (size_t at = 2 + len; at + 6 <= strValue.size(); at += 6) {
        const std::string code = strValue.substr(at, 2);
        for (int c = 0; c < 4; ++c)
            if (code == codes[c]) p.nCount[c] = TwoDigits(strValue, at + 2) * 100 + TwoDigits(strValue, at + 4);
    }
}
