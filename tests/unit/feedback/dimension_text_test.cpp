// The dimension tab's numbers read exactly as "%1.0f" prints them, on the
// fast path for screen lengths and beyond it.

#include "plugin/feedback/dimension_text.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <limits>

namespace vantro::feedback {
namespace {

std::string printed(double value) {
    char digits[400];
    std::snprintf(digits, sizeof digits, "%1.0f", value);
    return digits;
}

TEST(DimensionText, NumbersReadAsPrintfPrintsThem) {
    const double values[] = {0,
                             -0.0,
                             0.5,
                             1.5,
                             2.5,
                             -0.4,
                             -2.5,
                             807.49,
                             807.5,
                             808.5,
                             1440,
                             1e15,
                             1e20,
                             -1e300,
                             std::numeric_limits<double>::quiet_NaN(),
                             std::numeric_limits<double>::infinity(),
                             -std::numeric_limits<double>::infinity(),
                             9007199254740991.0};
    std::vector<platform::TextRun> runs;
    for (const double value : values) {
        // A narrow frame: the short form, whose third run is the height.
        composeDimensionText({10, value}, 5, {}, {1.0e7, 1.0e7}, runs);
        ASSERT_GE(runs.size(), 3U);
        EXPECT_EQ(runs[2].text, printed(value)) << value;
    }
}

TEST(DimensionText, LongAndShortForms) {
    std::vector<platform::TextRun> runs;
    const auto text = [&runs] {
        std::string all;
        for (const auto& run : runs) {
            all += run.text;
        }
        return all;
    };
    composeDimensionText({800, 600}, 578, {200, 100}, {800, 1.0e7}, runs);
    EXPECT_EQ(text(), "Window Size: 800 (Max) x 600 \u2013 Content Height: 578");
    composeDimensionText({200, 100}, 78, {200, 100}, {800, 1.0e7}, runs);
    EXPECT_EQ(text(), "200 (Min) x 100 (Min) \u2013 78");
}

} // namespace
} // namespace vantro::feedback
