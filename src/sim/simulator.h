#pragma once

// Recorder simulator: writes WFS disk images the way a video recorder leaves them.

#include "manifest.h"
#include "packed_time.h"
#include "scenario.h"

#include <string>

namespace korvane::sim {

struct WriteOptions {
    bool metadataOnly = false; // only the metadata areas; data clusters stay holes
    bool fragmentBytes = false; // the manifest's fragments carry the bytes a reader recovers from them
};

struct Result {
    bool ok = true;
    std::string message;
    explicit operator bool() const { return ok; }
    static Result failure(std::string why) { return {false, std::move(why)}; }
};

// Simulates the scenario and writes the image (always a sparse file). The
// manifest, when given, receives what was written.
Result writeDisk(const Scenario &scenario, const std::string &imagePath, const WriteOptions &options = {},
                 Manifest *manifest = nullptr);

// Runs the simulation only, filling the manifest without writing anything.
Result planDisk(const Scenario &scenario, Manifest &manifest);

} // namespace korvane::sim
