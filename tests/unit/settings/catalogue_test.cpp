#include "settings/catalogue.h"
#include "settings/plist_text.h"

#include <gtest/gtest.h>

namespace vantro::settings {
namespace {

PlistValue ints(std::initializer_list<std::int64_t> values) {
    Array items;
    for (auto v : values) {
        items.push_back(PlistValue::integer(v));
    }
    return PlistValue::array(std::move(items));
}

// Every default is a known key and of its row's shape, every known key found
// by name: tests/unit/settings_app/row_state_test.cpp.
// The feature reader against values of every shape is a property in
// value_properties_test.cpp.
TEST(Catalogue, DisplayAndListReaders) {
    EXPECT_EQ(readDisplaySetting(nullptr).mode, -1);
    const PlistValue one = ints({1});
    EXPECT_TRUE(readDisplaySetting(&one).enabled);
    EXPECT_EQ(readDisplaySetting(&one).mode, -1); // no mode stored: no mode at all
    const PlistValue three = ints({1, 0, 2});
    EXPECT_EQ(readDisplaySetting(&three).mode, 0);

    const PlistValue list =
        PlistValue::array({PlistValue::string("org.gnome.Nautilus"), PlistValue::integer(3)});
    EXPECT_TRUE(stringListContains(&list, "org.gnome.Nautilus"));
    EXPECT_FALSE(stringListContains(&list, "org.gnome.nautilus")); // case-sensitive
    EXPECT_FALSE(stringListContains(&list, "3"));
    const PlistValue notAList = PlistValue::string("org.gnome.Nautilus");
    EXPECT_FALSE(stringListContains(&notAList, "org.gnome.Nautilus"));
    EXPECT_FALSE(stringListContains(nullptr, ""));
}

TEST(Catalogue, ShapesAToolMayWrite) {
    const std::tuple<Shape, PlistValue, bool> cases[] = {
        {Shape::boolean, PlistValue::integer(1), true},
        {Shape::boolean, PlistValue::integer(2), false},
        {Shape::boolean, PlistValue::string("true"), false},
        {Shape::integer, PlistValue::real(1), false},
        {Shape::stringList, PlistValue::array({PlistValue::integer(1)}), false},
        {Shape::featureSetting,
         PlistValue::array({PlistValue::boolean(true), PlistValue::integer(-1)}), true},
        {Shape::featureSetting, ints({1, 3}), true},
        {Shape::featureSetting, ints({1}), false},
        {Shape::featureSetting, ints({1, 2, 3}), false},
        {Shape::displaySetting, PlistValue::array({PlistValue::boolean(true), PlistValue::real(2)}),
         false},
        {Shape::layoutChoice, PlistValue::dictionary({}), false},
    };
    for (const auto& [shape, value, accepted] : cases) {
        EXPECT_EQ(valueHasShape(value, shape), accepted) << shapeName(shape) << toText(value);
    }
}

} // namespace
} // namespace vantro::settings
