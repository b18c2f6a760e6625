#include "memory_verdict.h"

#include <algorithm>
#include <cmath>

namespace vantro::soak {

MemoryVerdict judgeMemory(std::int64_t warmupKib, std::int64_t endKib,
                          const MemoryTolerance& tolerance) {
    MemoryVerdict verdict;
    verdict.growthKib = endKib - warmupKib;
    const auto shareKib = static_cast<std::int64_t>(
        std::floor(static_cast<double>(std::max<std::int64_t>(warmupKib, 0)) *
                   std::max(tolerance.share, 0.0)));
    verdict.allowedKib = std::max(std::max<std::int64_t>(tolerance.floorKib, 0), shareKib);
    verdict.flat = verdict.growthKib <= verdict.allowedKib;
    return verdict;
}

} // namespace vantro::soak
