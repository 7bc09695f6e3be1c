// Disk images written by the recorder simulator, for tests of the reader.
#pragma once

#include "simulator.h"
#include "wfs_test_image.h"

#include <gtest/gtest.h>

namespace sim = korvane::sim;

inline sim::RecordingSpec recording(int channel, sim::Seconds start, sim::Seconds seconds, int partition = -1)
{
    sim::RecordingSpec r;
    r.channel = channel;
    r.start = start;
    r.end = start + seconds;
    r.partition = partition;
    return r;
}

inline sim::PartitionSpec partition(uint32_t clusters, uint32_t type = 0)
{
    sim::PartitionSpec p;
    p.clusters = clusters;
    p.driverType = type;
    return p;
}

// Writes the scenario into a fresh image and keeps what the simulator reports.
struct SimDisk {
    SimDisk(const ScratchDir &dir, const std::string &name, const sim::Scenario &scenario)
        : path(dir.file(name))
    {
        sim::Result r = sim::writeDisk(scenario, path, {}, &manifest);
        ok = r.ok;
        EXPECT_TRUE(r.ok) << r.message;
    }
    std::string path;
    sim::Manifest manifest;
    bool ok = false;
};
