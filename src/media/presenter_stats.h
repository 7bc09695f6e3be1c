// Process-wide counts of the pictures handed to video presenters, for benchmarks.
#pragma once

#include <cstdint>

namespace korvane::media {

struct PresenterStats {
    uint64_t shown = 0;             // pictures stored for painting
    uint64_t replacedUnpainted = 0; // pictures replaced by the next one before any paint showed them
};

PresenterStats presenterStats();

} // namespace korvane::media
