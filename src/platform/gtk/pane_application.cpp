#include "platform/gtk/pane_application.h"

#include <algorithm>
#include <vector>

namespace vantro::gtk {

namespace {

// In an Exec line "%" starts a field code and "%%" is a literal percent
// sign; a folder name may hold either.
std::string withPercentEscaped(std::string_view text) {
    std::string escaped;
    for (const char c : text) {
        escaped += c;
        if (c == '%') {
            escaped += '%';
        }
    }
    return escaped;
}

std::string withPercentUnescaped(std::string_view text) {
    std::string plain;
    for (std::size_t i = 0; i < text.size(); ++i) {
        plain += text[i];
        if (text[i] == '%' && i + 1 < text.size() && text[i + 1] == '%') {
            ++i;
        }
    }
    return plain;
}

std::string shellQuoted(const char* word) {
    gchar* quoted = g_shell_quote(word);
    std::string result(quoted);
    g_free(quoted);
    return result;
}

// The pane's desktop entries, by name.
std::vector<std::string> desktopEntries(const std::string& pane) {
    std::vector<std::string> entries;
    GDir* folder = g_dir_open(pane.c_str(), 0, nullptr);
    if (folder == nullptr) {
        return entries;
    }
    while (const char* name = g_dir_read_name(folder)) {
        if (g_str_has_suffix(name, ".desktop")) {
            entries.push_back(pane + "/" + name);
        }
    }
    g_dir_close(folder);
    std::sort(entries.begin(), entries.end());
    return entries;
}

GDesktopAppInfo* applicationOfEntry(const std::string& entry, const std::string& pane) {
    GKeyFile* keys = g_key_file_new();
    GDesktopAppInfo* application = nullptr;
    if (g_key_file_load_from_file(keys, entry.c_str(), G_KEY_FILE_KEEP_TRANSLATIONS, nullptr)) {
        gchar* exec = g_key_file_get_string(keys, G_KEY_FILE_DESKTOP_GROUP,
                                            G_KEY_FILE_DESKTOP_KEY_EXEC, nullptr);
        const std::optional<std::string> resolved =
            exec != nullptr ? execInFolder(pane, exec) : std::nullopt;
        g_free(exec);
        if (resolved) {
            g_key_file_set_string(keys, G_KEY_FILE_DESKTOP_GROUP, G_KEY_FILE_DESKTOP_KEY_EXEC,
                                  resolved->c_str());
            // Refuses an entry whose program is not there. GLib tests the
            // path before it turns "%%" back into "%", so a pane below a
            // folder whose name holds "%" is refused too.
            application = g_desktop_app_info_new_from_keyfile(keys);
        }
    }
    g_key_file_free(keys);
    return application;
}

} // namespace

std::optional<std::string> execInFolder(std::string_view folder, std::string_view exec) {
    const std::string line(exec);
    gchar** argv = nullptr;
    if (!g_shell_parse_argv(line.c_str(), nullptr, &argv, nullptr)) {
        return std::nullopt;
    }
    const std::string program = argv[0];
    if (g_path_is_absolute(program.c_str()) || program.find('/') == std::string::npos) {
        g_strfreev(argv);
        return line;
    }
    const std::string base(folder);
    gchar* path = g_canonicalize_filename(withPercentUnescaped(program).c_str(), base.c_str());
    std::string resolved = shellQuoted(withPercentEscaped(path).c_str());
    g_free(path);
    for (gchar** argument = argv + 1; *argument != nullptr; ++argument) {
        resolved += ' ';
        resolved += shellQuoted(*argument);
    }
    g_strfreev(argv);
    return resolved;
}

GDesktopAppInfo* paneApplication(const std::string& pane) {
    for (const std::string& entry : desktopEntries(pane)) {
        if (GDesktopAppInfo* application = applicationOfEntry(entry, pane)) {
            return application;
        }
    }
    return nullptr;
}

bool launchPaneApplication(GdkDisplay* display, const std::string& pane) {
    GDesktopAppInfo* application = paneApplication(pane);
    if (application == nullptr) {
        return false;
    }
    // GDK's context carries the startup notification; without a display the
    // program still starts, only without it.
    GAppLaunchContext* context =
        display != nullptr ? G_APP_LAUNCH_CONTEXT(gdk_display_get_app_launch_context(display))
                           : nullptr;
    const gboolean started = g_app_info_launch(G_APP_INFO(application), nullptr, context, nullptr);
    if (context != nullptr) {
        g_object_unref(context);
    }
    g_object_unref(application);
    return started != FALSE;
}

} // namespace vantro::gtk
