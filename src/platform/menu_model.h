#pragma once

// Menus as the plug-in builds and changes them and a backend shows them: a
// tree of items with titles, key equivalents, images, states and actions,
// and submenus that know the menu they hang under. A menu reaches the
// runtime as a MenuObject of class "GtkMenu", so that the menu class's
// methods (its update, the pop-up) can be replaced and sent like any other.

#include "platform/modifier_flags.h"
#include "runtime/class.h"
#include "runtime/object.h"

#include <memory>
#include <string>
#include <vector>

namespace vantro::platform {

class Menu;

enum class MenuItemState { off, on };

struct MenuItem {
    std::string title;
    bool separator = false;
    std::string keyEquivalent; // "" for none
    ModifierFlags keyEquivalentModifierMask = 0;
    std::string imageName; // a bundle image resource; "" for none
    bool imageIsTemplate = false;
    std::string action;     // the selector sent when chosen; "" for none
    std::string featureKey; // the zoom feature the item stands for; "" for none
    MenuItemState state = MenuItemState::off;
    bool enabled = true;
    bool smallLabelFont = false; // drawn in the small label font
    std::shared_ptr<Menu> submenu;

    static MenuItem separatorItem() {
        MenuItem item;
        item.separator = true;
        return item;
    }
};

class Menu {
  public:
    explicit Menu(std::string title) : title_(std::move(title)) {}
    Menu(const Menu&) = delete;
    Menu& operator=(const Menu&) = delete;
    ~Menu();

    [[nodiscard]] const std::string& title() const { return title_; }
    [[nodiscard]] const std::vector<MenuItem>& items() const { return items_; }
    [[nodiscard]] std::vector<MenuItem>& items() { return items_; }
    // The menu this one hangs under as a submenu; null when none.
    [[nodiscard]] Menu* supermenu() const { return supermenu_; }

    void addItem(MenuItem item);
    void insertItem(MenuItem item, std::size_t index);
    // Hangs `submenu` (or nothing) under item `index`, keeping the
    // submenus' supermenu links right.
    void setSubmenu(std::size_t index, std::shared_ptr<Menu> submenu);

  private:
    void adopt(MenuItem& item);

    std::string title_;
    std::vector<MenuItem> items_;
    Menu* supermenu_ = nullptr;
};

// The runtime face of a menu: an object of class "GtkMenu" holding its tree.
class MenuObject : public runtime::Object {
  public:
    explicit MenuObject(std::shared_ptr<Menu> menu);
    [[nodiscard]] const std::shared_ptr<Menu>& menu() const { return menu_; }

  private:
    std::shared_ptr<Menu> menu_;
};

// The class "GtkMenu", made on first use when no backend has made it.
runtime::Class* menuClass();

} // namespace vantro::platform
