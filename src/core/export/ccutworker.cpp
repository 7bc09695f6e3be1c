#include "ccutworker.h"

#include "common/cdiskreadlocker.h"
#include "common/cfsfile.h"
#include "common/crecordname.h"
#include "export/cconverttomp4.h"
#include "export/cframewalker.h"

#include <QByteArray>
#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstdio>
#include <memory>

namespace {
const int SECONDS_PER_DAY = CRecordName::SECONDS_PER_DAY;

int seconds(const QTime &time)
{
    return CRecordName::seconds(time);
}

void reportProgress(int nValue, void *pWorker)
{
    if (nValue > 0) emit static_cast<CCutWorker *>(pWorker)->updateProcess(nValue * 10);
}
} // namespace

CCutWorker::CCutWorker(QObject *parent)
    : QObject(parent)
{
}

bool CCutWorker::setSource(const QString &strPath)
{
    m_strSource = strPath;
    m_date = QDate();
    const CRecordName name(strPath);
    if (!name.hasFolders() || !name.hasTimes()) return false;
    m_date = name.date();
    m_fileBegin = name.begin();
    m_fileEnd = name.end();
    m_nFileEndSeconds = name.endSeconds();
    return true;
}

int CCutWorker::fileBeginSeconds() const
{
    return seconds(m_fileBegin);
}

int CCutWorker::fileEndSeconds() const
{
    return m_nFileEndSeconds;
}

bool CCutWorker::rangeAllowed(const QTime &cutBegin, const QTime &cutEnd) const
{
    const int b = seconds(cutBegin), e = CRecordName::endSeconds(cutBegin, cutEnd);
    return hasTimes() && b >= fileBeginSeconds() && fileEndSeconds() >= e && e >= b;
}

void CCutWorker::setChoices(const QString &strSavePath, const QTime &cutBegin, const QTime &cutEnd, bool bMp4)
{
    m_strSavePath = QString(strSavePath).replace('\\', '/');
    m_cutBegin = cutBegin;
    m_cutEnd = cutEnd;
    m_bMp4 = bMp4;
    char name[64];
    snprintf(name, sizeof name, "%04d%02d%02d_%02d.%02d.%02d_%02d.%02d.%02d.h264", m_date.year(), m_date.month(),
             m_date.day(), cutBegin.hour(), cutBegin.minute(), cutBegin.second(), cutEnd.hour(), cutEnd.minute(),
             cutEnd.second());
    m_strOutput = m_strSavePath + "/" + QString::fromLatin1(name);
}

QString CCutWorker::finalPath() const
{
    return m_bConverted ? QString(m_strOutput).replace("h264", "mp4") : m_strOutput;
}

void CCutWorker::run()
{
    m_bConverted = false;
    const Result result = cut();
    if (result == resultFailed)
        emit showMessage(tr("Cut Failed"));
    else if (result == resultDone && m_bMp4)
        convert();
    else if (result == resultDone)
        emit showMessage(tr("Cut Success"));
}

bool CCutWorker::openFiles(CFSFile &source, CFSFile &output)
{
    if (!source.Open(m_strSource, CFSFile::modeRead)) {
        qWarning().noquote() << "Cannot open the recording to cut" << m_strSource;
        return false;
    }
    QDir().mkpath(m_strSavePath);
    if (!output.Open(m_strOutput, CFSFile::modeWrite | CFSFile::modeCreate)) {
        qWarning().noquote() << "Cannot create the cut file" << m_strOutput;
        source.Close();
        return false;
    }
    return true;
}

CCutWorker::Result CCutWorker::cut()
{
    m_nEncodeType = 2;
    CFSFile source, output;
    if (!openFiles(source, output)) return resultFailed;
    qint64 nLength;
    {
        CDiskReadLocker locker;
        nLength = source.GetLength();
    }
    if (nLength < 0) {
        qWarning().noquote() << "The length of the recording to cut cannot be read:" << m_strSource;
        source.Close();
        output.Close();
        QFile::remove(m_strOutput);
        return resultFailed;
    }
    Result result = cutFrom(source, output, nLength, startPosition(source, nLength));
    emit updateProcess(PROGRESS_END);
    source.Close();
    if (result != resultFailed && !output.Flush()) {
        qWarning().noquote() << "Cannot write the cut file" << m_strOutput << strerror(errno);
        result = resultFailed;
    }
    output.Close();
    if (result == resultFailed) {
        QFile::remove(m_strOutput);
        return result;
    }
    if (result == resultDone && !m_bMp4 && m_nEncodeType == 5) {
        const QString strH265 = QString(m_strOutput).replace("h264", "h265");
        if (CFSFile::Rename(m_strOutput, strH265)) m_strOutput = strH265;
    }
    return result;
}

