#pragma once

// Whom the loader asks to load the plug-ins: every process owning a load
// request name on the session bus, each once, except the installer.

#include <sys/types.h>

#include <functional>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace vantro::loader_app {

// The installer's executable name; a running installer is never asked.
inline constexpr std::string_view kInstallerExecutable = "vantro-installer";

struct LoadRequestTarget {
    std::string busName;
    pid_t pid = 0;

    bool operator==(const LoadRequestTarget&) const = default;
};

// The process id a load request name carries ("...Loader.p1234" → 1234);
// nothing for other names and for malformed ones.
std::optional<pid_t> pidInLoadRequestName(std::string_view busName);

// Whether a process is the installer, from its executable's path
// (/proc/PID/exe, empty when unreadable) or its command name (/proc/PID/comm,
// which the kernel cuts to 15 characters; for a script, the script's name).
bool isInstallerProcess(std::string_view executablePath, std::string_view commandName);

struct LoadRequestChoice {
    std::vector<LoadRequestTarget> toAsk;      // in order of process id
    std::vector<LoadRequestTarget> installers; // owning a name, left out
};

// Sorts the load request names among `busNames` into those to ask and the
// installers. A name listed twice is asked once.
LoadRequestChoice chooseLoadRequestTargets(const std::vector<std::string>& busNames,
                                           const std::function<bool(pid_t)>& isInstaller);

// Whether each of `expected` (the applications the loader waits for) owns its
// name among `chosen`.
bool everyExpectedNamed(const std::set<pid_t>& expected, const LoadRequestChoice& chosen);

} // namespace vantro::loader_app
