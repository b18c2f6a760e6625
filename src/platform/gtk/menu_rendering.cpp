#include "platform/gtk/menu_rendering.h"

#include "platform/gtk/key_equivalent_keyvals.h"
#include "platform/gtk/menu_item_icon.h"

#include <exception>
#include <memory>
#include <utility>

namespace vantro::gtk {

namespace {

using platform::Menu;
using platform::MenuItem;

using ChoiceHandler = std::function<void(const MenuChoice&)>;

// Deeper than any menu the plug-in builds; stops a tree that hangs a menu
// under itself from recursing without end.
constexpr int kMaxMenuDepth = 16;
constexpr int kIconLabelSpacing = 6;

// One per item with an action, freed with the item's signal handler.
struct Activation {
    MenuChoice choice;
    std::shared_ptr<const ChoiceHandler> handler;
};

void activated(GtkMenuItem* /*widget*/, gpointer data) {
    const auto& activation = *static_cast<const Activation*>(data);
    try {
        (*activation.handler)(activation.choice);
    } catch (const std::exception& error) {
        g_warning("Choosing the menu item \"%s\" failed: %s", activation.choice.title.c_str(),
                  error.what());
    } catch (...) {
        g_warning("Choosing the menu item \"%s\" failed", activation.choice.title.c_str());
    }
}

void freeActivation(gpointer data, GClosure* /*closure*/) {
    delete static_cast<Activation*>(data);
}

std::string displayedTitle(std::string_view title) {
    constexpr std::string_view kBlanks = " \t";
    const std::size_t first = title.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return std::string(title.substr(first, title.find_last_not_of(kBlanks) - first + 1));
}

GtkWidget* newLabel(const MenuItem& item) {
    GtkWidget* label = gtk_accel_label_new(displayedTitle(item.title).c_str());
    gtk_label_set_xalign(GTK_LABEL(label), 0.0F);
    // The label fills the item so that accelerators line up at the right.
    gtk_widget_set_hexpand(label, TRUE);
    if (const guint keyval = keyvalOfKeyEquivalent(item.keyEquivalent); keyval != 0) {
        gtk_accel_label_set_accel(GTK_ACCEL_LABEL(label), keyval,
                                  gdkModifiersOfFlags(item.keyEquivalentModifierMask));
    }
    if (item.smallLabelFont) {
        // Relative to the theme's menu font rather than a fixed size.
        PangoAttrList* attributes = pango_attr_list_new();
        pango_attr_list_insert(attributes, pango_attr_scale_new(PANGO_SCALE_SMALL));
        gtk_label_set_attributes(GTK_LABEL(label), attributes);
        pango_attr_list_unref(attributes);
    }
    return label;
}

GtkWidget* newIcon(const MenuItem& item, const MenuRenderContext& context) {
    if (item.imageName.empty() || !context.imagePath) {
        return nullptr;
    }
    const std::optional<std::string> path = context.imagePath(item.imageName);
    return path ? newMenuItemIcon(*path, item.imageIsTemplate) : nullptr;
}

// Only an item in the on state is a check item. The model marks no item as
// a toggle (off is every item's state), and the others need no check to line
// up: a GtkMenu gives every item the widest check column among its items.
GtkWidget* newItemWidget(const MenuItem& item) {
    if (item.separator) {
        return gtk_separator_menu_item_new();
    }
    if (item.state != platform::MenuItemState::on) {
        return gtk_menu_item_new();
    }
    GtkWidget* check = gtk_check_menu_item_new();
    gtk_check_menu_item_set_active(GTK_CHECK_MENU_ITEM(check), TRUE);
    return check;
}

GtkWidget* buildMenu(const Menu& menu, const MenuRenderContext& context,
                     const std::shared_ptr<const ChoiceHandler>& handler, int depth);

GtkWidget* buildItem(const MenuItem& item, const MenuRenderContext& context,
                     const std::shared_ptr<const ChoiceHandler>& handler, int depth) {
    GtkWidget* widget = newItemWidget(item);
    if (item.separator) {
        return widget;
    }
    GtkWidget* row = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, kIconLabelSpacing);
    if (GtkWidget* icon = newIcon(item, context)) {
        gtk_box_pack_start(GTK_BOX(row), icon, FALSE, FALSE, 0);
    }
    gtk_box_pack_start(GTK_BOX(row), newLabel(item), TRUE, TRUE, 0);
    gtk_container_add(GTK_CONTAINER(widget), row);
    gtk_widget_set_sensitive(widget, item.enabled ? TRUE : FALSE);
    if (item.submenu) {
        if (depth < kMaxMenuDepth) {
            gtk_menu_item_set_submenu(GTK_MENU_ITEM(widget),
                                      buildMenu(*item.submenu, context, handler, depth + 1));
        }
    } else if (!item.action.empty() && handler) {
        g_signal_connect_data(widget, "activate", G_CALLBACK(&activated),
                              new Activation{menuChoiceOf(item), handler}, &freeActivation,
                              static_cast<GConnectFlags>(0));
    }
    return widget;
}

GtkWidget* buildMenu(const Menu& menu, const MenuRenderContext& context,
                     const std::shared_ptr<const ChoiceHandler>& handler, int depth) {
    GtkWidget* shell = gtk_menu_new();
    // Keeps a check column when no item is on: titles stay within 2 px
    // (measured, default theme) of where they are with one item checked.
    gtk_menu_set_reserve_toggle_size(GTK_MENU(shell), TRUE);
    for (const MenuItem& item : menu.items()) {
        GtkWidget* widget = buildItem(item, context, handler, depth);
        gtk_widget_show_all(widget);
        gtk_menu_shell_append(GTK_MENU_SHELL(shell), widget);
    }
    return shell;
}

// Only its address is used: it tags the close handler, to disconnect it.
constexpr char kCloseWatch = 0;

gboolean destroyNow(gpointer menu) {
    gtk_widget_destroy(GTK_WIDGET(menu));
    g_object_unref(menu);
    return G_SOURCE_REMOVE;
}

void closed(GtkMenuShell* menu, gpointer tag) {
    g_signal_handlers_disconnect_by_data(menu, tag);
    g_idle_add(&destroyNow, g_object_ref(menu));
}

} // namespace

GtkWidget* renderMenu(const Menu& menu, const MenuRenderContext& context) {
    auto handler =
        context.onChoice ? std::make_shared<const ChoiceHandler>(context.onChoice) : nullptr;
    return buildMenu(menu, context, handler, 0);
}

void destroyMenuWhenClosed(GtkWidget* menu) {
    g_return_if_fail(GTK_IS_MENU(menu));
    // GLib never writes through the data pointer.
    g_signal_connect(menu, "deactivate", G_CALLBACK(&closed), const_cast<char*>(&kCloseWatch));
}

} // namespace vantro::gtk
