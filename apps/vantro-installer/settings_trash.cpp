#include "settings_trash.h"

#include "installer/tasks.h"

#include <glib.h>
#include <glib/gstdio.h>

#include <cstdio>
#include <string>
#include <vector>

namespace vantro::installer_app {

namespace {

constexpr const char* kSettingsPath = "/com/quillworks/vantro/";
constexpr const char* kDumpName = "com.quillworks.vantro.dconf";

// Runs a tool found in PATH; whether it exited with status 0.
bool succeeded(const std::string& tool, const std::vector<std::string>& arguments,
               std::string* output = nullptr) {
    const bool ran = installer::launchSucceeded(tool, arguments, output);
    if (!ran) {
        std::fprintf(stderr, "vantro-installer: %s did not succeed\n", tool.c_str());
    }
    return ran;
}

} // namespace

bool moveSettingsToTrash() {
    std::string dump;
    if (!succeeded("dconf", {"dump", kSettingsPath}, &dump)) {
        return false;
    }
    if (dump.find_first_not_of(" \n") == std::string::npos) {
        return true;
    }
    // Made in the user's data folder, on the home file system, so that the
    // trash it goes to is the user's own and not one on a temporary file
    // system that is emptied at the next start.
    g_mkdir_with_parents(g_get_user_data_dir(), 0700);
    gchar* folder = g_build_filename(g_get_user_data_dir(), "vantro-settings-XXXXXX", nullptr);
    if (g_mkdtemp(folder) == nullptr) {
        g_free(folder);
        return false;
    }
    const std::string file = std::string(folder) + "/" + kDumpName;
    const bool trashed = g_file_set_contents(file.c_str(), dump.c_str(),
                                             static_cast<gssize>(dump.size()), nullptr) != FALSE &&
                         succeeded("gio", {"trash", file});
    if (!trashed) {
        std::fprintf(stderr, "vantro-installer: could not move the settings to the trash; "
                             "they are kept\n");
        g_unlink(file.c_str());
    }
    g_rmdir(folder);
    g_free(folder);
    return trashed && succeeded("dconf", {"reset", "-f", kSettingsPath});
}

} // namespace vantro::installer_app
