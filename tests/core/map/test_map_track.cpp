// The coordinate conversions against published reference values, the map-type rules, and
// the route of a recording: positions read from its information frames, whatever text
// they carry, and the GPX document written from them.
#include "map/ccoordtransform.h"
#include "map/cgpstrack.h"
#include "map/cgpxwriter.h"
#include "map/cinfoframescanner.h"
#include "streamreader.h"

#include "map_test_support.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <cmath>
#include <cstring>
#include <utility>
#include <limits>
#include <vector>

namespace {

struct Reference {
    GeoPoint from, to;
};

void expectPoint(const GeoPoint &actual, const GeoPoint &expected, const char *what)
{
    EXPECT_NEAR(actual.dLongitude, expected.dLongitude, 1e-9) << what;
    EXPECT_NEAR(actual.dLatitude, expected.dLatitude, 1e-9) << what;
}

const std::string kRmc = "$GNRMC,083559.00,A,2233.1234,N,11403.5678,E,10.0,90.0,071226,,,A*00";

std::string gpsItem(const std::string &sentence)
{
    return "GPS:" + sentence + ";";
}

struct ReadResult {
    CGpsTrack::Result result;
    std::vector<GpsTrackPoint> points;
};

ReadResult readRecording(const QString &strPath)
{
    ReadResult r;
    r.result = CGpsTrack::ReadPositions(strPath, [&r](const GpsTrackPoint &p) { r.points.push_back(p); });
    return r;
}

// Parses a GPX document with an independent XML reader: the points' coordinates, and false
// when the document is not well-formed.
bool readGpx(const QByteArray &document, std::vector<GeoPoint> &points, QString &strName)
{
    QXmlStreamReader xml(document);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        if (xml.name() == QLatin1String("trkpt"))
            points.push_back({xml.attributes().value("lon").toDouble(), xml.attributes().value("lat").toDouble()});
        else if (xml.name() == QLatin1String("name"))
            strName = xml.readElementText();
    }
    return !xml.hasError();
}

} // namespace

// Published values of the widely used implementation of these transformations.
TEST(CoordTransform, MatchesPublishedReferenceValuesInsideChina)
{
    const Reference wgsToGcj[] = {
        {{116.404, 39.915}, {116.41024449916938, 39.91640428150164}},
    };
    const Reference gcjToBd[] = {
        {{116.404, 39.915}, {116.41036949371029, 39.92133699351021}},
    };
    const Reference wgsToBd[] = {
        {{116.404, 39.915}, {116.41662724378733, 39.922699552216216}},
        {{122.99395597, 44.99804071}, {123.00636516028885, 45.0063690918959}},
    };
    for (const Reference &r : wgsToGcj) {
        expectPoint(CCoordTransform::Wgs84ToGcj02(r.from), r.to, "WGS-84 to GCJ-02");
        expectPoint(CCoordTransform::FromWgs84(CCoordTransform::datumGcj02, r.from), r.to, "datum GCJ-02");
    }
    for (const Reference &r : gcjToBd) expectPoint(CCoordTransform::Gcj02ToBd09(r.from), r.to, "GCJ-02 to BD-09");
    for (const Reference &r : wgsToBd)
        expectPoint(CCoordTransform::FromWgs84(CCoordTransform::datumBd09, r.from), r.to, "WGS-84 to BD-09");
    expectPoint(CCoordTransform::FromWgs84(CCoordTransform::datumWgs84, wgsToGcj[0].from), wgsToGcj[0].from, "WGS-84");
}

