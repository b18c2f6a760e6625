#include "plugin/options_menu/zoom_options_tree.h"

#include <array>
#include <initializer_list>

namespace vantro::options_menu {

namespace {

using platform::Menu;
using platform::MenuItem;
using platform::ModifierFlags;

constexpr ModifierFlags kControlShift = platform::kControlKeyMask | platform::kShiftKeyMask;
constexpr ModifierFlags kCommandOptionShift =
    platform::kCommandKeyMask | platform::kAlternateKeyMask | platform::kShiftKeyMask;

// One row of a menu table; a row with an empty title is a separator.
struct Command {
    std::string_view title;
    std::string_view key;
    ModifierFlags modifiers;
    std::string_view image;
    std::string_view feature;
};

constexpr Command kSeparator{"", "", 0, "", ""};

constexpr std::array<Command, 4> kHalves = {{
    {" Left Half", "1", kControlShift, "LeftHalfZoomTemplate", "VantroMaximizeLeftHalf"},
    {" Right Half", "2", kControlShift, "RightHalfZoomTemplate", "VantroMaximizeRightHalf"},
    {" Top Half", "3", kControlShift, "TopHalfZoomTemplate", "VantroMaximizeTopHalf"},
    {" Bottom Half", "4", kControlShift, "BottomHalfZoomTemplate", "VantroMaximizeBottomHalf"},
}};

constexpr std::array<Command, 12> kThirds = {{
    {" Left Third", "1", kCommandOptionShift, "VerticalLeftThirdZoomTemplate",
     "VantroMaximizeVerticalLeftThird"},
    {" Vertical Middle Third", "2", kCommandOptionShift, "VerticalMiddleThirdZoomTemplate",
     "VantroMaximizeVerticalMiddleThird"},
    {" Right Third", "3", kCommandOptionShift, "VerticalRightThirdZoomTemplate",
     "VantroMaximizeVerticalRightThird"},
    kSeparator,
    {" Top Third", "4", kCommandOptionShift, "HorizontalTopThirdZoomTemplate",
     "VantroMaximizeHorizontalTopThird"},
    {" Horizontal Middle Third", "5", kCommandOptionShift, "HorizontalMiddleThirdZoomTemplate",
     "VantroMaximizeHorizontalMiddleThird"},
    {" Bottom Third", "6", kCommandOptionShift, "HorizontalBottomThirdZoomTemplate",
     "VantroMaximizeHorizontalBottomThird"},
    kSeparator,
    {" Left Two-Thirds", "7", kCommandOptionShift, "LeftTwoThirdsZoomTemplate",
     "VantroMaximizeLeftTwoThirds"},
    {" Right Two-Thirds", "8", kCommandOptionShift, "RightTwoThirdsZoomTemplate",
     "VantroMaximizeRightTwoThirds"},
    {" Top Two-Thirds", "9", kCommandOptionShift, "TopTwoThirdsZoomTemplate",
     "VantroMaximizeTopTwoThirds"},
    {" Bottom Two-Thirds", "0", kCommandOptionShift, "BottomTwoThirdsZoomTemplate",
     "VantroMaximizeBottomTwoThirds"},
}};

constexpr std::array<Command, 4> kQuarters = {{
    {" Top Left Quarter", "5", kControlShift, "TopLeftQuarterZoomTemplate",
     "VantroMaximizeTopLeftQuarter"},
    {" Top Right Quarter", "6", kControlShift, "TopRightQuarterZoomTemplate",
     "VantroMaximizeTopRightQuarter"},
    {" Bottom Left Quarter", "7", kControlShift, "BottomLeftQuarterZoomTemplate",
     "VantroMaximizeBottomLeftQuarter"},
    {" Bottom Right Quarter", "8", kControlShift, "BottomRightQuarterZoomTemplate",
     "VantroMaximizeBottomRightQuarter"},
}};

constexpr std::array<Command, 17> kResolutions = {{
    {" 320 \u00d7 480", "", 0, "iOSOrigResolutionZoomTemplate", "VantroResolutioniOSOrig"},
    {" 640 \u00d7 960", "", 0, "iOSRetinaResolutionZoomTemplate", "VantroResolutioniOSRetina"},
    kSeparator,
    {" 640 x 480", "", 0, "VGAResolutionZoomTemplate", "VantroResolutionVGA"},
    {" 800 x 600", "", 0, "SVGAResolutionZoomTemplate", "VantroResolutionSVGA"},
    {" 1024 x 768", "", 0, "XGAResolutionZoomTemplate", "VantroResolutionXGA"},
    kSeparator,
    {" 1280 x 720", "", 0, "HD720ResolutionZoomTemplate", "VantroResolutionHD720"},
    {" 1280 x 800", "", 0, "WXGAResolutionZoomTemplate", "VantroResolutionWXGA"},
    {" 1280 x 1024", "", 0, "SXGAResolutionZoomTemplate", "VantroResolutionSXGA"},
    {" 1366 x 768", "", 0, "HDResolutionZoomTemplate", "VantroResolutionHD"},
    {" 1440 x 900", "", 0, "WSXGAResolutionZoomTemplate", "VantroResolutionWSXGA"},
    kSeparator,
    {" 1600 x 1200", "", 0, "UXGAResolutionZoomTemplate", "VantroResolutionUXGA"},
    {" 1680 x 1050", "", 0, "WSXGAPlusResolutionZoomTemplate", "VantroResolutionWSXGA+"},
    {" 1920 x 1080", "", 0, "HD1080ResolutionZoomTemplate", "VantroResolutionHD1080"},
    {" 1920 x 1200", "", 0, "WUXGAResolutionZoomTemplate", "VantroResolutionWUXGA"},
}};

// The resolution mode switch closing the resolutions submenu.
constexpr Command kWholeWindowMode{"Zoom Whole Window to Resolution", "", 0, kSpacerImage,
                                   "VantroSetZoomWholeWindowToResolution"};
constexpr Command kContentMode{"Zoom Window's Content to Resolution", "", 0, kSpacerImage,
                               "VantroSetZoomWidowsContentToResolution"};

constexpr std::array<Command, 11> kPositions = {{
    {" Center", "`", kControlShift, "CenterPositionZoomTemplate", "VantroPositionCenter"},
    kSeparator,
    {" Left Edge", "-", kCommandOptionShift, "LeftEgdePositionZoomTemplate",
     "VantroPositionLeftEdge"},
    {" Right Edge", "=", kCommandOptionShift, "RightEgdePositionZoomTemplate",
     "VantroPositionRightEdge"},
    {" Top Edge", "[", kCommandOptionShift, "TopEgdePositionZoomTemplate", "VantroPositionTopEdge"},
    {" Bottom Edge", "]", kCommandOptionShift, "BottomEgdePositionZoomTemplate",
     "VantroPositionBottomEdge"},
    kSeparator,
    {" Top Left Corner", ";", kCommandOptionShift, "TopLeftCornerPositionZoomTemplate",
     "VantroPositionTopLeftCorner"},
    {" Top Right Corner", "'", kCommandOptionShift, "TopRightCornerPositionZoomTemplate",
     "VantroPositionTopRightCorner"},
    {" Bottom Left Corner", ",", kCommandOptionShift, "BottomLeftCornerPositionZoomTemplate",
     "VantroPositionBottomLeftCorner"},
    {" Bottom Right Corner", ".", kCommandOptionShift, "BottomRightCornerPositionZoomTemplate",
     "VantroPositionBottomRightCorner"},
}};

constexpr std::array<Command, 2> kScreens = {{
    {"Next Screen", "=", kControlShift, kSpacerImage, "VantroNextScreen"},
    {"Previous Screen", "-", kControlShift, kSpacerImage, "VantroPreviousScreen"},
}};

class Builder {
  public:
    explicit Builder(const ImageLookup& imageExists) : imageExists_(imageExists) {}

