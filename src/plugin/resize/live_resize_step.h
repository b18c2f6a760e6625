#pragma once

// One step of a resize drag: the frame the host proposes for a window while
// the user drags an edge, reshaped by the resize features the held keys
// select. The step first sizes the window (from the mouse once a feature has
// been used in the drag, then by keep-aspect-ratio or keep-width/height),
// then places it by its anchoring (centred, bottom-right pinned, or top-left
// fixed) within the screen, shows the drag's feedback, and hands the frame
// to the host.

#include "platform/geometry.h"
#include "plugin/core/window_state.h"
#include "plugin/resize/live_resize_state.h"
#include "runtime/object.h"

#include <optional>

namespace vantro::resize {

// What one step works on, alive for one call.
struct ResizeStep {
    runtime::Object* receiver = nullptr;
    // The window whose frame changes: the receiver itself for every window
    // the plug-in hooks (a window's content belongs to the window).
    runtime::Object* window = nullptr;
    core::WindowEntry* entry = nullptr;
    Rect frame;               // the working frame; what the host finally receives
    bool display = true;      // passed on unchanged
    double frameHeight = 0;   // the window's frame height before the step
    double contentHeight = 0; // its content height before the step
    int version = 0;          // the floor of the toolkit version number
    bool engaged = false;     // a feature is selected in this step
    bool pinNow = false;
    bool centredNow = false;
    // The selection this step stored as "activeFeatures", kept here so that
    // the later stages need not read it back.
    ResizeSelection selection;
    Point mouse;              // read once, after the selection is stored
    unsigned edges = 0;       // the sides the drag holds (platform::ResizeEdge)
    double menuBarHeight = 0; // the screen's frame height less its visible top
};

// Which sides of the window a drag holds along each axis.
struct HeldSides {
    bool left = false;
    bool right = false;
    bool top = false;
    bool bottom = false;
    explicit HeldSides(unsigned edges);
    [[nodiscard]] bool horizontal() const { return left || right; }
    [[nodiscard]] bool vertical() const { return top || bottom; }
};

// The screen a drag step works on: the window's, or the main screen for a
// window on none; none only when there are no screens.
std::optional<Screen> resizeScreenOf(runtime::Object* window);
// The gap between a screen's top edge and the top of its visible frame.
double menuBarHeightOf(const std::optional<Screen>& screen);
// The live-resize size check for the step's window; removes the HUD when the
// check releases the hold (or there is none).
Size constrainForStep(ResizeStep& step, Size size);

// The size in the stored ratio: the dimension the drag moves leads.
Size sizeInStoredRatio(const ResizeStep& step, Size ratio, Size size);
// The keep-width/height choice: a single edge keeps the dimension it leaves
// alone; a corner keeps the one its first movement changed least.
void chooseKeptDimensionForStep(const ResizeStep& step, Size size, const Rect& current);
// Where the mouse puts the held sides, each keeping its grip offset: x is
// the held left or right side, y the held top or bottom one.
Point heldSidesFromMouse(const ResizeStep& step, Point mouse);

// Whether the plug-in acts on this step at all; when not, the host's
// implementation gets the proposed frame and nothing else happens.
bool resizeStepApplies(runtime::Object* receiver, bool display);

// The sizing half: features, the size from the mouse, and the reshaping.
// Answers false on the newest toolkit generation, where the features do not
// act and only the dimension tab follows the drag.
bool sizeResizeStep(ResizeStep& step);

// The placing half: anchoring, screen edges, the resize indicator and the
// pinned hint.
void placeResizeStep(ResizeStep& step);

// For a window whose drags the host does not signal: the drag ends a quiet
// moment after its last step.
void scheduleUnsignalledDragEnd(ResizeStep& step);

// The dimension tab during a drag: shown while the Function key is held, or
// as the display mode of "VantroShowDimensionsDuringResizing" says.
void showDimensionsForStep(ResizeStep& step);

} // namespace vantro::resize
