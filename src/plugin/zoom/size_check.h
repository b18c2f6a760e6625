#pragma once

// The size check a layout passes its proposed size through: the window's
// limits, increments and delegate, recording which limit was hit.

#include "platform/geometry.h"

#include <functional>

namespace vantro::zoom {

using SizeCheck = std::function<Size(Size proposed)>;

} // namespace vantro::zoom
