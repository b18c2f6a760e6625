#include "plugin/core/feature_selection.h"
#include "row_choices.h"
#include "setting_groups.h"

#include <gtest/gtest.h>
#include <map>
#include <string>

namespace vantro::settings_app {
namespace {

using settings::Shape;

TEST(SettingGroups, EveryCatalogueKeyHasExactlyOneRowOfItsShape) {
    std::map<std::string_view, int> rowsPerKey;
    for (const SettingGroup& group : settingGroups()) {
        for (const SettingRow& row : group.rows) {
            ++rowsPerKey[row.key];
            const settings::KeyInfo* info = settings::findKey(row.key);
            ASSERT_NE(info, nullptr) << row.key << " is not a settings key";
            EXPECT_EQ(row.shape, info->shape) << row.key;
            EXPECT_FALSE(row.title.empty()) << row.key;
        }
    }
    EXPECT_EQ(rowsPerKey.size(), settings::knownKeys().size());
    for (const settings::KeyInfo& info : settings::knownKeys()) {
        EXPECT_EQ(rowsPerKey[info.key], 1) << info.key;
        ASSERT_NE(rowForKey(info.key), nullptr) << info.key;
        EXPECT_EQ(rowForKey(info.key)->key, info.key);
    }
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
