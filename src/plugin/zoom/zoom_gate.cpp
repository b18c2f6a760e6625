#include "plugin/zoom/zoom_gate.h"

#include "plugin/core/common_gate.h"
#include "runtime/class.h"

namespace vantro::zoom {

bool zoomGateIsOpen(runtime::Object* window) {
    // Looked up by name at every zoom: a class the host lacks matches nothing.
    if (const runtime::Class* popover = runtime::classNamed(kPopoverWindowClassName);
        popover != nullptr && runtime::isKindOfClass(window, popover)) {
        return false;
    }
    return core::gateIsOpen(window);
}

} // namespace vantro::zoom
