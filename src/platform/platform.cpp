#include "platform/platform.h"

#include <cassert>
#include <cstdlib>

namespace vantro::platform {

namespace {
Platform* installed = nullptr;
} // namespace

Platform& currentPlatform() {
    assert(installed != nullptr && "no platform backend installed");
    if (installed == nullptr) {
        std::abort();
    }
    return *installed;
}

bool hasCurrentPlatform() {
    return installed != nullptr;
}

Platform* setCurrentPlatform(Platform* platform) {
    Platform* previous = installed;
    installed = platform;
    return previous;
}

} // namespace vantro::platform
