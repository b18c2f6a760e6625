#include "plugin/core/saved_implementations.h"

namespace vantro::core {

SavedImplementations& savedImplementations() {
    static auto* saved = new SavedImplementations();
    return *saved;
}

} // namespace vantro::core
