#include "plugin/core/common_gate.h"

#include "platform/platform.h"
#include "runtime/class.h"
#include "settings/catalogue.h"
#include "settings/vantro_user_defaults.h"

namespace vantro::core {

namespace {
constexpr std::string_view kPluginEnabled = "VantroPluginEnabled";
constexpr std::string_view kApplicationBlacklist = "VantroApplicationBlacklist";
} // namespace

GateResult commonGate(runtime::Object* window) {
    const settings::VantroUserDefaults& store =
        settings::VantroUserDefaults::standardUserDefaults();
    if (!settings::readBoolean(store.objectForKey(kPluginEnabled))) {
        return GateResult::pluginDisabled;
    }
    platform::Platform& host = platform::currentPlatform();
    // An application without an identifier is never excluded.
    if (const auto& identifier = host.hostBundleIdentifier();
        identifier &&
        settings::stringListContains(store.objectForKey(kApplicationBlacklist), *identifier)) {
        return GateResult::applicationExcluded;
    }
    if (!host.fileExistsAtPath(host.pluginBundlePath())) {
        return GateResult::bundleRemoved;
    }
    static const runtime::Selector shouldDo = runtime::Selector::named("vantroShouldDoFeature:");
    if (window != nullptr && !runtime::respondsToSelector(window, shouldDo)) {
        return GateResult::windowNotExtended;
    }
    return GateResult::open;
}

} // namespace vantro::core
