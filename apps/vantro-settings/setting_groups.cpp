#include "setting_groups.h"

#include "row_choices.h"

namespace vantro::settings_app {

namespace {

using settings::Shape;

SettingRow feature(std::string_view key, std::string_view title) {
    return {key, Shape::featureSetting, title, modifierChoices(key)};
}

SettingRow option(std::string_view key, std::string_view title) {
    return {key, Shape::optionSetting, title, {}};
}

SettingRow display(std::string_view key, std::string_view title) {
    return {key, Shape::displaySetting, title, displayModeChoices(key)};
}

SettingGroup group(std::string_view title, std::string_view note, std::vector<SettingRow> rows) {
    return {title, note, false, std::move(rows)};
}

SettingGroup folded(std::string_view title, std::string_view note, std::vector<SettingRow> rows) {
    return {title, note, true, std::move(rows)};
}

std::vector<SettingGroup> buildGroups() {
    std::vector<SettingGroup> groups = {
        group("Plug-in", "GTK title bars reach windows opened after the change.",
              {{"VantroPluginEnabled", Shape::boolean, "Vantro acts on windows", {}},
               {"VantroClientTitleBars",
                Shape::boolean,
                "GTK title bars on windows the window manager decorates",
                {}}}),
        group(
            "Maximize button", "Switched off, a plain click maximizes as usual.",
            {{"VantroDefaultZoomBehavior", Shape::layoutChoice, "A plain click", layoutChoices()}}),
        group("Maximize layouts", "Hold the key while clicking the maximize button.",
              {
                  feature("VantroMaximizeWholeScreen", "Whole screen"),
                  feature("VantroMaximizeLeftHalf", "Left half"),
                  feature("VantroMaximizeRightHalf", "Right half"),
                  feature("VantroMaximizeTopHalf", "Top half (with the whole screen's key)"),
                  feature("VantroMaximizeBottomHalf", "Bottom half (with the whole screen's key)"),
              }),
        group("Live resize features", "Hold the key while dragging a window's edge.",
              {
                  feature("VantroKeepWidthHeight", "Keep the width or the height"),
                  feature("VantroKeepAspectRatio", "Keep the aspect ratio"),
                  feature("VantroKeepCentered", "Keep the window centred"),
                  feature("VantroPinBottomRight", "Pin the bottom-right corner"),
              }),
        group("Feedback", "AltGr held during a resize always shows the dimensions.",
              {
                  display("VantroShowDimensionsDuringResizing", "Dimensions during resizing"),
                  display("VantroShowDimensionsAfterZooms", "Dimensions after zooms"),
                  option("VantroShowResizeHudAlert", "Alerts while the corner is pinned"),
                  option("VantroShowZoomHudAlert", "Alerts after zooms"),
              }),
        group("Zoom", "",
              {
                  option("VantroAnimateZooms", "Animate zooms"),
                  {"VantroResolutionZoomMode", Shape::integer, "Resolution zooms size",
                   resolutionModeChoices()},
              }),
        group("Excluded applications",
              "Vantro stays inactive in these applications (application id, else program name).",
              {{"VantroApplicationBlacklist", Shape::stringList, "Applications", {}}}),
        folded("Thirds, two thirds and quarters", "Zoom menu commands; off until given a key.",
               {
                   feature("VantroMaximizeVerticalLeftThird", "Left third"),
                   feature("VantroMaximizeVerticalMiddleThird", "Middle third (column)"),
                   feature("VantroMaximizeVerticalRightThird", "Right third"),
                   feature("VantroMaximizeHorizontalTopThird", "Top third"),
                   feature("VantroMaximizeHorizontalMiddleThird", "Middle third (row)"),
                   feature("VantroMaximizeHorizontalBottomThird", "Bottom third"),
                   feature("VantroMaximizeLeftTwoThirds", "Left two thirds"),
                   feature("VantroMaximizeRightTwoThirds", "Right two thirds"),
                   feature("VantroMaximizeTopTwoThirds", "Top two thirds"),
                   feature("VantroMaximizeBottomTwoThirds", "Bottom two thirds"),
                   feature("VantroMaximizeTopLeftQuarter", "Top left quarter"),
                   feature("VantroMaximizeTopRightQuarter", "Top right quarter"),
                   feature("VantroMaximizeBottomLeftQuarter", "Bottom left quarter"),
                   feature("VantroMaximizeBottomRightQuarter", "Bottom right quarter"),
               }),
        folded("Resolutions", "Zoom menu commands; off until given a key.",
               {
                   feature("VantroResolutioniOSOrig", "320 × 480"),
                   feature("VantroResolutioniOSRetina", "640 × 960"),
                   feature("VantroResolutionVGA", "640 × 480 (VGA)"),
                   feature("VantroResolutionSVGA", "800 × 600 (SVGA)"),
                   feature("VantroResolutionXGA", "1024 × 768 (XGA)"),
                   feature("VantroResolutionHD720", "1280 × 720 (HD 720)"),
                   feature("VantroResolutionWXGA", "1280 × 800 (WXGA)"),
                   feature("VantroResolutionSXGA", "1280 × 1024 (SXGA)"),
                   feature("VantroResolutionHD", "1366 × 768 (HD)"),
                   feature("VantroResolutionWSXGA", "1440 × 900 (WSXGA)"),
                   feature("VantroResolutionUXGA", "1600 × 1200 (UXGA)"),
                   feature("VantroResolutionWSXGA+", "1680 × 1050 (WSXGA+)"),
                   feature("VantroResolutionHD1080", "1920 × 1080 (HD 1080)"),
                   feature("VantroResolutionWUXGA", "1920 × 1200 (WUXGA)"),
                   feature("VantroSetZoomWholeWindowToResolution",
                           "Resolution zooms size the whole window"),
                   feature("VantroSetZoomWidowsContentToResolution",
                           "Resolution zooms size the window's content"),
               }),
        folded("Positions and screens", "Zoom menu commands; off until given a key.",
               {
                   feature("VantroPositionCenter", "Centre"),
                   feature("VantroPositionLeftEdge", "Left edge"),
                   feature("VantroPositionRightEdge", "Right edge"),
                   feature("VantroPositionTopEdge", "Top edge"),
                   feature("VantroPositionBottomEdge", "Bottom edge"),
                   feature("VantroPositionTopLeftCorner", "Top left corner"),
                   feature("VantroPositionTopRightCorner", "Top right corner"),
                   feature("VantroPositionBottomLeftCorner", "Bottom left corner"),
                   feature("VantroPositionBottomRightCorner", "Bottom right corner"),
                   feature("VantroNextScreen", "Next screen"),
                   feature("VantroPreviousScreen", "Previous screen"),
               }),
    };
    return groups;
}

} // namespace

const std::vector<SettingGroup>& settingGroups() {
    static const auto* groups = new std::vector<SettingGroup>(buildGroups());
    return *groups;
}

const SettingRow* rowForKey(std::string_view key) {
    for (const SettingGroup& each : settingGroups()) {
        for (const SettingRow& row : each.rows) {
            if (row.key == key) {
                return &row;
            }
        }
    }
    return nullptr;
}

} // namespace vantro::settings_app
