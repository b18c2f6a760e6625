// Menus rendered as real GtkMenus on a real X server: what each item shows,
// what choosing one hands back and sends, and what a destroyed menu leaves
// behind. Runs inside tools/with-test-session.

#include "platform/gtk/menu_actions.h"
#include "platform/gtk/menu_item_icon.h"
#include "platform/gtk/menu_rendering.h"
#include "runtime/message_send.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <thread>
#include <vector>

namespace vantro::gtk {
namespace {

using namespace platform;

template <typename Predicate> bool settle(Predicate done) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (std::chrono::steady_clock::now() < end) {
        while (gtk_events_pending() != 0) {
            gtk_main_iteration_do(FALSE);
        }
        if (done()) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return done();
}

// Every name gets a path; one the bundle lacks is a file that cannot be read.
std::optional<std::string> bundleImage(std::string_view name) {
    return std::string(VANTRO_IMAGE_RESOURCES) + "/" + std::string(name) + ".svg";
}

// The lines logged in the "Vantro" domain at one level while it lives.
class DomainLog {
  public:
    explicit DomainLog(GLogLevelFlags level)
        : handler_(g_log_set_handler("Vantro", level, &DomainLog::collect, &lines_)) {}
    ~DomainLog() { g_log_remove_handler("Vantro", handler_); }
    DomainLog(const DomainLog&) = delete;
    DomainLog& operator=(const DomainLog&) = delete;
    [[nodiscard]] const std::vector<std::string>& lines() const { return lines_; }

