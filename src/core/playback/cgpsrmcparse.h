// Parser of the frame information text: ";"-ended items "GPS:", "G-SENSOR:",
// "INFO:", "STATUS:", "SPEED:" and "PASSENGER:", and the NMEA sentences RMC and GGA.
#pragma once

#include "frameinfo.h"

#include <string>

class CGPSRMCParse
{
public:
    // Parses every item followed by ";" into the record. False when an item is too long
    // (the parse ends there and the speed item becomes 0).
    bool ParseAllInfo(const char *pText, int nLength, FrameInfo &info);

    // One item: the first key it contains decides its kind.
    void ParseItem(const std::string &strItem, FrameInfo &info);

    static bool ParseGpsSentence(const std::string &strSentence, GpsInfo &gps);
    static void ParseGSensor(const std::string &strValue, FrameInfo &info);
    static void ParseInfo(const std::string &strValue, FrameInfo &info);
    static void ParseStatus(const std::string &strValue, FrameInfo &info);
    static void ParsePassenger(const std::string &strValue, FrameInfo &info);

    // Field n of a sentence: after the n-th comma up to the next; empty when missing.
    static std::string Field(const std::string &strSentence, int n);
    // Digits with at most one point, no sign or exponent; stops at anything else.
    static double ReadNumber(const std::string &strText, size_t nFrom = 0);
    // tens x 10 + units of the two characters at nFrom; a missing or non-digit character counts 0.
    static int TwoDigits(const std::string &strText, size_t nFrom);

    static const size_t kMaxItemLength = 256;
    static const size_t kValueBufferSize = 128;

private:
    static void ParseRmc(const std::string &strSentence, GpsInfo &gps);
    static void ParseCoordinates(const std::string &strSentence, int nLatField, GpsInfo &gps);
    static void ParseDateTime(const std::string &strTime, const std::string &strDate, GpsInfo &gps);
    static void CarryDateTime(GpsInfo &gps);
};
