#include "sdk_state.h"

extern "C" {
#include <libavutil/log.h>
}

#include <mutex>

namespace korvane::media {

void quietFFmpegLog()
{
    static std::once_flag once;
    std::call_once(once, [] { av_log_set_level(AV_LOG_ERROR); });
}

} // namespace korvane::media
