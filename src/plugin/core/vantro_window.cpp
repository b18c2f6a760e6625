#include "plugin/core/vantro_window.h"

#include "platform/geometry_encoding.h"
#include "platform/platform.h"
#include "plugin/core/feature_keys.h"
#include "plugin/core/store_selection_settings.h"
#include "plugin/core/window_state.h"
#include "runtime/message_send.h"
#include "settings/catalogue.h"

namespace vantro::core {

using runtime::Object;
using runtime::Selector;

namespace {

// The modifier flags of the event being handled; 0 outside event handling.
platform::ModifierFlags heldModifiers() {
    if (!platform::hasCurrentPlatform()) {
        return 0;
    }
    const auto event = platform::currentPlatform().currentEvent();
    return event ? event->modifierFlags : 0;
}

settings::Dictionary vantroDefaults(Object* /*self*/, Selector /*cmd*/) {
    return settings::defaultSettings();
}

unsigned long long vantroModifierForFeature(Object* /*self*/, Selector /*cmd*/,
                                            std::string_view key) {
    const StoreSelectionSettings settings(settings::VantroUserDefaults::standardUserDefaults());
    return modifierForFeature(settings, key);
}

bool vantroShouldDoFeature(Object* self, Selector /*cmd*/, std::string_view key) {
    const StoreSelectionSettings settings(settings::VantroUserDefaults::standardUserDefaults());
    WindowStateStore& state = vantroFakeIvars();
    if (!featureIsSelected(settings, heldModifiers(), state.activeMenuFeature(), key)) {
        return false;
    }
    // Recorded only for a window that already has an entry: selection never
    // creates one.
    if (WindowEntry* entry = state.entryFor(self)) {
        auto found = entry->find(state_key::kThisShouldDoFeature);
        if (found == entry->end()) {
            found = entry
                        ->emplace(std::string(state_key::kThisShouldDoFeature),
                                  settings::PlistValue::string(""))
                        .first;
        } else if (!found->second.isString()) {
            found->second = settings::PlistValue::string("");
        }
        // The mode is only part of a resolution feature's identity; other
        // features (every drag step asks four) skip the read.
        const bool resolution =
            key.find(core::feature::kResolutionMarker) != std::string_view::npos;
        writeUndoIdentity(key, resolution ? settings.resolutionZoomMode() : 0,
                          *found->second.asString());
    }
    return true;
}

bool vantroControlKeyHasFeature(Object* /*self*/, Selector /*cmd*/) {
    return controlKeyHasFeature(
        StoreSelectionSettings(settings::VantroUserDefaults::standardUserDefaults()));
}

settings::PlistValue rectToArray(Object* /*self*/, Selector /*cmd*/, Rect rect) {
    return vantroRectToArray(rect);
}

Rect arrayToRect(Object* /*self*/, Selector /*cmd*/, settings::PlistValue array) {
    return vantroArrayToRect(&array);
}

} // namespace

runtime::Class* vantroWindowClass() {
    static runtime::Class* cls = [] {
        runtime::Class* c = runtime::defineClass(kVantroWindowClassName, nullptr);
        c->setOwner("com.quillworks.vantro");
        runtime::addClassMethod(c, "vantroDefaults", &vantroDefaults);
        runtime::addMethod(c, "vantroModifierForFeature:", &vantroModifierForFeature);
        runtime::addMethod(c, "vantroShouldDoFeature:", &vantroShouldDoFeature);
        runtime::addMethod(c, "vantroControlKeyHasFeature", &vantroControlKeyHasFeature);
        runtime::addMethod(c, "vantroRectToArray:", &rectToArray);
        runtime::addMethod(c, "vantroArrayToRect:", &arrayToRect);
        return c;
    }();
    return cls;
}

} // namespace vantro::core
