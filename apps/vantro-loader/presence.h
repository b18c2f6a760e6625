#pragma once

// Whether the loader module is installed. It counts as installed when the
// folder "SIMBL.osax" exists in one of the "ScriptingAdditions" folders,
// the system's first, then the user's; the module itself is a file inside
// that folder, at kModuleInScriptingAddition.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantro::loader_app {

inline constexpr std::string_view kScriptingAdditionName = "SIMBL.osax";
inline constexpr std::string_view kModuleInScriptingAddition =
    "Contents/Linux/libvantro-loader-module.so";
inline constexpr std::string_view kSystemScriptingAdditions = "/usr/local/share/ScriptingAdditions";
// Folders separated by ':' that replace the two below, for tests and for
// trying a module that is not installed.
inline constexpr std::string_view kScriptingAdditionsVariable = "VANTRO_SCRIPTING_ADDITIONS";

// The folders to look in, in order: `override` (the variable's value) when
// it names any folder, else the system's and then `userDataDir`'s
// (XDG_DATA_HOME) "ScriptingAdditions".
std::vector<std::string> scriptingAdditionsFolders(const char* override,
                                                   std::string_view userDataDir);

struct InstalledModule {
    std::string scriptingAddition; // the SIMBL.osax folder
    std::string module;            // the module file inside it

    bool operator==(const InstalledModule&) const = default;
};

// The first of `folders` that holds SIMBL.osax as a folder. Whether the module
// file inside exists is not part of the test.
std::optional<InstalledModule>
findInstalledModule(const std::vector<std::string>& folders,
                    const std::function<bool(const std::string& path)>& isFolder);

} // namespace vantro::loader_app