TEST(CoordTransform, OutsideTheBoxOnlyBaiduOffsetsApply)
{
    const GeoPoint outside[] = {{-0.1246, 51.5007}, {-74.006, 40.7128}, {139.74556, 35.65861}, {151.2093, -33.8688},
                                {116.4, 56.0}, {137.8375, 35.0}, {72.0039, 35.0}, {116.4, 0.8292}};
    for (const GeoPoint &p : outside) {
        EXPECT_TRUE(CCoordTransform::IsOutOfChina(p)) << p.dLongitude << "," << p.dLatitude;
        expectPoint(CCoordTransform::Wgs84ToGcj02(p), p, "GCJ-02 leaves it");
        expectPoint(CCoordTransform::FromWgs84(CCoordTransform::datumBd09, p), CCoordTransform::Gcj02ToBd09(p),
                    "BD-09 only adds its own offset");
        EXPECT_GT(std::fabs(CCoordTransform::Gcj02ToBd09(p).dLatitude - p.dLatitude), 0.001);
    }
    // The edges of the box as the program draws it (137.8374, not the 137.8347 some copies carry).
    EXPECT_FALSE(CCoordTransform::IsOutOfChina({137.8360, 35.0}));
    EXPECT_FALSE(CCoordTransform::IsOutOfChina({72.004, 0.8293}));
    EXPECT_FALSE(CCoordTransform::IsOutOfChina({137.8374, 55.8271}));
    EXPECT_GT(std::fabs(CCoordTransform::Wgs84ToGcj02({137.8360, 35.0}).dLongitude - 137.8360), 1e-4);
}

TEST(CoordTransform, MapTypeDecidesTheDatum)
{
    using C = CCoordTransform;
    EXPECT_EQ(C::DatumForMap(0, 0), C::datumBd09);
    EXPECT_EQ(C::DatumForMap(0, 1), C::datumBd09) << "Baidu converts whatever the flag";
    EXPECT_EQ(C::DatumForMap(1, 0), C::datumGcj02);
    EXPECT_EQ(C::DatumForMap(1, 1), C::datumWgs84);
    EXPECT_EQ(C::DatumForMap(2, 0), C::datumGcj02);
    EXPECT_EQ(C::DatumForMap(2, 1), C::datumWgs84);
    EXPECT_EQ(C::DatumForMap(3, 0), C::datumWgs84) << "OpenStreetMap takes WGS-84 whatever the flag";
    EXPECT_EQ(C::DatumForMap(3, 1), C::datumWgs84);
    EXPECT_EQ(C::DatumForMap(7, 0), C::datumGcj02) << "any other type above 0 is the Google page";
    EXPECT_EQ(C::DatumForMap(-1, 0), C::datumWgs84);
}

TEST(CoordTransform, OnlyPositionsInRangeAreValid)
{
    const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
    EXPECT_TRUE(CCoordTransform::IsValidPosition(51.5, -0.12));
    EXPECT_TRUE(CCoordTransform::IsValidPosition(-90.0, 180.0));
    EXPECT_TRUE(CCoordTransform::IsValidPosition(0.0, -0.12)) << "the equator is a place";
    EXPECT_FALSE(CCoordTransform::IsValidPosition(0.0, 0.0)) << "a receiver without a fix";
    EXPECT_FALSE(CCoordTransform::IsValidPosition(95.0, 10.0));
    EXPECT_FALSE(CCoordTransform::IsValidPosition(10.0, 500.0));
    EXPECT_FALSE(CCoordTransform::IsValidPosition(10.0, -180.5));
    EXPECT_FALSE(CCoordTransform::IsValidPosition(nan, 10.0));
    EXPECT_FALSE(CCoordTransform::IsValidPosition(10.0, inf));
}

TEST(GpsTrack, PositionsOfEveryInformationFrameWithTheRecorderTime)
{
    QTemporaryDir dir;
    const QString strFile = dir.path() + "/rec.h264";
    qputenv("TZ", "UTC");
    tzset();
    const std::string gga = "$GNGGA,083600.00,2233.2000,N,11403.6000,E,1,09,0.9,35.0,M,47.0,M,,*00";
    ASSERT_TRUE(maptest::writeRecording(strFile,
                                        {gpsItem(kRmc) + "SPEED:18;", gpsItem(gga), "G-SENSOR:+010,-020,+005;",
                                         gpsItem(kRmc.substr(0, 17) + "V" + kRmc.substr(18))},
                                        maptest::packedTime(2026, 12, 7, 16, 35, 58)));
    const ReadResult r = readRecording(strFile);
    EXPECT_EQ(r.result, CGpsTrack::resultOk);
    ASSERT_EQ(r.points.size(), 2u) << "a frame without a sentence and an RMC marked V give none";
    EXPECT_NEAR(r.points[0].dLatitude, 22 + 33.1234 / 60, 1e-6);
    EXPECT_NEAR(r.points[0].dLongitude, 114 + 3.5678 / 60, 1e-6);
    EXPECT_NEAR(r.points[0].fSpeed, 18.52, 1e-3);
    EXPECT_FLOAT_EQ(r.points[0].fCourse, 90.0f);
    EXPECT_EQ(r.points[0].time, QDateTime(QDate(2026, 12, 7), QTime(16, 35, 58), Qt::UTC))
        << "the recorder's clock, not the receiver's";
    EXPECT_FALSE(r.points[1].hasSpeed()) << "GGA has no speed";
    EXPECT_FALSE(r.points[1].hasCourse());
    EXPECT_EQ(r.points[1].time, QDateTime(QDate(2026, 12, 7), QTime(16, 35, 59), Qt::UTC));

    qputenv("TZ", "Asia/Shanghai");
    tzset();
    const ReadResult eastern = readRecording(strFile);
    ASSERT_EQ(eastern.points.size(), 2u);
    EXPECT_EQ(eastern.points[0].time, QDateTime(QDate(2026, 12, 7), QTime(8, 35, 58), Qt::UTC))
        << "recorder time read in the machine's time zone";
    qputenv("TZ", "UTC");
    tzset();
}

