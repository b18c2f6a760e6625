#pragma once

// The dimension tab: one per process, moved from window to window. It sits
// on a window's bottom edge, its right side 17 points left of the window's
// right edge, its lower rounded corners hidden 7 points below the edge.
// Updating an attached tab keeps it where it is attached; removing it fades
// it over 0.16 s unless the window is being resized or zoomed.

#include "platform/feedback_surface.h"
#include "platform/geometry.h"
#include "platform/platform.h"
#include "runtime/object.h"

#include <memory>
#include <vector>

namespace vantro::feedback {

inline constexpr double kDimensionCornerRadius = 6.0;
inline constexpr double kDimensionRightInset = 17.0;
inline constexpr double kDimensionHorizontalMargin = 2.0;
inline constexpr double kDimensionFadeDuration = static_cast<double>(0.16F);

// The tab's frame in screen coordinates for a window whose frame origin is
// `windowOrigin` and whose shown frame is `windowSize` wide, given the size
// its text needs.
Rect dimensionTabFrame(Point windowOrigin, Size windowSize, Size textSize);

class DimensionOverlay {
  public:
    // vantroAddDimensionsToWindowWithFrame:contentFrameHeight: of `window`.
    void add(runtime::Object* window, const Rect& frame, double contentHeight);
    // vantroRemoveDimensionsFromWindow of `window`; `zooming` is the window's
    // "vantroZoom" flag.
    void remove(runtime::Object* window, bool zooming);

    // The window is going: the tab shown over it goes at once, since the
    // delayed removal keyed by the window goes with it.
    void forgetWindow(const runtime::Object* window);

    [[nodiscard]] bool isAttached() const { return attachedTo_ != nullptr; }
    [[nodiscard]] runtime::Object* attachedTo() const { return attachedTo_; }
    // The tab's surface, built here if nothing has shown it yet.
    [[nodiscard]] const platform::FeedbackSurface& surface() { return ensureSurface(); }

  private:
    // Built on the first add: a process that never shows the tab never
    // makes its window. Every other path runs only while it is attached.
    platform::FeedbackSurface& ensureSurface();
    void detach();

    std::unique_ptr<platform::FeedbackSurface> surface_;
    std::vector<platform::TextRun> runs_;
    runtime::Object* attachedTo_ = nullptr;
    platform::AnimationId fade_ = 0;
};

// The process's tab, built on first use and never destroyed.
DimensionOverlay& dimensionsBox();

} // namespace vantro::feedback
