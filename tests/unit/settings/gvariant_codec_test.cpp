#include "settings/gvariant_codec.h"
#include "settings/plist_text.h"

#include <gtest/gtest.h>

namespace vantro::settings {
namespace {

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
    EXPECT_EQ(typeOf(PlistValue::boolean(true)), "b");
    EXPECT_EQ(typeOf(PlistValue::integer(7)), "i");
    EXPECT_EQ(typeOf(PlistValue::integer(1LL << 40)), "x"); // does not fit 32 bits
    EXPECT_EQ(typeOf(PlistValue::real(0.5)), "d");
    EXPECT_EQ(typeOf(PlistValue::string("a")), "s");
    EXPECT_EQ(typeOf(PlistValue::array({})), "av");
    EXPECT_EQ(typeOf(PlistValue::dictionary({})), "a{sv}");

    g_autoptr(GVariant) feature = g_variant_ref_sink(
        toGVariant(PlistValue::array({PlistValue::boolean(true), PlistValue::integer(1)})));
    g_autofree gchar* printed = g_variant_print(feature, FALSE);
    EXPECT_STREQ(printed, "[<true>, <1>]");
}

TEST(GVariantCodec, ReadsWhatOtherClientsWrite) {
    struct Case {
        const char* gvariant;
        const char* expected; // in the tools' text form
    };
    const Case cases[] = {
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
    for (const Case& c : cases) {
        EXPECT_EQ(toText(decodeText(c.gvariant)), c.expected) << c.gvariant;
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
