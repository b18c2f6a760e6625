// Menus rendered as real GtkMenus on a real X server: what choosing an item
// hands back and sends, and what a destroyed menu leaves behind. What the
// items show is seen in tests/e2e/zoom_button.sh. Runs inside tools/with-test-session.

#include "platform/gtk/menu_actions.h"
#include "platform/gtk/menu_rendering.h"
#include "runtime/message_send.h"
#include "support/main_loop.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <vector>

namespace vantro::gtk {
namespace {

using namespace platform;

// Every name gets a path; one the bundle lacks is a file that cannot be read.
std::optional<std::string> bundleImage(std::string_view name) {
    return std::string(VANTRO_IMAGE_RESOURCES) + "/" + std::string(name) + ".svg";
}

// The lines logged in the "Vantro" domain at one level while it lives.
struct DomainLog {
    explicit DomainLog(GLogLevelFlags level)
        : handler(g_log_set_handler("Vantro", level, &collect, &lines)) {}
    ~DomainLog() { g_log_remove_handler("Vantro", handler); }
    static void collect(const gchar* /*domain*/, GLogLevelFlags /*level*/, const gchar* message,
                        gpointer lines) {
        static_cast<std::vector<std::string>*>(lines)->emplace_back(message);
    }
    std::vector<std::string> lines;
    guint handler;
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

// The pixbuf an item's row shows, when it has one.
gpointer iconOf(GtkWidget* item) {
    for (GtkWidget* part : childrenOf(gtk_bin_get_child(GTK_BIN(item)))) {
        if (GTK_IS_IMAGE(part)) {
            return gtk_image_get_pixbuf(GTK_IMAGE(part));
        }
    }
    return nullptr;
}

MenuItem entry(std::string title, std::string image, std::string action, std::string feature) {
    MenuItem item;
    item.title = std::move(title);
    item.imageName = std::move(image);
    item.imageIsTemplate = true;
    item.action = std::move(action);
    item.featureKey = std::move(feature);
    return item;
}

// A header without an action, a command, a submenu and one more command.
std::shared_ptr<Menu> sampleMenu() {
    auto menu = std::make_shared<Menu>("Sample");
    MenuItem header = entry("Sample Options", "", "", "");
    header.enabled = false;
    menu->addItem(std::move(header));
    menu->addItem(
        entry(" Standard Zoom", "StandardZoomTemplate", "vantroZoom:", "VantroStandardZoom"));
    auto modes = std::make_shared<Menu>("Resolutions Menu");
    MenuItem mode = entry("Zoom Window's Content", "SpacerTemplate", "vantroZoom:", "Content");
    mode.state = MenuItemState::on;
    modes->addItem(std::move(mode));
    MenuItem holder = entry(" Resolutions", "ResolutionsZoomTemplate", "", "");
    holder.submenu = std::move(modes);
    menu->addItem(std::move(holder));
    menu->addItem(entry(" Preferences\u2026", "VantroIconTemplate", "vantroOpenPreferences", ""));
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

// The tree is gone before the items are chosen, as when the plug-in
// rebuilds its menu while this one is open; what a choice throws stays
// inside; closed, the menu is destroyed after its choice and leaves nothing
// behind.
TEST_F(MenuRenderingTest, ChoicesAreCopiesAndTheClosedMenuLeavesNothing) {
    std::vector<MenuChoice> chosen;
    const auto held = std::make_shared<int>(0);
    auto tree = sampleMenu();
    GtkWidget* menu = renderMenu(*tree, {&bundleImage, [&chosen, held](const MenuChoice& c) {
                                             chosen.push_back(c);
                                             if (c.action == "vantroOpenPreferences") {
                                                 throw std::runtime_error("no window");
                                             }
                                         }});
    tree.reset();
    const std::vector<GtkWidget*> items = childrenOf(menu);
    const DomainLog warnings(G_LOG_LEVEL_WARNING);
    // The header (no action) and the submenu's holder choose nothing.
    for (GtkWidget* item :
         {items[1], childrenOf(submenuOf(menu, 2))[0], items[3], items[0], items[2]}) {
        gtk_menu_item_activate(GTK_MENU_ITEM(item));
    }
    const std::vector<MenuChoice> expected = {
        {"vantroZoom:", " Standard Zoom", "VantroStandardZoom"},
        {"vantroZoom:", "Zoom Window's Content", "Content"},
        {"vantroOpenPreferences", " Preferences\u2026", ""},
    };
    EXPECT_EQ(chosen, expected);
    ASSERT_EQ(warnings.lines.size(), 1U);
    EXPECT_NE(warnings.lines[0].find("no window"), std::string::npos) << warnings.lines[0];
    ASSERT_GT(held.use_count(), 1);
    gpointer watched[] = {menu, submenuOf(menu, 2), iconOf(items[1])};
    for (gpointer& object : watched) {
        ASSERT_NE(object, nullptr);
        g_object_add_weak_pointer(G_OBJECT(object), &object);
    }
    destroyMenuWhenClosed(menu);
    g_signal_emit_by_name(menu, "deactivate");
    ASSERT_NE(watched[0], nullptr); // GTK activates the chosen item after closing
    EXPECT_TRUE(testing::spinUntil([&] { return watched[0] == nullptr; })) << "menu";
    EXPECT_EQ(watched[1], nullptr) << "submenu";
    EXPECT_EQ(watched[2], nullptr) << "icon";
    EXPECT_EQ(held.use_count(), 1);
}

// --- Performing a choice ----------------------------------------------------

// A zoom chosen from the menu is sent in tests/e2e/zoom_button.sh; here what
// takes no sender, and what nobody can take.
int preferencesOpened = 0;

TEST(MenuActions, SendsWhatTheTargetAnswersAndLogsTheRest) {
    using runtime::Object;
    using runtime::Selector;
    runtime::Class* targetClass = runtime::defineClass("MenuActionTarget", runtime::rootClass());
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
        EXPECT_EQ(debug.lines.size(), 1U) << choice.action;
    }
    EXPECT_TRUE(performMenuAction(target.get(), {"vantroOpenPreferences", "Preferences", ""}));
    EXPECT_EQ(preferencesOpened, 1);
}

} // namespace
} // namespace vantro::gtk
