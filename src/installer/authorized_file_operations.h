#pragma once

// The installer's file operations with administrator rights, each one
// request to the helper: a part installed at, or removed from, its
// system-wide location, and the loader module's entry in the system's GTK
// settings. The rights are asked for at most once per run after a success.

#include "installer/authorization.h"

namespace vantro::installer {

class AuthorizedFileOperations {
  public:
    using Part = InstallLocations::Part;

    AuthorizedFileOperations(Authorization& authorization, InstallLocations locations)
        : authorization_(authorization), locations_(std::move(locations)) {}

    // Whether the rights are held, asking for them when they are not.
    bool getAuthorization() { return authorization_.obtain(); }

    // False without asking when something is already at the location: the
    // caller removes it first.
    bool authorizedInstall(Part part);
    // True also when nothing is at the location, without asking for rights.
    bool authorizedRemove(Part part);
    bool authorizedRegisterLoaderModule(bool named);

  private:
    bool run(const HelperRequest& request);

    Authorization& authorization_;
    InstallLocations locations_;
};

} // namespace vantro::installer
