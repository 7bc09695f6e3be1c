// The TPLAY_ player calls over the player table. Nothing thrown crosses them.
#include "player_registry.h"

#include <new>

using korvane::media::Player;

namespace {

template <typename Call> int32_t withPlayer(int32_t handle, Call &&call)
{
    try {
        std::shared_ptr<Player> player = korvane::media::findPlayer(handle);
        return player ? call(*player) : TSDK_ERR_UNKNOWN_HANDLE;
    } catch (...) {
        return TSDK_ERR_ARGUMENT;
    }
}

template <typename Open> int32_t openPlayer(const TSDK_CALLBACK_INFO *callback, TSDK_WINDOW window, Open &&open)
{
    try {
        const int handle = korvane::media::newPlayerHandle();
        if (handle <= 0) return TSDK_ERR_ARGUMENT;
        const TSDK_CALLBACK_INFO none{};
        auto player = std::make_shared<Player>(handle, callback ? *callback : none, window);
        if (!open(*player)) {
            player->stop();
            return TSDK_ERR_SOURCE_OPEN;
        }
        korvane::media::addPlayer(handle, std::move(player));
        return handle;
    } catch (...) {
        return TSDK_ERR_ARGUMENT;
    }
}

} // namespace

extern "C" {

int32_t TPLAY_OpenPlay(const TSDK_CALLBACK_INFO *pCallBack, TSDK_WINDOW hWnd, int32_t nBufferSize, int32_t, int32_t)
{
    return openPlayer(pCallBack, hWnd, [&](Player &player) {
        player.openPush(nBufferSize);
        return true;
    });
}

int32_t TPLAY_OpenFilePlay(const TSDK_CALLBACK_INFO *pCallBack, const char *szFilePath, TSDK_WINDOW hWnd, int32_t,
                           int32_t)
{
    if (!szFilePath || !*szFilePath) return TSDK_ERR_ARGUMENT;
    return openPlayer(pCallBack, hWnd, [&](Player &player) { return player.openFile(szFilePath); });
}

int32_t TPLAY_Play(int32_t hPlay)
{
    return withPlayer(hPlay, [](Player &p) { return p.play(); });
}

int32_t TPLAY_Stop(int32_t hPlay)
{
    try {
        std::shared_ptr<Player> player = korvane::media::takePlayer(hPlay);
        if (!player) return TSDK_ERR_UNKNOWN_HANDLE;
        player->stop();
        return 0;
    } catch (...) {
        return TSDK_ERR_ARGUMENT;
    }
}

int32_t TPLAY_PushMediaData(int32_t hPlay, const unsigned char *pData, int32_t nLength)
{
    return withPlayer(hPlay, [&](Player &p) { return p.push(pData, nLength); });
}

int32_t TPLAY_ForcePlayEnd(int32_t hPlay)
{
    return withPlayer(hPlay, [](Player &p) { return p.forcePlayEnd(); });
}

int32_t TPLAY_Pause(int32_t hPlay, int32_t bPause)
{
    return withPlayer(hPlay, [&](Player &p) { return p.pause(bPause != 0); });
}

int32_t TPLAY_SetPlaySpeed(int32_t hPlay, int32_t nStep)
{
    return withPlayer(hPlay, [&](Player &p) { return p.setSpeed(nStep); });
}

int32_t TPLAY_PlayNextFrame(int32_t hPlay)
{
    return withPlayer(hPlay, [](Player &p) { return p.step(+1); });
}

int32_t TPLAY_PlayPreviousFrame(int32_t hPlay)
{
    return withPlayer(hPlay, [](Player &p) { return p.step(-1); });
}

int32_t TPLAY_SetPlayPosition(int32_t hPlay, int32_t nPercent)
{
    return withPlayer(hPlay, [&](Player &p) { return p.setPosition(nPercent); });
}

int32_t TPLAY_PlaySound(int32_t hPlay)
{
    return withPlayer(hPlay, [](Player &p) { return p.playSound(); });
}

int32_t TPLAY_StopSound(int32_t hPlay)
{
    return withPlayer(hPlay, [](Player &p) { return p.stopSound(); });
}

int32_t TPLAY_CatchPictureSyn(int32_t hPlay, const char *szJpegPath, int32_t nTimeoutMs)
{
    if (!szJpegPath) return TSDK_ERR_ARGUMENT;
    return withPlayer(hPlay, [&](Player &p) { return p.snapshot(szJpegPath, nTimeoutMs); });
}

int32_t TPLAY_StartRecordData(int32_t hPlay, const char *szClipPath)
{
    if (!szClipPath) return TSDK_ERR_ARGUMENT;
    return withPlayer(hPlay, [&](Player &p) { return p.startClip(szClipPath); });
}

int32_t TPLAY_StopRecordData(int32_t hPlay)
{
    return withPlayer(hPlay, [](Player &p) { return p.stopClip(); });
}

int32_t TPLAY_PlaySetDisplayRegion(int32_t hPlay, const TSDK_RECT *pRegion)
{
    return withPlayer(hPlay, [&](Player &p) { return p.setRegion(pRegion); });
}

int32_t TPLAY_Synor_Join(int32_t hMainPlay, int32_t hPlay)
{
    if (hMainPlay == hPlay) return TSDK_ERR_ARGUMENT;
    std::shared_ptr<Player> main = korvane::media::findPlayer(hMainPlay);
    if (!main) return TSDK_ERR_UNKNOWN_HANDLE;
    return withPlayer(hPlay, [&](Player &p) {
        p.shareClock(main->clock());
        return 0;
    });
}

} // extern "C"
