#include "plugin/feedback/hud_alert.h"

#include "platform/platform.h"
#include "platform/window.h"
#include "plugin/feedback/hud_placement.h"

namespace vantro::feedback {

namespace {

runtime::Selector removeSelector() {
    static const runtime::Selector selector =
        runtime::Selector::named("vantroRemoveHudAlertWindow");
    return selector;
}

// Rounded down, 949 or less is the oldest toolkit generation.
bool isOldestGeneration() {
    return static_cast<long>(platform::currentPlatform().appKitVersionNumber()) <= 949;
}

} // namespace

platform::FeedbackSurface& HudAlert::ensureSurface() {
    if (!surface_) {
        surface_ =
            platform::currentPlatform().createFeedbackSurface(platform::FeedbackKind::hudAlert);
        surface_->setFrame(Rect(Point{0, 0}, kHudSize));
        surface_->setAlpha(1.0);
    }
    return *surface_;
}

void HudAlert::show(runtime::Object* window, std::string_view message, const Rect& frame) {
    if (isVisible()) {
        return;
    }
    ensureSurface();
    platform::Platform& host = platform::currentPlatform();
    host.cancelPerforms(window, removeSelector());

    const int screen = platform::screenIndex(window);
    const auto& screens = host.screens();
    // A window on no screen keeps the panel on the main screen, or unclamped
    // when there is no screen at all.
    const Rect visible = screen >= 0        ? screens[static_cast<std::size_t>(screen)].visibleFrame
                         : !screens.empty() ? screens.front().visibleFrame
                                            : frame;
    surface_->setFrame(
        Rect(hudOrigin(frame, visible, surface_->frame().size), surface_->frame().size));
    surface_->setText(message);
    shownFor_ = window;

    if (platform::inLiveResize(window) && isOldestGeneration()) {
        scheduleRemoval(window, kHudLiveResizeHoldDuration);
        surface_->orderFrontAbove(window);
        return;
    }
    surface_->setAlpha(0.0);
    surface_->orderFrontAbove(window);
    fadeTo(window, 1.0);
}

void HudAlert::remove(runtime::Object* window) {
    if (!isVisible()) {
        return;
    }
    if (platform::inLiveResize(window)) {
        platform::currentPlatform().cancelAnimation(fade_);
        surface_->orderOut();
        return;
    }
    fadeTo(window, 0.0);
}

void HudAlert::orderOutNow() {
    if (isVisible()) {
        platform::currentPlatform().cancelAnimation(fade_);
        fade_ = 0;
        surface_->orderOut();
        surface_->setAlpha(1.0);
    }
}

void HudAlert::windowGone(runtime::Object* window) {
    if (!isVisible() || surface_->orderedAbove() != window) {
        return;
    }
    platform::Platform& host = platform::currentPlatform();
    host.cancelAnimation(fade_);
    fade_ = 0;
    host.cancelPerforms(window, removeSelector());
    surface_->orderOut();
    surface_->setAlpha(1.0);
}

void HudAlert::fadeTo(runtime::Object* window, double alpha) {
    platform::Platform& host = platform::currentPlatform();
    // A newer fade interrupts the running one, which then never reports its end.
    host.cancelAnimation(fade_);
    const double from = surface_->alpha();
    fade_ = host.animate(
        kHudFadeDuration,
        [this, from, alpha](double progress) {
            surface_->setAlpha(from + (alpha - from) * progress);
        },
        [this, window] { fadeEnded(window); });
}

void HudAlert::fadeEnded(runtime::Object* window) {
    fade_ = 0;
    if (surface_->alpha() == 1.0) {
        scheduleRemoval(window, kHudHoldDuration);
    } else if (surface_->alpha() == 0.0) {
        surface_->orderOut();
        surface_->setAlpha(1.0);
    }
}

void HudAlert::scheduleRemoval(runtime::Object* window, double delay) {
    platform::currentPlatform().performAfterDelay(window, removeSelector(), delay,
                                                  [this, window] { remove(window); });
}

void HudAlert::forgetWindow(const runtime::Object* window) {
    if (shownFor_ == window) {
        orderOutNow();
        shownFor_ = nullptr;
    }
}

HudAlert& hudAlertWindow() {
    static auto* hud = [] {
        auto* made = new HudAlert();
        platform::addWindowGoneHandler(
            [made](const runtime::Object* window) { made->forgetWindow(window); });
        return made;
    }();
    return *hud;
}

} // namespace vantro::feedback