TEST(GpsTrack, BadGpsTextGivesOnlyPositionsInRange)
{
    QTemporaryDir dir;
    const QString strFile = dir.path() + "/bad.h264";
    const std::string good = kRmc;
    const std::vector<std::string> texts = {
        gpsItem(good),
        gpsItem("$GNRMC,083559.00,A,9500.0000,N,11403.5678,E,10.0,90.0,071226,,,A*00"),  // latitude 95
        gpsItem("$GNRMC,083559.00,A,2233.1234,N,50000.0000,E,10.0,90.0,071226,,,A*00"),  // longitude 500
        gpsItem("$GNRMC,083559.00,A,2233.1234,N,11403.5678,E,10.0,90.0,321399,,,A*7F"),  // 32/13/99, bad checksum
        gpsItem("$GNRMC,083559.00,A,2233.12"),                                          // truncated
        gpsItem("$GNRMC,083559.00,A,2233.1234,N,11403.5678,E,10.0,90.0,071226,,,A*00") .substr(0, 40),  // no ";"
        "GPS:$GNRMC,083559.00,A,2233.1234,N,11403.5678,E," + std::string(300, '9') + ",90.0,071226;",   // too long
        gpsItem("$GNRMC,083559.00,A,22\xC3\xA9\xFF" "33.1234,N,11403.5678,E,10.0,90.0,071226,,,A"),  // non-ASCII
        gpsItem("$GNRMC,083559.00,A,2233.1234,N,11403.5678,E,\");alert(1);//,</script>,071226,,,A"),
        gpsItem("$GNRMC,083559.00,A,,N,,E,,,071226,,,A"),                                // no position at all
        gpsItem("$GNRMC,083559.00,A,2233.1234,N,11403.5678,E,1" + std::string(60, '9') + ",45.0,071226,,,A"),
    };
    ASSERT_TRUE(maptest::writeRecording(strFile, texts, maptest::packedTime(2024, 3, 5, 9, 0, 0)));
    const ReadResult r = readRecording(strFile);
    EXPECT_EQ(r.result, CGpsTrack::resultOk);
    for (const GpsTrackPoint &p : r.points) {
        EXPECT_TRUE(CCoordTransform::IsValidPosition(p.dLatitude, p.dLongitude)) << p.dLatitude << "," << p.dLongitude;
        EXPECT_TRUE(!p.hasSpeed() || (std::isfinite(p.fSpeed) && p.fSpeed <= 2000)) << p.fSpeed;
        EXPECT_TRUE(!p.hasCourse() || p.fCourse <= 360) << p.fCourse;
    }
    // The good sentence, the wrong checksum and date (read as the player reads them), the odd bytes
    // after the first digits (the number ends there: 22 minutes), the script text in the speed field
    // (which ends the item: speed and course 0) and the absurd speed (dropped, the position kept).
    // The truncated sentence has no hemisphere letters: no position.
    ASSERT_EQ(r.points.size(), 5u);
    EXPECT_NEAR(r.points[1].dLatitude, r.points[0].dLatitude, 1e-9);
    EXPECT_NEAR(r.points[2].dLatitude, 22.0 / 60, 1e-6);
    EXPECT_FLOAT_EQ(r.points[3].fSpeed, 0.0f);
    EXPECT_FALSE(r.points[4].hasSpeed());
    EXPECT_FLOAT_EQ(r.points[4].fCourse, 45.0f);

    QBuffer gpx;
    ASSERT_TRUE(gpx.open(QIODevice::WriteOnly));
    CGpxWriter writer(&gpx);
    writer.begin("bad.h264");
    for (const GpsTrackPoint &p : r.points) writer.addPoint(p);
    ASSERT_TRUE(writer.end());
    std::vector<GeoPoint> read;
    QString strName;
    EXPECT_TRUE(readGpx(gpx.data(), read, strName)) << gpx.data().constData();
    EXPECT_EQ(read.size(), r.points.size());
}

