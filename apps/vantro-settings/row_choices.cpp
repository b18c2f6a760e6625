#include "row_choices.h"

#include "plugin/core/feature_keys.h"

#include <array>

namespace vantro::settings_app {

namespace {

constexpr std::int64_t kShift = 0;
constexpr std::int64_t kControl = 1;
constexpr std::int64_t kAltOrSuper = 2;
constexpr std::int64_t kSuper = 3;
// Any code but 0 to 3 is AltGr; -1 is the one the defaults use for "none".
constexpr std::int64_t kAltGr = -1;

// By layout number; one label for each layout the plug-in knows.
constexpr std::array<std::string_view, 6> kLayoutLabels = {
    "Shows the zoom options menu", "Zooms to the whole screen", "Zooms to the left half",
    "Zooms to the right half",     "Zooms to the top half",     "Zooms to the bottom half",
};
static_assert(kLayoutLabels.size() == core::feature::kDefaultBehaviorLayouts.size());

bool isMaximizeFeature(std::string_view key) {
    return key.find(core::feature::kMaximizeMarker) != std::string_view::npos;
}

} // namespace

std::vector<Choice> modifierChoices(std::string_view key) {
    std::vector<Choice> choices = {{kShift, "Shift"}, {kControl, "Control"}};
    if (!isMaximizeFeature(key)) {
        choices.push_back({kAltOrSuper, "Alt"});
    }
    choices.push_back({kSuper, "Super"});
    choices.push_back({kAltGr, "AltGr"});
    return choices;
}

std::int64_t offeredModifierCode(std::string_view key, std::int64_t code) {
    if (code == kAltOrSuper && isMaximizeFeature(key)) {
        return kSuper;
    }
    return code >= kShift && code <= kSuper ? code : kAltGr;
}

std::vector<Choice> displayModeChoices(std::string_view key) {
    if (key == "VantroShowDimensionsDuringResizing") {
        return {{0, "While no resize feature is active"},
                {1, "While a resize feature is active"},
                {2, "Always"}};
    }
    return {
        {0, "After the window's own zooms"}, {1, "After Vantro's zooms"}, {2, "After every zoom"}};
}

std::vector<Choice> layoutChoices() {
    std::vector<Choice> choices;
    for (std::size_t layout = 0; layout < kLayoutLabels.size(); ++layout) {
        choices.push_back({static_cast<std::int64_t>(layout), std::string(kLayoutLabels[layout])});
    }
    return choices;
}

std::vector<Choice> resolutionModeChoices() {
    return {{0, "The whole window"}, {1, "The window's content"}};
}

int choiceIndexForCode(const SettingRow& row, std::int64_t code) {
    const std::int64_t shown =
        row.shape == settings::Shape::featureSetting ? offeredModifierCode(row.key, code) : code;
    for (std::size_t i = 0; i < row.choices.size(); ++i) {
        if (row.choices[i].code == shown) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

} // namespace vantro::settings_app
