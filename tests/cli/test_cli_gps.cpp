// korvane-cli gps on a simulator disk whose recording drives along the simulator's route,
// and on recordings saved on the PC: GPX read back by gpsbabel as an independent reader,
// CSV in every datum, the time zone rule, bad GPS text, and the exit statuses.
#include "map/ccoordtransform.h"

#include "map_test_support.h"
#include "route.h"
#include "sim_recording.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QString>
#include <QStringList>
#include <QXmlStreamReader>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <sys/wait.h>

namespace {
const sim::Seconds START = sim::makeTime(2024, 3, 5, 9, 0, 0);
const int SECONDS = 12;

struct CliRun {
    int status;
    std::string out, err;
};

std::string contents(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

QStringList lines(const std::string &text)
{
    QStringList result;
    for (const QString &strLine : QString::fromStdString(text).split('\n', Qt::SkipEmptyParts))
        result << strLine.trimmed();
    return result;
}

sim::Scenario drivingRecording()
{
    sim::Scenario s;
    s.seed = 11;
    s.payloads = sim::PayloadKind::Real;
    s.partitions = {partition(256)};
    sim::RecordingSpec r = recording(1, START, SECONDS);
    r.width = 64;
    r.height = 64;
    r.fps = 2;
    s.recordings.push_back(r);
    return s;
}

class CliGpsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_pDir = new ScratchDir;
        s_pDisk = new SimDisk(*s_pDir, "gps.img", drivingRecording());
    }
    static void TearDownTestSuite()
    {
        delete s_pDisk;
        delete s_pDir;
    }
    void SetUp() override { ASSERT_TRUE(s_pDisk->ok); }

    static std::string recordingPath()
    {
        const sim::RecordingResult &r = resultOf(s_pDisk->manifest, 0);
        return recordPath(0, r, r.firstCluster);
    }

    // korvane-cli gps with the disk image, in the given time zone.
    static CliRun gps(const std::string &arguments, const std::string &tz = "UTC")
    {
        const std::string out = s_pDir->file("stdout"), err = s_pDir->file("stderr");
        const std::string line = "TZ=" + tz + " " + std::string(KORVANE_CLI) + " gps --no-devices --image '" +
                                 s_pDisk->path + "' " + arguments + " >'" + out + "' 2>'" + err + "'";
        const int status = std::system(line.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, contents(out), contents(err)};
    }

    // gpsbabel's reading of a GPX document, as its "unicsv" lines (header first).
    static QStringList gpsbabel(const std::string &document)
    {
        const std::string in = s_pDir->file("track.gpx"), out = s_pDir->file("babel.csv");
        std::ofstream(in, std::ios::binary) << document;
        const std::string line = "gpsbabel -t -i gpx -f '" + in + "' -o unicsv,utc=0 -F '" + out + "' 2>/dev/null";
        EXPECT_EQ(std::system(line.c_str()), 0) << "gpsbabel refused the document";
        return lines(contents(out));
    }

    static ScratchDir *s_pDir;
    static SimDisk *s_pDisk;
};
ScratchDir *CliGpsTest::s_pDir = nullptr;
SimDisk *CliGpsTest::s_pDisk = nullptr;

std::string quoted(const std::string &text)
{
    return "'" + text + "'";
}
} // namespace

TEST_F(CliGpsTest, GpxIsReadByGpsbabelWithEveryPositionOfTheRoute)
{
    const CliRun run = gps(quoted(recordingPath()));
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(run.err.empty()) << run.err;
    const QStringList rows = gpsbabel(run.out);
    ASSERT_EQ(rows.size(), SECONDS + 1) << run.out;
    const QStringList header = rows[0].split(',');
    const int lat = header.indexOf("Latitude"), lon = header.indexOf("Longitude");
    ASSERT_TRUE(lat >= 0 && lon >= 0) << rows[0].toStdString();
    ASSERT_EQ(header.mid(header.size() - 2), QStringList({"Date", "Time"})) << rows[0].toStdString();

    const sim::Route route(drivingRecording().seed);
    for (int row : {1, SECONDS}) {
        const QStringList fields = rows[row].split(',');
        const sim::VehicleState truth = route.at(START + row - 1);
        EXPECT_NEAR(fields[lat].toDouble(), truth.latitude, 2e-6) << "point " << row;
        EXPECT_NEAR(fields[lon].toDouble(), truth.longitude, 2e-6) << "point " << row;
        const QString strTime = fields.mid(fields.size() - 2).join(' '); // after the notes, which hold commas
        EXPECT_EQ(strTime.toStdString(),
                  QDateTime::fromSecsSinceEpoch(START + row - 1, Qt::UTC).toString("yyyy/MM/dd hh:mm:ss").toStdString());
    }
    EXPECT_NE(run.out.find("<gpxtpx:course>"), std::string::npos);
    EXPECT_NE(run.out.find("<gpxtpx:speed>"), std::string::npos);
}

TEST_F(CliGpsTest, TimesAreUtcFromTheRecorderClockInTheMachineTimeZone)
{
    const CliRun run = gps("--format csv " + quoted(recordingPath()), "Asia/Shanghai");
    ASSERT_EQ(run.status, 0) << run.err;
    const QStringList rows = lines(run.out);
    ASSERT_EQ(rows.size(), SECONDS + 1);
    EXPECT_EQ(rows[1].section(',', 0, 0).toStdString(),
              QDateTime::fromSecsSinceEpoch(START - 8 * 3600, Qt::UTC).toString("yyyy-MM-ddTHH:mm:ssZ").toStdString());
}

