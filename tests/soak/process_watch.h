#pragma once

// What the soak driver reads of the application it drives, from /proc: is
// it still running, and how much memory it holds resident.

#include <cstdint>
#include <optional>
#include <string_view>
#include <sys/types.h>

namespace vantro::soak {

// The VmRSS figure (KiB) of a /proc/PID/status text; nothing when the line
// is missing or unreadable (a zombie has none).
std::optional<std::int64_t> parseResidentKib(std::string_view status);

// The resident set of the process now, nothing when it has gone.
std::optional<std::int64_t> residentKib(pid_t pid);

// Whether the process exists and has not exited (a zombie that its parent
// has not yet reaped counts as exited).
bool processIsRunning(pid_t pid);

} // namespace vantro::soak
