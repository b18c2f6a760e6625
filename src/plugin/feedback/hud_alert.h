#pragma once

// The heads-up panel: one per process, shared by all windows, shown for one
// window at a time. A show request places it over the window, fades it in
// over 0.33 s, holds it 0.34 s and fades it out over 0.33 s; a request while
// it is visible (fading out included) is dropped. During a resize drag it
// is taken down without a fade, and on the oldest toolkit generation it is
// shown without one and removed after 0.54 s.

#include "platform/feedback_surface.h"
#include "platform/platform.h"
#include "runtime/object.h"

#include <memory>
#include <string_view>

namespace vantro::feedback {

// Durations are float constants widened to double.
inline constexpr double kHudFadeDuration = static_cast<double>(0.33F);
inline constexpr double kHudHoldDuration = static_cast<double>(0.34F);
inline constexpr double kHudLiveResizeHoldDuration = static_cast<double>(0.54F);

class HudAlert {
  public:
    // vantroShowHudAlertWindowWithMessage:forFrame: of `window`.
    void show(runtime::Object* window, std::string_view message, const Rect& frame);
    // vantroRemoveHudAlertWindow of `window`.
    void remove(runtime::Object* window);
    // Any window resigned key: a visible panel goes at once.
    void orderOutNow();
    // `window` is ordered out (or going away): a panel shown over it goes at
    // once, with its fade and delayed removal, which would otherwise reach
    // the window after it is destroyed.
    void windowGone(runtime::Object* window);

    // The window is going: the panel shown for it goes at once, with its
    // fade and its delayed removal.
    void forgetWindow(const runtime::Object* window);
    [[nodiscard]] bool isVisible() const { return surface_ && surface_->isVisible(); }
    // The panel's surface, built here if nothing has shown it yet.
    [[nodiscard]] const platform::FeedbackSurface& surface() { return ensureSurface(); }

  private:
    // The surface is built on the first show, hidden and at alpha 1: a
    // process that never shows the panel never makes its window.
    platform::FeedbackSurface& ensureSurface();
    void fadeTo(runtime::Object* window, double alpha);
    void fadeEnded(runtime::Object* window);
    void scheduleRemoval(runtime::Object* window, double delay);

    std::unique_ptr<platform::FeedbackSurface> surface_;
    platform::AnimationId fade_ = 0;
    // The window the panel was last shown for.
    const runtime::Object* shownFor_ = nullptr;
};

// The process's panel, built on first use and never destroyed.
HudAlert& hudAlertWindow();

} // namespace vantro::feedback
