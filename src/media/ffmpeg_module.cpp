// The module's one exported symbol: the table of FFmpeg-backed entry points.
#include "ffmpeg_module.h"

extern "C" __attribute__((visibility("default"))) const KorvaneFFmpegModule *korvane_ffmpeg_module()
{
    static const KorvaneFFmpegModule module = {kKorvaneFFmpegModuleVersion, &TPLAY_StartConvertFile,
                                               &TPLAY_CancelConvertFile};
    return &module;
}
