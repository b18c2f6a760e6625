#pragma once

// The zoom options menu's tree as data: every command with its title, key
// equivalent, modifiers, image and feature, in menu order, and the function
// that builds the menu from it.

#include "platform/menu_model.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>

namespace vantro::options_menu {

inline constexpr std::string_view kMenuTitle = "Vantro Zoom Options Menu";
inline constexpr std::string_view kZoomAction = "vantroZoom:";
inline constexpr std::string_view kPreferencesAction = "vantroOpenPreferences";
// The one image drawn as it is rather than as a template.
inline constexpr std::string_view kSpacerImage = "SpacerTemplate";

// Answers whether the plug-in bundle has an image resource of that name.
using ImageLookup = std::function<bool(std::string_view name)>;

// The whole menu. `resolutionZoomMode` (the setting's integer value) puts the
// on state on "Zoom Whole Window to Resolution" for 0 and on "Zoom Window's
// Content to Resolution" for 1; any other value leaves both off. An image
// the bundle lacks leaves its item without one.
std::shared_ptr<platform::Menu> buildZoomOptionsMenu(std::int64_t resolutionZoomMode,
                                                     const ImageLookup& imageExists);

} // namespace vantro::options_menu
