#include "plugin/resize/live_resize_methods.h"

#include "platform/geometry_encoding.h"
#include "platform/platform.h"
#include "platform/window.h"
#include "plugin/core/common_gate.h"
#include "plugin/core/feature_keys.h"
#include "plugin/core/saved_implementations.h"
#include "plugin/core/window_state.h"
#include "plugin/feedback/dimension_overlay.h"
#include "plugin/feedback/hud_alert.h"
#include "plugin/feedback/resize_indicator.h"
#include "plugin/resize/grip_offset.h"
#include "plugin/resize/host_window_kinds.h"
#include "plugin/resize/live_resize_state.h"
#include "plugin/resize/live_resize_step.h"
#include "runtime/message_send.h"

#include <string>

namespace vantro::resize {

namespace {

using runtime::Object;
using runtime::Selector;
namespace state_key = core::state_key;

Selector removeIndicatorSelector() {
    static const Selector selector = Selector::named("vantroRemoveTopLeftResizeIndicator");
    return selector;
}

Selector removeDimensionsSelector() {
    static const Selector selector = Selector::named("vantroRemoveDimensionsFromWindow");
    return selector;
}

bool isSheetOrChild(Object* window) {
    return platform::isSheet(window) || platform::parentWindow(window) != nullptr;
}

// A drag step already ran since this window's last start: the end of that
// drag never came (the pointer grab was lost). Its feedback and state go
// now, so the new drag does not start out mouse-driven.
void discardUnendedDrag(Object* window, core::WindowEntry& entry) {
    if (!entry.contains(state_key::kActiveFeatures) ||
        isKindOfClassNamed(window, kUnsignalledDragWindowClass)) {
        return;
    }
    feedback::topLeftResizeIndicator().remove();
    feedback::hudAlertWindow().remove(window);
    core::vantroFakeIvars().removeEntry(window);
}

void startLiveResize(Object* self, Selector cmd) {
    if (!isSheetOrChild(self)) {
        if (core::WindowEntry* previous = core::vantroFakeIvars().entryFor(self)) {
            discardUnendedDrag(self, *previous);
        }
        core::WindowEntry& entry = core::vantroFakeIvars().ensureEntry(self);
        const platform::Platform& host = platform::currentPlatform();
        storeGripOffset(entry, gripOffsetFor(platform::frame(self), host.mouseLocation(),
                                             host.liveResizeEdges()));
    }
    feedback::HudAlert& hud = feedback::hudAlertWindow();
    if (hud.isVisible()) {
        hud.orderOutNow();
    }
    runtime::callImplementation<void>(core::savedImplementations().startLiveResize, self, cmd);
}

void endLiveResize(Object* self, Selector cmd) {
    runtime::callImplementation<void>(core::savedImplementations().endLiveResize, self, cmd);
    // A feature's cursor set during the drag goes with it.
    platform::currentPlatform().setCursor(platform::Cursor::arrow);
    if (isSheetOrChild(self) || !runtime::respondsToSelector(self, removeIndicatorSelector()) ||
        core::readFlag(core::vantroFakeIvars().entryFor(self), state_key::kZoom)) {
        return;
    }
    feedback::topLeftResizeIndicator().remove();
    feedback::hudAlertWindow().remove(self);
    core::vantroFakeIvars().removeEntry(self);

    platform::Platform& host = platform::currentPlatform();
    const auto& identifier = host.hostBundleIdentifier();
    // These applications redraw in a way that leaves the tab behind.
    if (identifier && identifier->find(".adobe.") != std::string::npos) {
        runtime::send<void>(self, removeDimensionsSelector());
        return;
    }
    // The final dimensions stay readable for a moment.
    host.performAfterDelay(self, removeDimensionsSelector(), kDimensionsAfterDragDelay,
                           [self] { runtime::send<void>(self, removeDimensionsSelector()); });
}

bool isModifierChangeInDrag(Object* window) {
    const auto event = platform::currentPlatform().currentEvent();
    return event && event->type == platform::EventType::flagsChanged &&
           platform::inLiveResize(window);
}

void setFrameDisplay(Object* self, Selector cmd, Rect proposed, bool display) {
    const runtime::Imp host = core::savedImplementations().setFrameDisplay;
    core::WindowEntry& entry = core::vantroFakeIvars().ensureEntry(self);
    if (isModifierChangeInDrag(self)) {
        // A key pressed or released with the pointer still makes no frame of
        // its own: the window keeps the one the last movement gave it, and
        // the next movement reads the new keys.
        runtime::callImplementation<void>(host, self, cmd, platform::frame(self), display);
        return;
    }
    if (!resizeStepApplies(self, display)) {
        runtime::callImplementation<void>(host, self, cmd, proposed, display);
        return;
    }
    ResizeStep step;
    step.receiver = self;
    step.window = self;
    step.entry = &entry;
    step.frame = proposed;
    step.display = display;
    if (sizeResizeStep(step)) {
        placeResizeStep(step);
        scheduleUnsignalledDragEnd(step);
    }
    // The frame first: the window manager works on it while the tab, placed
    // by the same frame, follows.
    runtime::callImplementation<void>(host, self, cmd, step.frame, step.display);
    showDimensionsForStep(step);
}

void addIndicatorForFrame(Object* self, Selector, Rect frame) {
    feedback::topLeftResizeIndicator().addForFrame(self, frame);
}

void removeIndicator(Object*, Selector) {
    feedback::topLeftResizeIndicator().remove();
}

// Whether a resize the window manager runs on the window keeps its ratio:
// the keys held select the feature and the plug-in is on for the window.
// The window manager shapes those steps itself, to the ratio the window's
// hints then ask for.
bool keepsRatioInManagedResize(Object* self, Selector) {
    static const Selector shouldDo = Selector::named("vantroShouldDoFeature:");
    return core::gateIsOpen(self) &&
           runtime::send<bool>(self, shouldDo, core::feature::kKeepAspectRatio);
}

} // namespace

Selector endLiveResizeSelector() {
    static const Selector selector = Selector::named("VT_endLiveResize");
    return selector;
}

// Sent under the host's names, which run the plug-in's replacements, so the
// host's own start and end run inside them as for a signalled drag.
void vantroStartLiveResize(Object* window) {
    runtime::send<void>(window, platform::sel::startLiveResize());
}

void vantroEndLiveResize(Object* window) {
    runtime::send<void>(window, platform::sel::endLiveResize());
}

void addLiveResizeMethods(runtime::Class* provider) {
    runtime::addMethod(provider, "VT_startLiveResize", &startLiveResize);
    runtime::addMethod(provider, "VT_endLiveResize", &endLiveResize);
    runtime::addMethod(provider, "VTsetFrame:display:", &setFrameDisplay);
    runtime::addMethod(provider, "vantroAddTopLeftResizeIndicatorForFrame:", &addIndicatorForFrame);
    runtime::addMethod(provider, "vantroRemoveTopLeftResizeIndicator", &removeIndicator);
    runtime::addMethod(provider, "vantroKeepsRatioInManagedResize", &keepsRatioInManagedResize);
}

} // namespace vantro::resize
