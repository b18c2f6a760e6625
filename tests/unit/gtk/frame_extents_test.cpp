#include "platform/gtk/frame_extents.h"

#include "support/geometry_printers.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace vantro::gtk {
namespace {

TEST(FrameExtents, ReadFromThePropertyInLogicalPixels) {
    const std::tuple<std::vector<long>, int, std::optional<FrameExtents>> cases[] = {
        // GTK 3.24's default theme under a compositor.
        {{26, 26, 23, 29}, 1, FrameExtents{26, 26, 23, 29}},
        // openbox's border at scale 2: 0.5, 0.5, 10, 2.5 kept to whole
        // pixels, each pair keeping its rounded sum.
        {{1, 1, 20, 5}, 2, FrameExtents{0, 1, 10, 3}},
        {{4, 5, 3, 3}, 3, FrameExtents{1, 2, 1, 1}},
        {{1, 2, 3}, 1, std::nullopt},
        {{1, 2, 3, 4, 5}, 1, std::nullopt},
        {{1, -2, 3, 4}, 1, std::nullopt},
        {{1, 2, 3, 4}, 0, std::nullopt},
    };
    for (const auto& [values, scale, extents] : cases) {
        EXPECT_EQ(frameExtentsFromProperty(values, scale), extents) << values.size() << scale;
    }
}

} // namespace
} // namespace vantro::gtk
