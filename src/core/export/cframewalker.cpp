#include "cframewalker.h"

#include "common/cdiskreadlocker.h"
#include "common/cfsfile.h"

#include <QCoreApplication>
#include <QDebug>

#include <cerrno>
#include <cstring>

CFrameWalker::CFrameWalker(CFSFile &source, qint64 nChunk, bool bUntimedToo)
    : m_source(source), m_buffer(int(nChunk), Qt::Uninitialized), m_parser(H264_PARSER_Create(0)),
      m_bUntimedToo(bUntimedToo), m_bRecorderDisk(source.GetFilePath().startsWith("/mnt/ide"))
{
}

const H264_PARSER_FRAME *CFrameWalker::next()
{
    while (!failed()) {
        if (const H264_PARSER_FRAME *pFrame = H264_PARSER_GetNextFrame(m_parser.get())) {
            if (pFrame->nYear == 0 && !m_bUntimedToo) continue;
            return pFrame;
        }
        if (m_bEnd || (m_nLimit >= 0 && m_nRead >= m_nLimit) || !readChunk()) return nullptr;
    }
    return nullptr;
}

bool CFrameWalker::readChunk()
{
    qint64 nRead;
    errno = 0;
    {
        CDiskReadLocker locker(m_bRecorderDisk);
        nRead = m_source.Read(m_buffer.data(), m_buffer.size());
    }
    if (nRead <= 0) {
        m_bEnd = true;
        m_nReadErrno = errno;
        if (nRead < 0) m_strError = QString::fromLocal8Bit(strerror(errno ? errno : EIO));
        return false;
    }
    m_nRead += nRead;
    if (H264_PARSER_InputData(m_parser.get(), (const unsigned char *)m_buffer.constData(), (uint32_t)nRead) < 0) {
        m_strError = QCoreApplication::translate("CFrameWalker", "the stream parser refused the data");
        qWarning().noquote() << m_source.GetFilePath() << ":" << m_strError << "at byte" << m_nRead;
        return false;
    }
    if (m_chunkRead) m_chunkRead(m_nRead);
    return true;
}

QString CFrameWalker::shortfall(qint64 nLength) const
{
    if (failed()) return m_strError;
    if (m_nRead >= nLength) return QString();
    return CFSFile::EndedEarly(m_source.GetFilePath(), m_nRead, nLength, m_nReadErrno);
}

QDateTime CFrameWalker::frameTime(const H264_PARSER_FRAME &frame)
{
    if (frame.nYear == 0) return QDateTime();
    return QDateTime(QDate((int)frame.nYear, (int)frame.nMonth, (int)frame.nDay), frameClock(frame));
}

QTime CFrameWalker::frameClock(const H264_PARSER_FRAME &frame)
{
    return QTime((int)frame.nHour, (int)frame.nMinute, (int)frame.nSecond);
}
