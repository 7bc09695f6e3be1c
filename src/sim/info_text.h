#pragma once

#include "packed_time.h"
#include "route.h"

#include <string>

namespace korvane::sim {

// "$" + body + "*" + the two-digit XOR of the body's characters.
std::string nmeaSentence(const std::string &body);

// Position, speed and course as a GNSS receiver reports them at UTC `utc`.
std::string rmcSentence(const VehicleState &v, Seconds utc);
std::string ggaSentence(const VehicleState &v, Seconds utc);

// The text of one second's information frame: items, each ended by ";",
//   GPS:<RMC sentence>;G-SENSOR:<x>,<y>,<z>;STATUS:<8 digits>;SPEED:<km/h>;
// with a GPS item of a GGA sentence ahead of the RMC one every fifth second.
// G-sensor axes are signed thousandths of g, z as its deviation from 1 g with
// the sign turned round. Status digits: ignition, moving, alarm input, braking.
std::string infoText(const VehicleState &v, Seconds utc, bool alarm);

} // namespace korvane::sim
