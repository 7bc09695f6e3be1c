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

inline sim::Seconds at(int hour, int minute = 0, int second = 0)
{
    return sim::makeTime(2024, 3, 5, hour, minute, second);
}

inline sim::RecordingSpec stream(int channel, sim::Seconds start, sim::Seconds seconds, uint32_t bytesPerSecond,
                          int partition = 0)
{
    sim::RecordingSpec r = recording(channel, start, seconds, partition);
    r.bytesPerSecond = bytesPerSecond;
    return r;
}

// A ring of recordings: two cameras, the first with a sub stream, a minute every minute and a half: about 33 clusters
// of 4 KiB a slot, so a 160-cluster partition wraps after five slots.
inline sim::Scenario camerasOnARing(int slotCount, uint32_t clusters = 160)
{
    sim::Scenario s;
    s.sectorsPerCluster = 8;
    s.partitions = {partition(clusters)};
    for (int slot = 0; slot < slotCount; ++slot) {
        const sim::Seconds t = at(9) + slot * 90;
        s.recordings.push_back(stream(0, t, 60, 1000));
        sim::RecordingSpec sub = stream(0, t, 60, 400);
        sub.streamType = 1;
        s.recordings.push_back(sub);
        sim::RecordingSpec second = stream(1, t + 5, 60, 800);
        second.alarm = uint8_t(slot % 3 == 1 ? 2 : 0);
        s.recordings.push_back(second);
    }
    return s;
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
