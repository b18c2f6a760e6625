#include "plugin/feedback/resize_indicator.h"

#include "platform/platform.h"
#include "runtime/system_log.h"

#include <string>

namespace vantro::feedback {

Point resizeIndicatorOrigin(Size frame, Size indicator) {
    return {3.0, frame.height - indicator.height - 2.0};
}

bool ResizeIndicator::ensureSurface() {
    if (surface_ || imageMissing_) {
        return !imageMissing_;
    }
    platform::Platform& host = platform::currentPlatform();
    if (!host.pathForImageResource(kResizeIndicatorImage)) {
        // Logged once: a damaged install should not flood the log per drag.
        runtime::systemLogFormat("Image resource \"%s\" is missing; the resize "
                                 "indicator is not shown",
                                 std::string(kResizeIndicatorImage).c_str());
        imageMissing_ = true;
        return false;
    }
    surface_ = host.createFeedbackSurface(platform::FeedbackKind::resizeIndicator);
    surface_->setImageName(kResizeIndicatorImage);
    return true;
}

void ResizeIndicator::addForFrame(runtime::Object* window, const Rect& frame) {
    if (window == nullptr || !ensureSurface()) {
        return;
    }
    const Point origin = resizeIndicatorOrigin(frame.size, kResizeIndicatorSize);
    surface_->setFrame(Rect(frame.minX() + origin.x, frame.minY() + origin.y,
                            kResizeIndicatorSize.width, kResizeIndicatorSize.height));
    // Shown over another window (a drag that ended without its end being
    // signalled), it moves to this one rather than marking the wrong window.
    if (shownOver_ != window) {
        surface_->orderFrontAbove(window);
        shownOver_ = window;
    }
}

void ResizeIndicator::remove() {
    if (shownOver_ == nullptr) {
        return;
    }
    surface_->orderOut();
    shownOver_ = nullptr;
}

ResizeIndicator& topLeftResizeIndicator() {
    static auto* indicator = [] {
        auto* made = new ResizeIndicator();
        platform::addWindowGoneHandler([made](const runtime::Object* window) {
            if (made->shownOver() == window) {
                made->remove();
            }
        });
        return made;
    }();
    return *indicator;
}

} // namespace vantro::feedback
