#include "cexportworker.h"

#include "common/cdiskreadlocker.h"
#include "common/cfsfile.h"
#include "common/crecordname.h"
#include "export/cconverttomp4.h"
#include "export/cframewalker.h"

#include <QCoreApplication>
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
#include <cstdio>
#include <cstring>
#include <memory>
#include <unistd.h>

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

bool sameContent(const QString &strA, const QString &strB)
{
    return QFileInfo(strA).size() == QFileInfo(strB).size() && sha256Of(strA) == sha256Of(strB);
}

// Writes the bytes under strTemp and puts them in place of strPath; the reason when any step fails
// (the old file then stays as it was).
QString replaceWhole(const QString &strPath, const QByteArray &bytes, const QString &strTemp)
{
    QFile file(strTemp);
    bool bWritten = file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size() &&
                    file.flush() && fsync(file.handle()) == 0;
    QString strError = bWritten ? QString() : (file.error() != QFileDevice::NoError ? file.errorString() : systemError(errno));
    file.close();
    if (bWritten && ::rename(QFile::encodeName(strTemp).constData(), QFile::encodeName(strPath).constData()) != 0)
        strError = systemError(errno);
    if (!strError.isEmpty()) QFile::remove(strTemp);
    return strError;
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
    QString strPath;  // the temporary file written
    QString strFinal; // the name it gets when complete
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
    if (choices.strSavePath.trimmed().isEmpty() || QDir::isRelativePath(choices.strSavePath))
        return tr("Choose the folder to save to: a full path, such as %1").arg(QDir::homePath() + "/Videos");
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
        m_earlyResults.clear();
        m_bWorkerDone = false;
        m_bFinishSent = false;
    }
    {
        QMutexLocker locker(&m_leftMutex);
        m_leftFiles.clear();
        m_held.clear();
    }
    static std::atomic<int> s_nRuns{0};
    m_strRunId = QString("%1-%2").arg(QCoreApplication::applicationPid()).arg(++s_nRuns);
    m_runErrors.clear();
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
    QList<ConvertRecord> records;
    {
        QWriteLocker locker(&m_convertLock);
        records = m_conversions.values();
        m_conversions.clear();
    }
    // Not under the table's lock: cancelling waits for the conversion's thread, which removes its
    // unfinished MP4; the raw file it read was this run's alone.
    for (const ConvertRecord &record : records) {
        CConvertToMp4::cancel(record.nHandle);
        if (record.strSource != record.strFinal) QFile::remove(record.strSource);
        for (int nIndex : record.entries) status(nIndex, colStatus, tr("Export cancelled"));
    }
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
    QString strText = m_nFailed == 0 ? tr("Export Finish")
                                     : tr("Export finished: %1 of %2 files failed").arg(m_nFailed).arg(runEntryCount());
    if (m_runErrors.isEmpty()) return strText;
    return (m_nFailed == 0 ? tr("Export failed") + ": " : strText + "; ") + m_runErrors.join("; ");
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
    openIndexFile();
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
    return m_bStop ? 0 : 1;
}

