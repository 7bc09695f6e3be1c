// Records of the side information a recording carries: the GPS block handed to
// the map, and the whole frame information record a playback port keeps.
#pragma once

#include <cstddef>
#include <cstdint>

// The GPS block, copied out as 112 bytes.
struct GpsInfo {
    uint8_t bValid;        // an accepted RMC or GGA sentence
    double dLatitude;      // decimal degrees, south negative
    double dLongitude;     // decimal degrees, west negative
    int32_t nLatDegree;    // whole degrees
    int32_t nLatMinute;    // minutes x 10000, truncated
    int32_t nLatReserved;
    int32_t nLonDegree;
    int32_t nLonMinute;
    int32_t nLonReserved;
    float fSpeed;          // km/h
    float fCourse;         // degrees, -1.0 when no sentence gave one
    char reserved1[8];
    char cNorthSouth;
    char cEastWest;
    int32_t nYear;         // UTC as sent
    uint16_t nMonth;
    uint16_t nDay;
    uint16_t nHour;
    uint16_t nMinute;
    uint16_t nSecond;
    char reserved2[30];
};

static_assert(sizeof(GpsInfo) == 112, "GpsInfo is a 112-byte block");
static_assert(offsetof(GpsInfo, dLatitude) == 8 && offsetof(GpsInfo, dLongitude) == 16, "GpsInfo position");
static_assert(offsetof(GpsInfo, nLatDegree) == 24 && offsetof(GpsInfo, nLonDegree) == 36, "GpsInfo degrees");
static_assert(offsetof(GpsInfo, fSpeed) == 48 && offsetof(GpsInfo, fCourse) == 52, "GpsInfo speed and course");
static_assert(offsetof(GpsInfo, cNorthSouth) == 64 && offsetof(GpsInfo, cEastWest) == 65, "GpsInfo letters");
static_assert(offsetof(GpsInfo, nYear) == 68 && offsetof(GpsInfo, nMonth) == 72, "GpsInfo date");
static_assert(offsetof(GpsInfo, nSecond) == 80 && offsetof(GpsInfo, reserved2) == 82, "GpsInfo time");

// Passenger group codes in counter order.
enum PassengerCode { passenger00 = 0, passenger10 = 1, passenger01 = 2, passenger11 = 3 };

struct PassengerInfo {
    int32_t nTextLen;
    char szText[128];
    int32_t nCount[4]; // indexed by PassengerCode
};

struct FrameInfo {
    float fSpeed; // the "SPEED:" item
    GpsInfo gps;
    float fGSensorX; // g
    float fGSensorY;
    float fGSensorZ;
    char szInfo[33]; // first 32 characters of the "INFO:" item
    int32_t nStatus[11];
    int32_t nStatusBits; // bit k set when status digit k+1 is 1, k = 0..5
    PassengerInfo passenger;
};

// A zero record with no course.
inline FrameInfo EmptyFrameInfo()
{
    FrameInfo info{};
    info.gps.fCourse = -1.0f;
    return info;
}
