#pragma once

// The versions a bundle states in its Info.plist, and the existence test
// every install step makes.

#include <optional>
#include <string>
#include <string_view>

namespace vantro::installer {

// Appended to a bundle's path to read its property list.
inline constexpr std::string_view kInfoPlistPath = "/Contents/Info.plist";
inline constexpr std::string_view kShortVersionKey = "CFBundleShortVersionString";
inline constexpr std::string_view kVersionKey = "CFBundleVersion";

// The string under `key` in the bundle's Info.plist; none when the file is
// missing, unreadable, not a property list, or has no such key.
std::optional<std::string> bundleVersion(const std::string& bundlePath, std::string_view key);

// Whether anything is at `path`, a dangling symbolic link included: the
// installer must not copy onto it, and it is what a removal takes away.
bool somethingExistsAt(const std::string& path);

} // namespace vantro::installer
