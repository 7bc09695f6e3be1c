// Fuzz target: the recorder stream parser through its C interface. The first two bytes choose
// how the rest is cut into chunks; every frame handed out must lie inside what was fed.
#include "streamreader.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace
{
void check(bool condition)
{
    if (!condition) __builtin_trap();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2) return 0;
    const size_t largest[] = {1, 2, 3, 7, 16, 188, 4096, 65536};
    const size_t maxChunk = largest[data[0] & 7];
    uint32_t state = uint32_t(data[0]) << 8 | data[1];
    data += 2;
    size -= 2;
    H264_PARSER_HANDLE parser = H264_PARSER_Create(0);
    uint64_t framed = 0;
    uint8_t seen = 0;
    for (size_t at = 0; at < size;) {
        state = state * 1103515245u + 12345u;
        const size_t n = std::min(size - at, 1 + (state >> 8) % maxChunk);
        check(H264_PARSER_InputData(parser, data + at, uint32_t(n)) == 0);
        at += n;
        while (const H264_PARSER_FRAME *f = H264_PARSER_GetNextFrame(parser)) {
            check(f->nLength >= 4 && f->nPayloadLength <= f->nLength);
            check(f->pPayload + f->nPayloadLength == f->pData + f->nLength);
            check(memcmp(f->pData, "\0\0\1", 3) == 0);
            check(f->nFrameType >= H264_FRAME_VIDEO && f->nFrameType <= H264_FRAME_INFO);
            seen ^= f->pData[f->nLength - 1];
            framed += f->nLength;
        }
    }
    check(framed <= size);
    H264_PARSER_Destroy(parser);
    volatile uint8_t keep = seen; // every frame's last byte was read
    (void)keep;
    return 0;
}
