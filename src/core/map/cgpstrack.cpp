#include "cgpstrack.h"

#include "ccoordtransform.h"
#include "cgpxwriter.h"
#include "cinfoframescanner.h"
#include "common/cfsfile.h"
#include "playback/cgpsrmcparse.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMutexLocker>
#include <QSaveFile>

#include <cmath>
#include <memory>

namespace {
const size_t PIECE_BYTES = 1 << 18; // sector-aligned; small enough to stay in the processor's cache
const float MAX_SPEED_KMH = 2000.0f; // faster than any vehicle with a recorder

bool isDiskPath(const QString &strPath)
{
    return strPath.startsWith("/mnt/ide");
}

float checkedSpeed(float fSpeed)
{
    return std::isfinite(fSpeed) && fSpeed >= 0.0f && fSpeed <= MAX_SPEED_KMH ? fSpeed : -1.0f;
}

float checkedCourse(float fCourse)
{
    return std::isfinite(fCourse) && fCourse >= 0.0f && fCourse <= 360.0f ? fCourse : -1.0f;
}

// The recorder's clock (bits 0-5 second, 6-11 minute, 12-16 hour, 17-21 day, 22-25 month,
// 26-31 year - 2000), read in this machine's time zone. The zone's offset is looked up once
// a minute of recording: each lookup asks the system for its zone file.
class FrameClock
{
public:
    QDateTime utc(uint32_t nStamp)
    {
        if (nStamp == 0) return QDateTime();
        const QDate date(2000 + int(nStamp >> 26), int((nStamp >> 22) & 0xF), int((nStamp >> 17) & 0x1F));
        const QTime time(int((nStamp >> 12) & 0x1F), int((nStamp >> 6) & 0x3F), int(nStamp & 0x3F));
        if (!date.isValid() || !time.isValid()) return QDateTime();
        if (nStamp >> 6 != m_nMinute) {
            m_nMinute = nStamp >> 6;
            m_nOffset = QDateTime(date, QTime(time.hour(), time.minute()), Qt::LocalTime).offsetFromUtc();
        }
        return QDateTime(date, time, Qt::UTC).addSecs(-m_nOffset);
    }

private:
    uint32_t m_nMinute = 0;
    int m_nOffset = 0;
};

QString trackName(const QString &strRecordPath)
{
    return strRecordPath.mid(strRecordPath.lastIndexOf('/') + 1);
}
} // namespace

bool CGpsTrack::PointFromInfo(const char *pText, int nLength, GpsTrackPoint &point)
{
    if (!pText || nLength <= 0) return false;
    FrameInfo info = EmptyFrameInfo();
    CGPSRMCParse().ParseAllInfo(pText, nLength, info);
    const GpsInfo &gps = info.gps;
    if (!IsUsableFix(gps)) return false;
    point.dLatitude = gps.dLatitude;
    point.dLongitude = gps.dLongitude;
    point.fCourse = checkedCourse(gps.fCourse);
    // Only an RMC sentence gives a course, and with it the speed.
    point.fSpeed = gps.fCourse >= 0.0f ? checkedSpeed(gps.fSpeed) : -1.0f;
    point.time = QDateTime();
    return true;
}

bool CGpsTrack::IsUsableFix(const GpsInfo &gps)
{
    const bool bLetters = (gps.cNorthSouth == 'N' || gps.cNorthSouth == 'S') && (gps.cEastWest == 'E' || gps.cEastWest == 'W');
    return gps.bValid && bLetters && CCoordTransform::IsValidPosition(gps.dLatitude, gps.dLongitude);
}

CGpsTrack::Result CGpsTrack::ReadPositions(const QString &strPath, const PointHandler &onPoint,
                                           const ProgressHandler &onProgress, QMutex *pReadLock)
{
    if (!isDiskPath(strPath) && !QFileInfo(strPath).isFile()) return resultCannotOpen;
    CFSFile file;
    if (!file.Open(strPath, CFSFile::modeRead)) return resultCannotOpen;
    const qint64 nLength = file.GetLength();
    if (nLength < 0) return resultReadError;
    GpsTrackPoint point;
    FrameClock clock;
    CInfoFrameScanner scanner([&](const char *pText, int nTextLength, uint32_t nStamp) {
        if (!PointFromInfo(pText, nTextLength, point)) return;
        point.time = clock.utc(nStamp);
        onPoint(point);
    }, PIECE_BYTES);

    qint64 nDone = 0;
    for (;;) {
        qint64 nRead;
        {
            std::unique_ptr<QMutexLocker> locker(pReadLock ? new QMutexLocker(pReadLock) : nullptr);
            nRead = file.Read(scanner.piece(), qint64(scanner.pieceBytes()));
        }
        if (nRead <= 0) break;
        nDone += nRead;
        scanner.scan(size_t(nRead));
        if (onProgress && !onProgress(nDone, nLength)) return resultCancelled;
    }
    return nDone < nLength ? resultReadError : resultOk;
}

CGpsTrack::Result CGpsTrack::ExportGpx(const QString &strRecordPath, const QString &strGpxPath,
                                       const ProgressHandler &onProgress, QMutex *pReadLock, int *pCount)
{
    QSaveFile output(strGpxPath);
    if (!output.open(QIODevice::WriteOnly)) return resultCannotWrite;
    CGpxWriter gpx(&output);
    gpx.begin(trackName(strRecordPath));
    const Result result =
        ReadPositions(strRecordPath, [&gpx](const GpsTrackPoint &point) { gpx.addPoint(point); }, onProgress, pReadLock);
    if (pCount) *pCount = gpx.pointCount();
    if (result != resultOk && result != resultReadError) {
        output.cancelWriting();
        return result;
    }
    if (!gpx.end() || !output.commit()) return resultCannotWrite;
    return result;
}

QString CGpsTrack::ResultText(Result result)
{
    switch (result) {
    case resultOk: return QString();
    case resultCannotOpen: return QCoreApplication::translate("CGpsTrack", "The recording cannot be opened.");
    case resultReadError:
        return QCoreApplication::translate("CGpsTrack",
                                           "The recording could not be read to its end; the track ends there.");
    case resultCancelled: return QCoreApplication::translate("CGpsTrack", "Cancelled.");
    case resultCannotWrite: return QCoreApplication::translate("CGpsTrack", "The track cannot be written.");
    }
    return QString();
}
