#include "plugin/resize/window_size_checks.h"

#include "platform/platform.h"
#include "plugin/core/window_state.h"
#include "plugin/resize/check_size.h"
#include "plugin/resize/host_window_inputs.h"

namespace vantro::resize {

namespace state_key = core::state_key;

ConstrainedSize vantroConstrainSizeForWindow(runtime::Object* receiver, Size size,
                                             runtime::Object* window) {
    if (receiver == nullptr || window == nullptr) {
        return {size, false, false};
    }
    core::WindowEntry* entry = core::vantroFakeIvars().entryFor(receiver);
    // A dimension the drag leaves alone (a single edge) always matches the
    // held one, so it cannot release the hold: only the dragged one can.
    const unsigned edges = platform::currentPlatform().liveResizeEdges();
    const bool horizontal = (edges & (platform::kResizeLeftEdge | platform::kResizeRightEdge)) != 0;
    const bool vertical = (edges & (platform::kResizeTopEdge | platform::kResizeBottomEdge)) != 0;
    const ResizeHold hold{{core::readLength(entry, state_key::kTemporaryMinWidth),
                           core::readLength(entry, state_key::kTemporaryMinHeight)},
                          core::readFlag(entry, state_key::kKeepWidth) || !horizontal,
                          core::readFlag(entry, state_key::kKeepHeight) || !vertical};
    const WindowLimits limits = windowLimitsOf(window);
    const auto delegate = HostResizeDelegate::of(receiver, receiver);
    ConstrainedSize result = constrainSize(size, limits, hold, delegatePointer(delegate));
    if (result.releaseTemporaryMinimum && entry != nullptr) {
        core::removeKey(*entry, state_key::kTemporaryMinWidth);
        core::removeKey(*entry, state_key::kTemporaryMinHeight);
    }
    return result;
}

Size vantroCheckSizeForConstraints(runtime::Object* receiver, Size size) {
    if (receiver == nullptr) {
        return size;
    }
    const WindowLimits limits = windowLimitsOf(receiver);
    const std::optional<Screen> screen = screenOf(receiver);
    const std::optional<Size> visibleSize =
        screen ? std::optional<Size>(screen->visibleFrame.size) : std::nullopt;
    const auto delegate = HostResizeDelegate::of(receiver, receiver);
    CheckedSize checked =
        checkSizeForConstraints(size, limits, visibleSize, delegatePointer(delegate));
    if (checked.hitConstraint) {
        if (core::WindowEntry* entry = core::vantroFakeIvars().entryFor(receiver)) {
            core::writeString(*entry, state_key::kHitConstraint, *checked.hitConstraint);
        }
    }
    return checked.size;
}

} // namespace vantro::resize