TEST_F(CliGpsTest, CsvConvertsEveryDatumAsTheMapViewDoes)
{
    const CliRun wgs = gps("--format csv " + quoted(recordingPath()));
    ASSERT_EQ(wgs.status, 0) << wgs.err;
    const QStringList wgsRows = lines(wgs.out);
    ASSERT_EQ(wgsRows.size(), SECONDS + 1);
    EXPECT_EQ(wgsRows[0], "time,latitude,longitude,speed_kmh,course");
    EXPECT_EQ(wgsRows, lines(gps("--format csv --datum wgs84 " + quoted(recordingPath())).out));

    for (const auto &datum : {std::make_pair("gcj02", CCoordTransform::datumGcj02),
                              std::make_pair("bd09", CCoordTransform::datumBd09)}) {
        const CliRun run = gps(std::string("--format csv --datum ") + datum.first + " " + quoted(recordingPath()));
        ASSERT_EQ(run.status, 0) << run.err;
        const QStringList rows = lines(run.out);
        ASSERT_EQ(rows.size(), wgsRows.size());
        for (int i = 1; i < rows.size(); ++i) {
            const QStringList from = wgsRows[i].split(','), to = rows[i].split(',');
            ASSERT_EQ(to.size(), 5);
            EXPECT_EQ(to[0], from[0]);
            EXPECT_EQ(to[3], from[3]);
            EXPECT_EQ(to[4], from[4]);
            EXPECT_EQ(to[1].section('.', 1).size(), 9) << "nine decimals";
            const GeoPoint expected = CCoordTransform::FromWgs84(datum.second, {from[2].toDouble(), from[1].toDouble()});
            EXPECT_NEAR(to[1].toDouble(), expected.dLatitude, 1e-9) << datum.first;
            EXPECT_NEAR(to[2].toDouble(), expected.dLongitude, 1e-9) << datum.first;
        }
    }
    // London lies outside the GCJ-02 box: GCJ-02 leaves it, BD-09 moves it by Baidu's own offset.
    EXPECT_EQ(lines(gps("--format csv --datum gcj02 " + quoted(recordingPath())).out), wgsRows);
}

TEST_F(CliGpsTest, BadArgumentsAndPathsAreRefused)
{
    CliRun run = gps("--datum gcj02 " + quoted(recordingPath()));
    EXPECT_EQ(run.status, 2) << "GPX is always WGS-84";
    EXPECT_TRUE(run.out.empty());
    EXPECT_NE(run.err.find("WGS-84"), std::string::npos) << run.err;
    EXPECT_EQ(gps("--format kml " + quoted(recordingPath())).status, 2);
    EXPECT_EQ(gps("--format csv --datum mars " + quoted(recordingPath())).status, 2);
    EXPECT_EQ(gps("").status, 2);
    EXPECT_EQ(gps(quoted(recordingPath()) + " " + quoted(recordingPath())).status, 2);

    for (const std::string &path : {std::string("/mnt/idea0/2024-03-05/001/00.00.00-00.00.01[R][@999][0].h264"),
                                    s_pDir->file("missing.h264"), s_pDir->file("")}) {
        run = gps(quoted(path));
        EXPECT_EQ(run.status, 1) << path;
        EXPECT_TRUE(run.out.empty()) << path;
        EXPECT_NE(run.err.find("cannot open"), std::string::npos) << run.err;
    }
}

TEST_F(CliGpsTest, ARecordingWithoutPositionsGivesAnEmptyTrack)
{
    const std::string file = s_pDir->file("nogps.h264");
    ASSERT_TRUE(maptest::writeRecording(QString::fromStdString(file), {"G-SENSOR:+001,+002,+003;", "SPEED:40;"},
                                        maptest::packedTime(2024, 3, 5, 9, 0, 0)));
    CliRun run = gps(quoted(file));
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.err.find("no GPS positions"), std::string::npos) << run.err;
    EXPECT_EQ(gpsbabel(run.out).size(), 1) << "a valid GPX without points";
    run = gps("--format csv " + quoted(file));
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(lines(run.out), QStringList({"time,latitude,longitude,speed_kmh,course"}));
}

TEST_F(CliGpsTest, BadGpsTextStillGivesWellFormedGpx)
{
    const std::string file = s_pDir->file("bad.h264");
    const std::string rmc = "$GNRMC,083559.00,A,2233.1234,N,11403.5678,E,10.0,90.0,071226,,,A*00";
    ASSERT_TRUE(maptest::writeRecording(
        QString::fromStdString(file),
        {"GPS:" + rmc + ";", "GPS:$GNRMC,083559.00,A,9500.0000,N,11403.5678,E,10.0,90.0,071226,,,A*00;",
         "GPS:$GNRMC,083559.00,A,2233.1234,N,11403.5678,E,</desc>]]>&<x\");alert(1);//,90.0,071226;",
         "GPS:$GNRMC,083559.00,A,2233.1234,N,11403.5678,E,10.0,\xFF\xFE<,071226;INFO:</trkpt>\x01;",
         "GPS:" + std::string(400, '$') + ";", "GPS:" + rmc + ";"},
        maptest::packedTime(2024, 3, 5, 9, 0, 0)));
    const CliRun run = gps(quoted(file));
    ASSERT_EQ(run.status, 0) << run.err;
    QXmlStreamReader xml(QByteArray::fromStdString(run.out));
    int nPoints = 0;
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("trkpt")) ++nPoints;
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_EQ(nPoints, 4) << "latitude 95 and the overlong item are dropped";
    EXPECT_EQ(gpsbabel(run.out).size(), nPoints + 1);
    EXPECT_EQ(run.out.find("alert"), std::string::npos);
}
