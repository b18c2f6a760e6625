#pragma once

// Readable geometry in test failures: "(x, y, width x height)" instead of
// the bytes of the value.

#include "platform/geometry.h"

#include <ostream>

namespace vantro {

// NOLINTBEGIN(readability-identifier-naming): PrintTo is the name googletest looks for.
inline void PrintTo(const Size& size, std::ostream* out) {
    *out << size.width << " x " << size.height;
}

inline void PrintTo(const Point& point, std::ostream* out) {
    *out << "(" << point.x << ", " << point.y << ")";
}

inline void PrintTo(const Rect& rect, std::ostream* out) {
    *out << "(" << rect.origin.x << ", " << rect.origin.y << ", " << rect.size.width << " x "
         << rect.size.height << ")";
}
// NOLINTEND(readability-identifier-naming)

} // namespace vantro
