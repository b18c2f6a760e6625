#pragma once

// The loader's second step: ask each running application's loader module,
// over the session bus, to load the plug-in bundles now.

#include "report.h"
#include "request_targets.h"

#include <gio/gio.h>

#include <chrono>
#include <functional>
#include <set>

namespace vantro::loader_app {

// A module that GTK has just loaded owns its name a moment later. The
// loader waits until each of `expected` owns its name, or `limit` passes.
struct NameWait {
    std::set<pid_t> expected;
    std::chrono::milliseconds limit{0};
};

// The load request names on the bus once the wait is over, sorted.
LoadRequestChoice waitForLoadRequestNames(GDBusConnection* bus, const NameWait& wait,
                                          const std::function<bool(pid_t)>& isInstaller,
                                          const Report& report);

// Calls LoadPlugins on each target, one after the other, each allowed
// `timeout`. A refusal, an error or a time-out is reported (verbose) and the
// next target is asked.
void askEachToLoadPlugins(GDBusConnection* bus, const std::vector<LoadRequestTarget>& targets,
                          std::chrono::milliseconds timeout, const Report& report);

} // namespace vantro::loader_app
