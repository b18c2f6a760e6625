#include "plugin/core/feature_keys.h"
#include "plugin/core/feature_selection.h"

#include <gtest/gtest.h>
#include <map>

namespace vantro::core {
namespace {

using namespace platform;

// Feature settings as plain values, from the registered defaults on; a key
// without an entry reads as nothing stored (disabled, code 0).
class MapSettings final : public SelectionSettings {
  public:
    MapSettings() {
        for (const auto& [key, value] : settings::defaultSettings()) {
            at(key) = settings::readFeatureSetting(&value);
        }
    }
    [[nodiscard]] FeatureSetting featureSetting(std::string_view key) const override {
        auto found = values.find(std::string(key));
        return found == values.end() ? FeatureSetting{} : found->second;
    }
    [[nodiscard]] std::int64_t resolutionZoomMode() const override { return mode; }
    FeatureSetting& at(std::string_view key) { return values[std::string(key)]; }

    std::map<std::string, FeatureSetting, std::less<>> values;
    std::int64_t mode = 0;
};

// The zoom's choice: the first feature in the fixed order that is selected.
std::string_view firstSelected(const SelectionSettings& settings, ModifierFlags held,
                               std::optional<std::string_view> menu = std::nullopt) {
    for (std::string_view key : feature::kZoomOrder) {
        if (featureIsSelected(settings, held, menu, key)) {
            return key;
        }
    }
    return "standard zoom";
}

TEST(FeatureSelection, DefaultsPickTheFeatureOfTheHeldKeys) {
    const MapSettings defaults;
    struct Case {
        ModifierFlags held;
        std::string_view expected;
    };
    const Case cases[] = {
        {kControlKeyMask, feature::kLeftHalf},
        {kShiftKeyMask, feature::kWholeScreen},
        {kCommandKeyMask, feature::kRightHalf},
        {kShiftKeyMask | kControlKeyMask, feature::kTopHalf},
        {kShiftKeyMask | kCommandKeyMask, feature::kBottomHalf},
        {kControlKeyMask | kAlternateKeyMask, feature::kLeftHalf}, // extra keys do not matter
        {0, "standard zoom"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(firstSelected(defaults, c.held), c.expected) << std::hex << c.held;
    }
}

TEST(FeatureSelection, HalvesThatNeedTwoKeysTestTheWholeScreenModifierOnly) {
    // With the defaults, the table above.
    MapSettings settings;
    const ModifierFlags shiftControl = kShiftKeyMask | kControlKeyMask;
    settings.at(feature::kWholeScreen).enabled = false;
    EXPECT_TRUE(featureIsSelected(settings, shiftControl, {}, feature::kTopHalf));
    // The whole-screen modifier moved to Option: Shift no longer qualifies.
    settings.at(feature::kWholeScreen).code = 2;
    EXPECT_FALSE(featureIsSelected(settings, shiftControl, {}, feature::kTopHalf));
    EXPECT_TRUE(
        featureIsSelected(settings, kCommandKeyMask | kControlKeyMask, {}, feature::kTopHalf));
}

TEST(FeatureSelection, PendingMenuChoiceSelectsOnlyItsFeature) {
    const MapSettings settings;
    const std::string_view third = "VantroMaximizeVerticalLeftThird"; // nothing stored for it
    for (ModifierFlags held :
         {ModifierFlags{0}, kControlKeyMask, kShiftKeyMask | kCommandKeyMask}) {
        EXPECT_EQ(firstSelected(settings, held, third), third);
        for (std::string_view key : feature::kZoomOrder) {
            EXPECT_EQ(featureIsSelected(settings, held, third, key), key == third) << key;
        }
        for (std::string_view key : feature::kResizeOrder) {
            EXPECT_FALSE(featureIsSelected(settings, held, third, key)) << key;
        }
    }
}

TEST(FeatureSelection, PlainClickBehaviourIsNotSelectedAgainByItsKeys) {
    // The first layout and the last.
    MapSettings settings;
    settings.at(feature::kDefaultZoomBehavior) = {true, 1};
    EXPECT_FALSE(featureIsSelected(settings, kShiftKeyMask, {}, feature::kWholeScreen));
    EXPECT_TRUE(
        featureIsSelected(settings, kShiftKeyMask, feature::kWholeScreen, feature::kWholeScreen));
    EXPECT_TRUE(featureIsSelected(settings, kControlKeyMask, {}, feature::kLeftHalf));
    settings.at(feature::kDefaultZoomBehavior) = {true, 5};
    EXPECT_FALSE(
        featureIsSelected(settings, kShiftKeyMask | kCommandKeyMask, {}, feature::kBottomHalf));

    // Disabled, the behaviour suppresses nothing.
    settings.at(feature::kDefaultZoomBehavior) = {false, 1};
    EXPECT_TRUE(featureIsSelected(settings, kShiftKeyMask, {}, feature::kWholeScreen));
}

TEST(FeatureSelection, ModifierCodesMapToOneKey) {
    struct Case {
        std::string_view key;
        std::int64_t code;
        ModifierFlags expected;
    };
    const Case cases[] = {
        {feature::kLeftHalf, 2, kCommandKeyMask},
        {feature::kKeepCentered, 2, kAlternateKeyMask},
        {feature::kKeepCentered, 3, kCommandKeyMask},
        {feature::kLeftHalf, -1, kFunctionKeyMask},
        {feature::kLeftHalf, 1LL << 40, kFunctionKeyMask},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(modifierForCode(c.key, c.code), c.expected) << c.key << " " << c.code;
    }
    // Nothing stored reads as code 0: Shift.
    EXPECT_EQ(modifierForFeature(MapSettings(), "VantroNextScreen"), kShiftKeyMask);
}

TEST(FeatureSelection, UndoIdentityCarriesTheResolutionMode) {
    std::string identity = "previous contents are replaced";
    writeUndoIdentity("VantroResolutionWSXGA+", 1, identity);
    EXPECT_EQ(identity, "VantroResolutionWSXGA+-1");
    writeUndoIdentity("VantroSetZoomWholeWindowToResolution", -3, identity);
    EXPECT_EQ(identity, "VantroSetZoomWholeWindowToResolution--3");
    writeUndoIdentity(feature::kLeftHalf, 1, identity);
    EXPECT_EQ(identity, feature::kLeftHalf);
}

TEST(FeatureSelection, ControlKeyHasFeature) {
    struct Case {
        const char* what;
        FeatureSetting leftHalf;
        FeatureSetting wholeScreen;
        FeatureSetting behavior;
        bool expected;
    };
    const Case cases[] = {
        {"defaults: left half on Control", {true, 1}, {true, 0}, {true, 0}, true},
        {"left half disabled", {false, 1}, {true, 0}, {true, 0}, false},
        // Disabled, but it is the enabled plain-click behaviour.
        {"plain-click behaviour", {false, 1}, {true, 0}, {true, 2}, true},
        {"plain-click behaviour disabled", {false, 1}, {true, 0}, {false, 2}, false},
        {"plain click is another feature", {false, 1}, {true, 0}, {true, 1}, false},
        {"nothing on Control", {true, 0}, {true, 0}, {true, 2}, false},
        {"whole screen on Control comes first", {false, 1}, {true, 1}, {true, 0}, true},
        {"first on Control is disabled", {true, 1}, {false, 1}, {true, 0}, false},
    };
    for (const Case& c : cases) {
        MapSettings settings;
        settings.at(feature::kLeftHalf) = c.leftHalf;
        settings.at(feature::kWholeScreen) = c.wholeScreen;
        settings.at(feature::kDefaultZoomBehavior) = c.behavior;
        EXPECT_EQ(controlKeyHasFeature(settings), c.expected) << c.what;
    }
}

} // namespace
} // namespace vantro::core
