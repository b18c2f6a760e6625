#include "platform/gtk/menu_host_methods.h"

#include "platform/gtk/event_bridge.h"
#include "platform/gtk/menu_actions.h"
#include "platform/gtk/menu_rendering.h"
#include "platform/gtk/title_bar_menu.h"
#include "platform/gtk/window_proxy.h"
#include "platform/title_button.h"
#include "runtime/message_send.h"

#include <memory>

namespace vantro::gtk {

namespace {

using runtime::Object;
using runtime::Selector;

// A window the menu's choices go to, held weakly: the window may be closed
// while its menu is open.
std::shared_ptr<GWeakRef> weakWindow(GtkWindow* window) {
    auto* ref = new GWeakRef;
    g_weak_ref_init(ref, window);
    return {ref, [](GWeakRef* held) {
                g_weak_ref_clear(held);
                delete held;
            }};
}

MenuRenderContext contextFor(GtkWindow* window, GtkPlatform& platform) {
    MenuRenderContext context;
    context.imagePath = [&platform](std::string_view name) {
        return platform.pathForImageResource(name);
    };
    context.onChoice = [target = weakWindow(window)](const MenuChoice& choice) {
        auto* chosenFor = static_cast<GtkWindow*>(g_weak_ref_get(target.get()));
        if (chosenFor == nullptr) {
            return;
        }
        if (WindowProxy* proxy = existingProxyFor(chosenFor)) {
            GdkEvent* event = gtk_get_current_event();
            runAsUserAction(chosenFor, event, [&] { performMenuAction(proxy, choice); });
            if (event != nullptr) {
                gdk_event_free(event);
            }
        }
        g_object_unref(chosenFor);
    };
    return context;
}

void sendUpdate(Object* menu) {
    static const Selector update = Selector::named("update");
    if (menu != nullptr && runtime::respondsToSelector(menu, update)) {
        runtime::send<void>(menu, update);
    }
}

// GTK updates its menus itself as they are shown.
void hostUpdate(Object* /*self*/, Selector) {}

// Pops the menu up at the pointer, for the window of `view` (a title
// button or a window). GTK menus are not modal: this returns at once and the
// choice arrives from the main loop.
void hostPopUp(Object* /*self*/, Selector, Object* menuObject, platform::Event /*event*/,
               Object* view) {
    auto* menu = dynamic_cast<platform::MenuObject*>(menuObject);
    GtkWindow* window = nullptr;
    if (auto* button = dynamic_cast<TitleButtonProxy*>(view)) {
        window = button->window.window;
    } else if (auto* proxy = dynamic_cast<WindowProxy*>(view)) {
        window = proxy->window;
    }
    if (menu == nullptr || !menu->menu() || window == nullptr) {
        return;
    }
    sendUpdate(menu);
    GtkWidget* rendered = renderMenu(*menu->menu(), contextFor(window, currentGtkPlatform()));
    gtk_menu_attach_to_widget(GTK_MENU(rendered), GTK_WIDGET(window), nullptr);
    destroyMenuWhenClosed(rendered);
    GdkEvent* trigger = gtk_get_current_event();
    gtk_menu_popup_at_pointer(GTK_MENU(rendered), trigger);
    if (trigger != nullptr) {
        gdk_event_free(trigger);
    }
}

} // namespace

void addMenuHostMethods() {
    static const bool added = [] {
        runtime::Class* cls = platform::menuClass();
        runtime::addMethod(cls, "update", &hostUpdate);
        runtime::addMethod(cls->metaclass(), "popUpContextMenu:withEvent:forView:", &hostPopUp);
        return true;
    }();
    (void)added;
}

const platform::Menu* zoomOptionsMenu() {
    static const Selector published = Selector::named("vantroZoomOptionsMenu");
    runtime::Class* cls = runtime::classNamed(platform::kMenuClassName);
    if (cls == nullptr || !runtime::respondsToSelector(cls, published)) {
        return nullptr;
    }
    auto* menu = dynamic_cast<platform::MenuObject*>(runtime::send<Object*>(cls, published));
    return menu != nullptr ? menu->menu().get() : nullptr;
}

const platform::Menu* updatedMainMenu(GtkPlatform& platform) {
    sendUpdate(platform.mainMenu());
    auto* main = dynamic_cast<platform::MenuObject*>(platform.mainMenu());
    return main != nullptr ? main->menu().get() : nullptr;
}

void hangUnderTitleBarMenu(GtkMenu* menu, GtkWindow* window, GtkPlatform& platform) {
    GtkWidget* maximize = maximizeItemOf(menu);
    auto* windowMenu = dynamic_cast<platform::MenuObject*>(platform.windowsMenu());
    if (maximize == nullptr || windowMenu == nullptr || !windowMenu->menu() ||
        gtk_menu_item_get_submenu(GTK_MENU_ITEM(maximize)) != nullptr) {
        return;
    }
    sendUpdate(windowMenu);
    for (const platform::MenuItem& item : windowMenu->menu()->items()) {
        if (item.title == kMaximizeItemTitle && item.submenu) {
            sendUpdate(platform.mainMenu());
            GtkWidget* rendered = renderMenu(*item.submenu, contextFor(window, platform));
            gtk_menu_item_set_submenu(GTK_MENU_ITEM(maximize), rendered);
            gtk_widget_set_sensitive(maximize, TRUE);
            return;
        }
    }
}

} // namespace vantro::gtk
