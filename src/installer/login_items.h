#pragma once

// The user's login items: XDG autostart entries, the desktop entries in
// $XDG_CONFIG_HOME/autostart that the session starts at every login. An
// entry refers to the program its Exec line starts, when that program is
// named by an absolute path and is there; an entry that names a program
// through PATH, or one that is gone, refers to nothing and is left alone.

#include <string>
#include <string_view>

namespace vantro::installer {

// The loader program inside the loader's folder ("Vantro Loader.app").
inline constexpr std::string_view kLoaderProgramInFolder = "/vantro-loader";

// Whether `itemPath` lies at or below `path`, folder by folder: the loader's
// folder "/a/Vantro Loader.app" does not match "/a/Vantro Loader.app.old".
bool loginItemMatches(std::string_view itemPath, std::string_view path);

class LoginItems {
  public:
    explicit LoginItems(std::string autostartFolder) : folder_(std::move(autostartFolder)) {}
    static LoginItems ofThisUser();

    // `path` is the loader's folder; an entry matches when the program it
    // starts lies in that folder.
    [[nodiscard]] bool contains(const std::string& path) const;
    // A new entry starting the loader program, whether or not one exists:
    // the caller asks `contains` first.
    void add(const std::string& path) const;
    // Every matching entry, not only the first.
    void remove(const std::string& path) const;

  private:
    std::string folder_;
};

} // namespace vantro::installer
