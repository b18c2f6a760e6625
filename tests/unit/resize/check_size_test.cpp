// The zoom's size check: what each constraint does to a target size and the
// words it leaves for the HUD. Terminal cells and a restricting delegate are
// zoomed through the hook in the zoom tests.

#include "plugin/resize/check_size.h"
#include "support/geometry_printers.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace vantro::resize {
namespace {

const Size kVisible{1440, 878};
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

class ClampingDelegate final : public ResizeDelegate {
  public:
    explicit ClampingDelegate(Size most) : most_(most) {}
    [[nodiscard]] Size willResizeToSize(Size proposed) const override {
        return {std::min(proposed.width, most_.width), std::min(proposed.height, most_.height)};
    }

  private:
    Size most_;
};

// A window of `frame` with the given limits; 0 leaves a limit at its default.
WindowLimits window(Size frame, Size minimum = {}, Size maximum = {}, Size increments = {1, 1}) {
    WindowLimits limits;
    limits.frameSize = frame;
    limits.minSize = minimum;
    limits.maxSize = {maximum.width > 0 ? maximum.width : limits.maxSize.width,
                      maximum.height > 0 ? maximum.height : limits.maxSize.height};
    limits.resizeIncrements = increments;
    return limits;
}

TEST(CheckSize, SizeAndMessage) {
    WindowLimits fixed = window({800, 600});
    fixed.resizable = false;
    fixed.className = "GtkWindow";
    WindowLimits exempt = fixed;
    exempt.className = "ITNSWindow";
    struct Case {
        const char* name;
        Size target;
        WindowLimits window;
        std::optional<Size> visible;
        std::optional<Size> delegateMost; // a delegate that caps the size, when set
        Size expected;
        std::optional<std::string> message;
    };
    const Case cases[] = {
        {"nothing hit", {1000, 700}, window({800, 600}), kVisible, {}, {1000, 700}, {}},
        {"both screen lengths",
         {2000, 1500},
         window({800, 600}),
         kVisible,
         {},
         {1440, 878},
         "Max Screen Width 1440px\nMax Screen Height 878px"},
        {"window maximum names the width",
         {2000, 1500},
         window({800, 600}, {}, {1200, 0}),
         kVisible,
         {},
         {1200, 878},
         "Max Window Width 1200px\nMax Screen Height 878px"},
        {"only the height: no line feed",
         {1000, 1500},
         window({800, 600}),
         kVisible,
         {},
         {1000, 878},
         "Max Screen Height 878px"},
        {"minimum after maximum wins",
         {2000, 200},
         window({800, 600}, {500, 400}, {450, 0}),
         kVisible,
         {},
         {500, 400},
         "Min Window Width 500px\nMin Window Height 400px"},
        {"increment keeps the frame's remainder",
         {1000, 600},
         window({507, 600}, {}, {}, {7, 1}),
         kVisible,
         {},
         {997, 600},
         "Width Incremented 997px"},
        // The frame's remainder of 9 makes 1449; one increment down fits.
        {"incremented back onto the screen",
         {1440, 600},
         window({809, 600}, {}, {}, {10, 1}),
         kVisible,
         {},
         {1439, 600},
         "Width Incremented 1439px"},
        {"not resizable keeps the frame",
         {2000, 1500},
         fixed,
         kVisible,
         {},
         {800, 600},
         "Window Not Resizable"},
        {"exempt class goes on",
         {2000, 1500},
         exempt,
         kVisible,
         {},
         {1440, 878},
         "Max Screen Width 1440px\nMax Screen Height 878px"},
        {"no screen skips the screen step",
         {2000, 1500},
         window({800, 600}),
         std::nullopt,
         {},
         {2000, 1500},
         {}},
        {"unknown lengths become the frame's own",
         {kNaN, 1.0 / 0.0},
         window({800, 600}),
         kVisible,
         {},
         {800, 600},
         {}},
        // Whole increments down from a screen-wide width would go negative.
        {"increment wider than the screen",
         {3000, 700},
         window({2000, 406}, {}, {}, {1.0e12, 1}),
         kVisible,
         {},
         {1440, 700},
         "Max Screen Width 1440px"},
    };
    for (const Case& c : cases) {
        std::optional<ClampingDelegate> delegate;
        if (c.delegateMost) {
            delegate.emplace(*c.delegateMost);
        }
        const CheckedSize checked =
            checkSizeForConstraints(c.target, c.window, c.visible, delegate ? &*delegate : nullptr);
        EXPECT_EQ(checked.size, c.expected) << c.name;
        EXPECT_EQ(checked.hitConstraint, c.message) << c.name;
    }
    for (const double increment : {0.0, -9.0, 1.0, kNaN}) {
        const CheckedSize checked = checkSizeForConstraints(
            {1000, 700}, window({507, 406}, {}, {}, {increment, increment}), kVisible, nullptr);
        EXPECT_EQ(checked.size, Size(1000, 700)) << increment;
        EXPECT_FALSE(checked.hitConstraint) << increment;
    }
}

} // namespace
} // namespace vantro::resize
