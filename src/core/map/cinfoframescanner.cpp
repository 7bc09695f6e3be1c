#include "cinfoframescanner.h"

#include "recorder_frame.h"

#include <algorithm>
#include <cstring>
#include <new>

using namespace korvane::media;

namespace {
// The longest part of a frame kept from one piece to the next: a whole information frame.
const size_t MAX_CARRY_BYTES = kShortHeaderBytes + 0xFFFF;
const size_t PAGE_BYTES = 4096;
const size_t PIECE_AT = (MAX_CARRY_BYTES + PAGE_BYTES - 1) / PAGE_BYTES * PAGE_BYTES;

bool isStartCode(const uint8_t *p)
{
    return p[0] == 0 && p[1] == 0 && p[2] == 1 && isFrameType(p[3]);
}
} // namespace

CInfoFrameScanner::CInfoFrameScanner(InfoHandler onInfo, size_t nPieceBytes)
    : m_onInfo(std::move(onInfo))
    , m_nPieceBytes(nPieceBytes)
    , m_buffer(static_cast<uint8_t *>(aligned_alloc(PAGE_BYTES, PIECE_AT + (nPieceBytes + PAGE_BYTES - 1) / PAGE_BYTES * PAGE_BYTES)))
    , m_nPieceAt(PIECE_AT)
{
    if (!m_buffer) throw std::bad_alloc();
}

size_t CInfoFrameScanner::nextStartCode(size_t nPos, size_t nEnd) const
{
    const uint8_t *data = m_buffer.get();
    for (size_t i = nPos + 2; i + 1 < nEnd;) {
        const void *one = memchr(data + i, 1, nEnd - 1 - i);
        if (!one) break;
        i = size_t(static_cast<const uint8_t *>(one) - data);
        if (isStartCode(data + i - 2)) return i - 2;
        ++i;
    }
    return nEnd - std::min<size_t>(3, nEnd - nPos);
}

size_t CInfoFrameScanner::takeFrame(size_t nPos, size_t nEnd)
{
    const uint8_t *frame = m_buffer.get() + nPos;
    const size_t nAvailable = nEnd - nPos;
    const uint32_t nHeader = headerBytes(frame[3]);
    if (nAvailable < nHeader) return 0;
    const int64_t nBytes = frameBytes(frame);
    if (!isPlausibleSize(nBytes, nHeader)) return 1; // not a frame after all: on by one byte
    if (frame[3] == kTypeKey) m_nStamp = readU32(frame + 8);
    if (frame[3] != kTypeInfo) {
        if (size_t(nBytes) <= nAvailable) return size_t(nBytes);
        m_nSkip = uint64_t(nBytes) - nAvailable;
        return nAvailable;
    }
    if (nAvailable < size_t(nBytes)) return 0;
    m_onInfo(reinterpret_cast<const char *>(frame + nHeader), int(nBytes - nHeader), m_nStamp);
    return size_t(nBytes);
}

void CInfoFrameScanner::scan(size_t nBytes)
{
    const size_t nBegin = m_nPieceAt - m_nCarry, nEnd = m_nPieceAt + std::min(nBytes, m_nPieceBytes);
    size_t nPos = nBegin + size_t(std::min<uint64_t>(m_nSkip, nEnd - nBegin));
    m_nSkip -= nPos - nBegin;
    while (nPos + 4 <= nEnd) {
        if (!isStartCode(m_buffer.get() + nPos)) {
            nPos = nextStartCode(nPos, nEnd);
            continue;
        }
        const size_t nTaken = takeFrame(nPos, nEnd);
        if (nTaken == 0) break;
        nPos += nTaken;
    }
    m_nCarry = nEnd - nPos;
    memmove(m_buffer.get() + m_nPieceAt - m_nCarry, m_buffer.get() + nPos, m_nCarry);
}
