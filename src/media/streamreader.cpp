// The stream parser's C entry points over FrameParser; nothing thrown crosses them.
#include "streamreader.h"

#include "frame_parser.h"

#include <new>

using korvane::media::FrameParser;

namespace {
FrameParser *parserOf(H264_PARSER_HANDLE handle) { return static_cast<FrameParser *>(handle); }
} // namespace

extern "C" {

H264_PARSER_HANDLE H264_PARSER_Create(int)
{
    return new (std::nothrow) FrameParser();
}

int32_t H264_PARSER_InputData(H264_PARSER_HANDLE hParser, const unsigned char *pData, uint32_t nLength)
{
    if (!hParser) return -1;
    try {
        return parserOf(hParser)->input(pData, nLength) ? 0 : -1;
    } catch (...) {
        return -1;
    }
}

H264_PARSER_FRAME *H264_PARSER_GetNextFrame(H264_PARSER_HANDLE hParser)
{
    if (!hParser) return nullptr;
    return const_cast<H264_PARSER_FRAME *>(parserOf(hParser)->next());
}

int32_t H264_PARSER_Destroy(H264_PARSER_HANDLE hParser)
{
    delete parserOf(hParser);
    return 0;
}

} // extern "C"
