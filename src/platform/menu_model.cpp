#include "platform/menu_model.h"

#include "platform/title_button.h"

namespace vantro::platform {

Menu::~Menu() {
    for (MenuItem& item : items_) {
        if (item.submenu && item.submenu->supermenu_ == this) {
            item.submenu->supermenu_ = nullptr;
        }
    }
}

void Menu::adopt(MenuItem& item) {
    if (!item.submenu) {
        return;
    }
    // A menu hangs under one item only: taken from where it hung before.
    if (Menu* previous = item.submenu->supermenu_; previous != nullptr && previous != this) {
        for (std::size_t i = 0; i < previous->items_.size(); ++i) {
            if (previous->items_[i].submenu == item.submenu) {
                previous->items_[i].submenu.reset();
            }
        }
    }
    item.submenu->supermenu_ = this;
}

void Menu::addItem(MenuItem item) {
    adopt(item);
    items_.push_back(std::move(item));
}

void Menu::insertItem(MenuItem item, std::size_t index) {
    adopt(item);
    const auto at = static_cast<std::ptrdiff_t>(std::min(index, items_.size()));
    items_.insert(items_.begin() + at, std::move(item));
}

void Menu::setSubmenu(std::size_t index, std::shared_ptr<Menu> submenu) {
    if (index >= items_.size()) {
        return;
    }
    MenuItem& item = items_[index];
    if (item.submenu && item.submenu->supermenu_ == this) {
        item.submenu->supermenu_ = nullptr;
    }
    item.submenu = std::move(submenu);
    adopt(item);
}

MenuObject::MenuObject(std::shared_ptr<Menu> menu) : Object(menuClass()), menu_(std::move(menu)) {}

runtime::Class* menuClass() {
    static runtime::Class* cls = [] {
        runtime::Class* existing = runtime::classNamed(kMenuClassName);
        if (existing != nullptr) {
            return existing;
        }
        runtime::Class* created = runtime::defineClass(kMenuClassName, nullptr);
        created->setOwner("org.gtk.Gtk");
        return created;
    }();
    return cls;
}

} // namespace vantro::platform
