#include "playback/cgpsrmcparse.h"
#include "playback/cplayframeinfo.h"

#include "info_text.h"
#include "route.h"

#include <gtest/gtest.h>

#include <QStringList>

#include <atomic>
#include <cmath>
#include <ctime>
#include <cstring>
#include <string>
#include <thread>

namespace {
const std::string kRmc = "$GNRMC,083559.00,A,2233.1234,N,11403.5678,E,10.0,90.0,071226,,,A*00";

FrameInfo parse(const std::string &text)
{
    FrameInfo info = EmptyFrameInfo();
    CGPSRMCParse().ParseAllInfo(text.c_str(), (int)text.size(), info);
    return info;
}

std::string replaceField(std::string sentence, int n, const std::string &value)
{
    size_t from = 0;
    for (int i = 0; i < n; ++i)
        from = sentence.find(',', from) + 1;
    return sentence.replace(from, sentence.find(',', from) - from, value);
}

GpsInfo rmcAt(const std::string &time, const std::string &date)
{
    return parse("GPS:" + replaceField(replaceField(kRmc, 1, time), 9, date) + ";").gps;
}

QStringList g_messages;
void collect(QtMsgType, const QMessageLogContext &, const QString &text) { g_messages << text; }
void drop(QtMsgType, const QMessageLogContext &, const QString &) {}
} // namespace

TEST(FrameInfoTest, WorkedRmcExample)
{
    const GpsInfo gps = parse("GPS:" + kRmc + ";").gps;
    EXPECT_TRUE(gps.bValid);
    EXPECT_NEAR(gps.dLatitude, 22 + 33.1234 / 60, 1e-6);
    EXPECT_NEAR(gps.dLatitude, 22.552057, 1e-6);
    EXPECT_NEAR(gps.dLongitude, 114.059463, 1e-6);
    EXPECT_NEAR(gps.fSpeed, 18.52, 1e-4);
    EXPECT_FLOAT_EQ(gps.fCourse, 90.0f);
    EXPECT_EQ(gps.nLatDegree, 22);
    EXPECT_EQ(gps.nLatMinute, 331234);
    EXPECT_EQ(gps.nLonDegree, 114);
    EXPECT_EQ(gps.nLonMinute, 35678);
    EXPECT_EQ(gps.cNorthSouth, 'N');
    EXPECT_EQ(gps.cEastWest, 'E');
    EXPECT_EQ(gps.nYear, 2026);
    EXPECT_EQ(gps.nMonth, 12);
    EXPECT_EQ(gps.nDay, 7);
    EXPECT_EQ(gps.nHour, 8);
    EXPECT_EQ(gps.nMinute, 35);
    EXPECT_EQ(gps.nSecond, 59);
}

TEST(FrameInfoTest, EveryRmcTalkerIsAcceptedButOnlyWhenActive)
{
    for (const char *talker : {"$GPRMC", "$BDRMC", "$GNRMC", "$GLRMC", "$GARMC", "$CCRMC"})
        EXPECT_TRUE(parse(std::string("GPS:") + talker + kRmc.substr(6) + ";").gps.bValid) << talker;
    EXPECT_FALSE(parse("GPS:" + replaceField(kRmc, 2, "V") + ";").gps.bValid);
    EXPECT_FALSE(parse("GPS:$GPGSV,3,1,11;").gps.bValid);
    EXPECT_FALSE(parse("GPS:" + replaceField(kRmc, 0, "$GPGGA") + ";").gps.bValid) << "GGA only from $GNGGA";
}

TEST(FrameInfoTest, GgaGivesAPositionWithoutCourse)
{
    const GpsInfo gps = parse("GPS:$GNGGA,083559.00,2233.1234,N,11403.5678,E,1,09,0.9,35.0,M,47.0,M,,*00;").gps;
    EXPECT_TRUE(gps.bValid);
    EXPECT_NEAR(gps.dLatitude, 22.552057, 1e-6);
    EXPECT_NEAR(gps.dLongitude, 114.059463, 1e-6);
    EXPECT_FLOAT_EQ(gps.fCourse, -1.0f);
    EXPECT_EQ(gps.fSpeed, 0.0f);
    EXPECT_EQ(gps.nYear, 0);
}

