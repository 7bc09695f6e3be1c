// The conversion entry points of programs that do not link FFmpeg: the first call loads
// korvane-ffmpeg.so from the program's own folder and forwards every call to it.
#include "ffmpeg_module.h"

#include <dlfcn.h>
#include <linux/limits.h>
#include <unistd.h>

#include <cstdio>
#include <mutex>
#include <string>

namespace {

std::string programFolder()
{
    char path[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0) return ".";
    path[n] = '\0';
    std::string folder(path);
    return folder.substr(0, folder.rfind('/'));
}

const KorvaneFFmpegModule *loadModule()
{
    const std::string path = programFolder() + "/" + kKorvaneFFmpegModuleFile;
    void *handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        fprintf(stderr, "cannot load the FFmpeg module: %s\n", dlerror());
        return nullptr;
    }
    auto entry = reinterpret_cast<const KorvaneFFmpegModule *(*)()>(dlsym(handle, kKorvaneFFmpegModuleSymbol));
    const KorvaneFFmpegModule *module = entry ? entry() : nullptr;
    if (!module || module->nVersion != kKorvaneFFmpegModuleVersion) {
        fprintf(stderr, "cannot load the FFmpeg module: %s is not of this build\n", path.c_str());
        return nullptr;
    }
    return module; // stays loaded for the process: conversion threads run inside it
}

const KorvaneFFmpegModule *module()
{
    static std::once_flag once;
    static const KorvaneFFmpegModule *loaded = nullptr;
    std::call_once(once, [] { loaded = loadModule(); });
    return loaded;
}

} // namespace

extern "C" {

int32_t TPLAY_StartConvertFile(const TSDK_CALLBACK_INFO *pCallBack, const char *szSrcPath, const char *szDstPath,
                               const char *szOptions)
{
    const KorvaneFFmpegModule *m = module();
    return m ? m->startConvertFile(pCallBack, szSrcPath, szDstPath, szOptions) : TSDK_ERR_CODEC;
}

int32_t TPLAY_CancelConvertFile(int32_t hConvert)
{
    const KorvaneFFmpegModule *m = module();
    return m ? m->cancelConvertFile(hConvert) : TSDK_ERR_UNKNOWN_HANDLE;
}

} // extern "C"
