#include "plugin/zoom/placement.h"

namespace vantro::zoom {

double placeX(Horizontal where, const Rect& visible, double width) {
    switch (where) {
    case Horizontal::left:
        return visible.minX();
    case Horizontal::right:
        return (visible.size.width - width) + visible.minX();
    case Horizontal::centre:
        return singlePrecisionFloor((0.5 * visible.size.width + visible.minX()) + (-0.5 * width));
    }
    return visible.minX();
}

double placeY(Vertical where, const Rect& visible, double height) {
    switch (where) {
    case Vertical::top:
        return (visible.size.height - height) + visible.minY();
    case Vertical::bottom:
        return visible.minY();
    case Vertical::centre:
        return singlePrecisionFloor((0.5 * visible.size.height + visible.minY()) + (-0.5 * height));
    }
    return visible.minY();
}

Point centredOrigin(Size size, const Rect& visible) {
    return {placeX(Horizontal::centre, visible, size.width),
            placeY(Vertical::centre, visible, size.height)};
}

} // namespace vantro::zoom
