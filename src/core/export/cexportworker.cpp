#include "cexportworker.h"

#include "common/cdiskreadlocker.h"
#include "common/cfsfile.h"
#include "common/crecordname.h"
#include "export/cconverttomp4.h"
#include "export/cframewalker.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QReadLocker>
#include <QStringList>
#include <QThread>
#include <QWriteLocker>

#include <openssl/evp.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {
const qint64 PROBE_CHUNK = 16384;
const qint64 PROBE_LIMIT = 10485760;
const int NAME_TIMES_LENGTH = 17; // "hh.mm.ss-hh.mm.ss"

int seconds(const QTime &time)
{
    return CRecordName::seconds(time);
}

QString systemError(int nError)
{
    return QString::fromLocal8Bit(strerror(nError ? nError : EIO));
}

// OpenSSL's SHA-256 uses the processor's SHA instructions: several times faster than Qt's.
QString sha256Of(const QString &strPath)
{
    QFile file(strPath);
    std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)> context(EVP_MD_CTX_new(), EVP_MD_CTX_free);
    if (!file.open(QIODevice::ReadOnly) || !context || !EVP_DigestInit_ex(context.get(), EVP_sha256(), nullptr))
        return QString();
    QByteArray buffer(1 << 20, Qt::Uninitialized);
    qint64 nRead;
    while ((nRead = file.read(buffer.data(), buffer.size())) > 0)
        if (!EVP_DigestUpdate(context.get(), buffer.constData(), (size_t)nRead)) return QString();
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int nLength = 0;
    if (nRead < 0 || !EVP_DigestFinal_ex(context.get(), digest, &nLength)) return QString();
    return QString::fromLatin1(QByteArray((const char *)digest, (int)nLength).toHex());
}

int convertReceiver(int nHandle, int nValue, void *pUser)
{
    return static_cast<CExportWorker *>(pUser)->dealWithConvertProcess(nHandle, nValue);
}
} // namespace

ExportEntry ExportEntry::fromRecorderPath(const QString &strPath, int nChannel)
{
    ExportEntry entry;
    entry.strPath = strPath;
    entry.strName = strPath.mid(strPath.lastIndexOf('/') + 1);
    entry.nChannel = nChannel;
    const CRecordName name(entry.strName);
    entry.begin = name.begin();
    entry.end = name.end();
    entry.nEndSeconds = name.endSeconds();
    return entry;
}

// Everything a single entry's copy writes into, and what is needed to take it back.
struct CExportWorker::Output {
    CFSFile file;
    QString strPath;
    qint64 nSourceLength = 0;
    qint64 nWritten = 0;
    bool bNewFile = false;  // started a new merged file
    bool bAppended = false; // appended to the channel's merged file
    qint64 nStartOffset = 0;
    quint64 nPrevSize = 0;
    QTime prevGroupEnd;
    QString strError;
};

CExportWorker::CExportWorker(QObject *parent)
    : QObject(parent)
{
}

CExportWorker::~CExportWorker()
{
    detachConverter();
}

void CExportWorker::setChoices(const Choices &choices)
{
    m_choices = choices;
    m_choices.strSavePath = QDir::cleanPath(QString(choices.strSavePath).replace('\\', '/'));
}

void CExportWorker::recordSeconds(const QVector<ExportEntry> &entries, int &nBegin, int &nEnd)
{
    nBegin = CRecordName::SECONDS_PER_DAY - 1;
    nEnd = 0;
    for (const ExportEntry &entry : entries) {
        if (!entry.begin.isValid()) continue;
        nBegin = qMin(nBegin, seconds(entry.begin));
        nEnd = qMax(nEnd, entry.nEndSeconds);
    }
}

void CExportWorker::recordRange(const QVector<ExportEntry> &entries, QTime &begin, QTime &end)
{
    int nBegin, nEnd;
    recordSeconds(entries, nBegin, nEnd);
    begin = QTime(0, 0).addSecs(nBegin);
    end = QTime(0, 0).addSecs(nEnd % CRecordName::SECONDS_PER_DAY);
}

