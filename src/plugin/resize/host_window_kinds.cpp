#include "plugin/resize/host_window_kinds.h"

#include "runtime/class.h"

namespace vantro::resize {

bool isKindOfClassNamed(const runtime::Object* object, std::string_view name) {
    const runtime::Class* cls = runtime::classNamed(name);
    return cls != nullptr && object != nullptr && runtime::isKindOfClass(object, cls);
}

} // namespace vantro::resize
