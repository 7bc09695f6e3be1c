// How many threads decode one player's video. Pictures of a million pixels and more (1080p, 4K) get
// FFmpeg's frame threads, as many as the cores give each player that plays, at most kMaxDecodeThreads;
// smaller pictures, and every player when the players outnumber the cores (a video wall), get one.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <thread>

namespace korvane::media {

constexpr int kThreadedPictureArea = 1000000;
constexpr int kMaxDecodeThreads = 4;

inline int decodeThreadsFor(int width, int height, int playersPlaying, int cores)
{
    if (int64_t(width) * height < kThreadedPictureArea) return 1;
    return std::clamp(cores / std::max(playersPlaying, 1), 1, kMaxDecodeThreads);
}

inline int availableCores() { return int(std::max(1u, std::thread::hardware_concurrency())); }

// The rule with this machine's cores, for the log.
inline std::string decodeThreadsRule()
{
    const int cores = availableCores();
    const int alone = decodeThreadsFor(1920, 1080, 1, cores);
    std::string rule = std::to_string(cores) + (cores == 1 ? " core" : " cores") + ": ";
    if (alone == 1) return rule + "every player decodes on one thread";
    return rule + "a player of 1080p or larger pictures decodes on " + std::to_string(alone) +
           " frame threads while it plays alone, on cores / players playing when several play (one when they "
           "outnumber the cores); smaller pictures on one thread per player";
}

} // namespace korvane::media
