#include "settings/plist_value.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace vantro::settings {
namespace {

TEST(PlistValue, ConversionsOfNumbersAndStrings) {
    struct Case {
        const char* what = nullptr;
        PlistValue value;
        std::int32_t intValue = 0;
        std::int64_t integerValue = 0;
        bool boolValue = false;
    };
    const double nan = std::nan("");
    const Case cases[] = {
        {"true", PlistValue::boolean(true), 1, 1, true},
        {"integer beyond 32 bits keeps its low bits", PlistValue::integer((1LL << 32) + 5), 5,
         (1LL << 32) + 5, true},
        {"real truncates toward zero", PlistValue::real(-2.9), -2, -2, true},
        {"small real is true but zero as an integer", PlistValue::real(0.5), 0, 0, true},
        {"huge real saturates", PlistValue::real(1e30), std::numeric_limits<std::int32_t>::max(),
         std::numeric_limits<std::int64_t>::max(), true},
        {"NaN", PlistValue::real(nan), 0, 0, false},
        {"leading integer", PlistValue::string(" 42abc"), 42, 42, true},
        {"hex is not decimal", PlistValue::string("0x10"), 0, 0, false},
        {"yes", PlistValue::string("yes"), 0, 0, true},
        {"True", PlistValue::string("  True"), 0, 0, true},
        {"zeros then digit", PlistValue::string("-007"), -7, -7, true},
        {"zero", PlistValue::string("000"), 0, 0, false},
        {"saturating string", PlistValue::string("99999999999999999999999"),
         std::numeric_limits<std::int32_t>::max(), std::numeric_limits<std::int64_t>::max(), true},
        {"array", PlistValue::array({PlistValue::integer(5)}), 0, 0, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.value.intValue(), c.intValue) << c.what;
        EXPECT_EQ(c.value.integerValue(), c.integerValue) << c.what;
        EXPECT_EQ(c.value.boolValue(), c.boolValue) << c.what;
    }
    EXPECT_DOUBLE_EQ(PlistValue::string(" 2.5x").doubleValue(), 2.5);
}

TEST(PlistValue, EqualityKeepsTheNumberKind) {
    EXPECT_EQ(PlistValue::integer(1), PlistValue::integer(1));
    EXPECT_NE(PlistValue::integer(1), PlistValue::boolean(true));
    EXPECT_NE(PlistValue::integer(1), PlistValue::real(1));
    EXPECT_EQ(PlistValue::array({PlistValue::string("a")}),
              PlistValue::array({PlistValue::string("a")}));
    EXPECT_NE(PlistValue::array({}), PlistValue::dictionary({}));
}

} // namespace
} // namespace vantro::settings