TEST(GpsTrack, GpxNamesAreEscapedAndStripped)
{
    QBuffer gpx;
    ASSERT_TRUE(gpx.open(QIODevice::WriteOnly));
    CGpxWriter writer(&gpx);
    const QString strName = QString::fromUtf8("a</name><x>&\"'\x01\x1F b\xC3\xA9") + QChar(0xD800) + "c";
    writer.begin(strName);
    GpsTrackPoint point;
    point.dLatitude = -33.8688;
    point.dLongitude = 151.2093;
    writer.addPoint(point);
    ASSERT_TRUE(writer.end());
    std::vector<GeoPoint> read;
    QString strRead;
    ASSERT_TRUE(readGpx(gpx.data(), read, strRead)) << gpx.data().constData();
    EXPECT_EQ(strRead, QString::fromUtf8("a</name><x>&\"' b\xC3\xA9\xEF\xBF\xBD" "c")) << "a lone surrogate is replaced";
    ASSERT_EQ(read.size(), 1u);
    EXPECT_DOUBLE_EQ(read[0].dLatitude, -33.8688);
    EXPECT_DOUBLE_EQ(read[0].dLongitude, 151.2093);
    EXPECT_FALSE(gpx.data().contains("<time>")) << "no time when the frame had none";
    EXPECT_FALSE(gpx.data().contains("extensions")) << "no speed or course when the sentence gave none";
}

TEST(GpsTrack, GpxKeepsNineDecimalsAndGivesSpeedInMetresPerSecond)
{
    QBuffer gpx;
    ASSERT_TRUE(gpx.open(QIODevice::WriteOnly));
    CGpxWriter writer(&gpx);
    writer.begin("track");
    GpsTrackPoint point;
    point.dLatitude = 22.123456789;
    point.dLongitude = 114.987654321;
    point.fSpeed = 36.0f; // km/h
    point.fCourse = 270.5f;
    writer.addPoint(point);
    ASSERT_TRUE(writer.end());
    const QByteArray text = gpx.data();
    EXPECT_TRUE(text.contains("lat=\"22.123456789\"")) << text.constData();
    EXPECT_TRUE(text.contains("lon=\"114.987654321\"")) << text.constData();
    EXPECT_TRUE(text.contains("<gpxtpx:speed>10.000</gpxtpx:speed>")) << text.constData();
    EXPECT_TRUE(text.contains("<gpxtpx:course>270.50</gpxtpx:course>")) << text.constData();
}

TEST(GpsTrack, ExportWritesNothingForAnUnreadableRecordingAndKeepsTheOldFile)
{
    QTemporaryDir dir;
    const QString strGpx = dir.path() + "/track.gpx";
    QFile old(strGpx);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("previous");
    old.close();
    int nCount = -1;
    EXPECT_EQ(CGpsTrack::ExportGpx(dir.path() + "/missing.h264", strGpx, {}, nullptr, &nCount),
              CGpsTrack::resultCannotOpen);
    EXPECT_EQ(CGpsTrack::ExportGpx(dir.path(), strGpx), CGpsTrack::resultCannotOpen) << "a folder is no recording";
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), QByteArray("previous"));
    old.close();

    const QString strRecording = dir.path() + "/rec.h264";
    ASSERT_TRUE(maptest::writeRecording(strRecording, {gpsItem(kRmc), gpsItem(kRmc)}, maptest::packedTime(2024, 3, 5, 9, 0, 0)));
    EXPECT_EQ(CGpsTrack::ExportGpx(strRecording, strGpx, [](qint64, qint64) { return false; }),
              CGpsTrack::resultCancelled);
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), QByteArray("previous")) << "a cancelled export leaves the file as it was";
    old.close();

    qint64 nLastDone = 0, nTotal = 0;
    EXPECT_EQ(CGpsTrack::ExportGpx(strRecording, strGpx,
                                   [&](qint64 nDone, qint64 nAll) {
                                       nLastDone = nDone;
                                       nTotal = nAll;
                                       return true;
                                   },
                                   nullptr, &nCount),
              CGpsTrack::resultOk);
    EXPECT_EQ(nCount, 2);
    EXPECT_EQ(nLastDone, QFileInfo(strRecording).size());
    EXPECT_EQ(nTotal, nLastDone);
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    std::vector<GeoPoint> read;
    QString strName;
    EXPECT_TRUE(readGpx(old.readAll(), read, strName));
    EXPECT_EQ(read.size(), 2u);
    EXPECT_EQ(strName, "rec.h264");
}

