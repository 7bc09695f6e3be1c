#pragma once

#include "packed_time.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace korvane::sim {

constexpr uint32_t kPictureDriverType = 4;
constexpr uint32_t kNormalDriverType = 0;
constexpr uint8_t kAvPicture = 0;
constexpr int kAutoPartition = -1;

// Placeholder payloads are fast deterministic bytes of a fixed rate; real ones
// are encoded H.264/H.265 pictures, G.711 tones and information text.
enum class PayloadKind : uint8_t { Placeholder, Real };

struct PartitionSpec {
    uint32_t clusters = 0;
    uint32_t driverType = kNormalDriverType;
    uint32_t revClus = 0;      // 0: chosen by the layout
    uint32_t udItems = 1024;   // user-data ring size (WFS0.4 only)
    bool extDir = false;       // write an extended directory area
    uint32_t dirOffset = 0;    // 0: chosen by the layout
    uint32_t collisionOff = 0; // 0: the block right after the pdp (temp_off + 4)
    std::optional<uint32_t> status; // default 0xAA, or 0 when a recording was left open
    // The parameters were last saved at this true time: their write head names the last
    // cluster taken by then (in the partition's last lap), and what came after lies beyond it.
    std::optional<Seconds> headSavedAt;
};

struct RecordingSpec {
    int channel = 0;
    Seconds start = 0; // true time; the recorder's clock may differ (clock jumps)
    Seconds end = 0;   // exclusive
    uint8_t av = 2;    // 2 or 3 video, 0 picture
    uint8_t streamType = 0;
    uint8_t alarm = 0;
    uint8_t attr = 0;         // bits 0-4 as the recorder sets them; bit 5 comes from `locked`
    bool locked = false;
    int partition = kAutoPartition; // explicit partition index, or the type's work partition
    uint32_t bytesPerSecond = 8192; // placeholder payloads only
    uint8_t fps = 25;
    uint8_t codec = 2; // 2 H.264, 3 H.265
    uint16_t width = 352;
    uint16_t height = 288;
    bool audio = false;
    uint16_t dhiiSectors = 0;     // "DHII" header at the start of the data, in sectors
    bool headSectorsInDir = true; // record the header length in the directory items as well
    std::string card;             // up to 20 decimal digits; empty: no user-data item
    uint8_t cardKind = 1;
    uint8_t firstDirFlag = 2; // 2 or 3
    bool fullLastCluster = false; // the last cluster is padded to its end and its end_length is 0 ("full")
    uint8_t extCode0 = 0x3F;
    uint8_t extCode1 = 0;
    uint32_t extEvents = 0;
};

struct ClockJump {
    Seconds at = 0;          // true time of the jump
    Seconds backSeconds = 0; // how far the recorder's clock goes back
};

struct Patch {
    uint64_t block = 0; // volume-relative block, or image block when imageRelative
    uint32_t offset = 0;
    std::vector<uint8_t> bytes;
    bool imageRelative = false;
};

struct Scenario {
    uint64_t seed = 1;
    PayloadKind payloads = PayloadKind::Placeholder;
    std::string version = "WFS0.4"; // or "WFS0.3"
    uint32_t mbrStart = 0;          // 0: no MBR, the volume starts at sector 0
    std::array<uint32_t, 4> keyParamOffset{0, 0, 0, 0};
    uint32_t sectorsPerCluster = 8;
    std::vector<PartitionSpec> partitions;
    std::vector<RecordingSpec> recordings;
    std::vector<ClockJump> clockJumps;
    bool uncleanStop = false; // the recordings running at the very end stay open
    uint8_t firstRepeatNo = 0;
    std::vector<Patch> patches;
    std::optional<uint64_t> truncateBlocks; // cut the image to this many sectors
};

} // namespace korvane::sim