    [[nodiscard]] MenuItem item(std::string_view title, std::string_view image) const {
        MenuItem made;
        made.title = title;
        if (!image.empty() && imageExists_ && imageExists_(image)) {
            made.imageName = image;
            made.imageIsTemplate = image != kSpacerImage;
        }
        return made;
    }

    [[nodiscard]] MenuItem command(const Command& row) const {
        if (row.title.empty()) {
            return MenuItem::separatorItem();
        }
        MenuItem made = item(row.title, row.image);
        made.keyEquivalent = row.key;
        made.keyEquivalentModifierMask = row.modifiers;
        made.action = kZoomAction;
        made.featureKey = row.feature;
        return made;
    }

    template <std::size_t N>
    [[nodiscard]] MenuItem submenu(std::string_view title, std::string_view image,
                                   std::string_view menuTitle,
                                   const std::array<Command, N>& rows) const {
        auto menu = std::make_shared<Menu>(std::string(menuTitle));
        for (const Command& row : rows) {
            menu->addItem(command(row));
        }
        MenuItem holder = item(title, image);
        holder.submenu = std::move(menu);
        return holder;
    }

  private:
    const ImageLookup& imageExists_;
};

} // namespace

std::shared_ptr<Menu> buildZoomOptionsMenu(std::int64_t resolutionZoomMode,
                                           const ImageLookup& imageExists) {
    const Builder make(imageExists);
    auto menu = std::make_shared<Menu>(std::string(kMenuTitle));

    MenuItem header = make.item("Vantro Zoom Options", "");
    header.enabled = false; // a header: it has no action
    menu->addItem(std::move(header));
    menu->addItem(MenuItem::separatorItem());
    menu->addItem(make.command(
        {" Standard Zoom", "0", kControlShift, "StandardZoomTemplate", "VantroStandardZoom"}));
    menu->addItem(make.command({" Whole Screen", "9", kControlShift, "WholeScreenZoomTemplate",
                                "VantroMaximizeWholeScreen"}));
    menu->addItem(make.submenu(" Half Screen", kHalves[0].image, "Half Screen Menu", kHalves));
    menu->addItem(make.submenu(" Third Screen", kThirds[1].image, "Third Screen Menu", kThirds));
    menu->addItem(
        make.submenu(" Quarter Screen", kQuarters[0].image, "Quarter Screen Menu", kQuarters));

    MenuItem resolutions =
        make.submenu(" Resolutions", "ResolutionsZoomTemplate", "Resolutions Menu", kResolutions);
    resolutions.submenu->addItem(MenuItem::separatorItem());
    for (const auto& [row, mode] :
         {std::pair{kWholeWindowMode, std::int64_t{0}}, std::pair{kContentMode, std::int64_t{1}}}) {
        MenuItem modeItem = make.command(row);
        modeItem.smallLabelFont = true;
        modeItem.state =
            resolutionZoomMode == mode ? platform::MenuItemState::on : platform::MenuItemState::off;
        resolutions.submenu->addItem(std::move(modeItem));
    }
    menu->addItem(std::move(resolutions));

    menu->addItem(
        make.submenu(" Positioning", "PositioningZoomTemplate", "Positioning Menu", kPositions));
    menu->addItem(make.submenu(" Screens", "ScreensTemplate", "Screens Menu", kScreens));
    menu->addItem(MenuItem::separatorItem());
    MenuItem preferences = make.item(" Preferences\u2026", "VantroIconTemplate");
    preferences.action = kPreferencesAction;
    menu->addItem(std::move(preferences));
    return menu;
}

} // namespace vantro::options_menu
