#pragma once

// What the helper with administrator rights does, and all it does: put a
// fresh copy of one of the installer's own parts at its system-wide
// location, take such a copy away, and name the loader module in (or take
// it out of) the system's GTK settings file. Every path comes from the
// location table and the parts the installer carries; no request adds one.
//
// Nothing is reached through a symbolic link. Every folder is opened one
// name at a time from "/" with O_NOFOLLOW, so a link in a location, in any
// folder above it or inside a part is never followed: at or above the
// system's own folders it makes the operation refused; between the library
// folder and a location, or at the location itself, it is removed (the
// link, not what it points at) and replaced. A part is copied into a fresh
// folder beside its location and renamed into place, so no reader ever
// sees half an install, and a removal first renames the copy aside. What is
// copied must be the installer's: regular files and folders only, owned by
// root or by the user who asked, writable by no one else and readable by
// everyone (so nothing private is ever published), and no larger than 1 GiB
// in all. Everything written gets an explicit mode: 0755 for folders and
// programs, 0644 for the rest; the settings file keeps the owner and mode
// it had (never writable by others), and a new one gets root's and 0644.

#include "installer/installed_parts.h"

#include <sys/types.h>

#include <optional>
#include <string>

namespace vantro::installer {

struct OperationResult {
    enum class Kind { done, refused, failed } kind = Kind::done;
    std::string why;

    [[nodiscard]] bool ok() const { return kind == Kind::done; }
};

class PrivilegedOperations {
  public:
    using Part = InstallLocations::Part;

    // `sources` are the parts this installer carries; `askingUser` is the
    // user on whose behalf the operations run (pkexec's PKEXEC_UID), whose
    // files may be copied besides root's; none: root's only.
    PrivilegedOperations(InstallLocations locations, CarriedParts sources,
                         std::optional<uid_t> askingUser);

    [[nodiscard]] OperationResult install(Part part) const;
    // Done also when nothing is there.
    [[nodiscard]] OperationResult remove(Part part) const;
    // Adds the system-wide loader module's absolute path to the gtk-modules
    // line of the system's settings file, or takes it out, keeping every
    // other line and module as it was.
    [[nodiscard]] OperationResult registerLoaderModule(bool named) const;

    [[nodiscard]] const InstallLocations& locations() const { return locations_; }

  private:
    [[nodiscard]] const std::string& sourceOf(Part part) const;

    InstallLocations locations_;
    CarriedParts sources_;
    std::optional<uid_t> askingUser_;
};

} // namespace vantro::installer
