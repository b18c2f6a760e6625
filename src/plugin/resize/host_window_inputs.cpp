#include "plugin/resize/host_window_inputs.h"

#include "platform/platform.h"
#include "platform/window.h"
#include "runtime/class.h"
#include "runtime/message_send.h"

namespace vantro::resize {

WindowLimits windowLimitsOf(runtime::Object* window) {
    WindowLimits limits;
    limits.minSize = platform::minSize(window);
    limits.maxSize = platform::maxSize(window);
    limits.resizeIncrements = platform::resizeIncrements(window);
    limits.frameSize = platform::frame(window).size;
    limits.resizable = (platform::styleMask(window) & platform::kResizableWindowMask) != 0;
    if (window != nullptr && window->isa() != nullptr) {
        limits.className = window->isa()->name();
    }
    return limits;
}

std::optional<Screen> screenOf(runtime::Object* window) {
    if (!platform::hasCurrentPlatform()) {
        return std::nullopt;
    }
    const std::vector<Screen>& screens = platform::currentPlatform().screens();
    const int index = platform::screenIndex(window);
    if (index < 0 || static_cast<std::size_t>(index) >= screens.size()) {
        return std::nullopt;
    }
    return screens[static_cast<std::size_t>(index)];
}

std::optional<HostResizeDelegate> HostResizeDelegate::of(runtime::Object* receiver,
                                                         runtime::Object* window) {
    runtime::Object* delegate = platform::delegate(receiver);
    if (delegate == nullptr ||
        !runtime::respondsToSelector(delegate, platform::sel::windowWillResizeToSize())) {
        return std::nullopt;
    }
    return HostResizeDelegate(delegate, window);
}

Size HostResizeDelegate::willResizeToSize(Size proposed) const {
    return runtime::send<Size>(delegate_, platform::sel::windowWillResizeToSize(), window_,
                               proposed);
}

} // namespace vantro::resize
