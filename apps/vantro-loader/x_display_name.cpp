#include "x_display_name.h"

#include <algorithm>
#include <optional>

namespace vantro::loader_app {

namespace {

struct DisplayName {
    std::string_view host;
    std::string_view number;
};

bool allDigits(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::optional<DisplayName> parseDisplayName(std::string_view name) {
    const size_t colon = name.rfind(':');
    if (colon == std::string_view::npos) {
        return std::nullopt;
    }
    std::string_view host = name.substr(0, colon);
    std::string_view number = name.substr(colon + 1);
    if (const size_t dot = number.find('.'); dot != std::string_view::npos) {
        if (!allDigits(number.substr(dot + 1))) {
            return std::nullopt;
        }
        number = number.substr(0, dot);
    }
    if (!allDigits(number)) {
        return std::nullopt;
    }
    if (host == "unix") {
        host = {};
    }
    // "07" and "7" are the same display.
    while (number.size() > 1 && number.front() == '0') {
        number.remove_prefix(1);
    }
    return DisplayName{host, number};
}

} // namespace

bool sameXDisplay(std::string_view a, std::string_view b) {
    const auto first = parseDisplayName(a);
    const auto second = parseDisplayName(b);
    return first && second && first->host == second->host && first->number == second->number;
}

} // namespace vantro::loader_app
