#pragma once

// Running a command-line tool and waiting for it to exit, without rights:
// the installer's way to use dconf, gio and the like. The tools' standard
// error goes to the null device; a tool that cannot be started gives no
// output and a false answer.

#include "installer/authorization.h"
#include "installer/tool_run.h"

#include <string>
#include <vector>

namespace vantro::installer {

// A tool named without a folder is looked up in PATH.
void launchAndWaitUntilExit(const std::string& tool, const std::vector<std::string>& arguments);
std::string outputOfLaunching(const std::string& tool, const std::vector<std::string>& arguments);

// The run with its standard output collected, its standard error passed on
// to ours (so a failing tool says why), and its exit status: what the
// privileged helper does for each request it accepts.
PrivilegedRunResult runCollectingOutput(const ToolRun& run);

} // namespace vantro::installer
