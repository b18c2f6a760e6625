#include "plugin/button/title_button_methods.h"

#include "platform/platform.h"
#include "platform/title_button.h"
#include "platform/window.h"
#include "plugin/button/click_decision.h"
#include "plugin/core/common_gate.h"
#include "plugin/core/saved_implementations.h"
#include "runtime/system_log.h"
#include "settings/catalogue.h"
#include "settings/vantro_user_defaults.h"

#include <algorithm>

namespace vantro::button {

namespace {

using platform::Event;
using platform::EventType;
using runtime::Object;
using runtime::Selector;

bool classExists(std::string_view name) {
    return runtime::classNamed(name) != nullptr;
}

// Half-open like the toolkit's own hit test: a point on the far edges is out.
bool contains(const Rect& rect, Point point) {
    return point.x >= rect.minX() && point.x < rect.maxX() && point.y >= rect.minY() &&
           point.y < rect.maxY();
}

bool clickIsOurs(Object* button, Point locationInWindow) {
    Object* window = platform::buttonWindow(button);
    Object* zoomButton = window != nullptr
                             ? platform::standardWindowButton(window, platform::kZoomButtonKind)
                             : nullptr;
    ClickOwnership click;
    click.chromeStyle = std::any_of(kChromeStyleWindowClasses.begin(),
                                    kChromeStyleWindowClasses.end(), classExists);
    click.chromeBrowserWindowExists = classExists(kChromeBrowserWindowClass);
    click.inChromeZoomButtonArea =
        zoomButton != nullptr &&
        contains(chromeZoomButtonArea(platform::buttonFrame(zoomButton)), locationInWindow);
    click.isZoomButton = zoomButton != nullptr && zoomButton == button;
    return clickIsThePluginsToDecide(click);
}

void popUpZoomOptionsMenu(Object* button, const Event& event) {
    static const Selector menuSelector = Selector::named("vantroZoomOptionsMenu");
    runtime::Class* menuClass = runtime::classNamed(platform::kMenuClassName);
    if (menuClass == nullptr || !runtime::respondsToSelector(menuClass, menuSelector)) {
        return; // no menu was built in this process
    }
    platform::popUpContextMenu(runtime::send<Object*>(menuClass, menuSelector), event, button);
}

bool controlKeyHasFeature(Object* window) {
    static const Selector selector = Selector::named("vantroControlKeyHasFeature");
    return window != nullptr && runtime::respondsToSelector(window, selector) &&
           runtime::send<bool>(window, selector);
}

void zoomByBehavior(Object* button, Selector cmd, const Event& event, std::int64_t layout) {
    static const Selector zoomWithFeature = Selector::named("vantroZoomWithFeature:");
    Object* window = platform::buttonWindow(button);
    if (window == nullptr || !runtime::respondsToSelector(window, zoomWithFeature)) {
        runtime::callImplementation<void>(core::savedImplementations().mouseDown, button, cmd,
                                          event);
        return;
    }
    if (const auto feature = behaviorFeature(layout)) {
        runtime::send<void>(window, zoomWithFeature, *feature);
    }
}

// The press is tracked until the button goes up: the highlight follows the
// pointer in and out of the button. None when the events end without a
// release (the pointer grab was lost): the click is then cancelled.
std::optional<Event> trackToRelease(Object* button) {
    platform::Platform& host = platform::currentPlatform();
    const platform::EventMask mask = platform::eventMaskFor(EventType::leftMouseUp) |
                                     platform::eventMaskFor(EventType::leftMouseDragged);
    while (const std::optional<Event> next = host.nextEventMatchingMask(mask)) {
        platform::highlight(button,
                            contains(platform::buttonFrame(button), next->locationInWindow));
        if (next->type == EventType::leftMouseUp) {
            return next;
        }
    }
    return std::nullopt;
}

void vtMouseDown(Object* self, Selector cmd, Event /*press*/) {
    platform::highlight(self, true);
    const std::optional<Event> release = trackToRelease(self);
    if (release && contains(platform::buttonFrame(self), release->locationInWindow)) {
        const Event& up = *release;
        if (!clickIsOurs(self, up.locationInWindow) || !core::gateIsOpen(nullptr)) {
            runtime::callImplementation<void>(core::savedImplementations().mouseDown, self, cmd,
                                              up);
        } else {
            const settings::FeatureSetting setting = settings::readFeatureSetting(
                settings::VantroUserDefaults::standardUserDefaults().objectForKey(
                    "VantroDefaultZoomBehavior"));
            const DefaultZoomBehavior behavior{setting.enabled, setting.code};
            switch (leftClickOutcome(behavior, up.modifierFlags,
                                     controlKeyHasFeature(platform::buttonWindow(self)))) {
            case ClickOutcome::showMenu:
                popUpZoomOptionsMenu(self, up);
                break;
            case ClickOutcome::zoomByBehavior:
                zoomByBehavior(self, cmd, up, behavior.layout);
                break;
            case ClickOutcome::passOn:
                runtime::callImplementation<void>(core::savedImplementations().mouseDown, self, cmd,
                                                  up);
                break;
            }
        }
    }
    platform::highlight(self, false);
}

void vtRightMouseDown(Object* self, Selector cmd, Event event) {
    if (!clickIsOurs(self, event.locationInWindow) || !core::gateIsOpen(nullptr)) {
        runtime::callImplementation<void>(core::savedImplementations().rightMouseDown, self, cmd,
                                          event);
        return;
    }
    platform::highlight(self, true);
    popUpZoomOptionsMenu(self, event);
    platform::highlight(self, false);
}

void vantroOpenPreferences(Object* /*self*/, Selector) {
    platform::Platform& host = platform::currentPlatform();
    std::string path = userPreferencePanePath();
    if (!host.fileExistsAtPath(path)) {
        path = systemPreferencePanePath();
        if (!host.fileExistsAtPath(path)) {
            return;
        }
    }
    if (!host.openPreferencePane(path)) {
        runtime::systemLogFormat("Could not start the settings at %s", path.c_str());
    }
}

} // namespace

std::string userPreferencePanePath() {
    return platform::currentPlatform().userDataDirectory() + "/PreferencePanes/" +
           std::string(kPreferencePaneName);
}

std::string systemPreferencePanePath() {
    return std::string(kSystemPreferencePanes) + "/" + std::string(kPreferencePaneName);
}

void addTitleButtonMethods(runtime::Class* provider) {
    runtime::addMethod(provider, "VTmouseDown:", &vtMouseDown);
    runtime::addMethod(provider, "VTrightMouseDown:", &vtRightMouseDown);
}

void addPreferencesMethod(runtime::Class* provider) {
    runtime::addMethod(provider, "vantroOpenPreferences", &vantroOpenPreferences);
}

} // namespace vantro::button
