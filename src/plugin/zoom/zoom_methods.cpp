#include "plugin/zoom/zoom_methods.h"

#include "platform/platform.h"
#include "platform/title_button.h"
#include "platform/window.h"
#include "plugin/core/feature_keys.h"
#include "plugin/core/saved_implementations.h"
#include "plugin/core/window_state.h"
#include "plugin/feedback/hud_alert.h"
#include "plugin/resize/window_size_checks.h"
#include "plugin/zoom/menu_titles.h"
#include "plugin/zoom/resolutions.h"
#include "plugin/zoom/zoom_execution.h"
#include "plugin/zoom/zoom_gate.h"
#include "plugin/zoom/zoom_targets.h"
#include "settings/catalogue.h"
#include "settings/vantro_user_defaults.h"

#include <algorithm>

namespace vantro::zoom {

using runtime::Object;
using runtime::Selector;

namespace {

const core::SavedImplementations& saved() {
    return core::savedImplementations();
}

bool isApplicationSender(Object* sender) {
    const runtime::Class* application = runtime::classNamed(kApplicationClassName);
    return application != nullptr && runtime::isKindOfClass(sender, application);
}

void hostZoom(Object* self, Selector cmd, Object* sender) {
    runtime::callImplementation<void>(saved().zoom, self, cmd, sender);
    showDimensionsAfterZoom(self, isApplicationSender(sender), false);
}

// Switches the resolution zoom mode; a mode already set changes nothing.
void setResolutionMode(std::int64_t mode) {
    settings::VantroUserDefaults& store = settings::VantroUserDefaults::standardUserDefaults();
    if (settings::readInteger(store.objectForKey(core::feature::kResolutionZoomMode)) == mode) {
        return;
    }
    const settings::PlistValue value = settings::PlistValue::integer(mode);
    store.setObject(&value, core::feature::kResolutionZoomMode);
    store.synchronize();
    // The mode items' on state follows the setting at once.
    static const Selector reload = Selector::named("reloadVantroZoomOptionsMenu");
    runtime::Class* menuClass = runtime::classNamed(platform::kMenuClassName);
    if (menuClass != nullptr && runtime::respondsToSelector(menuClass, reload)) {
        runtime::send<void>(menuClass, reload);
    }
}

std::optional<Rect> targetFor(std::string_view feature, Object* window, const Rect& visible) {
    const SizeCheck check = [window](Size size) {
        return resize::vantroCheckSizeForConstraints(window, size);
    };
    const Rect frame = platform::frame(window);
    const std::int64_t mode =
        settings::readInteger(settings::VantroUserDefaults::standardUserDefaults().objectForKey(
            core::feature::kResolutionZoomMode));
    const TargetInputs inputs{
        frame, visible, platform::screenIndex(window), platform::currentPlatform().screens(),
        chromeHeight(mode, frame.size.height, platform::contentViewFrame(window).size.height)};
    return zoomTarget(feature, inputs, check);
}

void vtZoom(Object* self, Selector cmd, Object* sender) {
    // A zoom asked for while the window's previous one still animates acts
    // on where that one ends: the previous one finishes at once (its end
    // frame and its history) before this one reads the window's monitor and
    // frame, so that the same command again undoes it whatever the timing,
    // also when the animation crosses from one monitor to another.
    finishZoomInFlight(self);
    core::WindowEntry& entry = core::vantroFakeIvars().ensureEntry(self);
    feedback::HudAlert& hud = feedback::hudAlertWindow();
    if (hud.isVisible()) {
        hud.orderOutNow();
    }
    core::removeKey(entry, core::state_key::kHitConstraint);
    const std::optional<Rect> visible =
        zoomVisibleFrame(platform::screenIndex(self), platform::currentPlatform().screens());
    if (!visible || !zoomGateIsOpen(self)) {
        hostZoom(self, cmd, sender);
        return;
    }
    static const Selector shouldDo = Selector::named("vantroShouldDoFeature:");
    for (std::string_view feature : core::feature::kZoomOrder) {
        if (!runtime::send<bool>(self, shouldDo, feature)) {
            continue;
        }
        if (const auto mode = modeSetBy(feature)) {
            setResolutionMode(*mode);
            return;
        }
        const std::optional<Rect> target = targetFor(feature, self, *visible);
        if (!target) {
            break; // a key of the chain without a target: the host zooms
        }
        applyZoom({self, sender, isApplicationSender(sender), *target, *visible});
        return;
    }
    hostZoom(self, cmd, sender);
}

void vtPerformZoom(Object* self, Selector cmd, Object* sender) {
    runtime::callImplementation<void>(saved().performZoom, self, cmd, sender);
}

void vtSetFrame(Object* self, Selector cmd, Rect rect) {
    runtime::callImplementation<void>(saved().setFrame, self, cmd, rect);
}

void vtWindowMovedToRect(Object* self, Selector cmd, Rect rect) {
    runtime::callImplementation<void>(saved().windowMovedToRect, self, cmd, rect);
}

void vtSetFrameAfterMove(Object* self, Selector cmd, Rect rect) {
    static const Selector rectToArray = Selector::named("vantroRectToArray:");
    if (!platform::isSheet(self) && platform::parentWindow(self) == nullptr &&
        runtime::respondsToSelector(self, rectToArray)) {
        core::WindowStateStore& state = core::vantroFakeIvars();
        const core::WindowEntry* entry = state.entryFor(self);
        const settings::PlistValue* zoomedTo = nullptr;
        if (entry != nullptr) {
            auto found = entry->find(core::state_key::kZoomedToFrame);
            zoomedTo = found != entry->end() ? &found->second : nullptr;
        }
        // A move that settles while the plug-in's zoom animates (the window
        // manager placing a window that has just opened, say) happened
        // before the zoom took the frame it started from: the zoom's history
        // stays, so that the same command still undoes it.
        const bool zooming = core::readFlag(entry, core::state_key::kZoom);
        if (!zooming && (zoomedTo == nullptr ||
                         !(core::vantroRectToArray(platform::frame(self)) == *zoomedTo))) {
            state.removeEntry(self);
        }
    }
    runtime::callImplementation<void>(saved().setFrameAfterMove, self, cmd, rect);
}

runtime::Selector removeMenuFeatureSelector() {
    static const Selector selector = Selector::named("removeObjectForKey:");
    return selector;
}

void zoomForMenu(Object* self, Object* sender, std::optional<std::string_view> feature) {
    core::WindowStateStore& state = core::vantroFakeIvars();
    if (feature) {
        state.setActiveMenuFeature(*feature);
    }
    const bool desktop = std::string_view(self->isa()->name()) == "TCocoaDesktopWindow";
    if (!desktop && !platform::inFullScreen(self)) {
        Object* button = platform::standardWindowButton(self, platform::kZoomButtonKind);
        const bool buttonEnabled = button != nullptr && platform::isEnabled(button);
        const auto event = platform::currentPlatform().currentEvent();
        const platform::ModifierFlags held = event ? event->modifierFlags : 0;
        const bool shiftOption =
            (held & platform::kShiftKeyMask) != 0 && (held & platform::kAlternateKeyMask) != 0;
        if ((!buttonEnabled && std::string_view(self->isa()->name()) != "TBrowserWindow") ||
            shiftOption) {
            platform::zoom(self, sender);
        } else {
            runtime::send<void>(self, platform::sel::performZoom(), sender);
        }
    }
    // Keyed by the store, as the request removes a key from it.
    platform::currentPlatform().performAfterDelay(&state, removeMenuFeatureSelector(),
                                                  static_cast<double>(0.1F),
                                                  [&state] { state.removeActiveMenuFeature(); });
}

void vantroZoom(Object* self, Selector, Object* sender) {
    static const Selector title = Selector::named("title");
    std::optional<std::string_view> feature;
    std::string titleText;
    if (runtime::respondsToSelector(sender, title)) {
        titleText = runtime::send<std::string>(sender, title);
        feature = featureForMenuTitle(titleText);
    }
    zoomForMenu(self, sender, feature);
}

void vantroZoomWithFeature(Object* self, Selector, std::string_view feature) {
    zoomForMenu(self, nullptr, feature);
}

// Whether the keys now held give a zoom of the plug-in's rather than the
// host's: a maximize the window manager ran from its own title bar is
// replayed as the plug-in's zoom only then.
bool vantroZoomsWithHeldKeys(Object* self, Selector) {
    static const Selector shouldDo = Selector::named("vantroShouldDoFeature:");
    return zoomGateIsOpen(self) &&
           std::any_of(core::feature::kZoomOrder.begin(), core::feature::kZoomOrder.end(),
                       [self](std::string_view feature) {
                           return runtime::send<bool>(self, shouldDo, feature);
                       });
}

void vantroFinishZoomInFlight(Object* self, Selector) {
    finishZoomInFlight(self);
}

} // namespace

void addZoomMethods(runtime::Class* provider) {
    runtime::addMethod(provider, "VTzoom:", &vtZoom);
    runtime::addMethod(provider, "VTperformZoom:", &vtPerformZoom);
    runtime::addMethod(provider, "VT_setFrame:", &vtSetFrame);
    runtime::addMethod(provider, "VT_windowMovedToRect:", &vtWindowMovedToRect);
    runtime::addMethod(provider, "VT_setFrameAfterMove:", &vtSetFrameAfterMove);
    runtime::addMethod(provider, "vantroZoom:", &vantroZoom);
    runtime::addMethod(provider, "vantroZoomWithFeature:", &vantroZoomWithFeature);
    runtime::addMethod(provider, "vantroZoomsWithHeldKeys", &vantroZoomsWithHeldKeys);
    runtime::addMethod(provider, "vantroFinishZoomInFlight", &vantroFinishZoomInFlight);
}

} // namespace vantro::zoom
