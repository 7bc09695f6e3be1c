// korvane-cli gps: the positions of a recording's information frames, as a GPX track
// (WGS-84) or as CSV in the datum asked for, converted as the map view converts them.
#include "cli_commands.h"
#include "cli_options.h"

#include "map/ccoordtransform.h"
#include "map/cgpstrack.h"
#include "map/cgpxwriter.h"
#include "wfs_stream.h"

#include <QFile>
#include <QString>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>

namespace {

struct GpsOptions {
    bool csv = false;
    bool datumGiven = false;
    CCoordTransform::Datum datum = CCoordTransform::datumWgs84;
    std::string path;
};

bool parseGpsOptions(const std::vector<std::string> &args, GpsOptions *out)
{
    static const std::map<std::string, CCoordTransform::Datum> datums = {
        {"wgs84", CCoordTransform::datumWgs84}, {"gcj02", CCoordTransform::datumGcj02}, {"bd09", CCoordTransform::datumBd09}};
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string &arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--format" && hasValue && (args[i + 1] == "gpx" || args[i + 1] == "csv")) {
            out->csv = args[++i] == "csv";
        } else if (arg == "--datum" && hasValue && datums.count(args[i + 1])) {
            out->datum = datums.at(args[++i]);
            out->datumGiven = true;
        } else if (arg.compare(0, 2, "--") != 0 && out->path.empty()) {
            out->path = arg;
        } else {
            return false;
        }
    }
    return !out->path.empty();
}

QString isoTime(const GpsTrackPoint &point)
{
    return point.time.isValid() ? point.time.toString("yyyy-MM-ddTHH:mm:ssZ") : QString();
}

void printCsvLine(const GpsTrackPoint &point, CCoordTransform::Datum datum)
{
    const GeoPoint at = CCoordTransform::FromWgs84(datum, {point.dLongitude, point.dLatitude});
    const std::string speed = point.hasSpeed() ? QString::asprintf("%.2f", double(point.fSpeed)).toStdString() : "";
    const std::string course = point.hasCourse() ? QString::asprintf("%.2f", double(point.fCourse)).toStdString() : "";
    printf("%s,%.9f,%.9f,%s,%s\n", isoTime(point).toLatin1().constData(), at.dLatitude, at.dLongitude, speed.c_str(),
           course.c_str());
}

} // namespace

int runGps(const CliOptions &options)
{
    GpsOptions gps;
    if (!parseGpsOptions(options.args, &gps)) {
        fprintf(stderr, "usage: korvane-cli gps [--image FILE]... [--no-devices] [--format gpx|csv] "
                        "[--datum wgs84|gcj02|bd09] PATH\n");
        return 2;
    }
    if (gps.datumGiven && !gps.csv) {
        fprintf(stderr, "korvane-cli: GPX holds WGS-84 coordinates only; --datum needs --format csv\n");
        return 2;
    }
    const QString strPath = QString::fromLocal8Bit(gps.path.c_str());
    if (strPath.startsWith("/mnt/ide")) {
        if (!openDisks(options)) return 1;
        wfs_register_stream_ops();
    }

    // The document starts with the first position, so an unreadable path leaves standard output empty.
    QFile output;
    output.open(stdout, QIODevice::WriteOnly | QIODevice::Unbuffered); // stdio buffers already
    CGpxWriter gpx(&output);
    bool bStarted = false;
    int nPoints = 0;
    auto start = [&]() {
        if (bStarted) return;
        bStarted = true;
        if (gps.csv)
            printf("time,latitude,longitude,speed_kmh,course\n");
        else
            gpx.begin(strPath.mid(strPath.lastIndexOf('/') + 1));
    };
    const CGpsTrack::Result result = CGpsTrack::ReadPositions(strPath, [&](const GpsTrackPoint &point) {
        start();
        ++nPoints;
        if (gps.csv)
            printCsvLine(point, gps.datum);
        else
            gpx.addPoint(point);
    });
    if (result == CGpsTrack::resultCannotOpen) {
        fprintf(stderr, "korvane-cli: cannot open %s\n", gps.path.c_str());
        return 1;
    }
    start();
    const bool bWritten = (gps.csv || gpx.end()) && fflush(stdout) == 0 && output.flush();
    if (!bWritten) {
        fprintf(stderr, "korvane-cli: cannot write the output\n");
        return 1;
    }
    if (result == CGpsTrack::resultReadError) {
        fprintf(stderr, "korvane-cli: %s could not be read to its end; the track ends there\n", gps.path.c_str());
        return 1;
    }
    if (nPoints == 0) fprintf(stderr, "korvane-cli: no GPS positions in %s; the track is empty\n", gps.path.c_str());
    return 0;
}
