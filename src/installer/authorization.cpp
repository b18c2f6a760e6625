#include "installer/authorization.h"

#include <syslog.h>

#include <cstdio>

namespace vantro::installer {

void logAuthorizationRefusal(std::string_view why) {
    const std::string line = "SFAuthorization error: " + std::string(why);
    syslog(LOG_AUTHPRIV | LOG_NOTICE, "%s", line.c_str());
    std::fprintf(stderr, "vantro-installer: %s\n", line.c_str());
}

} // namespace vantro::installer
