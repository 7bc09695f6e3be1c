#include "sim_test_support.h"

#include <cstdio>
#include <unistd.h>

namespace simtest {

ImageFile::ImageFile(const std::string &name)
    : path_(::testing::TempDir() + "korvane-sim-" + std::to_string(::getpid()) + "-" + name + ".img")
{
}

ImageFile::~ImageFile() { std::remove(path_.c_str()); }

Scenario smallScenario(uint32_t clusters)
{
    Scenario s;
    s.sectorsPerCluster = 8;
    PartitionSpec p;
    p.clusters = clusters;
    p.udItems = 64;
    s.partitions = {p};
    return s;
}

RecordingSpec video(int channel, Seconds start, Seconds seconds, uint32_t bytesPerSecond)
{
    RecordingSpec r;
    r.channel = channel;
    r.start = start;
    r.end = start + seconds;
    r.bytesPerSecond = bytesPerSecond;
    r.fps = 10;
    return r;
}

Seconds at(int hour, int minute, int second) { return makeTime(2024, 3, 5, hour, minute, second); }

Manifest writeOrFail(const Scenario &s, const std::string &path, WriteOptions options)
{
    Manifest m;
    const Result r = writeDisk(s, path, options, &m);
    EXPECT_TRUE(r.ok) << r.message;
    return m;
}

const RecordingResult *find(const Manifest &m, size_t scenarioIndex, int segment)
{
    for (const RecordingResult &r : m.recordings)
        if (r.scenarioIndex == scenarioIndex && r.segment == segment)
            return &r;
    return nullptr;
}

} // namespace simtest
