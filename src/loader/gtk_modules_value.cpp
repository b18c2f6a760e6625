#include "loader/gtk_modules_value.h"

#include <algorithm>

namespace vantro::loader {

namespace {

// GTK trims with g_ascii_isspace.
bool isAsciiSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isAsciiSpace(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isAsciiSpace(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

} // namespace

std::vector<std::string> gtkModuleEntries(std::string_view value, std::string_view home) {
    std::vector<std::string> entries;
    for (size_t start = 0; start <= value.size();) {
        size_t end = value.find(':', start);
        if (end == std::string_view::npos) {
            end = value.size();
        }
        const std::string_view entry = trimmed(value.substr(start, end - start));
        start = end + 1;
        if (entry.empty()) {
            continue;
        }
        if (entry.starts_with("~/")) {
            entries.push_back(std::string(home) + std::string(entry.substr(1)));
        } else {
            entries.emplace_back(entry);
        }
    }
    return entries;
}

bool gtkModulesNames(std::string_view value, std::string_view modulePath, std::string_view home) {
    const auto entries = gtkModuleEntries(value, home);
    return std::find(entries.begin(), entries.end(), modulePath) != entries.end();
}

bool isNameableModulePath(std::string_view modulePath) {
    return modulePath.starts_with('/') && modulePath.find(':') == std::string_view::npos &&
           trimmed(modulePath) == modulePath;
}

std::string gtkModulesWith(std::string_view value, std::string_view modulePath) {
    // Trailing separators and blanks would leave an empty entry before ours;
    // GTK skips it, but the value reads better without.
    while (!value.empty() && (value.back() == ':' || isAsciiSpace(value.back()))) {
        value.remove_suffix(1);
    }
    if (trimmed(value).empty()) {
        return std::string(modulePath);
    }
    return std::string(value) + ":" + std::string(modulePath);
}

std::string gtkModulesWithout(std::string_view value, std::string_view modulePath,
                              std::string_view home) {
    std::string kept;
    for (size_t start = 0; start <= value.size();) {
        size_t end = value.find(':', start);
        if (end == std::string_view::npos) {
            end = value.size();
        }
        const std::string_view written = value.substr(start, end - start);
        start = end + 1;
        const auto entry = gtkModuleEntries(written, home);
        if (entry.empty() || entry.front() == modulePath) {
            continue;
        }
        if (!kept.empty()) {
            kept += ':';
        }
        kept += written;
    }
    return kept;
}

} // namespace vantro::loader
