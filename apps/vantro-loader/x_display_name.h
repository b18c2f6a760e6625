#pragma once

// X display names ("[host]:display[.screen]"), compared to tell which
// processes belong to the loader's own display (another session's XSETTINGS
// manager runs under the same user).

#include <string_view>

namespace vantro::loader_app {

// Whether two display names reach the same server: the same host (none and
// "unix" both meaning the local socket) and display number; the screen does
// not matter. A name that cannot be read matches nothing.
bool sameXDisplay(std::string_view a, std::string_view b);

} // namespace vantro::loader_app
