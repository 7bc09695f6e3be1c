#include "play_clock.h"

#include <algorithm>
#include <cmath>

namespace korvane::media {

namespace {
double seconds(PlayClock::Clock::duration d) { return std::chrono::duration<double>(d).count(); }
} // namespace

double PlayClock::mediaTimeLocked(Clock::time_point now) const
{
    if (!anchored_) return 0;
    if (paused_) return anchorMedia_;
    return anchorMedia_ + seconds(now - anchorWall_) * std::ldexp(1.0, step_);
}

void PlayClock::anchor(double t, Clock::time_point now)
{
    anchored_ = true;
    anchorMedia_ = t;
    anchorWall_ = now;
}

PlayClock::Clock::time_point PlayClock::due(double t, Clock::time_point now)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (!anchored_) anchor(t, now);
    const double ahead = t - mediaTimeLocked(now);
    const double speed = std::ldexp(1.0, step_);
    // A gap is judged in wall time, so fast play over sparse key frames stays paced.
    if (ahead / std::max(speed, 1.0) > kJumpAhead || (!joined_ && ahead < -kPrivateLate)) {
        anchor(t, now);
        return paused_ ? Clock::time_point::max() : now; // a paused player holds even across a gap
    }
    if (paused_) return Clock::time_point::max();
    if (ahead <= 0) return now;
    const auto wait = std::chrono::duration<double>(ahead / speed);
    return now + std::chrono::duration_cast<Clock::duration>(wait);
}

double PlayClock::mediaTime(Clock::time_point now) const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return mediaTimeLocked(now);
}

void PlayClock::holdAt(double t, Clock::time_point now)
{
    std::lock_guard<std::mutex> lock(mutex_);
    anchor(t, now);
}

void PlayClock::restart()
{
    std::lock_guard<std::mutex> lock(mutex_);
    anchored_ = false;
}

void PlayClock::setPaused(bool paused, Clock::time_point now)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (paused == paused_) return;
    if (anchored_) anchor(mediaTimeLocked(now), now);
    paused_ = paused;
}

bool PlayClock::paused() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return paused_;
}

void PlayClock::setStep(int step, Clock::time_point now)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (anchored_) anchor(mediaTimeLocked(now), now);
    step_ = step;
}

int PlayClock::step() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return step_;
}

void PlayClock::setJoined()
{
    std::lock_guard<std::mutex> lock(mutex_);
    joined_ = true;
}

} // namespace korvane::media
