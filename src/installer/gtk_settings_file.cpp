#include "installer/gtk_settings_file.h"

#include "loader/gtk_modules_value.h"

#include <glib.h>

#include <algorithm>
#include <iterator>
#include <vector>

namespace vantro::installer {

namespace {

using Outcome = GtkSettingsEdit::Outcome;

// Whether GTK reads `text` as a key file; `error` says why not.
bool isKeyFile(const std::string& text, std::string& error) {
    GKeyFile* file = g_key_file_new();
    GError* failure = nullptr;
    const bool readable = g_key_file_load_from_data(file, text.data(), text.size(), G_KEY_FILE_NONE,
                                                    &failure) != FALSE;
    if (!readable) {
        error = failure->message;
        g_error_free(failure);
    }
    g_key_file_free(file);
    return readable;
}

std::string_view trimmed(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

bool isBlank(std::string_view text) {
    return trimmed(text).empty();
}

// The file as lines, each knowing the group it is in, so that an edit
// changes the one line it is about and keeps every other byte.
struct SettingsLines {
    struct Line {
        std::string text;
        std::string group; // the group the line is in; a header is in its own
        bool header = false;
    };
    std::vector<Line> lines;

    explicit SettingsLines(const std::string& text) {
        std::string group;
        size_t start = 0;
        while (start < text.size()) {
            size_t end = text.find('\n', start);
            end = end == std::string::npos ? text.size() : end;
            Line line{text.substr(start, end - start), group};
            const std::string_view content = trimmed(line.text);
            if (content.starts_with('[') && content.ends_with(']')) {
                group = std::string(content.substr(1, content.size() - 2));
                line.group = group;
                line.header = true;
            }
            lines.push_back(std::move(line));
            start = end + 1;
        }
    }

    [[nodiscard]] std::string text() const {
        std::string joined;
        for (const Line& line : lines) {
            joined += line.text + "\n";
        }
        return joined;
    }

    // The raw value of a "gtk-modules=" line of the settings group; none
    // for any other line.
    [[nodiscard]] std::optional<std::string> modulesValueOf(const Line& line) const {
        if (line.header || line.group != kGtkSettingsGroup) {
            return std::nullopt;
        }
        const size_t equals = line.text.find('=');
        if (equals == std::string::npos || trimmed(line.text.substr(0, equals)) != kGtkModulesKey) {
            return std::nullopt;
        }
        return std::string(trimmed(line.text.substr(equals + 1)));
    }

    // The last "gtk-modules" line of the settings group: the one GTK uses.
    [[nodiscard]] std::optional<size_t> lastModulesLine() const {
        std::optional<size_t> found;
        for (size_t i = 0; i < lines.size(); ++i) {
            if (modulesValueOf(lines[i])) {
                found = i;
            }
        }
        return found;
    }
};

std::string modulesLine(std::string_view value) {
    return std::string(kGtkModulesKey) + "=" + std::string(value);
}

// The module path as a key file value: a backslash is the escape character.
std::string escapedForKeyFile(std::string_view path) {
    std::string escaped;
    for (const char c : path) {
        escaped += c == '\\' ? std::string("\\\\") : std::string(1, c);
    }
    return escaped;
}

} // namespace

GtkSettingsEdit gtkSettingsNaming(const std::optional<std::string>& current,
                                  std::string_view modulePath, std::string_view home) {
    const std::string text = current.value_or("");
    std::string error;
    if (!isKeyFile(text, error)) {
        return {Outcome::unreadable, {}, error};
    }
    SettingsLines file(text);
    const std::string module = escapedForKeyFile(modulePath);
    if (const auto line = file.lastModulesLine()) {
        const std::string value = *file.modulesValueOf(file.lines[*line]);
        if (loader::gtkModulesNames(value, modulePath, home)) {
            return {};
        }
        file.lines[*line].text = modulesLine(loader::gtkModulesWith(value, module));
        return {Outcome::write, file.text(), {}};
    }
    const auto header = std::find_if(file.lines.rbegin(), file.lines.rend(), [](const auto& line) {
        return line.header && line.group == kGtkSettingsGroup;
    });
    if (header != file.lines.rend()) {
        // After the group's last line that is not blank.
        auto end = header.base();
        while (end != file.lines.end() && !end->header) {
            ++end;
        }
        while (end != header.base() && isBlank(std::prev(end)->text)) {
            --end;
        }
        file.lines.insert(end, {modulesLine(module), std::string(kGtkSettingsGroup)});
        return {Outcome::write, file.text(), {}};
    }
    std::string added = isBlank(text) ? "" : file.text() + "\n";
    added += "[" + std::string(kGtkSettingsGroup) + "]\n" + modulesLine(module) + "\n";
    return {Outcome::write, added, {}};
}

GtkSettingsEdit gtkSettingsWithout(const std::optional<std::string>& current,
                                   std::string_view modulePath, std::string_view home) {
    if (!current) {
        return {};
    }
    std::string error;
    if (!isKeyFile(*current, error)) {
        return {Outcome::unreadable, {}, error};
    }
    SettingsLines file(*current);
    bool changed = false;
    for (size_t i = 0; i < file.lines.size();) {
        const auto value = file.modulesValueOf(file.lines[i]);
        if (!value || !loader::gtkModulesNames(*value, modulePath, home)) {
            ++i;
            continue;
        }
        changed = true;
        const std::string kept = loader::gtkModulesWithout(*value, modulePath, home);
        if (kept.empty()) {
            file.lines.erase(file.lines.begin() + static_cast<std::ptrdiff_t>(i));
        } else {
            file.lines[i++].text = modulesLine(kept);
        }
    }
    if (!changed) {
        return {};
    }
    // A settings group left with only blank lines goes too: it was ours.
    for (size_t i = 0; i < file.lines.size(); ++i) {
        if (!file.lines[i].header || file.lines[i].group != kGtkSettingsGroup) {
            continue;
        }
        size_t end = i + 1;
        while (end < file.lines.size() && !file.lines[end].header &&
               isBlank(file.lines[end].text)) {
            ++end;
        }
        if (end == file.lines.size() || file.lines[end].header) {
            file.lines.erase(file.lines.begin() + static_cast<std::ptrdiff_t>(i),
                             file.lines.begin() + static_cast<std::ptrdiff_t>(end));
            --i;
        }
    }
    std::string text = file.text();
    if (isBlank(text)) {
        return {Outcome::remove, {}, {}};
    }
    return {Outcome::write, std::move(text), {}};
}

std::string userGtkSettingsFile() {
    return std::string(g_get_user_config_dir()) + "/gtk-3.0/settings.ini";
}

} // namespace vantro::installer
