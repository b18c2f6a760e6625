#include "plugin/resize/constrain_size.h"

#include "plugin/resize/increment_snapping.h"
#include "runtime/trace_log.h"

#include <array>
#include <cmath>

namespace vantro::resize {

namespace {

// One live-resize check in progress: every step reads and changes this.
struct ConstrainInfo {
    Size size;
    const WindowLimits& window;
    ResizeHold hold;
    const ResizeDelegate* delegate;
    ConstrainedSize result;
};

double heldLength(double length) {
    return std::isfinite(length) ? length : 0;
}

void replaceUnknownProposal(ConstrainInfo& info) {
    info.size = replaceUnknownLengths(info.size, info.window.frameSize);
}

void releaseTemporaryMinimum(ConstrainInfo& info) {
    const Size held = info.hold.temporaryMinimum;
    const bool widthReached =
        info.size.width + kHoldReleaseDistance > held.width && !info.hold.keepWidth;
    const bool heightReached =
        info.size.height + kHoldReleaseDistance > held.height && !info.hold.keepHeight;
    if (widthReached || heightReached) {
        info.result.releaseTemporaryMinimum = true;
        info.result.removeHudAlertWindow = true;
    }
}

// The hold as read before its release: the step that releases it still
// returns at least the held size.
void applyTemporaryMinimum(ConstrainInfo& info) {
    const Size held = info.hold.temporaryMinimum;
    info.size.width = held.width > info.size.width ? held.width : info.size.width;
    info.size.height = held.height > info.size.height ? held.height : info.size.height;
}

void applyMinimumSize(ConstrainInfo& info) {
    const Size minimum = info.window.minSize;
    if (isLimit(minimum.width) && minimum.width > info.size.width) {
        info.size.width = minimum.width;
    }
    if (isLimit(minimum.height) && minimum.height > info.size.height) {
        info.size.height = minimum.height;
    }
}

void applyMaximumSize(ConstrainInfo& info) {
    const Size maximum = info.window.maxSize;
    if (isLimit(maximum.width) && info.size.width > maximum.width) {
        info.size.width = maximum.width;
    }
    if (isLimit(maximum.height) && info.size.height > maximum.height) {
        info.size.height = maximum.height;
    }
}

void snapToIncrements(ConstrainInfo& info) {
    info.size = snapSizeToIncrements(info.size, info.window);
}

// An answer that no frame can take (not finite) is ignored: the drag goes on
// with the size as checked so far instead of putting the window at NaN.
void askDelegate(ConstrainInfo& info) {
    if (info.delegate == nullptr) {
        return;
    }
    const Size answer = info.delegate->willResizeToSize(info.size);
    if (std::isfinite(answer.width) && std::isfinite(answer.height)) {
        info.size = answer;
    }
}

struct ConstrainStep {
    const char* name;
    void (*run)(ConstrainInfo&);
};

constexpr std::array<ConstrainStep, 7> kConstrainSteps = {{
    {"replaceUnknownProposal", &replaceUnknownProposal},
    {"releaseTemporaryMinimum", &releaseTemporaryMinimum},
    {"applyTemporaryMinimum", &applyTemporaryMinimum},
    {"applyMinimumSize", &applyMinimumSize},
    {"applyMaximumSize", &applyMaximumSize},
    {"snapToIncrements", &snapToIncrements},
    {"askDelegate", &askDelegate},
}};

} // namespace

ConstrainedSize constrainSize(Size proposed, const WindowLimits& window, const ResizeHold& hold,
                              const ResizeDelegate* delegate) {
    const ResizeHold knownHold{
        {heldLength(hold.temporaryMinimum.width), heldLength(hold.temporaryMinimum.height)},
        hold.keepWidth,
        hold.keepHeight};
    ConstrainInfo info{proposed, window, knownHold, delegate, {}};
    for (const ConstrainStep& step : kConstrainSteps) {
        step.run(info);
        VANTRO_TRACE("VTResize", "%s: %.2f x %.2f", step.name, info.size.width, info.size.height);
    }
    info.result.size = info.size;
    return info.result;
}

} // namespace vantro::resize
