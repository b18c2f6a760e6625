#include "plugin/core/window_state.h"

#include <cmath>
#include <gtest/gtest.h>

namespace vantro::core {
namespace {

using settings::PlistValue;

class Window final : public runtime::Object {
  public:
    Window() : Object(nullptr) {}
};

PlistValue numbers(std::initializer_list<double> values) {
    settings::Array items;
    for (double v : values) {
        items.push_back(PlistValue::real(v));
    }
    return PlistValue::array(std::move(items));
}

TEST(WindowState, RectanglesDecodeOnlyFromFourNumbers) {
    struct Case {
        const char* what;
        std::optional<PlistValue> value;
        Rect expected;
    };
    const Case cases[] = {
        {"four numbers", numbers({1, 2, 3, 4}), Rect(1, 2, 3, 4)},
        {"integers count as numbers",
         PlistValue::array({PlistValue::integer(5), PlistValue::integer(6), PlistValue::integer(7),
                            PlistValue::integer(8)}),
         Rect(5, 6, 7, 8)},
        {"nothing", std::nullopt, Rect()},
        {"three numbers", numbers({1, 2, 3}), Rect()},
        {"five numbers", numbers({1, 2, 3, 4, 5}), Rect()},
        {"a string inside",
         PlistValue::array({PlistValue::string("1"), PlistValue::real(2), PlistValue::real(3),
                            PlistValue::real(4)}),
         Rect()},
        {"not an array", PlistValue::string("{0, 0, 10, 10}"), Rect()},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(vantroArrayToRect(c.value ? &*c.value : nullptr), c.expected) << c.what;
    }
}

TEST(WindowState, LengthsAreStoredInSinglePrecision) {
    WindowEntry entry;
    writeRect(entry, state_key::kPreviousRect, Rect(0.1, 1e39, -1e39, 1234567.891));
    const Rect back = readRect(&entry, state_key::kPreviousRect);
    EXPECT_EQ(back.origin.x, static_cast<double>(0.1F));
    EXPECT_EQ(back.origin.y, 3.4028234663852886e38); // clamped to float's range
    EXPECT_EQ(back.size.width, -3.4028234663852886e38);
    EXPECT_EQ(back.size.height, static_cast<double>(1234567.891F));
    writeLength(entry, state_key::kTemporaryMinWidth, 100.3);
    EXPECT_EQ(readLength(&entry, state_key::kTemporaryMinWidth), static_cast<double>(100.3F));
    writeLength(entry, state_key::kTemporaryMinHeight, std::nan(""));
    EXPECT_TRUE(std::isnan(readLength(&entry, state_key::kTemporaryMinHeight)));
}

TEST(WindowState, MissingValuesReadAsNoZeroAndNothing) {
    EXPECT_FALSE(readFlag(nullptr, state_key::kZoom));
    EXPECT_EQ(readLength(nullptr, state_key::kTemporaryMinWidth), 0);
    EXPECT_EQ(readRect(nullptr, state_key::kPreviousRect), Rect());
    EXPECT_EQ(readString(nullptr, state_key::kHitConstraint), nullptr);
    WindowEntry entry;
    entry.emplace(std::string(state_key::kHitConstraint), PlistValue::integer(3));
    EXPECT_EQ(readString(&entry, state_key::kHitConstraint), nullptr); // wrong type
}

} // namespace
} // namespace vantro::core
