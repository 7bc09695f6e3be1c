#include "cgpstrack.h"

#include "ccoordtransform.h"
#include "cgpxwriter.h"
#include "common/cfsfile.h"
#include "playback/cgpsrmcparse.h"
#include "streamreader.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMutexLocker>
#include <QSaveFile>

#include <cmath>
#include <cstdlib>
#include <memory>

namespace {
const qint64 CHUNK_BYTES = 1 << 20;
const size_t PAGE_ALIGNMENT = 4096;
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

// The recorder's clock, read in this machine's time zone.
QDateTime frameTime(const H264_PARSER_FRAME &frame)
{
    if (frame.nYear == 0) return QDateTime();
    const QDate date(int(frame.nYear), int(frame.nMonth), int(frame.nDay));
    const QTime time(int(frame.nHour), int(frame.nMinute), int(frame.nSecond));
    if (!date.isValid() || !time.isValid()) return QDateTime();
    return QDateTime(date, time, Qt::LocalTime).toUTC();
}

QString trackName(const QString &strRecordPath)
{
    return strRecordPath.mid(strRecordPath.lastIndexOf('/') + 1);
}
} // namespace

bool CGpsTrack::PointFromInfo(const H264_PARSER_FRAME &frame, GpsTrackPoint &point)
{
    if (frame.nFrameType != H264_FRAME_INFO || !frame.pPayload || frame.nPayloadLength == 0) return false;
    FrameInfo info = EmptyFrameInfo();
    CGPSRMCParse().ParseAllInfo(reinterpret_cast<const char *>(frame.pPayload), int(frame.nPayloadLength), info);
    const GpsInfo &gps = info.gps;
    if (!IsUsableFix(gps)) return false;
    point.dLatitude = gps.dLatitude;
    point.dLongitude = gps.dLongitude;
    point.fCourse = checkedCourse(gps.fCourse);
    // Only an RMC sentence gives a course, and with it the speed.
    point.fSpeed = gps.fCourse >= 0.0f ? checkedSpeed(gps.fSpeed) : -1.0f;
    point.time = frameTime(frame);
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
    std::unique_ptr<char, decltype(&free)> chunk(static_cast<char *>(aligned_alloc(PAGE_ALIGNMENT, CHUNK_BYTES)), free);
    std::unique_ptr<void, int32_t (*)(void *)> parser(H264_PARSER_Create(0), H264_PARSER_Destroy);
    if (!chunk || !parser) return resultCannotOpen;

    qint64 nDone = 0;
    for (;;) {
        qint64 nRead;
        {
            std::unique_ptr<QMutexLocker> locker(pReadLock ? new QMutexLocker(pReadLock) : nullptr);
            nRead = file.Read(chunk.get(), CHUNK_BYTES);
        }
        if (nRead <= 0) break;
        nDone += nRead;
        H264_PARSER_InputData(parser.get(), reinterpret_cast<const unsigned char *>(chunk.get()), uint32_t(nRead));
        GpsTrackPoint point;
        while (const H264_PARSER_FRAME *pFrame = H264_PARSER_GetNextFrame(parser.get()))
            if (PointFromInfo(*pFrame, point)) onPoint(point);
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
