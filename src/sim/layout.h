#pragma once

#include "manifest.h"
#include "scenario.h"

#include <string>
#include <vector>

namespace korvane::sim {

// Areas of a partition, block offsets relative to its start (key parameters at
// K + 10, pdp at K + 24, time collisions at K + 28, then the directory areas
// from K + 1048 on, past the volume's back-up partition table at K + 1044).
constexpr uint32_t kKeyParamBlock = 10;
constexpr uint32_t kPartitionTableBlock = 20;
constexpr uint32_t kPdpBlock = 24;
constexpr uint32_t kCollisionBlock = 28;
constexpr uint32_t kFaceLibBlock = 29;
constexpr uint32_t kLockFileBlock = 30;
constexpr uint32_t kMarkFileBlock = 31;
constexpr uint32_t kBackupTableBlock = 1044;
constexpr uint32_t kAreaStart = 1048;
constexpr uint32_t kDirItemsPerBlock = 16;
constexpr uint32_t kIndexPerBlock = 512;
constexpr uint32_t kUdItemSize = 16;
constexpr uint32_t kOldUdGap = 40960;       // blocks between data_offset and the converted user-data area
constexpr uint32_t kOldUdItems = 0x280000;  // items of the converted user-data area

uint32_t usableClusters(uint32_t totalClus);

// Fills the static part of every partition result (geometry and area offsets).
bool planLayout(const Scenario &scenario, std::vector<PartitionResult> &parts, std::string &error);

} // namespace korvane::sim
