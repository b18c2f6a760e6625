#pragma once

// The drag's state in the window's per-window entry: the grip offset, the
// selected resize features, the kept ratio. Reads tolerate any stored shape
// (a missing or malformed value reads as absent); writes reuse the stored
// values' storage so that a drag step does not allocate once the drag's
// first step has created them.

#include "platform/geometry.h"
#include "plugin/core/window_state.h"
#include "plugin/resize/grip_offset.h"

#include <optional>

namespace vantro::resize {

// The four resize features as one step selects them.
struct ResizeSelection {
    bool pinBottomRight = false;
    bool keepCentered = false;
    bool keepAspectRatio = false;
    bool keepWidthHeight = false;

    [[nodiscard]] bool any() const {
        return pinBottomRight || keepCentered || keepAspectRatio || keepWidthHeight;
    }
    friend bool operator==(const ResizeSelection&, const ResizeSelection&) = default;
};

// "activeFeatures": none when absent, or when it is not a dictionary of
// exactly the four feature keys (so that a malformed one counts as changed).
std::optional<ResizeSelection> storedSelection(const core::WindowEntry* entry);
void storeSelection(core::WindowEntry& entry, const ResizeSelection& selection);

// "mouseOffset"; none when absent. An absent offset inside it reads as 0.
std::optional<GripOffset> storedGripOffset(const core::WindowEntry* entry);
void storeGripOffset(core::WindowEntry& entry, const GripOffset& offset);

// "aspectRatio", widened back from single precision; none when absent.
std::optional<Size> storedAspectRatio(const core::WindowEntry* entry);
void storeAspectRatio(core::WindowEntry& entry, Size ratio);

} // namespace vantro::resize
