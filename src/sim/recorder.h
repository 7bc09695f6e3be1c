#pragma once

#include "bytes.h"
#include "frame_stream.h"
#include "manifest.h"
#include "scenario.h"

#include <set>
#include <string>
#include <vector>

namespace korvane::sim {

// One recording file in the recorder's sense: a run of clusters in one partition.
struct SimFile {
    size_t rec = 0;
    int segment = 0;
    int partition = -1; // chosen when the first cluster is taken
    uint32_t generation = 0;
    Seconds firstSecond = 0; // true time of the first second of frames
    Seconds endSecond = 0;   // true time after the last whole second planned
    uint64_t headBytes = 0;
    uint64_t bytes = 0; // header plus frames actually written
    std::vector<uint32_t> clusters;
    uint8_t repeatNo = 0;
    uint32_t udItem = 0;
    uint32_t surviving = 0;
    bool firstLost = false;
    bool open = false;
};

struct SimPartition {
    std::vector<int32_t> owner;    // file index per cluster, -1 never written
    std::vector<uint32_t> ordinal; // position of the cluster in its file
    std::vector<uint8_t> skipped;  // locked cluster the writer stepped over
    uint32_t head = 0;             // next cluster to try
    uint32_t current = 0;          // last cluster written
    uint32_t generation = 0;       // bumped whenever the writer restarts at rev_clus
    uint32_t lap = 0;
    bool written = false;
    bool lapStarted = false;
    uint32_t lapFirst = 0;
    bool hasPreviousLap = false;
    uint32_t previousLapEnd = 0;
    bool headSaved = false;      // a cluster was taken by the partition's headSavedAt
    uint32_t savedCurrent = 0;   // the last one
    uint32_t savedGeneration = 0;
    bool hasLastBack = false;
    Seconds lastBack = 0;
    std::set<uint32_t> collisions;
    Bytes userData; // the whole ring, item 0 unused
    uint32_t udFirst = 1;
    uint32_t udLast = 1;
};

struct Simulation {
    std::vector<RecordingFrames> frames; // per scenario recording
    std::vector<SimFile> files;
    std::vector<SimPartition> parts;
};

Seconds clockBack(const Scenario &scenario, Seconds trueTime);
uint32_t recorderStamp(const Scenario &scenario, Seconds trueTime); // packed, as the recorder's clock reads it

// Where the file's frame byte `offset` (after any header) lies in its scenario recording.
uint64_t recordingOffset(const Simulation &sim, const Scenario &scenario, const SimFile &f, uint64_t offset);

bool simulate(const Scenario &scenario, const std::vector<PartitionResult> &layout, Simulation &out,
              std::string &error);

} // namespace korvane::sim
