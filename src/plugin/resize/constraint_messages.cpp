#include "plugin/resize/constraint_messages.h"

#include <algorithm>
#include <cstdio>

namespace vantro::resize::message {

std::string withLength(std::string_view text, double length) {
    constexpr std::string_view kPlaceholder = "%1.0f";
    // Sized for any double: "%1.0f" of the largest prints 309 digits.
    char digits[400];
    const int written = std::snprintf(digits, sizeof digits, "%1.0f", length);
    const std::size_t printed =
        written > 0 ? std::min(static_cast<std::size_t>(written), sizeof digits - 1) : 0;
    const std::string_view number(digits, printed);
    std::string result(text);
    if (const std::size_t at = result.find(kPlaceholder); at != std::string::npos) {
        result.replace(at, kPlaceholder.size(), number);
    }
    return result;
}

} // namespace vantro::resize::message