QString CExportWorker::checkChoices(const Choices &choices) const
{
    if (choices.nMode == modeFile) {
        const bool bAny = std::any_of(m_entries.begin(), m_entries.end(), [](const ExportEntry &e) { return e.bTicked; });
        return bAny ? QString() : tr("No files selected");
    }
    if (m_entries.isEmpty()) return tr("No files selected");
    int nRecordBegin, nRecordEnd;
    recordSeconds(m_entries, nRecordBegin, nRecordEnd);
    const int b = seconds(choices.rangeBegin), e = CRecordName::endSeconds(choices.rangeBegin, choices.rangeEnd);
    if (!choices.rangeBegin.isValid() || !choices.rangeEnd.isValid() || b < nRecordBegin || nRecordEnd < e)
        return tr("Abnormal time");
    const bool bAny = std::any_of(m_entries.begin(), m_entries.end(),
                                  [&](const ExportEntry &entry) { return choices.channels.contains(entry.nChannel); });
    return bAny ? QString() : tr("No channels selected");
}

void CExportWorker::attachConverter()
{
    CConvertToMp4::instance()->setMessageReceiver(&convertReceiver, this);
    m_bAttached = true;
}

void CExportWorker::detachConverter()
{
    if (!m_bAttached) return;
    CConvertToMp4::instance()->setMessageReceiver(nullptr, nullptr);
    m_bAttached = false;
}

void CExportWorker::prepareRun()
{
    {
        QWriteLocker locker(&m_convertLock);
        m_earlyFinished.clear();
        m_bWorkerDone = false;
        m_bFinishSent = false;
    }
    {
        QMutexLocker locker(&m_leftMutex);
        m_leftFiles.clear();
    }
    {
        QMutexLocker locker(&m_resultMutex);
        m_results.clear();
        for (int i = 0; i < m_entries.size(); ++i)
            if (m_choices.nMode == modeFile || m_choices.channels.contains(m_entries[i].nChannel))
                m_results.insert(i, {i, QString(), QString()});
    }
    m_merge.clear();
    m_group.clear();
    m_nFailed = 0;
    m_bCancelled = false;
    m_bStop = false;
}

int CExportWorker::run()
{
    const int nResult = exportAll(m_choices.nMode == modeTime);
    {
        QWriteLocker locker(&m_convertLock);
        m_bWorkerDone = true;
    }
    maybeFinishRun();
    m_bStop = true;
    return nResult;
}

int CExportWorker::exportByFile()
{
    return exportAll(false);
}

int CExportWorker::exportByTime()
{
    return exportAll(true);
}

void CExportWorker::cancel()
{
    detachConverter();
    m_bCancelled = true;
    m_bStop = true;
    QList<int> handles;
    {
        QWriteLocker locker(&m_convertLock);
        handles = m_conversions.keys();
        m_conversions.clear();
    }
    // Not under the table's lock: cancelling waits for the conversion's thread.
    for (int nHandle : handles) CConvertToMp4::cancel(nHandle);
}

bool CExportWorker::conversionsPending()
{
    QReadLocker locker(&m_convertLock);
    return !m_conversions.isEmpty();
}

int CExportWorker::runEntryCount() const
{
    int nCount = 0;
    for (const ExportEntry &entry : m_entries)
        nCount += m_choices.nMode == modeTime ? m_choices.channels.contains(entry.nChannel) : entry.bTicked;
    return nCount;
}

QString CExportWorker::finishText() const
{
    if (m_nFailed == 0) return tr("Export Finish");
    return tr("Export finished: %1 of %2 files failed").arg(m_nFailed).arg(runEntryCount());
}

// ---- the run

QMap<int, QList<int>> CExportWorker::channelGroups(bool bByTime) const
{
    QMap<int, QList<int>> groups;
    for (int i = 0; i < m_entries.size(); ++i) {
        const ExportEntry &entry = m_entries[i];
        if (bByTime ? m_choices.channels.contains(entry.nChannel) : entry.bTicked) groups[entry.nChannel].append(i);
    }
    return groups;
}

