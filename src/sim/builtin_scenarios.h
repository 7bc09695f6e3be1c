#pragma once

#include "scenario.h"

namespace korvane::sim {

// Two days of four cameras with real video on two record partitions (about
// 100 MiB): alarms, a sub stream, recordings across midnight; and on two more
// partitions, in the second evening, recordings only recovery finds: tails and
// hidden recordings of a repaired ring, recordings beyond a head saved earlier.
Scenario demoScenario(uint64_t seed = 1);

// A 2 TiB disk (1,048,576 clusters of 2 MiB over four partitions) with 30-minute
// recordings of 16 channels over 30 days; meant for metadata-only images.
Scenario bench2TibScenario(uint64_t seed = 1);

} // namespace korvane::sim
