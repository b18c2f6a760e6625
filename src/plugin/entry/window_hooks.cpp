#include "plugin/entry/window_hooks.h"

#include "plugin/button/title_button_methods.h"
#include "plugin/core/saved_implementations.h"
#include "plugin/core/vantro_window.h"
#include "plugin/feedback/feedback_methods.h"
#include "plugin/resize/live_resize_methods.h"
#include "plugin/zoom/zoom_methods.h"
#include "runtime/swizzle_kit.h"

#include <array>
#include <set>

namespace vantro::entry {

namespace {

runtime::Class* providerWithAllMethods() {
    static runtime::Class* provider = [] {
        runtime::Class* cls = core::vantroWindowClass();
        feedback::addFeedbackMethods(cls);
        resize::addLiveResizeMethods(cls);
        button::addPreferencesMethod(cls);
        zoom::addZoomMethods(cls);
        return cls;
    }();
    return provider;
}

} // namespace

void installWindowHooks(runtime::Class* windowClass) {
    static auto* installed = new std::set<runtime::Class*>();
    if (windowClass == nullptr || !installed->insert(windowClass).second) {
        return;
    }
    runtime::SwizzleKit::extendClass(windowClass, providerWithAllMethods());
    core::SavedImplementations& saved = core::savedImplementations();
    // The order of the hook table.
    const std::array<std::pair<const char*, runtime::Imp*>, 10> hooks = {{
        {"_setFrame:", &saved.setFrame},
        {"setFrame:display:", &saved.setFrameDisplay},
        {"performZoom:", &saved.performZoom},
        {"zoom:", &saved.zoom},
        {"_windowMovedToRect:", &saved.windowMovedToRect},
        {"_setFrameAfterMove:", &saved.setFrameAfterMove},
        {"_startLiveResize", &saved.startLiveResize},
        {"_endLiveResize", &saved.endLiveResize},
        {"resignKeyWindow", &saved.resignKeyWindow},
        {"orderOut:", &saved.orderOut},
    }};
    for (const auto& [name, slot] : hooks) {
        *slot = runtime::SwizzleKit::swizzleInstanceMethod(name, windowClass);
    }
}

} // namespace vantro::entry
