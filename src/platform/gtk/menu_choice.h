#pragma once

// What choosing a menu item asks for, copied out of the tree: the plug-in may
// rebuild its menus while one is shown (a mode item reloads the menu), so
// nothing that outlives the choice may point into the tree.

#include "platform/menu_model.h"

#include <string>

namespace vantro::gtk {

struct MenuChoice {
    std::string action; // the selector to send
    std::string title;  // as in the tree, leading space and all: the zoom reads features from it
    std::string featureKey;

    friend bool operator==(const MenuChoice&, const MenuChoice&) = default;
};

inline MenuChoice menuChoiceOf(const platform::MenuItem& item) {
    return {item.action, item.title, item.featureKey};
}

} // namespace vantro::gtk
