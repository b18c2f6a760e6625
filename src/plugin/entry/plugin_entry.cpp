#include "plugin/entry/plugin_entry.h"

#include "platform/menu_model.h"
#include "platform/platform.h"
#include "platform/title_button.h"
#include "platform/window.h"
#include "plugin/button/title_button_methods.h"
#include "plugin/core/saved_implementations.h"
#include "plugin/core/window_state.h"
#include "plugin/entry/window_hooks.h"
#include "plugin/options_menu/vantro_menu.h"
#include "runtime/swizzle_kit.h"
#include "runtime/system_log.h"
#include "settings/catalogue.h"
#include "settings/vantro_user_defaults.h"

#include <string>

namespace vantro::entry {

namespace {

constexpr std::string_view kThemeWidgetProviderName = "VantroThemeWidget";

// The refusal every entry starts with: nothing at all happens in a Java
// process, whose toolkit the hooks do not know.
bool declinesThisProcess() {
    return !platform::hasCurrentPlatform() || platform::currentPlatform().isJavaProcess();
}

void registerDefaults() {
    settings::VantroUserDefaults::standardUserDefaults().registerDefaults(
        settings::defaultSettings());
}

runtime::Class* themeWidgetProvider() {
    static runtime::Class* provider = [] {
        runtime::Class* cls = runtime::defineClass(kThemeWidgetProviderName, nullptr);
        cls->setOwner("com.quillworks.vantro");
        button::addTitleButtonMethods(cls);
        return cls;
    }();
    return provider;
}

runtime::Object* sharedInstance(runtime::Object* /*self*/, runtime::Selector /*cmd*/);

} // namespace

runtime::Object* sharedPluginObject() {
    static runtime::Object* plugin = [] {
        runtime::Class* cls = runtime::defineClass(kPluginClassName, nullptr);
        cls->setOwner("com.quillworks.vantro");
        runtime::addClassMethod(cls, "sharedInstance", &sharedInstance);
        return new runtime::Object(cls);
    }();
    return plugin;
}

namespace {

runtime::Object* sharedInstance(runtime::Object* /*self*/, runtime::Selector /*cmd*/) {
    return sharedPluginObject();
}

} // namespace

runtime::Class* chooseWindowClass() {
    for (const std::string_view name : kPreferredWindowClasses) {
        if (runtime::Class* cls = runtime::classNamed(name)) {
            return cls;
        }
    }
    return runtime::classNamed(platform::kWindowClassName);
}

void vantroPluginLoad() {
    if (declinesThisProcess()) {
        return;
    }
    sharedPluginObject();
}

void vantroWindowLoad() {
    static bool done = false;
    if (done || declinesThisProcess()) {
        return;
    }
    done = true;
    registerDefaults();
    settings::VantroUserDefaults::standardUserDefaults().subscribeToChanges();
    runtime::Class* windowClass = chooseWindowClass();
    if (windowClass == nullptr) {
        runtime::systemLog("The host has no window class; the plug-in stays off");
        return;
    }
    installWindowHooks(windowClass);
    // The window state store, made now so that the first hook finds it. The
    // feedback windows are made when first shown.
    core::vantroFakeIvars();
}

void vantroMenuLoad() {
    static bool done = false;
    if (done || declinesThisProcess()) {
        return;
    }
    done = true;
    registerDefaults();
    runtime::Class* menu = platform::menuClass();
    runtime::SwizzleKit::extendClass(menu, options_menu::vantroMenuClass());
    core::savedImplementations().update =
        runtime::SwizzleKit::swizzleInstanceMethod("update", menu);
    // Every settings broadcast rebuilds the menu, so that its states follow.
    settings::VantroUserDefaults::standardUserDefaults().setChangeHandler(
        [] { options_menu::reloadZoomOptionsMenu(); });
    options_menu::zoomOptionsMenu();
}

void vantroThemeWidgetLoad() {
    static bool done = false;
    if (done || declinesThisProcess()) {
        return;
    }
    done = true;
    registerDefaults();
    runtime::Class* buttonClass = runtime::classNamed(platform::kTitleButtonClassName);
    if (buttonClass == nullptr) {
        runtime::systemLog("The host has no title-bar button class");
        return;
    }
    runtime::SwizzleKit::extendClass(buttonClass, themeWidgetProvider());
    core::SavedImplementations& saved = core::savedImplementations();
    saved.mouseDown = runtime::SwizzleKit::swizzleInstanceMethod("mouseDown:", buttonClass);
    saved.rightMouseDown =
        runtime::SwizzleKit::swizzleInstanceMethod("rightMouseDown:", buttonClass);
}

void runClassLoadEntries() {
    vantroPluginLoad();
    vantroWindowLoad();
    vantroMenuLoad();
    vantroThemeWidgetLoad();
}

} // namespace vantro::entry

extern "C" void vantro_bundle_load() {
    vantro::entry::runClassLoadEntries();
}