namespace {
using InfoFrames = std::vector<std::pair<std::string, uint32_t>>;

// What the player's stream parser finds: each information text with its key frame's stamp.
InfoFrames parserInfoFrames(const QByteArray &bytes)
{
    InfoFrames found;
    void *pParser = H264_PARSER_Create(0);
    H264_PARSER_InputData(pParser, reinterpret_cast<const unsigned char *>(bytes.constData()), uint32_t(bytes.size()));
    while (const H264_PARSER_FRAME *pFrame = H264_PARSER_GetNextFrame(pParser))
        if (pFrame->nFrameType == H264_FRAME_INFO)
            found.emplace_back(std::string(reinterpret_cast<const char *>(pFrame->pPayload), pFrame->nPayloadLength),
                               pFrame->nStamp);
    H264_PARSER_Destroy(pParser);
    return found;
}

InfoFrames scannerInfoFrames(const QByteArray &bytes, size_t nPiece)
{
    InfoFrames found;
    CInfoFrameScanner scanner([&](const char *pText, int nLength, uint32_t nStamp) {
        found.emplace_back(std::string(pText, size_t(nLength)), nStamp);
    }, nPiece);
    for (int nAt = 0; nAt < bytes.size();) {
        const size_t n = std::min(scanner.pieceBytes(), size_t(bytes.size() - nAt));
        memcpy(scanner.piece(), bytes.constData() + nAt, n);
        scanner.scan(n);
        nAt += int(n);
    }
    return found;
}
} // namespace

TEST(InfoFrameScanner, FindsWhatTheStreamParserFindsWhateverThePieces)
{
    QByteArray bytes("junk\0\0\1", 7);
    maptest::appendInfoFrame(bytes, "before any key frame;");
    maptest::appendKeyFrame(bytes, maptest::packedTime(2024, 3, 5, 9, 0, 0));
    maptest::appendInfoFrame(bytes, "GPS:first;");
    QByteArray video(8, 0);
    video[2] = 1;
    video[3] = char(0xFD);
    maptest::putU32(video, 4, 3000);
    bytes += video + QByteArray(3000, char(0x77));
    bytes += QByteArray("\0\0\1\xFD\xFF\xFF\xFF\xFF", 8); // a negative length: not a frame
    bytes += QByteArray("\0\0\1\xF9\1\0", 6);             // the start of a frame cut short by the next
    maptest::appendKeyFrame(bytes, maptest::packedTime(2024, 3, 5, 9, 0, 1));
    maptest::appendInfoFrame(bytes, std::string(1000, 'x') + ";");
    maptest::appendInfoFrame(bytes, "");
    maptest::appendInfoFrame(bytes, "GPS:last;");
    QByteArray cut;
    maptest::appendInfoFrame(cut, "never finished;");
    bytes += cut.left(cut.size() - 3);

    const InfoFrames expected = parserInfoFrames(bytes);
    ASSERT_GE(expected.size(), 5u);
    EXPECT_EQ(expected[1].first, "GPS:first;");
    EXPECT_EQ(expected.back().first, "GPS:last;");
    for (size_t nPiece : {size_t(1), size_t(2), size_t(3), size_t(5), size_t(7), size_t(16), size_t(100), size_t(1000),
                          size_t(4096), size_t(1) << 16})
        EXPECT_EQ(scannerInfoFrames(bytes, nPiece), expected) << "pieces of " << nPiece << " bytes";
}
