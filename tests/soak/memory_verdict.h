#pragma once

// Whether the application's memory stayed flat over a soak run: the growth
// of its resident set from the sample after the warm-up to the one at the
// end, against a tolerance of a fixed amount or a share of the warm-up
// figure, whichever is larger. Pure.

#include <cstdint>

namespace vantro::soak {

struct MemoryTolerance {
    std::int64_t floorKib = 0; // growth always allowed: allocator and cache noise
    double share = 0.0;        // of the warm-up figure, e.g. 0.05 for 5 %
};

struct MemoryVerdict {
    std::int64_t growthKib = 0; // end less warm-up; negative when memory shrank
    std::int64_t allowedKib = 0;
    bool flat = false;
};

MemoryVerdict judgeMemory(std::int64_t warmupKib, std::int64_t endKib,
                          const MemoryTolerance& tolerance);

} // namespace vantro::soak
