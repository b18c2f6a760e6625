#include "plugin/resize/window_aspect_ratio.h"

#include "platform/window.h"
#include "plugin/resize/host_window_inputs.h"

namespace vantro::resize {

namespace state_key = core::state_key;

namespace {

std::optional<AspectRatioLimits> limitsOf(runtime::Object* window) {
    return storedAspectRatioLimits(core::vantroFakeIvars().entryFor(window));
}

} // namespace

std::optional<AspectRatioLimits> storedAspectRatioLimits(const core::WindowEntry* entry) {
    if (entry == nullptr) {
        return std::nullopt;
    }
    const auto found = entry->find(state_key::kSizeLimitsForAspectRatio);
    const settings::Dictionary* limits =
        found != entry->end() ? found->second.asDictionary() : nullptr;
    if (limits == nullptr) {
        return std::nullopt;
    }
    return AspectRatioLimits{
        {core::readLength(limits, limits_key::kMinWidth),
         core::readLength(limits, limits_key::kMinHeight)},
        {core::readLength(limits, limits_key::kMaxWidth),
         core::readLength(limits, limits_key::kMaxHeight)},
    };
}

Size vantroConstrainAspectRatioSize(runtime::Object* window, Size size) {
    const WindowLimits limits = windowLimitsOf(window);
    const auto delegate = HostResizeDelegate::of(window, window);
    return constrainAspectRatioSize(size, {limits, limitsOf(window), delegatePointer(delegate)});
}

Size vantroGetNewSizeInAspectRatioWithTargetWidth(runtime::Object* window, Size ratio,
                                                  double width) {
    const WindowLimits limits = windowLimitsOf(window);
    const auto delegate = HostResizeDelegate::of(window, window);
    return sizeInAspectRatioForWidth(ratio, width,
                                     {limits, limitsOf(window), delegatePointer(delegate)});
}

Size vantroGetNewSizeInAspectRatioWithTargetHeight(runtime::Object* window, Size ratio,
                                                   double height) {
    const WindowLimits limits = windowLimitsOf(window);
    const auto delegate = HostResizeDelegate::of(window, window);
    return sizeInAspectRatioForHeight(ratio, height,
                                      {limits, limitsOf(window), delegatePointer(delegate)});
}

bool vantroStoreSizeLimitsForAspectRatio(runtime::Object* window, Size ratio, bool keepCentered,
                                         bool pinBottomRight, double menuBarHeight,
                                         unsigned edges) {
    core::WindowEntry* entry = core::vantroFakeIvars().entryFor(window);
    if (entry == nullptr || entry->contains(state_key::kSizeLimitsForAspectRatio)) {
        return false;
    }
    const WindowLimits limits = windowLimitsOf(window);
    const auto delegate = HostResizeDelegate::of(window, window);
    const AspectRatioRoom room{platform::frame(window), screenOf(window),
                               menuBarHeight,           keepCentered,
                               pinBottomRight,          edges};
    const AspectRatioLimits computed =
        computeAspectRatioLimits(ratio, room, limits, delegatePointer(delegate));

    settings::Dictionary stored;
    core::writeLength(stored, limits_key::kMinWidth, computed.minimum.width);
    core::writeLength(stored, limits_key::kMinHeight, computed.minimum.height);
    core::writeLength(stored, limits_key::kMaxWidth, computed.maximum.width);
    core::writeLength(stored, limits_key::kMaxHeight, computed.maximum.height);
    entry->insert_or_assign(std::string(state_key::kSizeLimitsForAspectRatio),
                            settings::PlistValue::dictionary(std::move(stored)));
    return true;
}

} // namespace vantro::resize
