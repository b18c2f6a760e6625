#include "plugin/zoom/zoom_execution.h"

#include "platform/platform.h"
#include "platform/window.h"
#include "plugin/core/common_gate.h"
#include "plugin/core/window_state.h"
#include "plugin/feedback/dimension_overlay.h"
#include "plugin/feedback/hud_alert.h"
#include "plugin/resize/window_size_checks.h"
#include "plugin/zoom/undo.h"
#include "plugin/zoom/zoom_gate.h"
#include "settings/catalogue.h"
#include "settings/vantro_user_defaults.h"

#include <functional>
#include <unordered_map>

namespace vantro::zoom {

using core::readRect;
using core::readString;
using core::state_key::kHitConstraint;
using core::state_key::kLastZoomFeaturePerformed;
using core::state_key::kPreviousRect;
using core::state_key::kPreviousVisibleFrame;
using core::state_key::kThisShouldDoFeature;
using core::state_key::kZoom;
using core::state_key::kZoomedToFrame;

namespace {

runtime::Selector removeDimensionsSelector() {
    static const runtime::Selector selector =
        runtime::Selector::named("vantroRemoveDimensionsFromWindow");
    return selector;
}

const settings::PlistValue* setting(std::string_view key) {
    return settings::VantroUserDefaults::standardUserDefaults().objectForKey(key);
}

bool optionIsOn(std::string_view key) {
    return settings::readFeatureSetting(setting(key)).enabled;
}

// The slower animation is for a menu command given with Shift alone of
// Shift, Control and Command.
double animationDuration() {
    platform::Platform& host = platform::currentPlatform();
    const auto event = host.currentEvent();
    const platform::ModifierFlags held = event ? event->modifierFlags : 0;
    const bool slow = core::vantroFakeIvars().activeMenuFeature().has_value() &&
                      (held & platform::kShiftKeyMask) != 0 &&
                      (held & (platform::kControlKeyMask | platform::kCommandKeyMask)) == 0;
    return slow ? kSlowZoomAnimationDuration : kZoomAnimationDuration;
}

Rect interpolate(const Rect& from, const Rect& to, double t) {
    const auto mix = [t](double a, double b) { return a + (b - a) * t; };
    return {mix(from.minX(), to.minX()), mix(from.minY(), to.minY()),
            mix(from.size.width, to.size.width), mix(from.size.height, to.size.height)};
}

// A zoom whose animation still runs, per window: how to finish it at once.
struct ZoomInFlight {
    platform::AnimationId animation = 0;
    std::function<void()> finish;
};

std::unordered_map<const runtime::Object*, ZoomInFlight>& zoomsInFlight() {
    static auto* zooms = [] {
        auto* made = new std::unordered_map<const runtime::Object*, ZoomInFlight>();
        // A window that goes while its zoom animates: the animation stops
        // and nothing of the zoom runs later on the freed window.
        platform::addWindowGoneHandler([made](const runtime::Object* window) {
            if (auto found = made->find(window); found != made->end()) {
                const platform::AnimationId animation = found->second.animation;
                made->erase(found);
                platform::currentPlatform().cancelAnimation(animation);
            }
        });
        return made;
    }();
    return *zooms;
}

// Steps 6 to 10: after the frame has been applied.
// `identity` is the undo identity the zoom was asked with: another zoom may
// have been asked for since.
void finishZoom(runtime::Object* window, bool fromApplication, const Rect& target,
                const std::optional<std::string>& message,
                const std::optional<std::string>& identity) {
    if (message && optionIsOn("VantroShowZoomHudAlert")) {
        feedback::hudAlertWindow().show(window, *message, target);
    }
    core::WindowEntry& entry = core::vantroFakeIvars().ensureEntry(window);
    core::writeFlag(entry, kZoom, false);
    core::writeRect(entry, kZoomedToFrame, platform::frame(window));
    if (identity) {
        core::writeString(entry, kLastZoomFeaturePerformed, *identity);
    } else {
        core::removeKey(entry, kLastZoomFeaturePerformed);
    }
    showDimensionsAfterZoom(window, fromApplication, true);
}

} // namespace

void finishZoomInFlight(runtime::Object* window) {
    auto& zooms = zoomsInFlight();
    auto found = zooms.find(window);
    if (found == zooms.end()) {
        return;
    }
    ZoomInFlight inFlight = std::move(found->second);
    zooms.erase(found);
    platform::currentPlatform().cancelAnimation(inFlight.animation);
    inFlight.finish();
}

void applyZoom(const ZoomRequest& request) {
    runtime::Object* window = request.window;
    platform::Platform& host = platform::currentPlatform();
    core::WindowEntry& entry = core::vantroFakeIvars().ensureEntry(window);
    core::writeFlag(entry, kZoom, true);

    host.cancelPerforms(window, removeDimensionsSelector());
    feedback::dimensionsBox().remove(window, true);

    const Rect frame = platform::frame(window);
    Rect target = request.target;
    std::optional<std::string> message;
    if (!request.fromApplication) {
        const ZoomHistory history{
            readRect(&entry, kPreviousRect), readRect(&entry, kPreviousVisibleFrame),
            readRect(&entry, kZoomedToFrame), readString(&entry, kThisShouldDoFeature),
            readString(&entry, kLastZoomFeaturePerformed)};
        const UndoDecision decision = decideUndo(
            history, target, frame, request.visibleFrame, readString(&entry, kHitConstraint),
            [window](Size size) { return resize::vantroCheckSizeForConstraints(window, size); });
        target = decision.target;
        message = decision.message;
    }
    core::writeRect(entry, kPreviousRect, frame);
    core::writeRect(entry, kPreviousVisibleFrame, request.visibleFrame);
    std::optional<std::string> identity;
    if (const std::string* asked = readString(&entry, kThisShouldDoFeature)) {
        identity = *asked;
    }

    const bool animate = optionIsOn("VantroAnimateZooms");
    const bool newest = static_cast<long>(host.appKitVersionNumber()) > 1038;
    if (!animate || newest) {
        platform::setFrameDisplayAnimate(window, target, true, animate);
        finishZoom(window, request.fromApplication, target, message, identity);
        return;
    }
    // The older path animates frame by frame and continues when it ends.
    const bool fromApplication = request.fromApplication;
    auto finish = [window, fromApplication, target, message, identity] {
        platform::setFrameDisplay(window, target, true);
        finishZoom(window, fromApplication, target, message, identity);
    };
    const platform::AnimationId animation = host.animate(
        animationDuration(),
        [window, frame, target](double progress) {
            platform::setFrameDisplay(window, interpolate(frame, target, progress), true);
        },
        [window, finish] {
            zoomsInFlight().erase(window);
            finish();
        });
    zoomsInFlight()[window] = ZoomInFlight{animation, finish};
}

void showDimensionsAfterZoom(runtime::Object* window, bool fromApplication, bool pluginZoom) {
    if (fromApplication || !zoomGateIsOpen(window)) {
        return;
    }
    const settings::DisplaySetting display =
        settings::readDisplaySetting(setting("VantroShowDimensionsAfterZooms"));
    if (!display.enabled) {
        return;
    }
    const bool wanted = display.mode == 2 || (display.mode == 0 && !pluginZoom) ||
                        (display.mode == 1 && pluginZoom);
    if (!wanted) {
        return;
    }
    const Rect frame = platform::frame(window);
    feedback::dimensionsBox().add(window, frame, platform::contentViewFrame(window).size.height);
    platform::Platform& host = platform::currentPlatform();
    const auto& identifier = host.hostBundleIdentifier();
    // These applications redraw their windows in a way that leaves the tab
    // behind; it is shown and taken down within the zoom.
    if (identifier && identifier->find(".adobe.") != std::string::npos) {
        feedback::dimensionsBox().remove(
            window, core::readFlag(core::vantroFakeIvars().entryFor(window), kZoom));
        return;
    }
    host.performAfterDelay(
        window, removeDimensionsSelector(), kDimensionsAfterZoomDuration, [window] {
            feedback::dimensionsBox().remove(
                window, core::readFlag(core::vantroFakeIvars().entryFor(window), kZoom));
        });
}

} // namespace vantro::zoom