  private:
    static void collect(const gchar* /*domain*/, GLogLevelFlags /*level*/, const gchar* message,
                        gpointer lines) {
        static_cast<std::vector<std::string>*>(lines)->emplace_back(message);
    }
    std::vector<std::string> lines_;
    guint handler_;
};

std::vector<GtkWidget*> childrenOf(GtkWidget* container) {
    std::vector<GtkWidget*> children;
    GList* list = gtk_container_get_children(GTK_CONTAINER(container));
    for (GList* link = list; link != nullptr; link = link->next) {
        children.push_back(GTK_WIDGET(link->data));
    }
    g_list_free(list);
    return children;
}

GtkWidget* submenuOf(GtkWidget* menu, std::size_t index) {
    return gtk_menu_item_get_submenu(GTK_MENU_ITEM(childrenOf(menu)[index]));
}

// An item's row holds its icon, when it has one, and its label.
GtkWidget* partOf(GtkWidget* item, GType type) {
    GtkWidget* row = gtk_bin_get_child(GTK_BIN(item));
    for (GtkWidget* part : row != nullptr ? childrenOf(row) : std::vector<GtkWidget*>{}) {
        if (G_TYPE_CHECK_INSTANCE_TYPE(part, type)) {
            return part;
        }
    }
    return nullptr;
}

double labelScale(GtkWidget* label) {
    PangoAttrList* attributes = gtk_label_get_attributes(GTK_LABEL(label));
    if (attributes == nullptr) {
        return 1.0;
    }
    PangoAttrIterator* iterator = pango_attr_list_get_iterator(attributes);
    const PangoAttribute* scale = pango_attr_iterator_get(iterator, PANGO_ATTR_SCALE);
    const double value =
        scale != nullptr ? reinterpret_cast<const PangoAttrFloat*>(scale)->value : 1.0;
    pango_attr_iterator_destroy(iterator);
    return value;
}

MenuItem entry(std::string title, std::string key, std::string image, std::string action,
               std::string feature) {
    MenuItem item;
    item.title = std::move(title);
    item.keyEquivalent = std::move(key);
    item.keyEquivalentModifierMask =
        item.keyEquivalent.empty() ? 0 : kControlKeyMask | kShiftKeyMask;
    item.imageName = std::move(image);
    item.imageIsTemplate = item.imageName != "SpacerTemplate";
    item.action = std::move(action);
    item.featureKey = std::move(feature);
    return item;
}

// Every kind of item the zoom options menu has, and an image the bundle lacks.
std::shared_ptr<Menu> sampleMenu() {
    auto menu = std::make_shared<Menu>("Sample");
    MenuItem header = entry("Sample Options", "", "", "", "");
    header.enabled = false;
    menu->addItem(std::move(header));
    menu->addItem(MenuItem::separatorItem());
    menu->addItem(
        entry(" Standard Zoom", "0", "StandardZoomTemplate", "vantroZoom:", "VantroStandardZoom"));
    menu->addItem(entry("Next Screen ", "=", "SpacerTemplate", "vantroZoom:", "VantroNextScreen"));
    menu->addItem(entry(" Lost Image", "", "NoSuchImageTemplate", "vantroZoom:", "Lost"));
    auto resolutions = std::make_shared<Menu>("Resolutions Menu");
    resolutions->addItem(
        entry(" 640 x 480", "", "VGAResolutionZoomTemplate", "vantroZoom:", "VantroResolutionVGA"));
    for (const char* mode : {"Zoom Whole Window to Resolution", "Zoom Window's Content"}) {
        MenuItem item = entry(mode, "", "SpacerTemplate", "vantroZoom:", mode);
        item.state = resolutions->items().size() == 1 ? MenuItemState::on : MenuItemState::off;
        item.smallLabelFont = true;
        resolutions->addItem(std::move(item));
    }
    MenuItem holder = entry(" Resolutions", "", "ResolutionsZoomTemplate", "", "");
    holder.submenu = std::move(resolutions);
    menu->addItem(std::move(holder));
    menu->addItem(
        entry(" Preferences\u2026", "", "VantroIconTemplate", "vantroOpenPreferences", ""));
    return menu;
}

class MenuRenderingTest : public ::testing::Test {
  protected:
    void SetUp() override {
        // NOLINTNEXTLINE(concurrency-mt-unsafe): read before any thread starts
        if (std::getenv("DISPLAY") == nullptr || std::getenv("VANTRO_PRIVATE_SESSION") == nullptr) {
            GTEST_SKIP() << "needs DISPLAY and VANTRO_PRIVATE_SESSION (tools/with-test-session)";
        }
        ASSERT_TRUE(gtk_init_check(nullptr, nullptr));
    }
};

TEST_F(MenuRenderingTest, EachItemShowsItsTitleStateKeyAndIcon) {
    struct Shown {
        const char* label; // nullptr for a separator
        bool sensitive;
        guint key;
        bool icon;
    };
    const Shown top[] = {
        {"Sample Options", false, 0, false},      {nullptr, true, 0, false},
        {"Standard Zoom", true, GDK_KEY_0, true}, {"Next Screen", true, GDK_KEY_equal, true},
        {"Lost Image", true, 0, false},           {"Resolutions", true, 0, true},
        {"Preferences\u2026", true, 0, true},
    };
    const auto tree = sampleMenu();
    GtkWidget* menu = renderMenu(*tree, {&bundleImage, [](const MenuChoice&) {}});
    const std::vector<GtkWidget*> items = childrenOf(menu);
    ASSERT_EQ(items.size(), std::size(top));
    for (std::size_t i = 0; i < items.size(); ++i) {
        const Shown& e = top[i];
        EXPECT_EQ(GTK_IS_SEPARATOR_MENU_ITEM(items[i]) != 0, e.label == nullptr) << i;
        EXPECT_EQ(gtk_widget_get_sensitive(items[i]) != 0, e.sensitive) << i;
        if (e.label == nullptr) {
            continue;
        }
        GtkWidget* label = partOf(items[i], GTK_TYPE_ACCEL_LABEL);
        ASSERT_NE(label, nullptr) << e.label;
        EXPECT_STREQ(gtk_label_get_text(GTK_LABEL(label)), e.label);
        guint key = 0;
        GdkModifierType modifiers{};
        gtk_accel_label_get_accel(GTK_ACCEL_LABEL(label), &key, &modifiers);
        EXPECT_EQ(key, e.key) << e.label;
        EXPECT_EQ(static_cast<unsigned>(modifiers),
                  e.key != 0 ? GDK_CONTROL_MASK | GDK_SHIFT_MASK : 0U)
            << e.label;
        GtkWidget* icon = partOf(items[i], GTK_TYPE_IMAGE);
        ASSERT_EQ(icon != nullptr, e.icon) << e.label;
        if (icon != nullptr) {
            EXPECT_EQ(gdk_pixbuf_get_width(gtk_image_get_pixbuf(GTK_IMAGE(icon))), kMenuIconSize);
        }
    }
    // The submenu: a plain item, then the mode that is on as a check item
    // and the one that is off as a plain one, both in the small font.
    const std::vector<GtkWidget*> modes = childrenOf(submenuOf(menu, 5));
    ASSERT_EQ(modes.size(), 3U);
    EXPECT_EQ(labelScale(partOf(modes[0], GTK_TYPE_ACCEL_LABEL)), 1.0);
    ASSERT_TRUE(GTK_IS_CHECK_MENU_ITEM(modes[1]));
    EXPECT_TRUE(gtk_check_menu_item_get_active(GTK_CHECK_MENU_ITEM(modes[1])));
    EXPECT_FALSE(gtk_check_menu_item_get_draw_as_radio(GTK_CHECK_MENU_ITEM(modes[1])));
    EXPECT_FALSE(GTK_IS_CHECK_MENU_ITEM(modes[2]));
    EXPECT_LT(labelScale(partOf(modes[1], GTK_TYPE_ACCEL_LABEL)), 1.0);
    EXPECT_LT(labelScale(partOf(modes[2], GTK_TYPE_ACCEL_LABEL)), 1.0);
    gtk_widget_destroy(menu);
}

// The tree is gone before the items are chosen, as when the plug-in
// rebuilds its menu while this one is open; destroyed, the menu leaves
// nothing behind.
TEST_F(MenuRenderingTest, ChoosingHandsBackCopiesAndDestroyingFreesEverything) {
    std::vector<MenuChoice> chosen;
    const auto held = std::make_shared<int>(0);
    auto tree = sampleMenu();
    GtkWidget* menu = renderMenu(
        *tree, {&bundleImage, [&chosen, held](const MenuChoice& c) { chosen.push_back(c); }});
    tree.reset();
    const std::vector<GtkWidget*> items = childrenOf(menu);
    // The header (no action) and the submenu's holder choose nothing.
    for (GtkWidget* item :
         {items[2], childrenOf(submenuOf(menu, 5))[2], items[6], items[0], items[5]}) {
        gtk_menu_item_activate(GTK_MENU_ITEM(item));
    }
    const std::vector<MenuChoice> expected = {
        {"vantroZoom:", " Standard Zoom", "VantroStandardZoom"},
        {"vantroZoom:", "Zoom Window's Content", "Zoom Window's Content"},
        {"vantroOpenPreferences", " Preferences\u2026", ""},
    };
    EXPECT_EQ(chosen, expected);
    ASSERT_GT(held.use_count(), 1);
    gpointer watched[] = {menu, submenuOf(menu, 5),
                          gtk_image_get_pixbuf(GTK_IMAGE(partOf(items[2], GTK_TYPE_IMAGE)))};
    for (gpointer& object : watched) {
        g_object_add_weak_pointer(G_OBJECT(object), &object);
    }
    gtk_widget_destroy(menu);
    EXPECT_EQ(watched[0], nullptr) << "menu";
    EXPECT_EQ(watched[1], nullptr) << "submenu";
    EXPECT_EQ(watched[2], nullptr) << "icon";
    EXPECT_EQ(held.use_count(), 1);
}

TEST_F(MenuRenderingTest, AThrowingChoiceIsLoggedAndStaysInside) {
    const auto tree = sampleMenu();
    GtkWidget* menu =
        renderMenu(*tree, {{}, [](const MenuChoice&) { throw std::runtime_error("no window"); }});
    const DomainLog warnings(G_LOG_LEVEL_WARNING);
    gtk_menu_item_activate(GTK_MENU_ITEM(childrenOf(menu)[2]));
    ASSERT_EQ(warnings.lines().size(), 1U);
    EXPECT_NE(warnings.lines()[0].find("no window"), std::string::npos) << warnings.lines()[0];
    gtk_widget_destroy(menu);
}

TEST_F(MenuRenderingTest, AClosedMenuIsDestroyedAfterItsChoice) {
    const auto tree = sampleMenu();
    GtkWidget* menu = renderMenu(*tree, {});
    gpointer watched = menu;
    g_object_add_weak_pointer(G_OBJECT(menu), &watched);
    destroyMenuWhenClosed(menu);
    g_signal_emit_by_name(menu, "deactivate");
    ASSERT_NE(watched, nullptr); // GTK activates the chosen item after closing
    EXPECT_TRUE(settle([&] { return watched == nullptr; }));
}

// Where each item's icon starts in `menu` popped up over a window.
std::vector<int> iconColumnsShown(GtkWidget* menu) {
    GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_widget_show_all(window);
    std::vector<int> columns;
    if (settle([&] { return gtk_widget_get_mapped(window) != 0; })) {
        GdkEvent* click = gdk_event_new(GDK_BUTTON_PRESS);
        click->button.window = GDK_WINDOW(g_object_ref(gtk_widget_get_window(window)));
        gdk_event_set_device(
            click, gdk_seat_get_pointer(gdk_display_get_default_seat(gdk_display_get_default())));
        const GdkRectangle anchor{10, 10, 1, 1};
        gtk_menu_popup_at_rect(GTK_MENU(menu), gtk_widget_get_window(window), &anchor,
                               GDK_GRAVITY_SOUTH_WEST, GDK_GRAVITY_NORTH_WEST, click);
        gdk_event_free(click);
    }
    if (settle([&] { return gtk_widget_get_mapped(menu) != 0; })) {
        for (GtkWidget* item : childrenOf(menu)) {
            int x = -1;
            int y = -1;
            gtk_widget_translate_coordinates(partOf(item, GTK_TYPE_IMAGE), menu, 0, 0, &x, &y);
            columns.push_back(x);
        }
    }
    gtk_menu_popdown(GTK_MENU(menu));
    gtk_widget_destroy(window);
    return columns;
}

// Items in the off state are plain items; shown, their icons (and the
// titles after them) must start where the checked item's do. With no item
// on, the menu keeps a check column all the same.
TEST_F(MenuRenderingTest, OffItemsLineUpWithTheCheckedOne) {
    const auto tree = sampleMenu();
    Menu& resolutions = *tree->items()[5].submenu;
    for (const bool oneOn : {true, false}) {
        resolutions.items()[1].state = oneOn ? MenuItemState::on : MenuItemState::off;
        GtkWidget* menu = renderMenu(resolutions, {&bundleImage, {}});
        const std::vector<int> columns = iconColumnsShown(menu);
        ASSERT_EQ(columns.size(), 3U) << oneOn;
        EXPECT_GT(columns[0], kMenuIconSize) << oneOn;
        EXPECT_EQ(columns[1], columns[0]) << oneOn;
        EXPECT_EQ(columns[2], columns[0]) << oneOn;
        gtk_widget_destroy(menu);
    }
}

// A template icon is painted in its style's text colour, any other image
// as it is: the "V" is solid in its middle column 11 px down, clear in the
// corners.
TEST_F(MenuRenderingTest, TemplateIconsTakeTheTextColour) {
    GtkCssProvider* css = gtk_css_provider_new();
    gtk_css_provider_load_from_data(css, "image { color: rgb(255, 0, 0); }", -1, nullptr);
    gtk_style_context_add_provider_for_screen(gdk_screen_get_default(), GTK_STYLE_PROVIDER(css),
                                              GTK_STYLE_PROVIDER_PRIORITY_USER);
    for (const bool isTemplate : {true, false}) {
        GtkWidget* window = gtk_offscreen_window_new();
        GtkWidget* icon = newMenuItemIcon(*bundleImage("VantroIconTemplate"), isTemplate);
        ASSERT_NE(icon, nullptr);
        gtk_container_add(GTK_CONTAINER(window), icon);
        gtk_widget_show_all(window);
        ASSERT_TRUE(settle([&] { return gtk_widget_get_allocated_width(icon) >= kMenuIconSize; }));
        cairo_surface_t* surface =
            cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kMenuIconSize, kMenuIconSize);
        cairo_t* cr = cairo_create(surface);
        // The icon's square, whole pixels from its allocation's corner.
        const int left = (gtk_widget_get_allocated_width(icon) - kMenuIconSize) / 2;
        const int top = (gtk_widget_get_allocated_height(icon) - kMenuIconSize) / 2;
        cairo_translate(cr, -left, -top);
        gtk_widget_draw(icon, cr);
        cairo_destroy(cr);
        cairo_surface_flush(surface);
        const auto pixel = [&](int x, int y) {
            const unsigned char* row =
                cairo_image_surface_get_data(surface) +
                static_cast<std::ptrdiff_t>(y) * cairo_image_surface_get_stride(surface);
            return reinterpret_cast<const guint32*>(row)[x];
        };
        EXPECT_EQ(pixel(8, 11), isTemplate ? 0xFFFF0000U : 0xFF000000U) << std::hex << pixel(8, 11);
        EXPECT_EQ(pixel(0, 0) | pixel(15, 15), 0U);
        cairo_surface_destroy(surface);
        gtk_widget_destroy(window);
    }
    gtk_style_context_remove_provider_for_screen(gdk_screen_get_default(), GTK_STYLE_PROVIDER(css));
    g_object_unref(css);
}

// --- Performing a choice ----------------------------------------------------

// What the target below was sent: the class and title of each zoom's sender.
std::vector<std::string> zoomSenders;
int preferencesOpened = 0;

TEST(MenuActions, SendsWhatTheTargetAnswersAndLogsTheRest) {
    using runtime::Object;
    using runtime::Selector;
    runtime::Class* targetClass = runtime::defineClass("MenuActionTarget", runtime::rootClass());
    runtime::addMethod(
        targetClass, "vantroZoom:", +[](Object*, Selector, Object* sender) {
            const auto title = runtime::send<std::string>(sender, Selector::named("title"));
            zoomSenders.push_back(sender->isa()->name() + " " + title);
        });
    runtime::addMethod(
        targetClass, "vantroOpenPreferences", +[](Object*, Selector) { ++preferencesOpened; });
    runtime::addMethod(
        targetClass, "takesText:", +[](Object*, Selector, std::string_view) {
            ADD_FAILURE() << "a text is no sender";
        });
    const std::unique_ptr<Object> target = runtime::createInstance(targetClass);
    const std::unique_ptr<Object> bystander = runtime::createInstance(runtime::rootClass());
    const std::pair<Object*, MenuChoice> notSent[] = {
        {target.get(), {"takesText:", " Text", ""}}, // answered, but not with a sender
        {bystander.get(), {"vantroZoom:", " Left Half", ""}},
        {nullptr, {"vantroZoom:", " Left Half", ""}},
    };
    for (const auto& [receiver, choice] : notSent) {
        const DomainLog debug(G_LOG_LEVEL_DEBUG);
        EXPECT_FALSE(performMenuAction(receiver, choice)) << choice.action;
        EXPECT_EQ(debug.lines().size(), 1U) << choice.action;
    }
    EXPECT_TRUE(performMenuAction(target.get(), {"vantroZoom:", " Left Half", "Feature"}));
    EXPECT_TRUE(performMenuAction(target.get(), {"vantroOpenPreferences", "Preferences", ""}));
    EXPECT_EQ(zoomSenders, std::vector<std::string>{"GtkMenuItem  Left Half"});
    EXPECT_EQ(preferencesOpened, 1);
}

} // namespace
} // namespace vantro::gtk