int CExportWorker::exportAll(bool bByTime)
{
    if (bByTime)
        qDebug().noquote() << "exportByTime Start " << hhmmss(m_choices.rangeBegin) << " - "
                           << hhmmss(m_choices.rangeEnd);
    if (m_choices.nFormat == formatRaw) openIndexFile();
    const QMap<int, QList<int>> groups = channelGroups(bByTime);
    for (const QList<int> &indexes : groups) {
        for (int nIndex : indexes) {
            if (m_bStop) break;
            QTime clipBegin, clipEnd;
            if (bByTime && !inRange(nIndex, clipBegin, clipEnd)) continue;
            exportEntry(nIndex, bByTime, clipBegin, clipEnd);
        }
    }
    if (m_choices.nExportType != typeSingle) closeGroup(!m_bStop);
    m_pIndexFile.reset();
    return m_bStop ? 0 : 1;
}

bool CExportWorker::inRange(int nIndex, QTime &clipBegin, QTime &clipEnd)
{
    const ExportEntry &entry = m_entries[nIndex];
    const QTime &rangeBegin = m_choices.rangeBegin, &rangeEnd = m_choices.rangeEnd;
    const int b = seconds(rangeBegin), e = CRecordName::endSeconds(rangeBegin, rangeEnd);
    const int fb = seconds(entry.begin), fe = entry.nEndSeconds;
    if (fe == fb || fe < b || e < fb) {
        status(nIndex, colStatus, tr("Not in time range"));
        qDebug().noquote() << "File " << entry.strPath << " Not In Range " << hhmmss(rangeBegin) << " - "
                           << hhmmss(rangeEnd);
        return false;
    }
    clipBegin = fb >= b ? entry.begin : rangeBegin;
    clipEnd = fe <= e ? entry.end : rangeEnd;
    return true;
}

void CExportWorker::exportEntry(int nIndex, bool bByTime, const QTime &clipBegin, const QTime &clipEnd)
{
    const ExportEntry &entry = m_entries[nIndex];
    status(nIndex, colStatus, tr("Exporting") + "(0%)");
    QString strName = entry.strName;
    QTime begin = entry.begin, end = entry.end;
    if (bByTime) {
        begin = clipBegin;
        end = clipEnd;
        const int nBracket = strName.indexOf('[');
        if (nBracket > 0) strName = CRecordName::nameTime(begin, false) + "-" + CRecordName::nameTime(end, true) + strName.mid(nBracket);
    }
    VideoParams params;
    getVideoParams(entry.strPath, params);
    if (params.isH265()) strName.replace("h264", "h265");

    CFSFile source;
    Output out;
    if (!source.Open(entry.strPath, CFSFile::modeRead)) {
        status(nIndex, colStatus, tr("Open failed"));
        ++m_nFailed;
        return;
    }
    {
        CDiskReadLocker locker;
        out.nSourceLength = source.GetLength();
    }
    if (out.nSourceLength < 0) {
        status(nIndex, colStatus, tr("Export failed") + ": " + tr("the length of the recording cannot be read"));
        ++m_nFailed;
        return;
    }
    if (!openOutput(nIndex, strName, begin, end, params, out)) return;

    QTime first, last;
    CopyResult result = bByTime ? copyByTime(nIndex, source, out, first, last) : copyByFile(nIndex, source, out);
    source.Close();
    errno = 0;
    if (result != CopyResult::readFailed && result != CopyResult::writeFailed && !out.file.Flush()) {
        out.strError = systemError(errno);
        result = CopyResult::writeFailed;
    }
    out.file.Close();
    if (bByTime)
        qDebug().noquote() << "File " << entry.strPath << " isValidVideo " << (out.nWritten > 0 ? 1 : 0)
                           << " Frame Time " << hhmmss(first) << " - " << hhmmss(last);

    switch (result) {
    case CopyResult::readFailed:
    case CopyResult::writeFailed:
        undoEntry(nIndex, out);
        status(nIndex, colStatus, tr("Export failed") + ": " + out.strError);
        ++m_nFailed;
        return;
    case CopyResult::stopped:
        undoEntry(nIndex, out);
        status(nIndex, colStatus, tr("Export cancelled"));
        return;
    case CopyResult::done: break;
    }
    if (bByTime && out.nWritten == 0) {
        undoEntry(nIndex, out);
        status(nIndex, colStatus,
               QString("%1 (%2 - %3)").arg(tr("Frame not in time range"), hhmmss(first), hhmmss(last)));
        return;
    }
    status(nIndex, colStatus, tr("Export Finish"));
    if (m_choices.nExportType == typeSingle) finishFile(nIndex, out.strPath);
}

