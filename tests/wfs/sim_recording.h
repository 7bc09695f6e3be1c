// What the simulator wrote for a recording, rebuilt from its scenario, so that
// tests compare the reader's bytes with the frame stream itself.
#pragma once

#include "frame_stream.h"
#include "sim_disk.h"

#include <cstdio>
#include <string>
#include <vector>

// The recording of a scenario entry that the manifest reports (its first part).
inline const sim::RecordingResult &resultOf(const sim::Manifest &m, size_t scenarioIndex)
{
    for (const sim::RecordingResult &r : m.recordings)
        if (r.scenarioIndex == scenarioIndex && r.segment == 0) return r;
    ADD_FAILURE() << "no recording for scenario entry " << scenarioIndex;
    static const sim::RecordingResult none;
    return none;
}

// The first n bytes of a recording as written: the "DHII" header, if any, then
// the frames, then zeros up to the end of its last sector. Only for recordings
// written in one piece under a steady clock.
inline std::vector<uint8_t> writtenBytes(const sim::Scenario &s, size_t scenarioIndex, uint64_t dataBytes, uint64_t n)
{
    const sim::RecordingSpec &plan = s.recordings[scenarioIndex];
    sim::SecondLayout layout;
    std::string error;
    EXPECT_TRUE(sim::planSecond(plan, layout, error)) << error;
    sim::FrameStream stream(plan, layout, s.seed, uint64_t(scenarioIndex) << 16, plan.start,
                            uint64_t(plan.dhiiSectors) * 512, [](sim::Seconds t) { return sim::packTime(t); });
    std::vector<uint8_t> out(n, 0);
    stream.read(0, out.data(), n < dataBytes ? n : dataBytes);
    return out;
}

// The recording's path as the disk page writes it: disk 0, the 0-based channel folder.
inline std::string recordPath(int part, const sim::RecordingResult &r, uint32_t cluster, int number = 0)
{
    sim::Seconds start = sim::unpackTime(r.startTime), end = sim::unpackTime(r.endTime);
    int64_t sd = start % 86400, ed = end % 86400;
    std::string date = sim::formatTime(start).substr(0, 10);
    char path[200];
    snprintf(path, sizeof path, "/mnt/idea%d/%s/%03d/%02d.%02d.%02d-%02d.%02d.%02d[R][@%x][%d].h264", part,
             date.c_str(), r.channel, int(sd / 3600), int(sd / 60 % 60), int(sd % 60), int(ed / 3600),
             int(ed / 60 % 60), int(ed % 60), cluster, number);
    return path;
}
