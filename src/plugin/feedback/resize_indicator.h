#pragma once

// The top-left resize indicator: a small image shown in the top-left corner
// of a window whose bottom-right corner is pinned during a drag, to say that
// the top-left corner is the one that follows the mouse. One per process,
// shown over one window at a time.

#include "platform/feedback_surface.h"
#include "platform/geometry.h"
#include "runtime/object.h"

#include <memory>
#include <string_view>

namespace vantro::feedback {

inline constexpr std::string_view kResizeIndicatorImage = "TopLeftResizeIndicator";
// The size the bundle's image is drawn at.
inline constexpr Size kResizeIndicatorSize{16, 16};

// The indicator's origin relative to a window frame of size `frame`: 3
// points from the left, its top 2 points below the top edge.
Point resizeIndicatorOrigin(Size frame, Size indicator);

class ResizeIndicator {
  public:
    // vantroAddTopLeftResizeIndicatorForFrame: of `window`: places the
    // indicator at the top-left corner of `frame` (the window's frame now or
    // about to be), and shows it over `window` when it is not shown there.
    void addForFrame(runtime::Object* window, const Rect& frame);
    // vantroRemoveTopLeftResizeIndicator: hides it, whichever window shows it.
    void remove();

    [[nodiscard]] bool isShown() const { return shownOver_ != nullptr; }
    [[nodiscard]] runtime::Object* shownOver() const { return shownOver_; }
    // Null until the indicator is first shown, and when the bundle lacks the
    // image (it is then never shown).
    [[nodiscard]] const platform::FeedbackSurface* surface() const { return surface_.get(); }

  private:
    // Builds the surface on first use; false when the image is missing.
    bool ensureSurface();

    std::unique_ptr<platform::FeedbackSurface> surface_;
    bool imageMissing_ = false;
    runtime::Object* shownOver_ = nullptr;
};

// The process's indicator, built on first use and never destroyed.
ResizeIndicator& topLeftResizeIndicator();

} // namespace vantro::feedback
