// The route of a recording: the GPS positions of its information frames, read with
// the parser the player uses, and written as a GPX 1.1 track. Qt Core only, so the
// command line, the Disk page and the Local page share it.
#pragma once

#include <QDateTime>
#include <QString>

#include <functional>

class QIODevice;
class QMutex;
struct GpsInfo;

struct GpsTrackPoint {
    double dLatitude = 0; // WGS-84, as the receiver gave it
    double dLongitude = 0;
    float fSpeed = -1;  // km/h; -1 when unknown (a GGA sentence has none)
    float fCourse = -1; // degrees; -1 when unknown
    QDateTime time;     // UTC; invalid when the frame carried no time
    bool hasSpeed() const { return fSpeed >= 0; }
    bool hasCourse() const { return fCourse >= 0; }
};

class CGpsTrack
{
public:
    enum Result { resultOk = 0, resultCannotOpen, resultReadError, resultCancelled, resultCannotWrite };
    using PointHandler = std::function<void(const GpsTrackPoint &point)>;
    // Bytes read so far of the recording's length; returning false stops the reading.
    using ProgressHandler = std::function<bool(qint64 nDone, qint64 nTotal)>;

    // Reads a recording ("/mnt/ide" path or a file on the PC) once, start to end, and hands
    // on each valid position in stream order, timed by the recorder's clock at its key frame
    // read in this machine's time zone. pReadLock, when given, is held around each read.
    static Result ReadPositions(const QString &strPath, const PointHandler &onPoint,
                                const ProgressHandler &onProgress = ProgressHandler(), QMutex *pReadLock = nullptr);
    // The position in one information frame's text: an accepted RMC or GGA sentence with a
    // position in the valid range (no time: that is the frame's, not the text's).
    static bool PointFromInfo(const char *pText, int nLength, GpsTrackPoint &point);
    // A GPS block worth drawing or exporting: an accepted sentence with both hemisphere
    // letters (a truncated one has none) and a position in the valid range.
    static bool IsUsableFix(const GpsInfo &gps);

    // Writes the recording's track as a GPX file (replaced only when the reading got through
    // or stopped at a read error). pCount receives the number of positions written.
    static Result ExportGpx(const QString &strRecordPath, const QString &strGpxPath,
                            const ProgressHandler &onProgress = ProgressHandler(), QMutex *pReadLock = nullptr,
                            int *pCount = nullptr);
    // A text for the user about a result of ExportGpx or ReadPositions.
    static QString ResultText(Result result);
};
