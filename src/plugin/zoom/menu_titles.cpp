#include "plugin/zoom/menu_titles.h"

namespace vantro::zoom {

std::optional<std::string_view> featureForMenuTitle(std::string_view title) {
    for (const auto& [menuTitle, feature] : kMenuTitles) {
        if (menuTitle == title) {
            return feature;
        }
    }
    return std::nullopt;
}

} // namespace vantro::zoom
