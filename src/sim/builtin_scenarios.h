#pragma once

#include "scenario.h"

namespace korvane::sim {

// Two days of four cameras on two record partitions: a demo disk of a few hundred MiB.
Scenario demoScenario(uint64_t seed = 1);

// A 2 TiB disk (1,048,576 clusters of 2 MiB over four partitions) with 30-minute
// recordings of 16 channels over 30 days; meant for metadata-only images.
Scenario bench2TibScenario(uint64_t seed = 1);

} // namespace korvane::sim
