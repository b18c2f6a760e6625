#pragma once

// Loading the plug-in bundles into the application: every "*.bundle" in the
// plug-in folders (the user's first, then the system's) whose Info.plist
// speaks this loader's interface has its code loaded and its entry called,
// once per bundle identifier. A bundle that is missing, malformed, of another
// interface, or whose code or entry cannot be loaded is skipped with one log
// line; the application goes on as without it.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vantro::loader {

inline constexpr std::string_view kPluginFolderPath = "SIMBL/Plugins";
inline constexpr std::string_view kSystemDataFolder = "/usr/local/share";

// The user's plug-in folder under `userDataDirectory`, then the system's.
std::vector<std::string> pluginFolders(const std::string& userDataDirectory);

struct LoadedBundle {
    std::string identifier;
    std::string path;
};

class BundleLoader {
  public:
    using Log = std::function<void(std::string_view line)>;
    explicit BundleLoader(Log log) : log_(std::move(log)) {}

    // Loads what the folders hold and was not loaded before (a second
    // request loads nothing twice). Answers the bundles loaded by this call.
    std::vector<LoadedBundle> loadFrom(const std::vector<std::string>& folders);

    [[nodiscard]] const std::vector<LoadedBundle>& loaded() const { return loaded_; }

  private:
    bool loadBundle(const std::string& path);

    Log log_;
    std::vector<LoadedBundle> loaded_;
};

} // namespace vantro::loader