// Where the search for the cut begin starts in a large recording. The first jump goes to 80 % of
// the begin's proportional offset; each position whose first timed frame still lies before the
// begin becomes the base of a further jump by the same rule over the rest of the recording, so
// the beginning is never read. A jump whose first timed frame is already past the begin (an
// uneven bit rate) is not taken: the search starts from the last position known to lie before
// it, at worst the very start, so no frame of the range is ever missed.
qint64 CCutWorker::startPosition(CFSFile &source, qint64 nLength)
{
    const int nBegin = fileBeginSeconds(), nEnd = fileEndSeconds();
    if (nBegin == nEnd || nLength <= m_nJumpThreshold) return 0;
    const QDateTime start(m_date, m_cutBegin), fileEnd(m_date, QTime(0, 0).addSecs(nEnd % SECONDS_PER_DAY));
    qint64 nBase = 0;
    QDateTime baseTime(m_date, m_fileBegin);
    const QDateTime lastSecond = nEnd >= SECONDS_PER_DAY ? fileEnd.addDays(1) : fileEnd;
    while (!m_bStop) {
        const qint64 nSpan = baseTime.secsTo(lastSecond);
        if (nSpan <= 0) break;
        const qint64 nJump =
            nBase + qint64(double(baseTime.secsTo(start)) * JUMP_MARGIN / double(nSpan) * double(nLength - nBase));
        if (nJump - nBase < CHUNK) break;
        const QDateTime landed = firstTimeAt(source, nJump);
        if (!landed.isValid() || landed > start) {
            qDebug().noquote() << "Cut start jump to" << nJump << "landed past the begin; searching from" << nBase;
            break;
        }
        nBase = nJump;
        baseTime = landed;
    }
    CDiskReadLocker locker;
    source.Seek(nBase, SEEK_SET);
    return nBase;
}

// The time of the first timed frame from a position on, read in at most a few chunks.
QDateTime CCutWorker::firstTimeAt(CFSFile &source, qint64 nPosition)
{
    const int PROBE_CHUNKS = 64;
    {
        CDiskReadLocker locker;
        if (source.Seek(nPosition, SEEK_SET) != nPosition) return QDateTime();
    }
    CFrameWalker walker(source, CHUNK);
    walker.setReadLimit(PROBE_CHUNKS * CHUNK);
    const H264_PARSER_FRAME *pFrame = walker.next();
    return pFrame ? CFrameWalker::frameTime(*pFrame) : QDateTime();
}

CCutWorker::Result CCutWorker::cutFrom(CFSFile &source, CFSFile &output, qint64 nLength, qint64 nOffset)
{
    const QDateTime start(m_date, m_cutBegin);
    const int nBeginSeconds = seconds(m_cutBegin), nEndSeconds = CRecordName::endSeconds(m_cutBegin, m_cutEnd);
    const QDateTime end = start.addSecs(nEndSeconds - nBeginSeconds);
    emit updateProcess(0);
    CFrameWalker walker(source, CHUNK);
    QDateTime previous;
    bool bPast = false, bKeySeen = false;
    while (!bPast && !m_bStop) {
        const H264_PARSER_FRAME *pFrame = walker.next();
        if (!pFrame) break;
        if (!bKeySeen && pFrame->nFrameType == H264_FRAME_VIDEO && pFrame->nSubType == 0) {
            m_nEncodeType = (int)pFrame->nEncodeType;
            bKeySeen = true;
        }
        const QDateTime t = CFrameWalker::frameTime(*pFrame);
        if (start <= t && t <= end) {
            if (t != previous) {
                if (nEndSeconds != nBeginSeconds)
                    emit updateProcess(int(start.secsTo(t) * PROGRESS_END / (nEndSeconds - nBeginSeconds)));
                emit updateExportStatus(tr("Start Cut"));
            }
            if (output.Write(pFrame->pData, pFrame->nLength) != (qint64)pFrame->nLength) {
                qWarning().noquote() << "Cannot write the cut file" << m_strOutput << strerror(errno);
                return resultFailed;
            }
            m_nFramesWritten++;
        } else if (t > end) {
            bPast = true;
        } else if (t != previous) {
            emit updateExportStatus(
                QString("%1 %2/%3").arg(tr("Find Start Pos")).arg(nOffset + walker.bytesRead()).arg(nLength));
        }
        previous = t;
    }
    if (m_bStop) return resultStopped;
    const QString strShortfall = walker.shortfall(bPast ? 0 : nLength - nOffset);
    if (!strShortfall.isEmpty()) {
        qWarning().noquote() << "The recording ended early while cutting" << m_strSource << strShortfall;
        return resultFailed;
    }
    return resultDone;
}

void CCutWorker::convert()
{
    emit updateExportStatus(tr("Convert Record"));
    emit updateProcess(0);
    emit updateExportStatus(tr("Convert To Mp4"));
    CConvertToMp4 *pConverter = CConvertToMp4::instance();
    pConverter->setProgressReceiver(&reportProgress, this);
    const bool bOk = pConverter->ConvertH264ToMp4(m_strOutput, QString(m_strOutput).replace("h264", "mp4"));
    pConverter->setProgressReceiver(nullptr, nullptr);
    m_bConverted = bOk;
    emit convertFinishi(bOk);
}
