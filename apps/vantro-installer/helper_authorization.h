#pragma once

// Administrator rights through the privileged helper: the first request
// starts "vantro-install-helper" with /usr/bin/pkexec, which asks for the password
// (polkit action "com.quillworks.vantro.install"); the helper then serves
// every request until the installer quits, so the user is asked once per run.
// When the installer already runs as root, the helper is started directly.

#include "installer/authorization.h"

#include <glib.h>

#include <string>

namespace vantro::installer_app {

class HelperAuthorization : public installer::Authorization {
  public:
    explicit HelperAuthorization(std::string helperProgram) : helper_(std::move(helperProgram)) {}
    ~HelperAuthorization() override;
    HelperAuthorization(const HelperAuthorization&) = delete;
    HelperAuthorization& operator=(const HelperAuthorization&) = delete;

    bool obtain() override;
    installer::HelperAnswer run(const installer::HelperRequest& request) override;

  private:
    bool readLine(std::string& line);
    // Ends the helper; returns how pkexec or the helper ended.
    std::string stopHelper();

    std::string helper_;
    int socket_ = -1;
    GPid pid_ = 0;
    std::string received_;
};

} // namespace vantro::installer_app
