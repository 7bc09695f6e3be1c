// The frames of a recording as export by time, the stream probe and the cut read them: chunk by
// chunk through the stream parser, each read of the recorder disk ("/mnt/ide...") under the disk
// read lock.
//
// Parser errors: the parser refuses a chunk only when it is given no bytes or when frames pile up
// unfetched. A walker that fetches every frame before it reads on never causes either, so a refusal
// means the stream cannot be trusted: the walk ends as failed with "the stream parser refused the
// data", never by skipping bytes silently. A read that fails ends the walk the same way; a source
// that simply ends ends it without failure, and the caller compares bytesRead() with the length it
// expected to tell a recording cut short.
#pragma once

#include "streamreader.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <functional>
#include <memory>

class CFSFile;

class CFrameWalker
{
public:
    // nChunk bytes per read; untimed frames (before the first key frame) are passed over unless asked for.
    CFrameWalker(CFSFile &source, qint64 nChunk, bool bUntimedToo = false);

    // The next frame, or null at the end of the source or after a failure.
    const H264_PARSER_FRAME *next();
    // Reads no further once nBytes have been read: next() then ends with the frames they hold.
    void setReadLimit(qint64 nBytes) { m_nLimit = nBytes; }
    // Called after every chunk fed to the parser, with the bytes read so far.
    void setChunkRead(std::function<void(qint64)> chunkRead) { m_chunkRead = std::move(chunkRead); }

    qint64 bytesRead() const { return m_nRead; }
    bool failed() const { return !m_strError.isEmpty(); }
    // Why the walk failed: the parser's refusal or the system's reason for the failed read.
    QString error() const { return m_strError; }
    // A failure, or fewer than nLength bytes read although the source ended: what went wrong.
    QString shortfall(qint64 nLength) const;

    static QDateTime frameTime(const H264_PARSER_FRAME &frame);
    static QTime frameClock(const H264_PARSER_FRAME &frame);

private:
    bool readChunk();

    struct ParserDeleter {
        void operator()(void *pParser) const { H264_PARSER_Destroy(pParser); }
    };

    CFSFile &m_source;
    QByteArray m_buffer;
    std::unique_ptr<void, ParserDeleter> m_parser;
    bool m_bUntimedToo;
    bool m_bRecorderDisk;
    bool m_bEnd = false;
    qint64 m_nRead = 0;
    qint64 m_nLimit = -1;
    int m_nReadErrno = 0;
    QString m_strError;
    std::function<void(qint64)> m_chunkRead;
};