TEST(FrameInfoTest, SouthAndWestAreNegative)
{
    const GpsInfo gps = parse("GPS:" + replaceField(replaceField(kRmc, 4, "S"), 6, "W") + ";").gps;
    EXPECT_TRUE(gps.bValid);
    EXPECT_NEAR(gps.dLatitude, -22.552057, 1e-6);
    EXPECT_NEAR(gps.dLongitude, -114.059463, 1e-6);
    EXPECT_EQ(gps.nLatDegree, -22);
    EXPECT_EQ(gps.nLatMinute, -331234);
    EXPECT_EQ(gps.cNorthSouth, 'S');
}

TEST(FrameInfoTest, DateAndTimeCarry)
{
    GpsInfo g = rmcAt("235960.00", "311226");
    EXPECT_EQ(g.nYear, 2027);
    EXPECT_EQ(g.nMonth, 1);
    EXPECT_EQ(g.nDay, 1);
    EXPECT_EQ(g.nHour, 0);
    EXPECT_EQ(g.nMinute, 0);
    EXPECT_EQ(g.nSecond, 0);
    g = rmcAt("245900.00", "300426"); // hour 24: into 1 May
    EXPECT_EQ(g.nMonth, 5);
    EXPECT_EQ(g.nDay, 1);
    EXPECT_EQ(g.nHour, 0);
    EXPECT_EQ(g.nMinute, 59);
    g = rmcAt("235960.00", "280226"); // February of a common year ends on the 28th
    EXPECT_EQ(g.nMonth, 3);
    EXPECT_EQ(g.nDay, 1);
    g = rmcAt("235960.00", "280228"); // ... of a year divisible by 4 on the 29th
    EXPECT_EQ(g.nMonth, 2);
    EXPECT_EQ(g.nDay, 29);
    g = rmcAt("235960.00", "300126");
    EXPECT_EQ(g.nMonth, 1);
    EXPECT_EQ(g.nDay, 31);
}

TEST(FrameInfoTest, GSensorStatusSpeedAndInfo)
{
    const FrameInfo info =
        parse("G-SENSOR:+012,-250,+020;STATUS:10010000;SPEED:45.5;INFO:a free text that is longer than 32 chars;");
    EXPECT_FLOAT_EQ(info.fGSensorX, 0.012f);
    EXPECT_FLOAT_EQ(info.fGSensorY, -0.25f);
    EXPECT_FLOAT_EQ(info.fGSensorZ, 0.98f);
    EXPECT_FLOAT_EQ(parse("G-SENSOR:+0,+0,-020;").fGSensorZ, 1.02f);
    EXPECT_EQ(info.nStatus[0], 1);
    EXPECT_EQ(info.nStatus[3], 1);
    EXPECT_EQ(info.nStatusBits, 1 << 2);
    EXPECT_FLOAT_EQ(info.fSpeed, 45.5f);
    EXPECT_STREQ(info.szInfo, "a free text that is longer than ");
    EXPECT_FALSE(info.gps.bValid);
}

TEST(FrameInfoTest, StatusOfElevenDigitsAndItsKeyPosition)
{
    FrameInfo info = parse("STATUS:01111110101;");
    EXPECT_EQ(info.nStatus[8], 1);
    EXPECT_EQ(info.nStatus[9], 0);
    EXPECT_EQ(info.nStatus[10], 1);
    EXPECT_EQ(info.nStatusBits, 0x3F);
    info = parse("STATUS:1111111111;"); // ten digits: only the first 8 count
    EXPECT_EQ(info.nStatus[8], 0);
    info = parse("XYSTATUS:11111111;"); // the key beyond the item's first 8 characters
    EXPECT_EQ(info.nStatusBits, 0);
}

