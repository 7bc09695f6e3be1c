#pragma once

#include "packed_time.h"

#include <cstdint>
#include <vector>

namespace korvane::sim {

struct VehicleState {
    double latitude = 0;  // decimal degrees, south negative
    double longitude = 0; // decimal degrees, west negative
    double speedKmh = 0;
    double course = 0; // degrees clockwise from north
    double forwardMilliG = 0;
    double lateralMilliG = 0;
    double verticalMilliG = 0; // deviation from 1 g
};

// The vehicle that carries the recorder: it drives round a closed loop of
// streets, slowing to a stop and pulling away again every few minutes. The
// loop comes from the seed and the state is a function of the true time, so
// every channel of a disk sees the same vehicle and every run the same route.
// The streets lie in London: the recorder's clock keeps UTC there, so the
// receiver's UTC is the true time, whatever the recorder's clock says.
class Route
{
public:
    explicit Route(uint64_t seed);
    VehicleState at(Seconds t) const;
    double loopMetres() const { return cumulative_.back(); }

private:
    struct Point {
        double east, north; // metres from the centre
    };

    double distanceAt(double tau) const;
    void place(double distance, VehicleState &out) const;

    std::vector<Point> points_;
    std::vector<double> cumulative_; // distance along the loop at each point, then the whole loop
    double centreLatitude_ = 0;
    double centreLongitude_ = 0;
    double cruiseKmh_ = 0; // the speed swings between 0 and twice this
    double periodSeconds_ = 0; // from one stop to the next
    uint64_t seed_ = 0;
};

} // namespace korvane::sim
