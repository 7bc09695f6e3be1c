// What TSDK_Init kept, for the other parts of the media library.
#pragma once

#include "tnetsdk.h"

namespace korvane::media {

// False until TSDK_Init has run; otherwise a copy of the record it was given.
bool initRecord(TSDK_INIT_PARAM *out);
// FFmpeg's informational lines would reach the program's stderr; only errors remain. Idempotent.
void quietFFmpegLog();

} // namespace korvane::media
