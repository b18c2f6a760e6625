#include "list_edits.h"
#include "plugin/core/feature_selection.h"
#include "row_choices.h"
#include "row_state.h"
#include "setting_groups.h"
#include "settings/plist_text.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace vantro::settings_app {
namespace {

using settings::PlistValue;

// Every state a row's widgets can be put in by the user.
std::vector<RowState> widgetStates(const SettingRow& row) {
    if (row.shape == settings::Shape::stringList) {
        return {{false, 0, {}}, {false, 0, {"org.gnome.Nautilus"}}, {false, 0, {"b", "a", "c"}}};
    }
    // With a code no choice shows, as another tool may store (AltGr as 7):
    // flipping the switch alone must keep it for the plug-in.
    std::vector<std::int64_t> codes{row.choices.empty() ? stateFromValue(row, nullptr).code : 7};
    for (const Choice& choice : row.choices) {
        codes.push_back(choice.code);
    }
    std::vector<RowState> states;
    for (const bool enabled : {false, true}) {
        if (!rowHasSwitch(row) && enabled) {
            continue;
        }
        for (const std::int64_t code : codes) {
            states.push_back({enabled, code, {}});
        }
    }
    return states;
}

TEST(RowState, WidgetStatesRoundTripThroughTheRowsShape) {
    for (const SettingGroup& group : settingGroups()) {
        for (const SettingRow& row : group.rows) {
            for (const RowState& state : widgetStates(row)) {
                const PlistValue value = valueFromState(row, state);
                EXPECT_TRUE(settings::valueHasShape(value, row.shape))
                    << row.key << " writes " << settings::toText(value);
                EXPECT_EQ(stateFromValue(row, &value), state)
                    << row.key << " reads back " << settings::toText(value) << " differently";
            }
        }
    }
}

TEST(RowState, UntouchedDefaultsAreWrittenBackExactly) {
    for (const auto& [key, value] : settings::defaultSettings()) {
        const SettingRow* row = rowForKey(key);
        ASSERT_NE(row, nullptr) << key;
        EXPECT_EQ(settings::toText(valueFromState(*row, stateFromValue(*row, &value))),
                  settings::toText(value))
            << key;
    }
}

// Adding and removing a list's items. A plain add, trimmed, and a remove are
// driven through the window by tests/e2e/settings_app.sh.
TEST(ListEdits, RefusesBlanksDuplicatesAndAbsentItemsRemovesEveryCopy) {
    using Items = std::vector<std::string>;
    const std::tuple<bool, Items, const char*, std::optional<Items>> cases[] = {
        {true, {"a"}, " \t ", std::nullopt},
        {true, {"a", "b"}, " b ", std::nullopt},
        {true, {"a"}, "A", Items{"a", "A"}}, // case counts
        {false, {"a", "b", "c", "a"}, "a", Items{"b", "c"}},
        {false, {"a"}, "A", std::nullopt},
        {false, {"a"}, "", std::nullopt}, // no selection
    };
    for (const auto& [adding, before, item, after] : cases) {
        const RowState list{false, 0, before};
        const std::optional<RowState> edited =
            adding ? withItemAdded(list, item) : withItemRemoved(list, item);
        EXPECT_EQ(edited ? std::optional(edited->items) : std::nullopt, after)
            << adding << " '" << item << "'";
    }
}

using settings::Shape;

// Every row's key is a catalogue key and finds that row, so no key has two;
// as many rows as keys, so none has none.
TEST(SettingGroups, EveryCatalogueKeyHasExactlyOneRowOfItsShape) {
    std::size_t rows = 0;
    for (const SettingGroup& group : settingGroups()) {
        for (const SettingRow& row : group.rows) {
            ++rows;
            const settings::KeyInfo* info = settings::findKey(row.key);
            ASSERT_NE(info, nullptr) << row.key << " is not a settings key";
            EXPECT_EQ(row.shape, info->shape) << row.key;
            EXPECT_FALSE(row.title.empty()) << row.key;
            EXPECT_EQ(rowForKey(row.key), &row) << row.key;
        }
    }
    EXPECT_EQ(rows, settings::knownKeys().size());
    EXPECT_EQ(rowForKey("VantroStandardZoom"), nullptr); // a menu name, not a setting
}

// The key each chooser label stands for, as the plug-in's modifier flags.
platform::ModifierFlags flagOfLabel(const std::string& label) {
    static const std::map<std::string, platform::ModifierFlags> kFlags = {
        {"Shift", platform::kShiftKeyMask},    {"Control", platform::kControlKeyMask},
        {"Alt", platform::kAlternateKeyMask},  {"Super", platform::kCommandKeyMask},
        {"AltGr", platform::kFunctionKeyMask},
    };
    const auto found = kFlags.find(label);
    return found != kFlags.end() ? found->second : 0;
}

TEST(SettingGroups, ModifierChoosersNameTheKeyThePluginSelectsBy) {
    const std::int64_t kStoredCodes[] = {-7, -1, 0, 1, 2, 3, 4, 9, std::int64_t{1} << 40};
    for (const SettingGroup& group : settingGroups()) {
        for (const SettingRow& row : group.rows) {
            if (row.shape != Shape::featureSetting) {
                continue;
            }
            // Each offered choice stores a code the plug-in reads as its label
            // says, and no key is offered twice.
            platform::ModifierFlags offered = 0;
            for (const Choice& choice : row.choices) {
                const platform::ModifierFlags flag = core::modifierForCode(row.key, choice.code);
                EXPECT_EQ(flagOfLabel(choice.label), flag)
                    << row.key << " offers " << choice.label << " as " << choice.code;
                EXPECT_EQ(offered & flag, 0U) << row.key << " offers " << choice.label << " twice";
                offered |= flag;
            }
            EXPECT_EQ(offered, platform::kShiftKeyMask | platform::kControlKeyMask |
                                   platform::kCommandKeyMask | platform::kFunctionKeyMask |
                                   (row.key.find("Maximize") == std::string_view::npos
                                        ? platform::kAlternateKeyMask
                                        : 0))
                << row.key << ": every key the plug-in can select it by";
            // Any stored code shows as the key the plug-in takes it for.
            for (const std::int64_t code : kStoredCodes) {
                const int index = choiceIndexForCode(row, code);
                ASSERT_GE(index, 0) << row.key << " shows nothing for " << code;
                EXPECT_EQ(flagOfLabel(row.choices[static_cast<std::size_t>(index)].label),
                          core::modifierForCode(row.key, code))
                    << row.key << " code " << code;
            }
        }
    }
}

} // namespace
} // namespace vantro::settings_app
