#include "xsettingsd_config.h"

#include "loader/gtk_modules_value.h"

#include <optional>

namespace vantro::loader_app {

using loader::gtkModulesNames;
using loader::gtkModulesWith;

namespace {

// xsettingsd skips isspace() characters between tokens; a line feed ends the
// setting.
bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v';
}

size_t skipBlanks(std::string_view line, size_t at) {
    while (at < line.size() && isBlank(line[at])) {
        ++at;
    }
    return at;
}

// xsettingsd reads "\n" and "\t" as control characters and any other escaped
// character as itself.
std::string quoted(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        switch (c) {
        case '"':
        case '\\':
            out += '\\';
            out += c;
            break;
        case '\n':
            out += "\\n";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            out += c;
        }
    }
    return out + '"';
}

struct StringValue {
    std::string text;
    size_t end = 0; // just past the closing quote
};

std::optional<StringValue> readString(std::string_view line, size_t at) {
    if (at >= line.size() || line[at] != '"') {
        return std::nullopt;
    }
    StringValue value;
    for (size_t i = at + 1; i < line.size(); ++i) {
        char c = line[i];
        if (c == '"') {
            value.end = i + 1;
            return value;
        }
        if (c == '\\' && i + 1 < line.size()) {
            c = line[++i];
            c = c == 'n' ? '\n' : c == 't' ? '\t' : c;
        }
        value.text += c;
    }
    return std::nullopt;
}

// Where the Gtk/Modules name ends on `line`, when the line sets it.
std::optional<size_t> gtkModulesNameEnd(std::string_view line) {
    const size_t start = skipBlanks(line, 0);
    if (line.substr(start).substr(0, kGtkModulesSetting.size()) != kGtkModulesSetting) {
        return std::nullopt;
    }
    const size_t end = start + kGtkModulesSetting.size();
    // A longer name ("Gtk/ModulesExtra") is another setting.
    if (end < line.size() && !isBlank(line[end]) && line[end] != '#') {
        return std::nullopt;
    }
    return end;
}

XsettingsdConfigEdit unreadable(std::string why) {
    return {XsettingsdConfigEdit::Outcome::unreadable, {}, std::move(why)};
}

} // namespace

XsettingsdConfigEdit configNamingModule(std::string_view config, std::string_view modulePath,
                                        std::string_view home) {
    for (size_t lineStart = 0; lineStart < config.size();) {
        size_t lineEnd = config.find('\n', lineStart);
        if (lineEnd == std::string_view::npos) {
            lineEnd = config.size();
        }
        const std::string_view line = config.substr(lineStart, lineEnd - lineStart);
        const auto nameEnd = gtkModulesNameEnd(line);
        if (!nameEnd) {
            lineStart = lineEnd + 1;
            continue;
        }
        const auto value = readString(line, skipBlanks(line, *nameEnd));
        if (!value) {
            return unreadable(std::string(kGtkModulesSetting) + " is not a string setting");
        }
        if (gtkModulesNames(value->text, modulePath, home)) {
            return {XsettingsdConfigEdit::Outcome::alreadyNames, {}, {}};
        }
        // The indentation before the name and a comment after the value stay.
        const size_t nameStart = skipBlanks(line, 0);
        std::string edited(config.substr(0, lineStart + nameStart));
        edited +=
            std::string(kGtkModulesSetting) + " " + quoted(gtkModulesWith(value->text, modulePath));
        edited += config.substr(lineStart + value->end);
        return {XsettingsdConfigEdit::Outcome::edited, std::move(edited), {}};
    }
    std::string edited(config);
    if (!edited.empty() && edited.back() != '\n') {
        edited += '\n';
    }
    edited += std::string(kGtkModulesSetting) + " " + quoted(modulePath) + "\n";
    return {XsettingsdConfigEdit::Outcome::edited, std::move(edited), {}};
}

std::string xsettingsdConfigPath(const std::vector<std::string>& arguments,
                                 std::string_view workingDirectory, std::string_view home) {
    constexpr std::string_view kLongOption = "config";
    std::optional<std::string> chosen;
    for (size_t i = 1; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        if (argument == "--") {
            break;
        }
        if (argument.starts_with("--")) {
            // getopt_long takes any unambiguous prefix of the long name.
            const std::string_view rest = argument.substr(2);
            const size_t equals = rest.find('=');
            const std::string_view name = rest.substr(0, equals);
            if (name.empty() || !kLongOption.starts_with(name)) {
                continue;
            }
            if (equals != std::string_view::npos) {
                chosen = std::string(rest.substr(equals + 1));
            } else if (i + 1 < arguments.size()) {
                chosen = arguments[++i];
            }
        } else if (argument.starts_with("-c")) {
            if (argument.size() > 2) {
                chosen = std::string(argument.substr(2));
            } else if (i + 1 < arguments.size()) {
                chosen = arguments[++i];
            }
        }
    }
    if (!chosen || chosen->empty()) {
        return std::string(home) + "/.xsettingsd";
    }
    if (chosen->front() == '/') {
        return *chosen;
    }
    return std::string(workingDirectory) + "/" + *chosen;
}

} // namespace vantro::loader_app
