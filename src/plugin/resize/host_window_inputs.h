#pragma once

// Gathering the size checks' inputs from a host window through its host
// methods, and its delegate as a ResizeDelegate.

#include "platform/geometry.h"
#include "plugin/resize/window_limits.h"
#include "runtime/object.h"

#include <optional>

namespace vantro::resize {

// Minimum, maximum, increments and frame size from the window's host
// methods; resizable from its style mask; its class name.
WindowLimits windowLimitsOf(runtime::Object* window);

// The screen holding most of the window, or none (no current platform, or
// the window is on no screen).
std::optional<Screen> screenOf(runtime::Object* window);

// The receiver's delegate asked windowWillResize:toSize: with `window` as the
// window argument.
class HostResizeDelegate final : public ResizeDelegate {
  public:
    // The receiver's delegate, when it answers windowWillResize:toSize:.
    static std::optional<HostResizeDelegate> of(runtime::Object* receiver, runtime::Object* window);

    [[nodiscard]] Size willResizeToSize(Size proposed) const override;

  private:
    HostResizeDelegate(runtime::Object* delegate, runtime::Object* window)
        : delegate_(delegate), window_(window) {}

    runtime::Object* delegate_;
    runtime::Object* window_;
};

// The pointer the pure checks take: null without a delegate that answers.
inline const ResizeDelegate* delegatePointer(const std::optional<HostResizeDelegate>& delegate) {
    return delegate ? &*delegate : nullptr;
}

} // namespace vantro::resize
