#include "installer/login_items.h"

#include <glib.h>
#include <glib/gstdio.h>

#include <cstdio>
#include <functional>

namespace vantro::installer {

namespace {

constexpr const char* kEntryGroup = "Desktop Entry";
constexpr const char* kEntryBaseName = "vantro-loader";

// The program an entry's Exec line starts: its first word, unquoted as the
// desktop entry rules say. Empty when there is none, or it is not an
// absolute path to something that exists.
std::string programOfEntry(const std::string& entryFile) {
    GKeyFile* entry = g_key_file_new();
    std::string program;
    if (g_key_file_load_from_file(entry, entryFile.c_str(), G_KEY_FILE_NONE, nullptr) != FALSE) {
        gchar* exec = g_key_file_get_string(entry, kEntryGroup, "Exec", nullptr);
        gchar** words = nullptr;
        if (exec != nullptr && g_shell_parse_argv(exec, nullptr, &words, nullptr) != FALSE) {
            if (g_path_is_absolute(words[0]) != FALSE &&
                g_file_test(words[0], G_FILE_TEST_EXISTS) != FALSE) {
                program = words[0];
            }
            g_strfreev(words);
        }
        g_free(exec);
    }
    g_key_file_free(entry);
    return program;
}

// Calls `visit` with the path of every desktop entry in the folder that
// refers to something in `path`; an unreadable folder has none.
void forEachMatchingEntry(const std::string& folder, const std::string& path,
                          const std::function<void(const std::string&)>& visit) {
    GDir* entries = g_dir_open(folder.c_str(), 0, nullptr);
    if (entries == nullptr) {
        return;
    }
    std::vector<std::string> matching;
    while (const char* name = g_dir_read_name(entries)) {
        if (!g_str_has_suffix(name, ".desktop")) {
            continue;
        }
        const std::string entry = folder + "/" + name;
        const std::string program = programOfEntry(entry);
        if (!program.empty() && loginItemMatches(program, path)) {
            matching.push_back(entry);
        }
    }
    g_dir_close(entries);
    for (const std::string& entry : matching) {
        visit(entry);
    }
}

// The Exec value that starts `program` whatever characters its path holds:
// double-quoted, with the characters the desktop entry rules reserve inside
// quotes escaped.
std::string quotedForExec(const std::string& program) {
    std::string quoted = "\"";
    for (const char c : program) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') {
            quoted += '\\';
        }
        quoted += c;
    }
    return quoted + "\"";
}

} // namespace

bool loginItemMatches(std::string_view itemPath, std::string_view path) {
    while (path.size() > 1 && path.back() == '/') {
        path.remove_suffix(1);
    }
    if (path.empty() || !itemPath.starts_with(path)) {
        return false;
    }
    return itemPath.size() == path.size() || path == "/" || itemPath[path.size()] == '/';
}

LoginItems LoginItems::ofThisUser() {
    return LoginItems(std::string(g_get_user_config_dir()) + "/autostart");
}

bool LoginItems::contains(const std::string& path) const {
    bool found = false;
    forEachMatchingEntry(folder_, path, [&found](const std::string&) { found = true; });
    return found;
}

void LoginItems::add(const std::string& path) const {
    if (g_mkdir_with_parents(folder_.c_str(), 0700) != 0) {
        std::fprintf(stderr, "vantro-installer: cannot make %s\n", folder_.c_str());
        return;
    }
    std::string file = folder_ + "/" + kEntryBaseName + ".desktop";
    for (int n = 2; g_file_test(file.c_str(), G_FILE_TEST_EXISTS) != FALSE; ++n) {
        file = folder_ + "/" + kEntryBaseName + "-" + std::to_string(n) + ".desktop";
    }
    GKeyFile* entry = g_key_file_new();
    g_key_file_set_string(entry, kEntryGroup, "Type", "Application");
    g_key_file_set_string(entry, kEntryGroup, "Name", "Vantro Loader");
    g_key_file_set_string(entry, kEntryGroup, "Comment",
                          "Loads the Vantro plug-in into the applications already running");
    g_key_file_set_string(entry, kEntryGroup, "Exec",
                          quotedForExec(path + std::string(kLoaderProgramInFolder)).c_str());
    g_key_file_set_boolean(entry, kEntryGroup, "NoDisplay", TRUE);
    g_key_file_set_boolean(entry, kEntryGroup, "Terminal", FALSE);
    GError* error = nullptr;
    if (g_key_file_save_to_file(entry, file.c_str(), &error) == FALSE) {
        std::fprintf(stderr, "vantro-installer: cannot write %s: %s\n", file.c_str(),
                     error->message);
        g_error_free(error);
    }
    g_key_file_free(entry);
}

void LoginItems::remove(const std::string& path) const {
    forEachMatchingEntry(folder_, path, [](const std::string& entry) {
        if (g_unlink(entry.c_str()) != 0) {
            std::fprintf(stderr, "vantro-installer: cannot remove %s\n", entry.c_str());
        }
    });
}

} // namespace vantro::installer
