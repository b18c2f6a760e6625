#pragma once

// Running a command-line tool and waiting for it to exit, without rights:
// the installer's way to use dconf, gio and the like. The tools' standard
// error goes to the null device; a tool that cannot be started gives no
// output and a false answer.

#include <string>
#include <vector>

namespace vantro::installer {

// A tool named without a folder is looked up in PATH.
void launchAndWaitUntilExit(const std::string& tool, const std::vector<std::string>& arguments);
std::string outputOfLaunching(const std::string& tool, const std::vector<std::string>& arguments);
// Whether the tool started and exited with status 0; its standard error is
// passed on to ours (so a failing tool says why), its standard output
// stored in `output` when given.
bool launchSucceeded(const std::string& tool, const std::vector<std::string>& arguments,
                     std::string* output = nullptr);

} // namespace vantro::installer
