#pragma once

// What /proc tells about the user's other processes. Every reader answers
// empty when the process is gone or not readable: processes come and go
// while the loader looks.

#include <sys/types.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantro::loader_app::processes {

// Every process id in /proc.
std::vector<pid_t> allProcessIds();

bool ownedByCurrentUser(pid_t pid);

// /proc/PID/comm without its line feed.
std::string commandName(pid_t pid);

// The target of /proc/PID/exe, without the " (deleted)" of a replaced file.
std::string executablePath(pid_t pid);

std::vector<std::string> commandLine(pid_t pid);

std::string workingDirectory(pid_t pid);

// A variable of the environment the process started with.
std::optional<std::string> environmentVariable(pid_t pid, std::string_view name);

// Whether a mapped file's name contains `libraryName` ("libgtk-3.so").
bool mapsLibrary(pid_t pid, std::string_view libraryName);

} // namespace vantro::loader_app::processes
