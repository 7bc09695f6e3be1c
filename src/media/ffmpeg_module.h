// What the on-demand FFmpeg module korvane-ffmpeg.so offers to programs that do not link FFmpeg.
#pragma once

#include "tnetsdk.h"

extern "C" {

struct KorvaneFFmpegModule {
    int32_t nVersion; // kKorvaneFFmpegModuleVersion of the build that made the module
    int32_t (*startConvertFile)(const TSDK_CALLBACK_INFO *, const char *, const char *, const char *);
    int32_t (*cancelConvertFile)(int32_t);
};

const KorvaneFFmpegModule *korvane_ffmpeg_module();

} // extern "C"

constexpr int32_t kKorvaneFFmpegModuleVersion = 1;
constexpr const char *kKorvaneFFmpegModuleFile = "korvane-ffmpeg.so";
constexpr const char *kKorvaneFFmpegModuleSymbol = "korvane_ffmpeg_module";
