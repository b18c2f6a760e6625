#include "settings/gvariant_codec.h"
#include "settings/plist_text.h"
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

TEST(PlistValue, EqualityAndTextKeepTheNumberKind) {
    EXPECT_EQ(toText(PlistValue::real(2.0)), "2.0"); // read back as a real, not an integer
    EXPECT_EQ(PlistValue::integer(1), PlistValue::integer(1));
    EXPECT_NE(PlistValue::integer(1), PlistValue::boolean(true));
    EXPECT_NE(PlistValue::integer(1), PlistValue::real(1));
    EXPECT_EQ(PlistValue::array({PlistValue::string("a")}),
              PlistValue::array({PlistValue::string("a")}));
    EXPECT_NE(PlistValue::array({}), PlistValue::dictionary({}));
}

// Round trips of every shape are a property in value_properties_test.cpp; the
// one-line arrays vantro-prefs lists, and dconf shows, tests/integration/settings.
TEST(PlistText, ReadsTheDocumentedForms) {
    const std::pair<const char*, PlistValue> cases[] = {
        {" [ true ,1 ] ", PlistValue::array({PlistValue::boolean(true), PlistValue::integer(1)})},
        {"-1", PlistValue::integer(-1)},
        {"+4", PlistValue::integer(4)},
        {"2e3", PlistValue::real(2000)},
        {"-inf", PlistValue::real(-std::numeric_limits<double>::infinity())},
        {R"("\u00e9")", PlistValue::string("\xc3\xa9")},
        {R"({"a": 1, "a": 2})", PlistValue::dictionary({{"a", PlistValue::integer(2)}})},
    };
    for (const auto& [text, expected] : cases) {
        const TextParseResult parsed = parseText(text);
        ASSERT_TRUE(parsed.value.has_value()) << text << ": " << parsed.error;
        EXPECT_EQ(*parsed.value, expected) << text;
    }
}

TEST(PlistText, RefusesMalformedTextWithAPosition) {
    const std::pair<const char*, const char*> cases[] = {
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
    for (const auto& [text, error] : cases) {
        const TextParseResult parsed = parseText(text);
        EXPECT_FALSE(parsed.value.has_value()) << text;
        EXPECT_NE(parsed.error.find(error), std::string::npos) << text << " -> " << parsed.error;
    }
    EXPECT_FALSE(parseText(std::string(200, '[')).value.has_value()); // nesting is bounded
}

std::string typeOf(const PlistValue& value) {
    g_autoptr(GVariant) encoded = g_variant_ref_sink(toGVariant(value));
    return g_variant_get_type_string(encoded);
}

PlistValue decodeText(const char* gvariantText) {
    g_autoptr(GError) error = nullptr;
    g_autoptr(GVariant) parsed = g_variant_parse(nullptr, gvariantText, nullptr, nullptr, &error);
    EXPECT_NE(parsed, nullptr) << gvariantText;
    return fromGVariant(parsed);
}

TEST(GVariantCodec, WritesTheTypesDconfToolsShow) {
    // An integer that does not fit 32 bits is written as "x".
    const std::vector<std::string> types{
        typeOf(PlistValue::boolean(true)),      typeOf(PlistValue::integer(7)),
        typeOf(PlistValue::integer(1LL << 40)), typeOf(PlistValue::real(0.5)),
        typeOf(PlistValue::string("a")),        typeOf(PlistValue::array({})),
        typeOf(PlistValue::dictionary({}))};
    EXPECT_EQ(types, (std::vector<std::string>{"b", "i", "x", "d", "s", "av", "a{sv}"}));
}

TEST(GVariantCodec, ReadsWhatOtherClientsWrite) {
    // GVariant text, and what it reads as in the tools' text form.
    const std::pair<const char*, const char*> cases[] = {
        {"['a', 'b']", R"(["a", "b"])"},
        {"byte 7", "7"},
        {"uint32 4000000000", "4000000000"},
        {"uint64 18446744073709551615", "1.8446744073709552e+19"},
        {"(true, 1)", "[true, 1]"},
        {"@mi 5", "[5]"},
        {"@mi nothing", "[]"},
        {"objectpath '/a/b'", R"("/a/b")"},
        {"{1: 'one'}", R"({"1": "one"})"},
        {"<<3>>", "3"},
    };
    for (const auto& [gvariant, expected] : cases) {
        EXPECT_EQ(toText(decodeText(gvariant)), expected) << gvariant;
    }
}

TEST(GVariantCodec, InvalidUtf8IsMadeValidNotRefused) {
    g_autoptr(GVariant) encoded =
        g_variant_ref_sink(toGVariant(PlistValue::string(std::string("ok\xff"))));
    EXPECT_TRUE(g_variant_is_of_type(encoded, G_VARIANT_TYPE_STRING));
    EXPECT_EQ(std::string(g_variant_get_string(encoded, nullptr)).rfind("ok", 0), 0U);
}

} // namespace
} // namespace vantro::settings
