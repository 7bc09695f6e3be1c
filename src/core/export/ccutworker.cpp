#include "ccutworker.h"

#include "common/cdiskreadlocker.h"
#include "common/cfsfile.h"
#include "common/crecordname.h"
#include "export/cconverttomp4.h"
#include "export/cexportworker.h"
#include "export/cframewalker.h"

#include <QByteArray>
#include <QCoreApplication>
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
    return m_bConverted ? CConvertToMp4::mp4Path(m_strOutput) : m_strOutput;
}

void CCutWorker::stop()
{
    m_bStop = true;
    if (m_bConverting) CConvertToMp4::instance()->cancelBlocking();
}

bool CCutWorker::fail(const QString &strReason)
{
    if (m_strFailure.isEmpty()) m_strFailure = strReason;
    qWarning().noquote() << "Cut of" << m_strSource << "failed:" << strReason;
    return false;
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

bool CCutWorker::openFiles(CFSFile &source, CFSFile &output, const QString &strTemp)
{
    if (!source.Open(m_strSource, CFSFile::modeRead)) return fail(tr("cannot open the recording %1").arg(m_strSource));
    QDir().mkpath(m_strSavePath);
    errno = 0;
    if (!output.Open(strTemp, CFSFile::modeWrite | CFSFile::modeCreate)) {
        source.Close();
        return fail(tr("cannot create %1: %2").arg(m_strOutput, QString::fromLocal8Bit(strerror(errno ? errno : EIO))));
    }
    return true;
}

// The cut's file in place under its own name; false with the reason when it cannot be named so.
bool CCutWorker::moveIntoPlace(const QString &strTemp, const QString &strFinal)
{
    if (::rename(QFile::encodeName(strTemp).constData(), QFile::encodeName(strFinal).constData()) == 0) return true;
    const QString strError = QString::fromLocal8Bit(strerror(errno));
    QFile::remove(strTemp);
    return fail(tr("cannot name the file %1: %2").arg(strFinal, strError));
}

// The cut is written under a temporary name beside its own and gets its name once it is complete,
// so a failed or empty cut leaves nothing and an earlier file of that name is replaced whole.
CCutWorker::Result CCutWorker::cut()
{
    m_nEncodeType = 2;
    m_nFramesWritten = 0;
    m_strFailure.clear();
    m_strRawTemp = CExportWorker::partPath(m_strOutput, QString::number(QCoreApplication::applicationPid()));
    CFSFile source, output;
    if (!openFiles(source, output, m_strRawTemp)) return resultFailed;
    qint64 nLength;
    {
        CDiskReadLocker locker;
        nLength = source.GetLength();
    }
    Result result = resultFailed;
    if (nLength >= 0)
        result = cutFrom(source, output, nLength, startPosition(source, nLength));
    else
        fail(tr("the length of the recording cannot be read"));
    emit updateProcess(PROGRESS_END);
    source.Close();
    errno = 0;
    if (result != resultFailed && !output.Flush()) {
        fail(tr("cannot write %1: %2").arg(m_strOutput, QString::fromLocal8Bit(strerror(errno ? errno : EIO))));
        result = resultFailed;
    }
    output.Close();
    if (result == resultDone && m_nFramesWritten == 0) {
        fail(tr("No frame in the time range"));
        result = resultFailed;
    }
    if (result == resultFailed) {
        QFile::remove(m_strRawTemp);
        return result;
    }
    if (m_nEncodeType == 5) m_strOutput = CExportWorker::withExtension(m_strOutput, "h265");
    if (result == resultDone && m_bMp4) return result; // convert() takes the raw cut from its temporary name
    return moveIntoPlace(m_strRawTemp, m_strOutput) ? result : resultFailed;
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
                fail(tr("cannot write %1: %2").arg(m_strOutput, QString::fromLocal8Bit(strerror(errno ? errno : EIO))));
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
        fail(strShortfall);
        return resultFailed;
    }
    return resultDone;
}

// The MP4 of the raw cut, under a temporary name until complete; when the conversion fails, the raw
// cut stays under its own name.
void CCutWorker::convert()
{
    emit updateExportStatus(tr("Convert Record"));
    emit updateProcess(0);
    emit updateExportStatus(tr("Convert To Mp4"));
    const QString strMp4 = CConvertToMp4::mp4Path(m_strOutput);
    const QString strMp4Temp = CExportWorker::partPath(strMp4, QString::number(QCoreApplication::applicationPid()));
    CConvertToMp4 *pConverter = CConvertToMp4::instance();
    pConverter->setProgressReceiver(&reportProgress, this);
    m_bConverting = true;
    bool bOk = !m_bStop && pConverter->ConvertH264ToMp4(m_strRawTemp, strMp4Temp);
    m_bConverting = false;
    pConverter->setProgressReceiver(nullptr, nullptr);
    if (bOk) {
        bOk = moveIntoPlace(strMp4Temp, strMp4);
        QFile::remove(m_strRawTemp);
    } else {
        QFile::remove(strMp4Temp);
        if (m_bStop) {
            QFile::remove(m_strRawTemp);
        } else {
            fail(tr("the conversion failed: %1").arg(pConverter->blockingFailureReason()));
            moveIntoPlace(m_strRawTemp, m_strOutput);
        }
    }
    m_bConverted = bOk;
    emit convertFinishi(bOk);
}
