#pragma once

// Turns the default GLib main context until `done` answers true or `seconds`
// have passed; answers `done`.

#include <glib.h>

#include <functional>

namespace vantro::testing {

inline bool spinUntil(const std::function<bool()>& done, double seconds = 10) {
    const gint64 deadline = g_get_monotonic_time() + static_cast<gint64>(seconds * G_USEC_PER_SEC);
    while (!done() && g_get_monotonic_time() < deadline) {
        while (g_main_context_iteration(nullptr, FALSE)) {
        }
        g_usleep(500);
    }
    return done();
}

} // namespace vantro::testing