// Opens the entry's output: a file of its own, or the channel's merged file.
bool CExportWorker::openOutput(int nIndex, const QString &strName, const QTime &begin, const QTime &end,
                               const VideoParams &params, Output &out)
{
    const ExportEntry &entry = m_entries[nIndex];
    const QString strFolder = outputFolder(entry.strPath);
    if (strFolder.isEmpty() || !QDir().mkpath(strFolder)) {
        status(nIndex, colStatus, tr("Export failed") + ": " + tr("cannot create folder %1").arg(strFolder));
        ++m_nFailed;
        return false;
    }
    out.strPath = strFolder + strName;
    if (QFile::exists(out.strPath)) QFile::remove(out.strPath);

    unsigned int nFlags = CFSFile::modeWrite | CFSFile::modeCreate;
    if (m_choices.nExportType == typeSingle) {
        m_group.clear();
    } else if (joinsMerge(entry.nChannel, (quint64)out.nSourceLength, params)) {
        MergeState &state = m_merge[entry.nChannel];
        out.bAppended = true;
        out.nPrevSize = state.nSize;
        out.prevGroupEnd = m_groupEnd;
        out.strPath = state.strPath;
        out.nStartOffset = QFileInfo(state.strPath).size();
        state.nSize += (quint64)out.nSourceLength;
        m_groupEnd = end;
        nFlags |= CFSFile::modeNoTruncate;
    } else {
        closeGroup(true);
        m_groupBegin = begin;
        m_groupEnd = end;
        m_merge[entry.nChannel] = {(quint64)out.nSourceLength, out.strPath, params};
        out.bNewFile = true;
    }
    errno = 0;
    if (!out.file.Open(out.strPath, nFlags)) {
        out.strError = systemError(errno);
        undoEntry(nIndex, out);
        status(nIndex, colStatus, tr("Export failed") + ": " + out.strError);
        ++m_nFailed;
        return false;
    }
    m_group.append(nIndex);
    m_strCurOutput = out.strPath;
    status(nIndex, colPath, shownPath(out.strPath));
    return true;
}

bool CExportWorker::joinsMerge(int nChannel, quint64 nLength, const VideoParams &params) const
{
    auto it = m_merge.constFind(nChannel);
    if (it == m_merge.constEnd() || it->nSize + nLength > m_nMergeLimit) return false;
    if (m_choices.nExportType == typeForcedMerge) return it->params.nEncodeType == params.nEncodeType;
    return it->params.isSameAs(params);
}

CExportWorker::CopyResult CExportWorker::copyByFile(int nIndex, CFSFile &source, Output &out)
{
    QByteArray buffer(FILE_CHUNK, Qt::Uninitialized);
    qint64 nRead;
    errno = 0;
    {
        CDiskReadLocker locker;
        nRead = source.Read(buffer.data(), FILE_CHUNK);
    }
    while (nRead > 0) {
        errno = 0;
        if (out.file.Write(buffer.constData(), nRead) != nRead) {
            out.strError = systemError(errno);
            return CopyResult::writeFailed;
        }
        out.nWritten += nRead;
        if (out.nSourceLength != 0)
            status(nIndex, colStatus, tr("Exporting") + QString("(%1%)").arg(out.nWritten * 100 / out.nSourceLength));
        if (m_bStop) return CopyResult::stopped;
        errno = 0;
        {
            CDiskReadLocker locker;
            nRead = source.Read(buffer.data(), FILE_CHUNK);
        }
        pauseForReaders();
    }
    if (out.nWritten < out.nSourceLength) {
        out.strError = CFSFile::EndedEarly(source.GetFilePath(), out.nWritten, out.nSourceLength, errno);
        return CopyResult::readFailed;
    }
    return CopyResult::done;
}

