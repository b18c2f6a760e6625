#include "plugin/resize/check_size.h"

#include "plugin/resize/constraint_messages.h"
#include "plugin/resize/increment_snapping.h"
#include "runtime/trace_log.h"

#include <algorithm>
#include <array>

namespace vantro::resize {

namespace {

// One zoom check in progress: every step reads and changes this.
struct CheckInfo {
    Size size;
    const WindowLimits& window;
    std::optional<Size> visibleSize;
    const ResizeDelegate* delegate;
    // The message of the last step that changed each dimension; empty for none.
    std::string widthMessage;
    std::string heightMessage;
    std::optional<std::string> hitConstraint;
    bool finished = false;
};

bool isExemptFromResizableFlag(std::string_view className) {
    const auto& exempt = message::kResizableWithoutFlag;
    return std::find(exempt.begin(), exempt.end(), className) != exempt.end();
}

void refuseNotResizable(CheckInfo& info) {
    if (info.window.resizable || isExemptFromResizableFlag(info.window.className)) {
        return;
    }
    info.hitConstraint = std::string(message::kWindowNotResizable);
    info.size = info.window.frameSize;
    info.finished = true;
}

void replaceUnknownTarget(CheckInfo& info) {
    info.size = replaceUnknownLengths(info.size, info.window.frameSize);
}

// Lowers `length` to `limit` when it is above it, with that dimension's message.
void lowerTo(double& length, std::string& slot, double limit, std::string_view text) {
    if (isLimit(limit) && length > limit) {
        slot = message::withLength(text, limit);
        length = limit;
    }
}

void raiseTo(double& length, std::string& slot, double limit, std::string_view text) {
    if (isLimit(limit) && limit > length) {
        slot = message::withLength(text, limit);
        length = limit;
    }
}

void fitScreen(CheckInfo& info) {
    if (!info.visibleSize) {
        return;
    }
    lowerTo(info.size.width, info.widthMessage, info.visibleSize->width, message::kMaxScreenWidth);
    lowerTo(info.size.height, info.heightMessage, info.visibleSize->height,
            message::kMaxScreenHeight);
}

void applyMaximumSize(CheckInfo& info) {
    const Size maximum = info.window.maxSize;
    lowerTo(info.size.width, info.widthMessage, maximum.width, message::kMaxWindowWidth);
    lowerTo(info.size.height, info.heightMessage, maximum.height, message::kMaxWindowHeight);
}

void applyMinimumSize(CheckInfo& info) {
    const Size minimum = info.window.minSize;
    raiseTo(info.size.width, info.widthMessage, minimum.width, message::kMinWindowWidth);
    raiseTo(info.size.height, info.heightMessage, minimum.height, message::kMinWindowHeight);
}

// One dimension: snapped as a live resize snaps, then by whole increments
// back onto the screen, which the window's own limits may not ensure.
void snapDimension(double& length, std::string& slot, double increment, double minimum,
                   double maximum, double currentExtent, std::optional<double> visible,
                   std::string_view text) {
    if (!isSnappingIncrement(increment)) {
        return;
    }
    double snapped = snapToIncrement(length, increment, minimum, maximum, currentExtent);
    if (visible) {
        snapped = lowerByIncrementsTo(snapped, increment, *visible);
    }
    if (snapped != length) {
        slot = message::withLength(text, snapped);
    }
    length = snapped;
}

void snapToIncrements(CheckInfo& info) {
    const WindowLimits& window = info.window;
    const auto visibleWidth =
        info.visibleSize ? std::optional<double>(info.visibleSize->width) : std::nullopt;
    const auto visibleHeight =
        info.visibleSize ? std::optional<double>(info.visibleSize->height) : std::nullopt;
    snapDimension(info.size.width, info.widthMessage, window.resizeIncrements.width,
                  window.minSize.width, window.maxSize.width, window.frameSize.width, visibleWidth,
                  message::kWidthIncremented);
    snapDimension(info.size.height, info.heightMessage, window.resizeIncrements.height,
                  window.minSize.height, window.maxSize.height, window.frameSize.height,
                  visibleHeight, message::kHeightIncremented);
}

void askDelegate(CheckInfo& info) {
    if (info.delegate == nullptr) {
        return;
    }
    const Size answer = info.delegate->willResizeToSize(info.size);
    if (answer.width != info.size.width) {
        info.widthMessage = message::withLength(message::kWidthRestricted, answer.width);
    }
    if (answer.height != info.size.height) {
        info.heightMessage = message::withLength(message::kHeightRestricted, answer.height);
    }
    info.size = answer;
}

void report(CheckInfo& info) {
    if (info.widthMessage.empty() && info.heightMessage.empty()) {
        return;
    }
    std::string text = info.widthMessage;
    if (!info.widthMessage.empty() && !info.heightMessage.empty()) {
        text += message::kLineSeparator;
    }
    text += info.heightMessage;
    info.hitConstraint = std::move(text);
}

struct CheckStep {
    const char* name;
    void (*run)(CheckInfo&);
};

constexpr std::array<CheckStep, 8> kCheckSteps = {{
    {"refuseNotResizable", &refuseNotResizable},
    {"replaceUnknownTarget", &replaceUnknownTarget},
    {"fitScreen", &fitScreen},
    {"applyMaximumSize", &applyMaximumSize},
    {"applyMinimumSize", &applyMinimumSize},
    {"snapToIncrements", &snapToIncrements},
    {"askDelegate", &askDelegate},
    {"report", &report},
}};

} // namespace

CheckedSize checkSizeForConstraints(Size target, const WindowLimits& window,
                                    std::optional<Size> visibleSize,
                                    const ResizeDelegate* delegate) {
    CheckInfo info{target, window, visibleSize, delegate, {}, {}, {}, false};
    for (const CheckStep& step : kCheckSteps) {
        step.run(info);
        VANTRO_TRACE("VTZoom", "%s: %.2f x %.2f", step.name, info.size.width, info.size.height);
        if (info.finished) {
            break;
        }
    }
    return {info.size, std::move(info.hitConstraint)};
}

} // namespace vantro::resize