TEST(FrameInfoTest, PassengerCounters)
{
    const FrameInfo info = parse("PASSENGER:05BUS 7000012100034010056990001;");
    EXPECT_EQ(info.passenger.nTextLen, 5);
    EXPECT_STREQ(info.passenger.szText, "BUS 7");
    EXPECT_EQ(info.passenger.nCount[passenger00], 12);
    EXPECT_EQ(info.passenger.nCount[passenger10], 34);
    EXPECT_EQ(info.passenger.nCount[passenger01], 56);
    EXPECT_EQ(info.passenger.nCount[passenger11], 0) << "code 99 is skipped";
    EXPECT_EQ(parse("PASSENGER:x5BUS;").passenger.nTextLen, 0);
}

TEST(FrameInfoTest, OnlyItemsEndedBySemicolonAreRead)
{
    const FrameInfo none = parse("GPS:" + kRmc);
    const FrameInfo empty = EmptyFrameInfo();
    EXPECT_EQ(memcmp(&none, &empty, sizeof none), 0) << "a text without any ';' yields an empty record";
    EXPECT_FLOAT_EQ(none.gps.fCourse, -1.0f);
    EXPECT_FLOAT_EQ(parse("SPEED:12;SPEED:30").fSpeed, 12.0f);
}

TEST(FrameInfoTest, AnOverlongItemEndsTheParse)
{
    FrameInfo info = EmptyFrameInfo();
    const std::string text = "SPEED:12;INFO:" + std::string(300, 'x') + ";GPS:" + kRmc + ";";
    EXPECT_FALSE(CGPSRMCParse().ParseAllInfo(text.c_str(), (int)text.size(), info));
    EXPECT_EQ(info.fSpeed, 0.0f);
    EXPECT_FALSE(info.gps.bValid);
}

TEST(FrameInfoTest, SentenceFieldsAndNumbers)
{
    EXPECT_EQ(CGPSRMCParse::Field("a,b,,d", 3), "d");
    EXPECT_EQ(CGPSRMCParse::Field("a,b,,d", 2), "");
    EXPECT_EQ(CGPSRMCParse::Field("a,b", 5), "");
    EXPECT_DOUBLE_EQ(CGPSRMCParse::ReadNumber("12.5.3"), 12.5);
    EXPECT_DOUBLE_EQ(CGPSRMCParse::ReadNumber("-3"), 0);
    EXPECT_DOUBLE_EQ(CGPSRMCParse::ReadNumber(""), 0);
}

TEST(FrameInfoTest, PortRecordCopyOut)
{
    CPlayFrameInfo record(3);
    GpsInfo gps;
    memset(&gps, 0x7F, sizeof gps);
    EXPECT_FALSE(record.GetGpsInfo(&gps)) << "no record before the first text";
    EXPECT_FALSE(record.HasFrameInfo());
    record.SetPlayFrameInfo(nullptr, 10);
    record.SetPlayFrameInfo("SPEED:3;", 0);
    EXPECT_FALSE(record.HasFrameInfo());

    g_messages.clear();
    QtMessageHandler previous = qInstallMessageHandler(collect);
    const std::string text = "GPS:" + kRmc + ";SPEED:40;";
    record.SetPlayFrameInfo(text.c_str(), (int)text.size());
    qInstallMessageHandler(previous);
    ASSERT_TRUE(record.GetGpsInfo(&gps));
    const FrameInfo info = record.GetFrameInfo();
    EXPECT_EQ(memcmp(&gps, &info.gps, sizeof gps), 0);
    EXPECT_EQ(info.fSpeed, 40.0f);
    EXPECT_TRUE(g_messages.join("\n").contains("ParseAllInfo Index 3 FrameInfo GPS:$GNRMC"))
        << g_messages.join("\n").toStdString();

    const std::string invalid = "GPS:" + replaceField(kRmc, 2, "V") + ";";
    record.SetPlayFrameInfo(invalid.c_str(), (int)invalid.size());
    EXPECT_FALSE(record.GetGpsInfo(&gps)) << "the whole record is replaced";
    EXPECT_EQ(record.GetFrameInfo().fSpeed, 0.0f);
    record.ResetFrameInfo();
    EXPECT_FLOAT_EQ(record.GetFrameInfo().gps.fCourse, -1.0f);
}

