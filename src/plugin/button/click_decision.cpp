#include "plugin/button/click_decision.h"

#include "plugin/core/feature_keys.h"

namespace vantro::button {

namespace {

bool holds(platform::ModifierFlags held, platform::ModifierFlags key) {
    return (held & key) != 0;
}

} // namespace

ClickOutcome leftClickOutcome(DefaultZoomBehavior behavior, platform::ModifierFlags held,
                              bool controlKeyHasFeature) {
    const platform::ModifierFlags counted = held & kClickModifiers;
    const bool function = holds(counted, platform::kFunctionKeyMask);
    if (behavior.enabled && counted == 0) {
        return behavior.layout == 0 ? ClickOutcome::showMenu : ClickOutcome::zoomByBehavior;
    }
    if (holds(counted, platform::kControlKeyMask) && !holds(counted, platform::kShiftKeyMask) &&
        !controlKeyHasFeature) {
        return ClickOutcome::showMenu;
    }
    if (function && !behavior.enabled) {
        return ClickOutcome::showMenu;
    }
    if (function && behavior.enabled && behavior.layout != 0) {
        return ClickOutcome::showMenu;
    }
    return ClickOutcome::passOn;
}

std::optional<std::string_view> behaviorFeature(std::int64_t layout) {
    const auto& layouts = core::feature::kDefaultBehaviorLayouts;
    if (layout < 1 || layout >= static_cast<std::int64_t>(layouts.size())) {
        return std::nullopt;
    }
    return layouts[static_cast<std::size_t>(layout)];
}

Rect chromeZoomButtonArea(const Rect& zoomButtonFrame) {
    return {zoomButtonFrame.minX(), zoomButtonFrame.minY() - 1, zoomButtonFrame.size.width,
            zoomButtonFrame.size.height};
}

bool clickIsThePluginsToDecide(const ClickOwnership& click) {
    if (click.chromeStyle && click.inChromeZoomButtonArea) {
        return true;
    }
    if (click.chromeBrowserWindowExists) {
        return false;
    }
    return click.isZoomButton;
}

} // namespace vantro::button
