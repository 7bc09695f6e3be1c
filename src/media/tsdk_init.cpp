#include "decode_threads.h"
#include "sdk_state.h"

#include <QDebug>

#include <mutex>

namespace korvane::media {
namespace {
std::mutex g_initMutex;
bool g_initialised = false;
TSDK_INIT_PARAM g_init{};
} // namespace

bool initRecord(TSDK_INIT_PARAM *out)
{
    std::lock_guard<std::mutex> lock(g_initMutex);
    if (g_initialised && out) *out = g_init;
    return g_initialised;
}

} // namespace korvane::media

// The first record is kept; later calls change nothing and succeed.
extern "C" int32_t TSDK_Init(const TSDK_INIT_PARAM *pInit)
{
    using namespace korvane::media;
    if (!pInit) return TSDK_ERR_ARGUMENT;
    quietFFmpegLog();
    std::lock_guard<std::mutex> lock(g_initMutex);
    if (!g_initialised) {
        g_init = *pInit;
        g_init.szLogDir[sizeof g_init.szLogDir - 1] = '\0';
        g_init.szLogDir2[sizeof g_init.szLogDir2 - 1] = '\0';
        g_initialised = true;
        qDebug().noquote() << "media: decoding threads:" << QString::fromStdString(decodeThreadsRule());
    }
    return 0;
}
