#pragma once

// Whether the system's package manager owns an install location: a copy
// that a package put there is the package manager's to update and remove,
// and the installer and its helper leave it alone.

#include <optional>
#include <string>

namespace vantro::installer {

// The name of the Debian package that installed `path` (asked of
// /usr/bin/dpkg-query by absolute path, with an empty environment); none
// when no package did, or when there is no package database to ask.
std::optional<std::string> owningPackage(const std::string& path);

// What the installer says of such a copy: that the package installed it
// for every user and how to remove it.
std::string packageManagedNote(const std::string& package);

} // namespace vantro::installer
