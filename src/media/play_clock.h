// Maps media time (seconds since 1970, from the recorder stamps) to wall time for presentation.
// A clock is private to one player until TPLAY_Synor_Join makes several players share it; then
// pause and speed act on all of them and each shows its pictures when the common media time reaches them.
#pragma once

#include <chrono>
#include <mutex>

namespace korvane::media {

class PlayClock
{
public:
    using Clock = std::chrono::steady_clock;

    static constexpr double kJumpAhead = 3.0;   // wall seconds: a picture further ahead restarts the clock
    static constexpr double kPrivateLate = 0.5; // media seconds: a private clock restarts behind a late picture

    // When the picture at media time t is due; restarts the clock at t when it is not running yet or on a jump.
    // A joined clock never goes back for a late player: that player shows its pictures at once until it catches up.
    Clock::time_point due(double t, Clock::time_point now);
    double mediaTime(Clock::time_point now) const;
    // Holds the clock at t (a picture shown by a frame step); the next due() continues from there.
    void holdAt(double t, Clock::time_point now);
    void restart();

    void setPaused(bool paused, Clock::time_point now);
    bool paused() const;
    void setStep(int step, Clock::time_point now); // speed 2^step
    int step() const;
    void setJoined();

private:
    double mediaTimeLocked(Clock::time_point now) const;
    void anchor(double t, Clock::time_point now);

    mutable std::mutex mutex_;
    bool anchored_ = false;
    double anchorMedia_ = 0;
    Clock::time_point anchorWall_;
    bool paused_ = false;
    int step_ = 0;
    bool joined_ = false;
};

} // namespace korvane::media