CExportWorker::CopyResult CExportWorker::copyByTime(int nIndex, CFSFile &source, Output &out, QTime &first,
                                                    QTime &last)
{
    const QTime &rangeBegin = m_choices.rangeBegin, &rangeEnd = m_choices.rangeEnd;
    const bool bCrossing = CRecordName::crossesMidnight(rangeBegin, rangeEnd);
    CFrameWalker walker(source, TIME_CHUNK);
    walker.setChunkRead([&](qint64 nRead) {
        if (out.nSourceLength != 0)
            status(nIndex, colStatus,
                   tr("Exporting") + QString("(%1%)").arg(qMin<qint64>(100, nRead * 100 / out.nSourceLength)));
        pauseForReaders();
    });
    bool bPast = false;
    while (!bPast && !m_bStop) {
        const H264_PARSER_FRAME *pFrame = walker.next();
        if (!pFrame) break;
        const QTime t = CFrameWalker::frameClock(*pFrame);
        if (!first.isValid()) first = t;
        if (t != QTime(0, 0, 0)) last = t;
        const bool bInside = bCrossing ? (t >= rangeBegin || t <= rangeEnd) : (rangeBegin <= t && t <= rangeEnd);
        if (bInside) {
            errno = 0;
            if (out.file.Write(pFrame->pData, pFrame->nLength) != (qint64)pFrame->nLength) {
                out.strError = systemError(errno);
                return CopyResult::writeFailed;
            }
            out.nWritten += pFrame->nLength;
        } else if (!bCrossing && t > rangeEnd) {
            bPast = true;
        }
    }
    if (m_bStop) return CopyResult::stopped;
    out.strError = walker.shortfall(bPast ? 0 : out.nSourceLength);
    return out.strError.isEmpty() ? CopyResult::done : CopyResult::readFailed;
}

// Takes back what the entry wrote: its own file goes, a merged file returns to its size before it.
void CExportWorker::undoEntry(int nIndex, Output &out)
{
    const int nChannel = m_entries[nIndex].nChannel;
    m_group.removeAll(nIndex);
    if (out.bAppended) {
        QFile::resize(out.strPath, out.nStartOffset);
        m_merge[nChannel].nSize = out.nPrevSize;
        m_groupEnd = out.prevGroupEnd;
        return;
    }
    if (!out.strPath.isEmpty()) QFile::remove(out.strPath);
    if (out.bNewFile) m_merge.remove(nChannel);
}

// The group's merged file under its final name, listed or converted.
void CExportWorker::closeGroup(bool bConvert)
{
    if (m_group.isEmpty()) return;
    const QString strPath = renameMergFile(m_group, m_strCurOutput, m_groupBegin, m_groupEnd);
    if (m_choices.nFormat == formatRaw) {
        appendIndexLine(strPath);
        addLeftFile(strPath, true);
    } else {
        addLeftFile(strPath, false);
        if (bConvert && !strPath.isEmpty()) convertToMp4(m_group, strPath, 0);
    }
    m_group.clear();
}

// A complete single output: listed in the index, or converted.
void CExportWorker::finishFile(int nIndex, const QString &strPath)
{
    if (m_choices.nFormat == formatRaw) {
        appendIndexLine(strPath);
        addLeftFile(strPath, true);
        return;
    }
    addLeftFile(strPath, false);
    convertToMp4({nIndex}, strPath, 0);
}

QString CExportWorker::renameMergFile(const QList<int> &entries, const QString &strPath, const QTime &begin,
                                      const QTime &end)
{
    QString strResult = strPath;
    const QString strBegin = CRecordName::nameTime(begin, false), strEnd = CRecordName::nameTime(end, true);
    const int nPos = begin.isValid() && end.isValid() ? strPath.indexOf(strBegin, strPath.lastIndexOf('/') + 1) : -1;
    if (nPos >= 0) {
        const QString strNew = strPath.left(nPos) + strBegin + "-" + strEnd + strPath.mid(nPos + NAME_TIMES_LENGTH);
        if (strNew != strPath && QFile::exists(strNew)) QFile::remove(strNew);
        if (strNew == strPath || QFile::rename(strPath, strNew)) {
            qDebug().noquote() << "ReName " << strPath << " To " << strNew;
            strResult = strNew;
        } else {
            qDebug().noquote() << "ReName Failed " << strPath << " To " << strNew;
        }
    } else {
        qDebug().noquote() << "ReName Failed " << strPath << " To " << strPath;
    }
    for (int nIndex : entries) status(nIndex, colPath, shownPath(strResult));
    return strResult;
}

