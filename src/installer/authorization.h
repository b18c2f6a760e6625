#pragma once

// Administrator rights for the installer's run: asked for once, then held
// until the installer quits. The real one starts the privileged helper
// through pkexec; the test one answers as a test says.

#include "installer/helper_protocol.h"

#include <string_view>

namespace vantro::installer {

class Authorization {
  public:
    virtual ~Authorization() = default;

    // Whether rights are held, asking for them (the administrator password
    // dialog) when they are not. A refusal is logged as "SFAuthorization
    // error: <why>" and leaves the rights not held, so the next call asks
    // again.
    virtual bool obtain() = 0;

    // Has the operation done with the rights held; an answer that is not
    // done when none are held.
    virtual HelperAnswer run(const HelperRequest& request) = 0;
};

// Writes "SFAuthorization error: <why>" to the system log and to standard
// error, where a user who started the installer from a terminal sees it.
void logAuthorizationRefusal(std::string_view why);

} // namespace vantro::installer
