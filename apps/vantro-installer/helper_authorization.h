#pragma once

// Administrator rights through the privileged helper: the first request
// starts "vantro-install-helper" with pkexec, which asks for the password
// (polkit action "com.quillworks.vantro.install"); the helper then serves
// every run until the installer quits, so the user is asked once per run.
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
    installer::PrivilegedRunResult run(const installer::ToolRun& run) override;

  private:
    bool readLine(std::string& line);
    bool readBytes(size_t count, std::string& bytes);
    // Ends the helper; returns how pkexec or the helper ended.
    std::string stopHelper();

    std::string helper_;
    int socket_ = -1;
    GPid pid_ = 0;
    std::string received_;
};

} // namespace vantro::installer_app
