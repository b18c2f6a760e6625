// vantro-gtk-modules: names the loader module in a GTK 3 settings file, or
// takes it out, keeping everything else in the file.
// Usage: vantro-gtk-modules add|remove SETTINGS-FILE MODULE
// Exit status 0 when the file says what was asked (changed or not), 1 when
// it could not be read as a key file or not be written (it is left as it
// was), 2 for a wrong command line.

#include "installer/gtk_settings_file.h"

#include <glib.h>
#include <glib/gstdio.h>

#include <cstdio>
#include <optional>
#include <string>

namespace {

using vantro::installer::GtkSettingsEdit;

constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

std::optional<std::string> contentsOf(const char* file) {
    gchar* text = nullptr;
    gsize length = 0;
    if (g_file_get_contents(file, &text, &length, nullptr) == FALSE) {
        return std::nullopt;
    }
    std::string contents(text, length);
    g_free(text);
    return contents;
}

} // namespace

int main(int argc, char** argv) {
    const std::string command = argc == 4 ? argv[1] : "";
    if (command != "add" && command != "remove") {
        std::fprintf(stderr, "Usage: vantro-gtk-modules add|remove SETTINGS-FILE MODULE\n");
        return kExitUsage;
    }
    const char* file = argv[2];
    const char* module = argv[3];
    const std::optional<std::string> current = contentsOf(file);
    const GtkSettingsEdit edit =
        command == "add" ? vantro::installer::gtkSettingsNaming(current, module, g_get_home_dir())
                         : vantro::installer::gtkSettingsWithout(current, module, g_get_home_dir());
    GError* error = nullptr;
    switch (edit.outcome) {
    case GtkSettingsEdit::Outcome::unchanged:
        return 0;
    case GtkSettingsEdit::Outcome::unreadable:
        std::fprintf(stderr, "vantro-gtk-modules: %s is left as it is: %s\n", file,
                     edit.error.c_str());
        return kExitFailed;
    case GtkSettingsEdit::Outcome::remove:
        return g_remove(file) == 0 ? 0 : kExitFailed;
    case GtkSettingsEdit::Outcome::write:
        if (g_file_set_contents(file, edit.text.data(), static_cast<gssize>(edit.text.size()),
                                &error) == FALSE) {
            std::fprintf(stderr, "vantro-gtk-modules: %s\n", error->message);
            g_error_free(error);
            return kExitFailed;
        }
        // g_file_set_contents makes a new file readable by its owner only;
        // every user's applications read this one.
        return g_chmod(file, 0644) == 0 ? 0 : kExitFailed;
    }
    return kExitFailed;
}
