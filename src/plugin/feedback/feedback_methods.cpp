#include "plugin/feedback/feedback_methods.h"

#include "platform/geometry_encoding.h"
#include "platform/platform.h"
#include "plugin/core/saved_implementations.h"
#include "plugin/core/window_state.h"
#include "plugin/feedback/dimension_overlay.h"
#include "plugin/feedback/hud_alert.h"
#include "runtime/message_send.h"

namespace vantro::feedback {

using runtime::Object;
using runtime::Selector;

namespace {

void showHud(Object* self, Selector, std::string_view message, Rect frame) {
    hudAlertWindow().show(self, message, frame);
}

void removeHud(Object* self, Selector) {
    hudAlertWindow().remove(self);
}

void addDimensions(Object* self, Selector, Rect frame, double contentHeight) {
    dimensionsBox().add(self, frame, contentHeight);
}

void removeDimensions(Object* self, Selector) {
    const bool zooming =
        core::readFlag(core::vantroFakeIvars().entryFor(self), core::state_key::kZoom);
    dimensionsBox().remove(self, zooming);
}

// Ungated: it runs for every window that inherits the host's method.
void resignKeyWindow(Object* self, Selector cmd) {
    hudAlertWindow().orderOutNow();
    runtime::callImplementation<void>(core::savedImplementations().resignKeyWindow, self, cmd);
}

// A hidden window leaves the screen as a closed one does: its state, the
// HUD, the tab and the indicator shown over it go with it, so that nothing
// is shown over it or written for it while hidden. A zoom still animating
// it ends first, so that it opens again where the zoom put it, on whole
// pixels rather than at a step of the animation.
void orderOut(Object* self, Selector cmd, Object* sender) {
    static const Selector finishZoom = Selector::named("vantroFinishZoomInFlight");
    runtime::send<void>(self, finishZoom); // the zoom methods share this provider class
    hudAlertWindow().windowGone(self);     // also drops its pending removal
    platform::windowWillGo(self);
    runtime::callImplementation<void>(core::savedImplementations().orderOut, self, cmd, sender);
}

} // namespace

void addFeedbackMethods(runtime::Class* provider) {
    runtime::addMethod(provider, "vantroShowHudAlertWindowWithMessage:forFrame:", &showHud);
    runtime::addMethod(provider, "vantroRemoveHudAlertWindow", &removeHud);
    runtime::addMethod(provider,
                       "vantroAddDimensionsToWindowWithFrame:contentFrameHeight:", &addDimensions);
    runtime::addMethod(provider, "vantroRemoveDimensionsFromWindow", &removeDimensions);
    runtime::addMethod(provider, "VTresignKeyWindow", &resignKeyWindow);
    runtime::addMethod(provider, "VTorderOut:", &orderOut);
}

} // namespace vantro::feedback
