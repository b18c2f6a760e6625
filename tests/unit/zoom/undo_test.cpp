#include "plugin/core/feature_keys.h"
#include "plugin/zoom/menu_titles.h"
#include "plugin/zoom/undo.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace vantro::zoom {
namespace {

const Rect kVisible(0, 0, 1440, 878);
const Rect kLeftHalf(0, 0, 720, 878);

// Alternating zoom and undo, and what breaks it, are the user-action model's.

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
