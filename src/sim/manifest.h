#pragma once

#include "bytes.h"

#include <cstdint>
#include <string>
#include <vector>

namespace korvane::sim {

enum class RecordingState {
    Survived,    // every cluster still holds this recording
    Overwritten, // its first cluster now belongs to a newer recording (a tail may survive)
    Open,        // still being written when the recorder stopped uncleanly
};

// One recording as the recorder wrote it. A scenario recording becomes several
// when the recorder moves to another partition or wraps its ring mid-recording.
struct RecordingResult {
    size_t scenarioIndex = 0;
    int segment = 0;   // 0 for the first part of the scenario recording
    int partition = 0; // disk-relative partition index
    int channel = 0;
    uint8_t av = 0;
    uint8_t streamType = 0;
    uint8_t alarm = 0;
    uint8_t repeatNo = 0;
    uint32_t firstCluster = 0;
    uint32_t clusterCount = 0;      // clusters written, the first included
    uint32_t survivingClusters = 0; // clusters still owned by this recording
    uint32_t startTime = 0;         // packed, recorder clock
    uint32_t endTime = 0;           // packed, recorder clock (exclusive end of the last second)
    uint16_t endLength = 0;         // sectors used in the last cluster (1..sec_per_clus)
    uint32_t lengthKiB = 0;         // ((clusterCount - 1) * sec_per_clus + endLength) / 2
    uint16_t headSectors = 0;       // "DHII" header length in sectors (0: none)
    uint32_t userDataItem = 0;      // 0: none
    uint64_t dataBytes = 0;         // header plus frame stream
    RecordingState state = RecordingState::Survived;
    bool locked = false;
};

struct PartitionResult {
    uint64_t startSector = 0; // volume-relative
    uint64_t totalSectors = 0;
    uint32_t driverType = 0;
    uint32_t secPerClus = 0;
    uint32_t totalClus = 0;
    uint32_t revClus = 0;
    uint32_t tempOff = 0;
    uint32_t collisionOff = 0;
    uint32_t dirOffset = 0;
    uint32_t backdirOffset = 0;
    uint32_t extDirOffset = 0;
    uint32_t indexOffset = 0;
    uint32_t udOffset = 0;
    uint32_t udItemCount = 0;
    uint32_t udFirstItem = 0;
    uint32_t udLastItem = 0;
    uint32_t dataOffset = 0;
    uint32_t status = 0;
    uint8_t flagF = 0; // lap number
    uint32_t currentCluster = 0;
    uint32_t headCluster = 0; // last cluster really written (differs from currentCluster after an unclean stop
                              // or when the head was saved earlier)
    uint32_t startTime1 = 0;
    uint32_t endTime1 = 0;
    uint32_t startCluster2 = 0;
    uint32_t endCluster2 = 0;
    uint32_t startTime2 = 0;
    uint32_t endTime2 = 0;
    std::vector<uint32_t> collisions; // ascending
};

enum class FragmentKind {
    Tail,   // what survives of a recording whose first cluster the newest lap took
    Hidden, // a whole recording of the older lap that the mount's repair leaves out of the listing
    Beyond, // a whole recording of the newest lap written past the saved write head
};

// A recording the disk still holds but no listing reaches: a run of clusters of one
// recording file, chained by its directory items, none of them in a listed recording.
struct FragmentResult {
    FragmentKind kind = FragmentKind::Tail;
    size_t recording = 0; // index into Manifest::recordings
    int partition = 0;
    int channel = 0;
    uint8_t av = 0;
    uint8_t streamType = 0;
    uint8_t alarm = 0;
    uint8_t repeatNo = 0;
    uint32_t firstOrdinal = 0;      // position of the first cluster in its recording
    std::vector<uint32_t> clusters; // in chain order
    uint32_t lastSectors = 0;       // sectors counted in the last cluster
    uint32_t startTime = 0;         // start_time of the first cluster's item
    uint32_t endTime = 0;           // end_time of the last cluster's item
    uint32_t sizeKiB = 0;           // ((clusters - 1) * sec_per_clus + lastSectors) / 2
    uint16_t headSectors = 0;       // "DHII" header a reader skips (first ordinal 0 only)
    Bytes bytes;                    // what reading it yields, header skipped (WriteOptions::fragmentBytes)
};

struct Manifest {
    uint64_t baseSector = 0; // volume start inside the image
    uint64_t imageSectors = 0;
    uint32_t secPerClus = 0;
    std::vector<PartitionResult> partitions;
    std::vector<RecordingResult> recordings;
    std::vector<FragmentResult> fragments; // by partition, then first cluster
};

} // namespace korvane::sim
