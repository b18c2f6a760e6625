#include "platform/platform.h"

#include <cassert>
#include <cstdlib>
#include <vector>

namespace vantro::platform {

namespace {
Platform* installed = nullptr;

std::vector<std::function<void(runtime::Object*)>>& windowGoneHandlers() {
    // Never destroyed: a window may be freed while the process exits.
    static auto* handlers = new std::vector<std::function<void(runtime::Object*)>>();
    return *handlers;
}
} // namespace

void addWindowGoneHandler(std::function<void(runtime::Object* window)> handler) {
    windowGoneHandlers().push_back(std::move(handler));
}

void windowWillGo(runtime::Object* window) {
    // By index, each handler run from a copy: the shared objects register
    // their handlers on first use, which may come from inside a handler, and
    // an append may move every element, the running one included.
    const auto& handlers = windowGoneHandlers();
    // NOLINTNEXTLINE(modernize-loop-convert): a range loop breaks on an append
    for (std::size_t index = 0; index < handlers.size(); ++index) {
        const std::function<void(runtime::Object*)> handler = handlers[index];
        handler(window);
    }
}

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