// ---- conversions

void CExportWorker::convertToMp4(const QList<int> &entries, const QString &strSrcPath, int nRetry)
{
    if (m_bCancelled) return; // a cancelled run starts nothing new
    const QString strDst = CConvertToMp4::mp4Path(strSrcPath);
    if (QFile::exists(strDst)) QFile::remove(strDst);
    const int nHandle = CConvertToMp4::instance()->ConvertH264ToMp4V2(strSrcPath, strDst);
    qDebug().noquote() << "Convert " << strSrcPath << " To " << strDst << "  Result " << nHandle;
    bool bFinishedEarly = false;
    QString strStatus;
    if (nHandle < 1) {
        strStatus = tr("Start convert failed ") + QString("Err = %1").arg(nHandle);
        ++m_nFailed;
    } else {
        // One lock for the look-up and the insertion, so a 100 % arriving in between is not lost.
        QWriteLocker locker(&m_convertLock);
        bFinishedEarly = m_earlyFinished.removeOne(nHandle);
        if (!bFinishedEarly) m_conversions.insert(nHandle, {nRetry, nHandle, entries, strSrcPath, strDst});
    }
    if (bFinishedEarly) {
        strStatus = tr("Convert finish");
        replaceLeftFile(strSrcPath, strDst);
        emit removeSrcFile(strSrcPath);
    } else if (nHandle >= 1) {
        strStatus = tr("Converting") + "(0%)";
    }
    for (int nIndex : entries) status(nIndex, colStatus, strStatus);
    if (bFinishedEarly) maybeFinishRun();
}

int CExportWorker::dealWithConvertProcess(int nHandle, int nValue)
{
    ConvertRecord record;
    bool bFound;
    {
        QReadLocker locker(&m_convertLock);
        auto it = m_conversions.constFind(nHandle);
        bFound = it != m_conversions.constEnd();
        if (bFound) record = *it;
    }
    if (!bFound && nValue == 100) {
        QWriteLocker locker(&m_convertLock);
        auto it = m_conversions.constFind(nHandle);
        bFound = it != m_conversions.constEnd();
        if (bFound)
            record = *it;
        else
            m_earlyFinished.append(nHandle);
    }
    if (bFound && !record.entries.isEmpty()) {
        QString strStatus;
        if (nValue < 0) {
            const QString strReason = CConvertToMp4::instance()->takeFailureReason(nHandle);
            CConvertToMp4::cancel(nHandle);
            {
                QWriteLocker locker(&m_convertLock);
                m_conversions.remove(nHandle);
            }
            if (nValue == RETRIED_CONVERT_ERROR && record.nRetry + 1 <= MAX_CONVERT_RETRIES) {
                qDebug().noquote() << "Re Convert MP4 " << record.strSource;
                convertToMp4(record.entries, record.strSource, record.nRetry + 1);
            } else {
                conversionFailed(record, QString("%1 %2").arg(tr("Convert failed")).arg(nValue) +
                                             (strReason.isEmpty() ? QString() : ": " + strReason));
            }
        } else if (nValue > 99) {
            {
                QWriteLocker locker(&m_convertLock);
                m_conversions.remove(nHandle);
            }
            strStatus = tr("Convert finish");
            replaceLeftFile(record.strSource, record.strDestination);
            emit removeSrcFile(record.strSource);
        } else {
            strStatus = QString("%1 (%2%)").arg(tr("Converting")).arg(nValue);
        }
        if (!strStatus.isEmpty()) {
            qDebug().noquote() << record.strSource << " Convet To " << record.strDestination << " Status " << strStatus;
            for (int nIndex : record.entries) status(nIndex, colStatus, strStatus);
        }
    }
    maybeFinishRun();
    return 0;
}

