#pragma once

// Answering the loader's load request in a running application. The loader
// first makes the application load this module (Gtk/Modules in XSETTINGS),
// then calls LoadPlugins on the name the module owns on the session bus:
//
//   bus name   com.quillworks.vantro.Loader.p<PID>
//   object     /com/quillworks/vantro/Loader
//   interface  com.quillworks.vantro.Loader
//   method     LoadPlugins () -> (u loaded)
//
// `loaded` is the number of bundles this call loaded: 0 when everything the
// plug-in folders hold was loaded before (at start, or by an earlier request).

#include <sys/types.h>

#include <functional>
#include <string>
#include <string_view>

namespace vantro::loader {

inline constexpr std::string_view kLoadRequestBusNamePrefix = "com.quillworks.vantro.Loader.p";
inline constexpr std::string_view kLoadRequestObjectPath = "/com/quillworks/vantro/Loader";
inline constexpr std::string_view kLoadRequestInterface = "com.quillworks.vantro.Loader";
inline constexpr std::string_view kLoadRequestMethod = "LoadPlugins";

// The name the application with process id `pid` answers on.
std::string loadRequestBusName(pid_t pid);

struct LoadRequestHandlers {
    // Loads the bundles not loaded yet; answers how many it loaded. Runs on
    // the main loop's thread, in the main context.
    std::function<unsigned()> loadPlugins;
    // One line per failure: no session bus, the name taken, the name lost.
    std::function<void(std::string_view line)> log;
};

// Starts answering load requests for this process and returns at once: the
// session bus is found off the main thread (finding it may start a bus
// through dbus-launch, which takes seconds), then the object is exported and
// the name requested without queueing. Call it once per process, from the
// thread that runs the default main context.
void answerLoadRequests(LoadRequestHandlers handlers);

} // namespace vantro::loader