TEST(FrameInfoTest, LongValuesAreCutToTheirBuffer)
{
    // 2 + 99 + 4 x 6 characters fit in 127; the last group does not
    const std::string text = "PASSENGER:99" + std::string(99, 'p') + "010001010001010001010001" + "000007;";
    const FrameInfo info = parse(text);
    EXPECT_EQ(info.passenger.nTextLen, 99);
    EXPECT_EQ(info.passenger.nCount[passenger01], 1);
    EXPECT_EQ(info.passenger.nCount[passenger00], 0) << "the group lies beyond the value's 127 characters";
    EXPECT_EQ(parse("PASSENGER:03abc000007;").passenger.nCount[passenger00], 7);
}

// The library's thread replaces the record while the interface thread reads it:
// every copy read is one whole record, never parts of two.
TEST(FrameInfoTest, ReadersSeeWholeRecordsOnly)
{
    CPlayFrameInfo record;
    const std::string north = "GPS:" + kRmc + ";SPEED:11;";
    const std::string south = "GPS:" + replaceField(kRmc, 4, "S") + ";SPEED:22;";
    QtMessageHandler previous = qInstallMessageHandler(drop);
    std::atomic<bool> done{false};
    std::thread writer([&] {
        for (int i = 0; i < 5000; ++i) {
            const std::string &text = i % 2 ? north : south;
            record.SetPlayFrameInfo(text.c_str(), (int)text.size());
        }
        done = true;
    });
    int mixed = 0;
    while (!done) {
        const FrameInfo info = record.GetFrameInfo();
        if (info.fSpeed != 0 && (info.fSpeed == 22.0f) != (info.gps.dLatitude < 0)) ++mixed;
    }
    writer.join();
    qInstallMessageHandler(previous);
    EXPECT_EQ(mixed, 0);
    EXPECT_EQ(record.GetFrameInfo().fSpeed, 11.0f);
}

// The simulator's information text along its route: every item read back.
TEST(FrameInfoTest, SimulatorTextAlongTheRoute)
{
    namespace sim = korvane::sim;
    const sim::Route route(7);
    for (sim::Seconds t = sim::makeTime(2026, 12, 31, 23, 58, 0); t < sim::makeTime(2027, 1, 1, 0, 2, 0); t += 7) {
        const sim::VehicleState v = route.at(t);
        const FrameInfo info = parse(sim::infoText(v, t, true));
        ASSERT_TRUE(info.gps.bValid) << t;
        EXPECT_NEAR(info.gps.dLatitude, v.latitude, 3e-6);
        EXPECT_NEAR(info.gps.dLongitude, v.longitude, 3e-6);
        EXPECT_EQ(info.gps.cEastWest, v.longitude < 0 ? 'W' : 'E');
        EXPECT_NEAR(info.gps.fSpeed, v.speedKmh, 0.05 * 1.852 + 1e-3);
        EXPECT_NEAR(info.gps.fCourse, v.course, 0.05 + 1e-3);
        const time_t raw = (time_t)t;
        struct tm utc {};
        gmtime_r(&raw, &utc);
        EXPECT_EQ(info.gps.nYear, utc.tm_year + 1900);
        EXPECT_EQ(info.gps.nMonth, utc.tm_mon + 1);
        EXPECT_EQ(info.gps.nDay, utc.tm_mday);
        EXPECT_EQ(info.gps.nHour, utc.tm_hour);
        EXPECT_EQ(info.gps.nMinute, utc.tm_min);
        EXPECT_EQ(info.gps.nSecond, utc.tm_sec);
        EXPECT_NEAR(info.fGSensorX, v.forwardMilliG / 1000, 6e-4);
        EXPECT_NEAR(info.fGSensorY, v.lateralMilliG / 1000, 6e-4);
        EXPECT_NEAR(info.fGSensorZ, 1 + v.verticalMilliG / 1000, 6e-4);
        EXPECT_EQ(info.fSpeed, (float)std::lround(v.speedKmh));
        EXPECT_EQ(info.nStatus[0], 1);
        EXPECT_EQ(info.nStatus[2], 1) << "alarm input";
        EXPECT_EQ(info.nStatusBits & 2, 2);
    }
}