void CExportWorker::conversionFailed(const ConvertRecord &record, const QString &strStatus)
{
    ++m_nFailed;
    qDebug().noquote() << record.strSource << " Convet To " << record.strDestination << " Status " << strStatus;
    for (int nIndex : record.entries) status(nIndex, colStatus, strStatus);
}

// The run is complete once the worker has ended and no conversion is left; said once.
void CExportWorker::maybeFinishRun()
{
    {
        QWriteLocker locker(&m_convertLock);
        if (!m_bWorkerDone || !m_conversions.isEmpty() || m_bFinishSent || m_bCancelled) return;
        m_bFinishSent = true;
    }
    emit exportFinish();
}

// ---- index, files left, checksums

void CExportWorker::openIndexFile()
{
    QDir().mkpath(m_choices.strSavePath);
    m_pIndexFile = std::make_unique<CFSFile>();
    const QString strPath = m_choices.strSavePath + "/index.data";
    if (!m_pIndexFile->Open(strPath, CFSFile::modeWrite | CFSFile::modeCreate | CFSFile::modeNoTruncate)) {
        qWarning().noquote() << "Cannot open the export index" << strPath;
        m_pIndexFile.reset();
    }
}

void CExportWorker::appendIndexLine(const QString &strPath)
{
    if (!m_pIndexFile) return;
    const QByteArray line = (relativePath(strPath) + "\r\n").toLocal8Bit();
    if (!m_pIndexFile->WriteString(line.constData()) || !m_pIndexFile->Flush())
        qWarning().noquote() << "Cannot write the export index line of" << strPath;
}

QString CExportWorker::relativePath(const QString &strPath) const
{
    return strPath.mid(m_choices.strSavePath.length() + 1).replace('\\', '/');
}

void CExportWorker::addLeftFile(const QString &strPath, bool bHashNow)
{
    const QString strHash = bHashNow && m_choices.bHashWhenComplete ? sha256Of(strPath) : QString();
    QMutexLocker locker(&m_leftMutex);
    for (LeftFile &file : m_leftFiles) {
        if (file.strPath != strPath) continue;
        file.strSha256 = strHash;
        return;
    }
    m_leftFiles.append({strPath, strHash});
}

// A converted raw file gives way to its MP4.
void CExportWorker::replaceLeftFile(const QString &strRaw, const QString &strMp4)
{
    {
        QMutexLocker locker(&m_leftMutex);
        for (int i = 0; i < m_leftFiles.size(); ++i)
            if (m_leftFiles[i].strPath == strRaw) m_leftFiles.removeAt(i--);
    }
    addLeftFile(strMp4, true);
}

QList<CExportWorker::LeftFile> CExportWorker::leftFiles()
{
    QList<LeftFile> files;
    {
        QMutexLocker locker(&m_leftMutex);
        files = m_leftFiles;
    }
    QList<LeftFile> left;
    for (LeftFile &file : files) {
        if (!QFileInfo(file.strPath).isFile()) continue;
        if (file.strSha256.isEmpty()) file.strSha256 = sha256Of(file.strPath);
        left.append(file);
    }
    return left;
}

bool CExportWorker::appendChecksums(const QList<LeftFile> &files) const
{
    if (files.isEmpty()) return true;
    QFile sums(m_choices.strSavePath + "/SHA256SUMS");
    if (!sums.open(QIODevice::WriteOnly | QIODevice::Append)) {
        qWarning().noquote() << "Cannot write" << sums.fileName();
        return false;
    }
    QByteArray text;
    for (const LeftFile &file : files)
        text += file.strSha256.toLatin1() + "  " + QFile::encodeName(relativePath(file.strPath)) + "\n";
    return sums.write(text) == text.size() && sums.flush();
}

QVector<CExportWorker::EntryResult> CExportWorker::results() const
{
    QMutexLocker locker(&m_resultMutex);
    return m_results.values().toVector();
}

