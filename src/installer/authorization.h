#pragma once

// Administrator rights for the installer's run: asked for once, then held
// until the installer quits. The real one starts the privileged helper
// through pkexec; the test one answers as a test says.

#include "installer/tool_run.h"

#include <string>
#include <string_view>

namespace vantro::installer {

// How a run with rights went: whether the tool could be started at all, and
// whether it then exited with status 0.
struct PrivilegedRunResult {
    bool started = false;
    bool succeeded = false;
    int exitStatus = -1; // the tool's, when it exited normally
    std::string output;
};

class Authorization {
  public:
    virtual ~Authorization() = default;

    // Whether rights are held, asking for them (the administrator password
    // dialog) when they are not. A refusal is logged as "SFAuthorization
    // error: <why>" and leaves the rights not held, so the next call asks
    // again.
    virtual bool obtain() = 0;

    // Runs `run` with the rights held; not started when none are held, when
    // the helper refuses the run, or when it could not start the tool.
    virtual PrivilegedRunResult run(const ToolRun& run) = 0;
};

// Writes "SFAuthorization error: <why>" to the system log and to standard
// error, where a user who started the installer from a terminal sees it.
void logAuthorizationRefusal(std::string_view why);

} // namespace vantro::installer
