#include "plugin/core/feature_keys.h"
#include "plugin/zoom/menu_titles.h"
#include "plugin/zoom/undo.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace vantro::zoom {
namespace {

const Rect kVisible(0, 0, 1440, 878);
const Rect kLeftHalf(0, 0, 720, 878);

// One window's zoom history, recorded after each zoom as the execution does.
struct Window {
    Rect frame;
    ZoomHistory history;
    std::string last;

    // Applies `feature` (whose layout gives `layout`) and answers the decision.
    UndoDecision zoom(const std::string& feature, const Rect& layout,
                      const Rect& visible = kVisible,
                      const std::function<Size(Size)>& check = nullptr) {
        history.selectedFeature = &feature;
        history.lastFeaturePerformed = last.empty() ? nullptr : &last;
        const UndoDecision decision = decideUndo(history, layout, frame, visible, nullptr, check);
        history.previousRect = frame;
        history.previousVisibleFrame = visible;
        frame = decision.target;
        history.zoomedToFrame = frame;
        last = feature;
        return decision;
    }
};

TEST(Undo, RepeatingAFeatureAlternatesBetweenZoomAndUndo) {
    Window w{Rect(100, 100, 800, 600), {}, ""};
    const std::string left = "VantroMaximizeLeftHalf";
    EXPECT_FALSE(w.zoom(left, kLeftHalf).isUndo);
    EXPECT_EQ(w.frame, kLeftHalf);
    const UndoDecision second = w.zoom(left, kLeftHalf);
    EXPECT_TRUE(second.isUndo);
    EXPECT_EQ(second.message, "Undo Zoom");
    EXPECT_EQ(w.frame, Rect(100, 100, 800, 600));
    EXPECT_FALSE(w.zoom(left, kLeftHalf).isUndo);
    EXPECT_EQ(w.frame, kLeftHalf);
}

TEST(Undo, AnythingThatTouchedTheWindowBreaksTheAlternation) {
    const std::string left = "VantroMaximizeLeftHalf";
    struct Case {
        const char* what;
        std::function<void(Window&)> between;
        Rect visibleAtSecondZoom;
        std::string secondFeature;
    };
    const Case cases[] = {
        {"the user moved it", [](Window& w) { w.frame.origin.x += 30; }, kVisible, left},
        {"the visible frame changed", [](Window&) {}, Rect(0, 0, 1440, 900), left},
        {"another feature", [](Window&) {}, kVisible, "VantroMaximizeRightHalf"},
        {"the history was forgotten",
         [](Window& w) {
             w = Window{w.frame, {}, ""};
         },
         kVisible, left},
    };
    for (const Case& c : cases) {
        Window w{Rect(100, 100, 800, 600), {}, ""};
        w.zoom(left, kLeftHalf);
        c.between(w);
        EXPECT_FALSE(w.zoom(c.secondFeature, kLeftHalf, c.visibleAtSecondZoom).isUndo) << c.what;
    }
}

TEST(Undo, AWindowAlreadyAtTheTargetIsNotUndone) {
    Window w{kLeftHalf, {}, ""};
    const std::string left = "VantroMaximizeLeftHalf";
    EXPECT_FALSE(w.zoom(left, kLeftHalf).isUndo);
    EXPECT_FALSE(w.zoom(left, kLeftHalf).isUndo); // the earlier frame equals the target
    EXPECT_EQ(w.frame, kLeftHalf);
}

TEST(Undo, ResolutionModesAreDifferentZooms) {
    Window w{Rect(100, 100, 800, 600), {}, ""};
    const Rect vga(100, 100, 640, 480);
    EXPECT_FALSE(w.zoom("VantroResolutionVGA-0", vga).isUndo);
    EXPECT_FALSE(w.zoom("VantroResolutionVGA-1", vga).isUndo);
}

TEST(Undo, UndoPassesTheEarlierSizeThroughTheChecks) {
    Window w{Rect(100, 100, 800, 600), {}, ""};
    const std::string left = "VantroMaximizeLeftHalf";
    w.zoom(left, kLeftHalf);
    const auto clamp = [](Size s) { return Size{std::min(s.width, 700.0), s.height}; };
    EXPECT_EQ(w.zoom(left, kLeftHalf, kVisible, clamp).target, Rect(100, 100, 700, 600));
}

TEST(Undo, WithoutUndoTheMessageIsTheConstraintHit) {
    const std::string hit = "Max Window Width 500px";
    const UndoDecision decision = decideUndo({}, kLeftHalf, Rect(), kVisible, &hit, nullptr);
    EXPECT_FALSE(decision.isUndo);
    EXPECT_EQ(decision.message, hit);
    EXPECT_FALSE(decideUndo({}, kLeftHalf, Rect(), kVisible, nullptr, nullptr).message);
}

TEST(MenuTitles, MapToTheirFeatures) {
    EXPECT_EQ(featureForMenuTitle(" Left Half"), "VantroMaximizeLeftHalf");
    EXPECT_EQ(featureForMenuTitle(" 320 \u00d7 480"), "VantroResolutioniOSOrig");
    EXPECT_FALSE(featureForMenuTitle(" 320 x 480")); // the small ones use the multiplication sign
    EXPECT_FALSE(featureForMenuTitle("Left Half"));  // indented titles keep their space
    EXPECT_EQ(featureForMenuTitle(" Standard Zoom"), kStandardZoomFeature);
    // Every feature the zoom asks has exactly one menu title.
    for (std::string_view key : core::feature::kZoomOrder) {
        const auto count = std::count_if(kMenuTitles.begin(), kMenuTitles.end(),
                                         [&](const auto& entry) { return entry.second == key; });
        EXPECT_EQ(count, 1) << key;
    }
}

} // namespace
} // namespace vantro::zoom