CExportLog::Run CExportWorker::finishLog(const QDateTime &startTime)
{
    CExportLog::Run run;
    run.startTime = startTime;
    run.finishTime = QDateTime::currentDateTime();
    run.nMode = m_choices.nMode;
    run.nFormat = m_choices.nFormat;
    run.nExportType = m_choices.nExportType;
    run.strSavePath = m_choices.strSavePath;
    run.rangeBegin = m_choices.rangeBegin;
    run.rangeEnd = m_choices.rangeEnd;
    QList<int> channels;
    for (const ExportEntry &entry : m_entries)
        if (!channels.contains(entry.nChannel)) channels.append(entry.nChannel);
    std::sort(channels.begin(), channels.end());
    for (int nChannel : channels) run.channelFilter.append({nChannel, m_choices.channels.contains(nChannel)});
    if (m_choices.nMode == modeFile)
        for (const ExportEntry &entry : m_entries)
            run.fileList.append({entry.bTicked, CRecordName::channelLabel(entry.nChannel), entry.strName});
    for (const EntryResult &row : results()) {
        const ExportEntry &entry = m_entries[row.nEntry];
        run.results.append({CRecordName::channelLabel(entry.nChannel), entry.strName, row.strStatus, row.strPath});
    }
    const QList<LeftFile> files = leftFiles();
    for (const LeftFile &file : files) run.checksums.append({file.strSha256, relativePath(file.strPath)});
    return run;
}

bool CExportWorker::writeLog(const QDateTime &startTime)
{
    const CExportLog::Run run = finishLog(startTime);
    QList<LeftFile> files;
    for (const auto &sum : run.checksums) files.append({m_choices.strSavePath + "/" + sum.second, sum.first});
    const bool bSums = appendChecksums(files);
    return CExportLog::append(run) && bSums;
}

// ---- helpers

bool CExportWorker::getVideoParams(const QString &strPath, VideoParams &params)
{
    params = VideoParams();
    CFSFile file;
    if (!file.Open(strPath, CFSFile::modeRead)) {
        qDebug().noquote() << "Open File Failed " << strPath;
        return false;
    }
    CFrameWalker walker(file, PROBE_CHUNK, true);
    walker.setReadLimit(PROBE_LIMIT);
    while (const H264_PARSER_FRAME *pFrame = walker.next()) {
        if (pFrame->nFrameType != H264_FRAME_VIDEO || pFrame->nSubType != 0) continue;
        params.nWidth = (qint32)pFrame->nWidth;
        params.nHeight = (qint32)pFrame->nHeight;
        params.nFrameRate = (qint32)pFrame->nFrameRate;
        params.nEncodeType = (qint32)pFrame->nEncodeType;
        return true;
    }
    qDebug().noquote() << "No video key frame in " << strPath << walker.error();
    return false;
}

QString CExportWorker::outputFolder(const QString &strRecorderPath) const
{
    const CRecordName name(strRecorderPath);
    if (!name.hasFolders() || !name.isRecorderPath()) return QString();
    return QString("%1/ide%2%3/%4/%5/")
        .arg(m_choices.strSavePath, QChar(name.diskLetter()))
        .arg(name.partition())
        .arg(name.date().toString("yyyy-MM-dd"), CRecordName::channelLabel(name.channel()));
}

void CExportWorker::status(int nIndex, int nColumn, const QString &strText)
{
    {
        QMutexLocker locker(&m_resultMutex);
        auto it = m_results.find(nIndex);
        if (it != m_results.end() && nColumn == colStatus) it->strStatus = strText;
        if (it != m_results.end() && nColumn == colPath) it->strPath = strText;
    }
    emit updateTableStatus(m_choices.nMode, nIndex, nColumn, strText);
}

QString CExportWorker::shownPath(const QString &strPath) const
{
    return m_choices.nFormat == formatMp4 ? CConvertToMp4::mp4Path(strPath) : strPath;
}

void CExportWorker::pauseForReaders() const
{
    if (CDiskReadLocker::othersWaiting()) QThread::msleep(1);
}

QString CExportWorker::hhmmss(const QTime &time)
{
    return (time.isValid() ? time : QTime(0, 0, 0)).toString("hh:mm:ss");
}

