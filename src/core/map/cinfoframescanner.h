// Finds the information frames of a recorder stream that arrives in pieces, reading only
// frame headers and the information texts: pictures and sound are stepped over, never
// copied, so a long recording is scanned at the speed it can be read. The framing is the
// stream parser's (recorder_frame.h): a start code with a frame type and a plausible size,
// and after junk a search for the next start code. Each text comes with the packed time
// of the key frame before it (0 before the first key frame).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>

class CInfoFrameScanner
{
public:
    using InfoHandler = std::function<void(const char *pText, int nLength, uint32_t nStamp)>;

    explicit CInfoFrameScanner(InfoHandler onInfo, size_t nPieceBytes = 1 << 20);

    // Where the next piece goes, room for pieceBytes(); then scan(n) with the bytes written. It is
    // always the same page-aligned place: the kernel copies into aligned buffers several times faster.
    char *piece() { return reinterpret_cast<char *>(m_buffer.get() + m_nPieceAt); }
    size_t pieceBytes() const { return m_nPieceBytes; }
    void scan(size_t nBytes);

private:
    // The frame at nPos: its length when it is whole or can be stepped over, 0 to wait for more bytes.
    size_t takeFrame(size_t nPos, size_t nEnd);
    // Past junk to the next start code; the position, or where a partial start code may begin.
    size_t nextStartCode(size_t nPos, size_t nEnd) const;

    InfoHandler m_onInfo;
    size_t m_nPieceBytes;
    struct Free {
        void operator()(uint8_t *p) const { free(p); }
    };
    std::unique_ptr<uint8_t, Free> m_buffer; // what is left of the last piece, just before the next piece
    size_t m_nPieceAt;
    size_t m_nCarry = 0;
    uint64_t m_nSkip = 0; // bytes of a frame still to step over
    uint32_t m_nStamp = 0;
};
