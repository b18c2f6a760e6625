#include "platform/screen_lookup.h"

namespace vantro::platform {

int screenHoldingMostOf(const Rect& frame, const std::vector<Screen>& screens) {
    int best = -1;
    double bestArea = 0;
    for (std::size_t i = 0; i < screens.size(); ++i) {
        const double area = intersectionArea(frame, screens[i].frame);
        if (area > bestArea) {
            best = static_cast<int>(i);
            bestArea = area;
        }
    }
    return best;
}

} // namespace vantro::platform
