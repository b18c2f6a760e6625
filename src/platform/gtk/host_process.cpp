#include "platform/gtk/host_process.h"

#include <gio/gio.h>
#include <glib.h>

#include <fstream>
#include <sstream>

namespace vantro::gtk {

std::optional<std::string> hostIdentifier() {
    if (GApplication* application = g_application_get_default()) {
        if (const char* id = g_application_get_application_id(application)) {
            return std::string(id);
        }
    }
    if (const char* name = g_get_prgname()) {
        return std::string(name);
    }
    return std::nullopt;
}

bool mapsHoldTheJvm(std::string_view maps) {
    // A path ends each line; the library is "libjvm.so" in any folder.
    std::size_t at = 0;
    while ((at = maps.find("libjvm.so", at)) != std::string_view::npos) {
        const bool startsName = at == 0 || maps[at - 1] == '/' || maps[at - 1] == ' ';
        const std::size_t end = at + std::string_view("libjvm.so").size();
        const bool endsName = end == maps.size() || maps[end] == '\n' || maps[end] == '.';
        if (startsName && endsName) {
            return true;
        }
        at = end;
    }
    return false;
}

bool isJavaProcess() {
    if (g_get_prgname() == nullptr) {
        return true;
    }
    std::ifstream maps("/proc/self/maps");
    std::stringstream text;
    text << maps.rdbuf();
    return mapsHoldTheJvm(text.str());
}

std::string userDataDirectory() {
    return g_get_user_data_dir();
}

} // namespace vantro::gtk
