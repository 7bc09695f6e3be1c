// The stream parser's C interface: recorder frames out of a byte stream fed in arbitrary chunks.
// create; repeatedly input one chunk and fetch frames until null; destroy. One thread per parser.
#pragma once

#include <cstddef>
#include <cstdint>

extern "C" {

typedef void *H264_PARSER_HANDLE;

enum H264_PARSER_FRAME_TYPE { H264_FRAME_VIDEO = 1, H264_FRAME_AUDIO = 2, H264_FRAME_INFO = 3 };
enum H264_PARSER_ENCODE_TYPE { H264_ENCODE_H264 = 2, H264_ENCODE_H265 = 5 };

// One frame, valid (with the bytes it points at) until the next call on the same parser.
// Every frame after a key frame carries that key frame's time, rate, size and encode type;
// frames before the first key frame carry zeros.
typedef struct H264_PARSER_FRAME {
    const unsigned char *pData;    // the frame as stored, header included
    const unsigned char *pPayload; // the bytes after the recorder header
    uint32_t nLength;              // whole frame length
    uint32_t nPayloadLength;
    uint32_t nFrameType; // H264_PARSER_FRAME_TYPE
    uint32_t nSubType;   // video: 0 key frame, 1 other; audio: codec (14 A-law, 10 mu-law); information: kind
    uint32_t nEncodeType; // H264_PARSER_ENCODE_TYPE
    uint32_t nYear;       // 0: no time
    uint32_t nMonth;
    uint32_t nDay;
    uint32_t nHour;
    uint32_t nMinute;
    uint32_t nSecond;
    uint32_t nStamp; // the key frame's packed date-time
    uint32_t nFrameRate;
    uint32_t nWidth;
    uint32_t nHeight;
} H264_PARSER_FRAME;

H264_PARSER_HANDLE H264_PARSER_Create(int nReserved);
// Negative when the chunk is rejected (null data, or more than 64 MiB would wait unfetched).
int32_t H264_PARSER_InputData(H264_PARSER_HANDLE hParser, const unsigned char *pData, uint32_t nLength);
// The next complete frame in stream order, or null when none is buffered.
H264_PARSER_FRAME *H264_PARSER_GetNextFrame(H264_PARSER_HANDLE hParser);
int32_t H264_PARSER_Destroy(H264_PARSER_HANDLE hParser);

} // extern "C"

static_assert(offsetof(H264_PARSER_FRAME, pData) == 0, "frame record layout");
static_assert(offsetof(H264_PARSER_FRAME, nLength) == 16, "frame record layout");
static_assert(offsetof(H264_PARSER_FRAME, nFrameType) == 24, "frame record layout");
static_assert(offsetof(H264_PARSER_FRAME, nSubType) == 28, "frame record layout");
static_assert(offsetof(H264_PARSER_FRAME, nEncodeType) == 32, "frame record layout");
static_assert(offsetof(H264_PARSER_FRAME, nYear) == 36, "frame record layout");
static_assert(offsetof(H264_PARSER_FRAME, nMonth) == 40, "frame record layout");
static_assert(offsetof(H264_PARSER_FRAME, nDay) == 44, "frame record layout");
static_assert(offsetof(H264_PARSER_FRAME, nHour) == 48, "frame record layout");
static_assert(offsetof(H264_PARSER_FRAME, nMinute) == 52, "frame record layout");
static_assert(offsetof(H264_PARSER_FRAME, nSecond) == 56, "frame record layout");
static_assert(offsetof(H264_PARSER_FRAME, nFrameRate) == 64, "frame record layout");
static_assert(offsetof(H264_PARSER_FRAME, nWidth) == 68, "frame record layout");
static_assert(offsetof(H264_PARSER_FRAME, nHeight) == 72, "frame record layout");
