#include "settings/plist_text.h"

#include <gtest/gtest.h>
#include <limits>

namespace vantro::settings {
namespace {

// Round trips of every shape are a property in value_properties_test.cpp.
TEST(PlistText, WritesRealsWithAPointAndArraysOnOneLine) {
    EXPECT_EQ(toText(PlistValue::real(2.0)), "2.0");
    EXPECT_EQ(toText(PlistValue::array({PlistValue::boolean(true), PlistValue::integer(1)})),
              "[true, 1]");
}

TEST(PlistText, ReadsTheDocumentedForms) {
    struct Case {
        const char* text = nullptr;
        PlistValue expected;
    };
    const Case cases[] = {
        {" [ true ,1 ] ", PlistValue::array({PlistValue::boolean(true), PlistValue::integer(1)})},
        {"-1", PlistValue::integer(-1)},
        {"+4", PlistValue::integer(4)},
        {"2e3", PlistValue::real(2000)},
        {"-inf", PlistValue::real(-std::numeric_limits<double>::infinity())},
        {R"("\u00e9")", PlistValue::string("\xc3\xa9")},
        {R"({"a": 1, "a": 2})", PlistValue::dictionary({{"a", PlistValue::integer(2)}})},
    };
    for (const Case& c : cases) {
        const TextParseResult parsed = parseText(c.text);
        ASSERT_TRUE(parsed.value.has_value()) << c.text << ": " << parsed.error;
        EXPECT_EQ(*parsed.value, c.expected) << c.text;
    }
}

TEST(PlistText, RefusesMalformedTextWithAPosition) {
    struct Case {
        const char* text;
        const char* error;
    };
    const Case cases[] = {
        {"", "missing value at offset 0"},
        {"tru", "expected a value at offset 0"},
        {"[1, 2", "expected ',' or ']' at offset 5"},
        {"[1 2]", "expected ',' or ']' at offset 3"},
        {R"({1: 2})", "expected a quoted key at offset 1"},
        {R"("open)", "unterminated string"},
        {"1 2", "unexpected text after the value at offset 2"},
        {"99999999999999999999", "integer out of range"},
        {"1.2.3", "malformed number"},
        {R"("\q")", "unknown escape"},
    };
    for (const Case& c : cases) {
        const TextParseResult parsed = parseText(c.text);
        EXPECT_FALSE(parsed.value.has_value()) << c.text;
        EXPECT_NE(parsed.error.find(c.error), std::string::npos)
            << c.text << " -> " << parsed.error;
    }
    EXPECT_FALSE(parseText(std::string(200, '[')).value.has_value()); // nesting is bounded
}

} // namespace
} // namespace vantro::settings
