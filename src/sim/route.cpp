#include "route.h"

#include <algorithm>
#include <cmath>

namespace korvane::sim {

namespace {

constexpr double kMetresPerDegree = 111320.0;
constexpr double kStandardGravity = 9.80665;
constexpr Seconds kEpoch = 946684800; // 2000-01-01 00:00:00

uint64_t mix(uint64_t x)
{
    x += 0x9E3779B97F4A7C15ULL;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
    return x ^ (x >> 31);
}

// A deterministic number in [0, 1) for the seed and a draw number.
double unit(uint64_t seed, uint64_t draw) { return double(mix(seed * 0x100000001B3ULL + draw) >> 11) / 9007199254740992.0; }

} // namespace

Route::Route(uint64_t seed) : seed_(seed)
{
    uint64_t draw = 0;
    centreLatitude_ = 51.5074 + (unit(seed, draw++) - 0.5) * 0.04;
    centreLongitude_ = -0.1278 + (unit(seed, draw++) - 0.5) * 0.06;
    cruiseKmh_ = 18 + 12 * unit(seed, draw++);
    periodSeconds_ = 180 + 240 * unit(seed, draw++);
    const int corners = 6 + int(unit(seed, draw++) * 5);
    cumulative_.push_back(0);
    for (int i = 0; i < corners; ++i) {
        const double angle = 2 * M_PI * (i + 0.6 * (unit(seed, draw++) - 0.5)) / corners;
        const double radius = 700 + 1500 * unit(seed, draw++);
        points_.push_back({radius * std::sin(angle), radius * std::cos(angle)});
        if (i > 0)
            cumulative_.push_back(cumulative_.back() + std::hypot(points_[i].east - points_[i - 1].east,
                                                                  points_[i].north - points_[i - 1].north));
    }
    cumulative_.push_back(cumulative_.back() +
                          std::hypot(points_.front().east - points_.back().east,
                                     points_.front().north - points_.back().north));
}

// Metres driven since the epoch: the integral of the speed cruise × (1 − cos(2πτ/P)).
double Route::distanceAt(double tau) const
{
    const double omega = 2 * M_PI / periodSeconds_;
    return cruiseKmh_ / 3.6 * (tau - std::sin(omega * tau) / omega);
}

void Route::place(double distance, VehicleState &out) const
{
    const double along = std::fmod(distance, loopMetres());
    const size_t leg = size_t(std::upper_bound(cumulative_.begin(), cumulative_.end() - 1, along) -
                              cumulative_.begin()) - 1;
    const Point &from = points_[leg];
    const Point &to = points_[(leg + 1) % points_.size()];
    const double length = cumulative_[leg + 1] - cumulative_[leg];
    const double f = length > 0 ? (along - cumulative_[leg]) / length : 0;
    const double east = from.east + f * (to.east - from.east);
    const double north = from.north + f * (to.north - from.north);
    out.latitude = centreLatitude_ + north / kMetresPerDegree;
    out.longitude = centreLongitude_ + east / (kMetresPerDegree * std::cos(centreLatitude_ * M_PI / 180));
    const double course = std::atan2(to.east - from.east, to.north - from.north) * 180 / M_PI;
    out.course = course < 0 ? course + 360 : course;
}

VehicleState Route::at(Seconds t) const
{
    const double tau = double(t - kEpoch);
    const double omega = 2 * M_PI / periodSeconds_;
    VehicleState v;
    place(distanceAt(tau), v);
    v.speedKmh = cruiseKmh_ * (1 - std::cos(omega * tau));
    const double metresPerSecond = v.speedKmh / 3.6;
    v.forwardMilliG = cruiseKmh_ / 3.6 * omega * std::sin(omega * tau) / kStandardGravity * 1000;
    v.lateralMilliG = metresPerSecond * metresPerSecond * 2 * M_PI / loopMetres() / kStandardGravity * 1000;
    v.verticalMilliG = (unit(seed_ ^ 0x5EED, uint64_t(t)) - 0.5) * 40;
    return v;
}

} // namespace korvane::sim
