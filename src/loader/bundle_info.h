#pragma once

// A plug-in bundle's Info.plist: the property list (XML) that says what the
// bundle is and where its code is. Only a dictionary of string and integer
// values is read; anything else in the file is passed over.

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace vantro::loader {

// The loader interface this module speaks; a bundle asking for another is
// skipped.
inline constexpr int kLoaderInterface = 1;

struct BundleInfo {
    std::string identifier;  // CFBundleIdentifier
    std::string executable;  // CFBundleExecutable: the code, under Contents/Linux
    std::string version;     // CFBundleShortVersionString
    std::string entry;       // VantroBundleEntry: the C function the loader calls
    int loaderInterface = 0; // VantroLoaderInterface
};

// The top-level dictionary's string and integer values by key; none when
// the text is not a well-formed property list with a dictionary.
std::optional<std::map<std::string, std::string>> readPropertyList(std::string_view xml);

// The bundle's facts, or none with `error` saying what is missing.
std::optional<BundleInfo> bundleInfoFrom(std::string_view xml, std::string& error);

} // namespace vantro::loader
