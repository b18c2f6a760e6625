#include "plugin/feedback/dimension_overlay.h"

#include "platform/platform.h"
#include "platform/window.h"
#include "plugin/feedback/dimension_text.h"

namespace vantro::feedback {

Rect dimensionTabFrame(Point windowOrigin, Size windowSize, Size textSize) {
    const double width = textSize.width + 2 * kDimensionHorizontalMargin;
    const double height = textSize.height + kDimensionCornerRadius;
    return {windowOrigin.x + windowSize.width - (kDimensionRightInset + width),
            windowOrigin.y - (kDimensionCornerRadius + 1), width, height};
}

platform::FeedbackSurface& DimensionOverlay::ensureSurface() {
    if (!surface_) {
        surface_ =
            platform::currentPlatform().createFeedbackSurface(platform::FeedbackKind::dimensionTab);
    }
    return *surface_;
}

void DimensionOverlay::add(runtime::Object* window, const Rect& frame, double contentHeight) {
    const Size minimum = runtime::respondsToSelector(window, platform::sel::minSize())
                             ? platform::minSize(window)
                             : Size{};
    const Size maximum = runtime::respondsToSelector(window, platform::sel::maxSize())
                             ? platform::maxSize(window)
                             : Size{};
    composeDimensionText(frame.size, contentHeight, minimum, maximum, runs_);
    ensureSurface().setTextRuns(runs_);
    // The tab is a surface of its own in screen coordinates, so it is placed
    // against the frame the window is taking, origin included: during a drag
    // from the left or bottom edge the origin moves too.
    surface_->setFrame(dimensionTabFrame(frame.origin, frame.size, surface_->fittingTextSize()));
    if (attachedTo_ != nullptr) {
        return; // updated in place
    }
    platform::currentPlatform().cancelAnimation(fade_);
    surface_->setAlpha(1.0);
    surface_->orderFrontAbove(window);
    attachedTo_ = window;
}

void DimensionOverlay::remove(runtime::Object* window, bool zooming) {
    if (attachedTo_ == nullptr) {
        return;
    }
    if (platform::inLiveResize(window) || zooming) {
        detach();
        return;
    }
    platform::Platform& host = platform::currentPlatform();
    host.cancelAnimation(fade_);
    fade_ = host.animate(
        kDimensionFadeDuration, [this](double progress) { surface_->setAlpha(1.0 - progress); },
        [this] {
            fade_ = 0;
            detach();
        });
}

void DimensionOverlay::detach() {
    platform::currentPlatform().cancelAnimation(fade_);
    fade_ = 0;
    surface_->orderOut();
    surface_->setText("");
    surface_->setAlpha(1.0);
    attachedTo_ = nullptr;
}

void DimensionOverlay::forgetWindow(const runtime::Object* window) {
    if (attachedTo_ == window) {
        detach();
    }
}

DimensionOverlay& dimensionsBox() {
    static auto* overlay = [] {
        auto* made = new DimensionOverlay();
        platform::addWindowGoneHandler(
            [made](const runtime::Object* window) { made->forgetWindow(window); });
        return made;
    }();
    return *overlay;
}

} // namespace vantro::feedback
