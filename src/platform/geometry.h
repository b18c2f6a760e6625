#pragma once

// Geometry value types shared by the plug-in and its backends. Coordinates are
// global screen coordinates in points: origin at the bottom left of the main
// screen, y growing upwards. Backends convert at their own edge.

#include <cmath>

namespace vantro {

struct Point {
    double x = 0;
    double y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
    double width = 0;
    double height = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

struct Rect {
    Point origin;
    Size size;

    constexpr Rect() = default;
    constexpr Rect(double x, double y, double width, double height)
        : origin{x, y}, size{width, height} {}
    constexpr Rect(Point o, Size s) : origin(o), size(s) {}

    [[nodiscard]] constexpr double minX() const { return origin.x; }
    [[nodiscard]] constexpr double minY() const { return origin.y; }
    [[nodiscard]] constexpr double maxX() const { return origin.x + size.width; }
    [[nodiscard]] constexpr double maxY() const { return origin.y + size.height; }
    [[nodiscard]] constexpr double midX() const { return origin.x + size.width / 2; }
    [[nodiscard]] constexpr double midY() const { return origin.y + size.height / 2; }
    [[nodiscard]] constexpr bool isEmpty() const { return !(size.width > 0 && size.height > 0); }

    friend bool operator==(const Rect&, const Rect&) = default;
};

// A screen as the plug-in sees it: the whole monitor, and the part of it that
// windows may fill (less panels and docks).
struct Screen {
    Rect frame;
    Rect visibleFrame;
    friend bool operator==(const Screen&, const Screen&) = default;
};

// Area of the intersection of two rectangles; 0 when they do not overlap or
// either is not made of finite numbers.
inline double intersectionArea(const Rect& a, const Rect& b) {
    const bool finite = std::isfinite(a.minX() + a.maxX() + a.minY() + a.maxY()) &&
                        std::isfinite(b.minX() + b.maxX() + b.minY() + b.maxY());
    if (!finite) {
        return 0;
    }
    const double width = std::fmin(a.maxX(), b.maxX()) - std::fmax(a.minX(), b.minX());
    const double height = std::fmin(a.maxY(), b.maxY()) - std::fmax(a.minY(), b.minY());
    return (width > 0 && height > 0) ? width * height : 0;
}

// Every computed position and size is rounded this way: to the nearest float,
// then down, then widened back. Stored lengths are floats, so this keeps what
// is computed equal to what is stored and read back.
// Values beyond float's range (or NaN) are floored in double instead: converting
// them to float would be undefined.
inline double singlePrecisionFloor(double value) {
    constexpr double kFloatMax = 3.4028234663852886e38;
    if (!(std::fabs(value) <= kFloatMax)) {
        return std::floor(value);
    }
    return static_cast<double>(std::floor(static_cast<float>(value)));
}

} // namespace vantro
