// Telling whether a process runs on the loader's display.

#include "x_display_name.h"

#include <gtest/gtest.h>

namespace vantro::loader_app {
namespace {

TEST(SameXDisplay, SameHostAndNumberWhateverTheScreen) {
    struct Case {
        const char* a;
        const char* b;
        bool same;
    };
    const Case cases[] = {
        {":0.1", ":0.0", true},
        {"unix:3", ":3", true},
        {":07", ":7", true},
        {":1", ":10", false},
        {"localhost:10.0", ":10", false},
        {"host:2", "host:2.0", true},
        {"0", "0", false},
        {":0.", ":0", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(sameXDisplay(c.a, c.b), c.same) << '"' << c.a << "\" \"" << c.b << '"';
        EXPECT_EQ(sameXDisplay(c.b, c.a), c.same) << '"' << c.b << "\" \"" << c.a << '"';
    }
}

} // namespace
} // namespace vantro::loader_app
