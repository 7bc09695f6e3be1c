// The media library's C interface: initialisation, players and MP4 conversion.
// Results are signed 32-bit: negative on failure; open and convert calls return a handle above 0.
// Messages reach the caller through the callback of the record passed at open or convert time,
// on the library's own threads, together with the record's user pointer.
#pragma once

#include <cstddef>
#include <cstdint>

extern "C" {

// Native window handle (QWidget::winId() on X11): a 64-bit integer.
typedef unsigned long long TSDK_WINDOW;

// (handle, message id, nParam1, nParam2, nParam3, text, data, data length, reserved, user, reserved) -> 0
typedef int (*TSDK_MSG_CALLBACK)(int nHandle, int nMsgId, int nParam1, int nParam2, int nParam3, const char *szText,
                                 void *pData, int64_t nDataLength, int nReserved, void *pUser, void *pReserved);

typedef struct TSDK_CALLBACK_INFO {
    int32_t nType; // 0
    TSDK_MSG_CALLBACK pCallBack;
    void *pUser;
} TSDK_CALLBACK_INFO;

typedef struct TSDK_INIT_PARAM {
    int32_t nReserved;   // 0
    char szLogDir[256];  // application directory + "/Log/"
    char szLogDir2[256]; // the same
    char szKey1[64];     // 32 lowercase hexadecimal characters each
    char szKey2[128];
    char szKey3[128];
    int32_t nMode; // 7
    TSDK_CALLBACK_INFO msgCallBack;
} TSDK_INIT_PARAM;

// A display region in a picture scaled to 0..8192 on both axes.
typedef struct TSDK_RECT {
    int32_t nLeft;
    int32_t nTop;
    int32_t nRight;
    int32_t nBottom;
} TSDK_RECT;

enum TSDK_MESSAGE {
    EUIMSG_PLAY_START = 30000,
    EUIMSG_PLAY_STOP = 30002,
    EUIMSG_PLAY_RESERVED_30005 = 30005,
    EUIMSG_STREAM_INFO = 30006, // text: JSON {"fps","bits","width","height"}; nParam1..3: begin, current, end (s since 1970)
    EUIMSG_PLAY_RESERVED_30010 = 30010,
    EUIMSG_PLAY_SOUND = 30014,
    EUIMSG_FRAME_INFO = 30020, // data: information text, nParam1: its length
    EUIMSG_COVERT_FILE_RESULT = 30023, // nParam1 negative: the conversion failed (one of TSDK_ERROR)
    EUIMSG_COVERT_FILE_PROCESS = 30024, // nParam1: percent of the input consumed; 100: output complete and closed
    EUIMSG_BUFFER_STATE = 30025, // nParam1: 1 push queue full, 0 below half again
};

enum TSDK_ERROR {
    TSDK_ERR_ARGUMENT = -1,
    TSDK_ERR_SOURCE_OPEN = -2,
    TSDK_ERR_NO_KEY_FRAME = -3,
    TSDK_ERR_CORRUPT_STREAM = -4, // mostly not recorder frames, or key frames without parameter sets
    TSDK_ERR_OUTPUT = -5,         // the destination cannot be created or written
    TSDK_ERR_CODEC = -6,          // an audio decoder or encoder failed
    TSDK_ERR_UNKNOWN_HANDLE = -7,
    TSDK_ERR_BUFFER_FULL = -8, // the push queue stayed full; the frame was not taken
    TSDK_ERR_STATE = -9,       // not possible in the player's mode or state
    TSDK_ERR_READ = -99997, // the source failed part-way through; worth a retry
};

int32_t TSDK_Init(const TSDK_INIT_PARAM *pInit);

int32_t TPLAY_OpenPlay(const TSDK_CALLBACK_INFO *pCallBack, TSDK_WINDOW hWnd, int32_t nBufferSize, int32_t nReserved1,
                       int32_t nReserved2);
int32_t TPLAY_OpenFilePlay(const TSDK_CALLBACK_INFO *pCallBack, const char *szFilePath, TSDK_WINDOW hWnd,
                           int32_t nReserved1, int32_t nReserved2);
int32_t TPLAY_Play(int32_t hPlay);
int32_t TPLAY_Stop(int32_t hPlay);
int32_t TPLAY_PushMediaData(int32_t hPlay, const unsigned char *pData, int32_t nLength);
int32_t TPLAY_ForcePlayEnd(int32_t hPlay);
int32_t TPLAY_Pause(int32_t hPlay, int32_t bPause);
int32_t TPLAY_SetPlaySpeed(int32_t hPlay, int32_t nStep); // -4..+4, 0 normal
int32_t TPLAY_PlayNextFrame(int32_t hPlay);
int32_t TPLAY_PlayPreviousFrame(int32_t hPlay);
int32_t TPLAY_SetPlayPosition(int32_t hPlay, int32_t nPercent);
int32_t TPLAY_PlaySound(int32_t hPlay);
int32_t TPLAY_StopSound(int32_t hPlay);
int32_t TPLAY_CatchPictureSyn(int32_t hPlay, const char *szJpegPath, int32_t nTimeoutMs);
int32_t TPLAY_StartRecordData(int32_t hPlay, const char *szClipPath);
int32_t TPLAY_StopRecordData(int32_t hPlay);
int32_t TPLAY_PlaySetDisplayRegion(int32_t hPlay, const TSDK_RECT *pRegion); // null: the full picture
int32_t TPLAY_Synor_Join(int32_t hMainPlay, int32_t hPlay);

int32_t TPLAY_StartConvertFile(const TSDK_CALLBACK_INFO *pCallBack, const char *szSrcPath, const char *szDstPath,
                               const char *szOptions);
int32_t TPLAY_CancelConvertFile(int32_t hConvert);

} // extern "C"

static_assert(sizeof(TSDK_CALLBACK_INFO) == 24, "callback record layout");
static_assert(offsetof(TSDK_CALLBACK_INFO, pCallBack) == 8, "callback record layout");
static_assert(offsetof(TSDK_CALLBACK_INFO, pUser) == 16, "callback record layout");
static_assert(sizeof(TSDK_INIT_PARAM) == 864, "initialisation record layout");
static_assert(offsetof(TSDK_INIT_PARAM, szLogDir) == 4, "initialisation record layout");
static_assert(offsetof(TSDK_INIT_PARAM, szLogDir2) == 260, "initialisation record layout");
static_assert(offsetof(TSDK_INIT_PARAM, szKey1) == 516, "initialisation record layout");
static_assert(offsetof(TSDK_INIT_PARAM, szKey2) == 580, "initialisation record layout");
static_assert(offsetof(TSDK_INIT_PARAM, szKey3) == 708, "initialisation record layout");
static_assert(offsetof(TSDK_INIT_PARAM, nMode) == 836, "initialisation record layout");
static_assert(offsetof(TSDK_INIT_PARAM, msgCallBack) == 840, "initialisation record layout");
static_assert(sizeof(TSDK_WINDOW) == 8, "window handles are 64-bit");
