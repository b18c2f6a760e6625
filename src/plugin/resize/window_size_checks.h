#pragma once

// The size checks as the window's grafted methods run them: inputs read from
// the window and its per-window entry, the pure checks run, and the entry
// updated with what they decided.

#include "platform/geometry.h"
#include "plugin/resize/constrain_size.h"
#include "runtime/object.h"

namespace vantro::resize {

// vantroConstrainSize:forWindow:. The hold and the delegate are the
// receiver's (the delegate is asked with the receiver as its window); the
// limits, increments and frame are `window`'s. Removes the receiver's
// temporary minimum when the check releases it. The caller removes the HUD
// alert window when the result asks for it. A null receiver or window leaves
// the size as it is.
ConstrainedSize vantroConstrainSizeForWindow(runtime::Object* receiver, Size size,
                                             runtime::Object* window);

// vantroCheckSizeForConstraints:. Stores the message in the receiver's
// "hitConstraint" when a constraint was hit and the receiver has an entry
// (the zoom creates it before the check; this check creates none). A null
// receiver leaves the size as it is.
Size vantroCheckSizeForConstraints(runtime::Object* receiver, Size size);

} // namespace vantro::resize
