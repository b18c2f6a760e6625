#include "plugin/options_menu/vantro_menu.h"

#include "platform/platform.h"
#include "plugin/core/common_gate.h"
#include "plugin/core/feature_keys.h"
#include "plugin/core/saved_implementations.h"
#include "plugin/options_menu/window_menu_insertion.h"
#include "plugin/options_menu/zoom_options_tree.h"
#include "runtime/message_send.h"
#include "settings/catalogue.h"
#include "settings/vantro_user_defaults.h"

#include <memory>

namespace vantro::options_menu {

namespace {

using runtime::Object;
using runtime::Selector;

std::unique_ptr<platform::MenuObject>& zoomMenu() {
    static auto* menu = new std::unique_ptr<platform::MenuObject>();
    return *menu;
}

platform::Menu* modelOf(Object* object) {
    auto* menu = dynamic_cast<platform::MenuObject*>(object);
    return menu != nullptr ? menu->menu().get() : nullptr;
}

void updateMainMenu() {
    static const Selector update = Selector::named("update");
    if (Object* main = platform::currentPlatform().mainMenu()) {
        runtime::send<void>(main, update);
    }
}

platform::MenuObject& build() {
    platform::Platform& host = platform::currentPlatform();
    const std::int64_t mode =
        settings::readInteger(settings::VantroUserDefaults::standardUserDefaults().objectForKey(
            core::feature::kResolutionZoomMode));
    zoomMenu() = std::make_unique<platform::MenuObject>(
        buildZoomOptionsMenu(mode, [&host](std::string_view name) {
            return host.pathForImageResource(name).has_value();
        }));
    platform::MenuObject& built = *zoomMenu();
    updateMainMenu();
    return built;
}

Object* vantroZoomOptionsMenu(Object* /*self*/, Selector) {
    return &zoomOptionsMenu();
}

void reloadVantroZoomOptionsMenu(Object* /*self*/, Selector) {
    reloadZoomOptionsMenu();
}

void vtUpdate(Object* self, Selector cmd) {
    runtime::callImplementation<void>(core::savedImplementations().update, self, cmd);
    platform::Platform& host = platform::currentPlatform();
    platform::Menu* main = modelOf(host.mainMenu());
    if (self != host.mainMenu() || main == nullptr || !zoomMenu()) {
        return;
    }
    detachZoomOptionsMenu(*zoomMenu()->menu());
    if (!core::gateIsOpen(nullptr)) {
        return; // the Window menu keeps the host's plain zoom
    }
    insertIntoWindowMenu(*main, zoomMenu()->menu(), modelOf(host.windowsMenu()));
}

} // namespace

platform::MenuObject& zoomOptionsMenu() {
    if (!zoomMenu()) {
        return build();
    }
    return *zoomMenu();
}

void reloadZoomOptionsMenu() {
    if (zoomMenu()) {
        detachZoomOptionsMenu(*zoomMenu()->menu());
    }
    zoomMenu().reset();
    build();
}

runtime::Class* vantroMenuClass() {
    static runtime::Class* cls = [] {
        runtime::Class* c = runtime::defineClass(kVantroMenuClassName, nullptr);
        c->setOwner("com.quillworks.vantro");
        runtime::addClassMethod(c, "vantroZoomOptionsMenu", &vantroZoomOptionsMenu);
        runtime::addClassMethod(c, "reloadVantroZoomOptionsMenu", &reloadVantroZoomOptionsMenu);
        runtime::addMethod(c, "VTupdate", &vtUpdate);
        return c;
    }();
    return cls;
}

} // namespace vantro::options_menu
