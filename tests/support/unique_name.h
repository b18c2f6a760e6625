#pragma once

// Class names are process-wide; each test builds its classes under fresh names.

#include <string>
#include <string_view>

namespace vantro::testing {

inline std::string uniqueName(std::string_view stem) {
    static int counter = 0;
    return std::string(stem) + std::to_string(++counter);
}

} // namespace vantro::testing