bool CExportWorker::inRange(int nIndex, QTime &clipBegin, QTime &clipEnd)
{
    const ExportEntry &entry = m_entries[nIndex];
    if (!entry.begin.isValid() || !entry.end.isValid()) {
        // The directory's times name the recording; one that is no time cannot be placed in the range.
        const QString strTimes = entry.strName.left(17);
        const QString strDamaged = (QTime::fromString(strTimes.left(8), "hh.mm.ss").isValid() ? strTimes.mid(9, 8)
                                                                                                 : strTimes.left(8))
                                       .replace('.', ':');
        status(nIndex, colStatus, tr("Export failed") + ": " + tr("damaged time in the directory: %1").arg(strDamaged));
        qWarning().noquote() << "File " << entry.strPath << " has a damaged time: " << strDamaged;
        ++m_nFailed;
        return false;
    }
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
    if (params.isH265()) strName = withExtension(strName, "h265");

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
    if (m_choices.nExportType == typeSingle) finishOutput({nIndex}, out.strPath, out.strFinal, true);
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
    out.strFinal = strFolder + strName;
    out.strPath = temporaryPath(out.strFinal);

    unsigned int nFlags = CFSFile::modeWrite | CFSFile::modeCreate;
    if (m_choices.nExportType == typeSingle) {
        m_group.clear();
    } else if (joinsMerge(entry.nChannel, (quint64)out.nSourceLength, params)) {
        MergeState &state = m_merge[entry.nChannel];
        out.bAppended = true;
        out.nPrevSize = state.nSize;
        out.prevGroupEnd = m_groupEnd;
        out.strPath = state.strPath;
        out.strFinal = state.strFinal;
        out.nStartOffset = QFileInfo(state.strPath).size();
        state.nSize += (quint64)out.nSourceLength;
        m_groupEnd = end;
        nFlags |= CFSFile::modeNoTruncate;
    } else {
        closeGroup(true);
        m_groupBegin = begin;
        m_groupEnd = end;
        m_merge[entry.nChannel] = {(quint64)out.nSourceLength, out.strPath, out.strFinal, params};
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
    m_strGroupFinal = out.strFinal;
    status(nIndex, colPath, shownPath(out.strFinal));
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
    status(nIndex, colPath, QString()); // nothing of the entry is left to point at
    if (out.bAppended) {
        QFile::resize(out.strPath, out.nStartOffset);
        m_merge[nChannel].nSize = out.nPrevSize;
        m_groupEnd = out.prevGroupEnd;
        return;
    }
    if (!out.strPath.isEmpty()) QFile::remove(out.strPath);
    if (out.bNewFile) m_merge.remove(nChannel);
}

// The group's merged file under its final name, delivered or converted.
void CExportWorker::closeGroup(bool bConvert)
{
    if (m_group.isEmpty()) return;
    const QString strFinal = renameMergFile(m_group, m_strGroupFinal, m_groupBegin, m_groupEnd);
    finishOutput(m_group, m_strCurOutput, strFinal, bConvert);
    m_group.clear();
}

// A complete output written under its temporary name: delivered as it is, or converted first
// (a stopped run delivers the raw file it has).
void CExportWorker::finishOutput(const QList<int> &entries, const QString &strTemp, const QString &strFinal,
                                 bool bConvert)
{
    if (m_choices.nFormat == formatMp4 && bConvert)
        convertToMp4(entries, strTemp, strFinal, 0);
    else
        deliver(entries, strTemp, strFinal);
}

// The merged file's name by its time range: the begin of its first recording and the end of its last.
QString CExportWorker::renameMergFile(const QList<int> &entries, const QString &strPath, const QTime &begin,
                                      const QTime &end)
{
    QString strResult = strPath;
    const QString strBegin = CRecordName::nameTime(begin, false), strEnd = CRecordName::nameTime(end, true);
    const int nPos = begin.isValid() && end.isValid() ? strPath.indexOf(strBegin, strPath.lastIndexOf('/') + 1) : -1;
    if (nPos >= 0) strResult = strPath.left(nPos) + strBegin + "-" + strEnd + strPath.mid(nPos + NAME_TIMES_LENGTH);
    qDebug().noquote() << "ReName " << strPath << " To " << strResult;
    for (int nIndex : entries) status(nIndex, colPath, shownPath(strResult));
    return strResult;
}

// ---- delivery

// The run writes every file under a hidden name of its own beside the final one, so that nothing a
// run has not finished, and nothing an earlier run delivered, is ever touched on the way.
QString CExportWorker::temporaryPath(const QString &strFinal) const
{
    return partPath(strFinal, m_strRunId);
}

QString CExportWorker::partPath(const QString &strFinal, const QString &strRun)
{
    const int nSlash = strFinal.lastIndexOf('/');
    return strFinal.left(nSlash + 1) + "." + strFinal.mid(nSlash + 1) + ".part-" + strRun;
}

QString CExportWorker::withExtension(const QString &strPath, const char *pExtension)
{
    const int nDot = strPath.lastIndexOf('.');
    const QString strStem = nDot > strPath.lastIndexOf('/') ? strPath.left(nDot) : strPath;
    return strStem + "." + QLatin1String(pExtension);
}

// A finished file under its final name; one whose name an earlier file already has waits for the
// front end's decision (resolveHeld), unless the run replaces existing files.
void CExportWorker::deliver(const QList<int> &entries, const QString &strTemp, const QString &strFinal)
{
    if (strTemp == strFinal) { // already in place
        addLeftFile(strFinal, m_choices.bHashWhenComplete ? sha256Of(strFinal) : QString());
        return;
    }
    if (QFileInfo::exists(strFinal) && !m_choices.bReplaceExisting) {
        if (sameContent(strTemp, strFinal)) { // an earlier run delivered these very bytes
            QFile::remove(strTemp);
            moveIntoPlace(entries, strFinal, strFinal);
            return;
        }
        QMutexLocker locker(&m_leftMutex);
        m_held.append({entries, strTemp, strFinal});
        return;
    }
    moveIntoPlace(entries, strTemp, strFinal);
}

void CExportWorker::moveIntoPlace(const QList<int> &entries, const QString &strTemp, const QString &strFinal)
{
    if (strTemp != strFinal && ::rename(QFile::encodeName(strTemp).constData(), QFile::encodeName(strFinal).constData()) != 0) {
        const QString strError = tr("cannot name the file %1: %2").arg(strFinal, systemError(errno));
        QFile::remove(strTemp);
        for (int nIndex : entries) {
            status(nIndex, colStatus, tr("Export failed") + ": " + strError);
            ++m_nFailed;
        }
        return;
    }
    if (m_choices.nFormat == formatRaw) appendIndexLine(entries, strFinal);
    addLeftFile(strFinal, m_choices.bHashWhenComplete ? sha256Of(strFinal) : QString());
}

QStringList CExportWorker::heldFiles() const
{
    QMutexLocker locker(&m_leftMutex);
    QStringList files;
    for (const Held &held : m_held) files << held.strFinal;
    return files;
}

void CExportWorker::resolveHeld(bool bReplace)
{
    QList<Held> held;
    {
        QMutexLocker locker(&m_leftMutex);
        held.swap(m_held);
    }
    for (const Held &h : held) {
        if (bReplace) {
            moveIntoPlace(h.entries, h.strTemp, h.strFinal);
            continue;
        }
        QFile::remove(h.strTemp);
        for (int nIndex : h.entries) {
            status(nIndex, colStatus, tr("Not exported: %1 exists").arg(relativePath(h.strFinal)));
            ++m_nFailed;
        }
    }
}

// ---- conversions

void CExportWorker::convertToMp4(const QList<int> &entries, const QString &strSrcPath, int nRetry)
{
    convertToMp4(entries, strSrcPath, strSrcPath, nRetry);
}

void CExportWorker::convertToMp4(const QList<int> &entries, const QString &strSrcPath, const QString &strFinal,
                                 int nRetry)
{
    if (m_bCancelled) { // a cancelled run starts nothing new
        if (strSrcPath != strFinal) QFile::remove(strSrcPath);
        return;
    }
    const QString strFinalMp4 = CConvertToMp4::mp4Path(strFinal);
    // A file of this run converts under a temporary name; a file already in place converts beside it.
    const QString strDst = strSrcPath == strFinal ? strFinalMp4 : temporaryPath(strFinalMp4);
    ConvertRecord record{nRetry, 0, entries, strSrcPath, strDst, strFinal, strFinalMp4};
    // The record and the messages that came before it meet under one lock, so a result that
    // arrives before the record is stored is never lost.
    int nEarly = 0;
    bool bEarly = false;
    {
        QWriteLocker locker(&m_convertLock);
        record.nHandle = CConvertToMp4::instance()->ConvertH264ToMp4V2(strSrcPath, strDst);
        if (record.nHandle >= 1) {
            bEarly = m_earlyResults.contains(record.nHandle);
            nEarly = m_earlyResults.take(record.nHandle);
            if (!bEarly) m_conversions.insert(record.nHandle, record);
        }
    }
    qDebug().noquote() << "Convert " << strSrcPath << " To " << strDst << "  Result " << record.nHandle;
    if (record.nHandle < 1) {
        conversionFailed(record, tr("Start convert failed ") + QString("Err = %1").arg(record.nHandle));
        return;
    }
    for (int nIndex : entries) status(nIndex, colStatus, tr("Converting") + "(0%)");
    if (bEarly) conversionEnded(record, nEarly);
}

int CExportWorker::dealWithConvertProcess(int nHandle, int nValue)
{
    ConvertRecord record;
    bool bFound;
    {
        QWriteLocker locker(&m_convertLock);
        auto it = m_conversions.find(nHandle);
        bFound = it != m_conversions.end();
        if (bFound) {
            record = *it;
            if (nValue < 0 || nValue > 99) m_conversions.erase(it);
        } else if (nValue < 0 || nValue > 99) {
            m_earlyResults.insert(nHandle, nValue);
        }
    }
    if (!bFound) return 0;
    if (nValue < 0 || nValue > 99) {
        conversionEnded(record, nValue);
    } else {
        const QString strStatus = QString("%1 (%2%)").arg(tr("Converting")).arg(nValue);
        for (int nIndex : record.entries) status(nIndex, colStatus, strStatus);
    }
    return 0;
}

// A conversion's last message: the MP4 delivered and its raw source given up, or a retry, or the
// raw file delivered instead with the reason the conversion failed.
void CExportWorker::conversionEnded(const ConvertRecord &record, int nValue)
{
    if (nValue > 99) {
        for (int nIndex : record.entries) status(nIndex, colStatus, tr("Convert finish"));
        qDebug().noquote() << record.strSource << " Convet To " << record.strDestination << " Status Convert finish";
        deliver(record.entries, record.strDestination, record.strFinalMp4);
        emit removeSrcFile(record.strSource);
    } else {
        const QString strReason = CConvertToMp4::instance()->takeFailureReason(record.nHandle);
        CConvertToMp4::cancel(record.nHandle);
        if (nValue == RETRIED_CONVERT_ERROR && record.nRetry + 1 <= MAX_CONVERT_RETRIES) {
            qDebug().noquote() << "Re Convert MP4 " << record.strSource;
            convertToMp4(record.entries, record.strSource, record.strFinal, record.nRetry + 1);
        } else {
            conversionFailed(record, QString("%1 %2").arg(tr("Convert failed")).arg(nValue) +
                                         (strReason.isEmpty() ? QString() : ": " + strReason));
        }
    }
    maybeFinishRun();
}

// The raw copy stays, under its own name, beside the failure.
void CExportWorker::conversionFailed(const ConvertRecord &record, const QString &strStatus)
{
    m_nFailed += record.entries.size();
    qDebug().noquote() << record.strSource << " Convet To " << record.strDestination << " Status " << strStatus;
    for (int nIndex : record.entries) status(nIndex, colStatus, strStatus);
    deliver(record.entries, record.strSource, record.strFinal);
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

// The lines "index.data" holds already: a file delivered again gets no second line.
void CExportWorker::openIndexFile()
{
    QDir().mkpath(m_choices.strSavePath);
    m_indexLines.clear();
    QFile existing(m_choices.strSavePath + "/index.data");
    if (existing.open(QIODevice::ReadOnly))
        while (!existing.atEnd()) m_indexLines.insert(QString::fromLocal8Bit(existing.readLine()).trimmed());
}

// The file's line in "index.data", once; a line that cannot be written fails its entries.
void CExportWorker::appendIndexLine(const QList<int> &entries, const QString &strPath)
{
    const QString strLine = relativePath(strPath);
    QMutexLocker locker(&m_indexMutex);
    if (m_indexLines.contains(strLine)) return;
    QFile index(m_choices.strSavePath + "/index.data");
    const QByteArray line = (strLine + "\r\n").toLocal8Bit();
    if (index.open(QIODevice::WriteOnly | QIODevice::Append) && index.write(line) == line.size() && index.flush()) {
        m_indexLines.insert(strLine);
        return;
    }
    const QString strError = tr("cannot write %1: %2").arg("index.data", index.errorString());
    qWarning().noquote() << "Cannot write the export index line of" << strPath << strError;
    for (int nIndex : entries) {
        status(nIndex, colStatus, tr("Export failed") + ": " + strError);
        ++m_nFailed;
    }
}

QString CExportWorker::relativePath(const QString &strPath) const
{
    return strPath.mid(m_choices.strSavePath.length() + 1).replace('\\', '/');
}

void CExportWorker::addLeftFile(const QString &strPath, const QString &strSha256)
{
    QMutexLocker locker(&m_leftMutex);
    for (LeftFile &file : m_leftFiles) {
        if (file.strPath != strPath) continue;
        file.strSha256 = strSha256;
        return;
    }
    m_leftFiles.append({strPath, strSha256});
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
        if (file.strSha256.isEmpty()) {
            file.strSha256 = sha256Of(file.strPath);
            addLeftFile(file.strPath, file.strSha256);
        }
        left.append(file);
    }
    return left;
}

// SHA256SUMS anew: one line per file present, the files given with their new sums, written under
// a temporary name and put in place, so that the old list stays whole when the disk is full.
bool CExportWorker::appendChecksums(const QList<LeftFile> &files)
{
    const QString strPath = m_choices.strSavePath + "/SHA256SUMS";
    QMap<QByteArray, QByteArray> lines; // by relative path, in path order
    QFile old(strPath);
    if (old.open(QIODevice::ReadOnly)) {
        while (!old.atEnd()) {
            const QByteArray line = old.readLine().trimmed();
            const int nSpace = line.indexOf("  ");
            if (nSpace < 0) continue;
            const QByteArray path = line.mid(nSpace + 2);
            if (QFileInfo(m_choices.strSavePath + "/" + QFile::decodeName(path)).isFile()) lines.insert(path, line);
        }
    }
    for (const LeftFile &file : files) {
        const QByteArray path = QFile::encodeName(relativePath(file.strPath));
        lines.insert(path, file.strSha256.toLatin1() + "  " + path);
    }
    QByteArray text;
    for (const QByteArray &line : lines) text += line + "\n";
    const QString strError = replaceWhole(strPath, text, temporaryPath(strPath));
    if (strError.isEmpty()) return true;
    m_runErrors << tr("cannot write %1: %2").arg("SHA256SUMS", strError);
    qWarning().noquote() << m_runErrors.last();
    return false;
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
    QList<LeftFile> files = leftFiles();
    const bool bSums = appendChecksums(files);
    const CExportLog::Run run = finishLog(startTime);
    if (CExportLog::append(run)) return bSums;
    m_runErrors << tr("cannot write the export log %1").arg(CExportLog::filePath(run.startTime.date()));
    qWarning().noquote() << m_runErrors.last();
    return false;
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

