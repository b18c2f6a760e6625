#include "settings_writer.h"

#include <array>
#include <cstdio>
#include <fcntl.h>
#include <memory>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace vantro::soak {

namespace {

const std::string kFolder = "/com/quillworks/vantro/";

// GVariant texts of shapes no key has: each must read as something sound.
constexpr std::array<const char*, 14> kWrongShapes = {
    "'text'",          "@av []",
    "[<true>]",        "[<1>, <2>, <3>]",
    "{'a': <1>}",      "(1, 'x')",
    "@ai [1, 2, 3]",   "2147483647",
    "1.5e300",         "<<<true>>>",
    "@mi 5",           "byte 0xff",
    "[<true>, <'1'>]", "[<-2147483648>, <2147483647>]"};

// Runs a program with its output dropped; its exit status, -1 if it did not run.
int run(const std::vector<std::string>& command) {
    std::vector<char*> argv;
    for (const std::string& part : command) {
        argv.push_back(const_cast<char*>(part.c_str()));
    }
    argv.push_back(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    return child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status)
               ? WEXITSTATUS(status)
               : -1;
}

// A value of the shape the key's text shows. The master switch and the
// blacklist mostly leave the plug-in on, so that most steps meet it.
std::string validValue(const std::string& text, std::uint32_t draw) {
    if (text == "true" || text == "false") {
        return draw % 5 != 0 ? "true" : "false";
    }
    if (text.starts_with("[\"") || text == "[]") {
        constexpr std::array<const char*, 4> kLists = {
            R"(["com.quillworks.VantroTestApp"])", "[]", R"(["com.example.Other"])",
            R"(["org.example.Editor", "com.example.Other"])"};
        return kLists[(draw >> 1) % kLists.size()];
    }
    const std::string number = std::to_string(static_cast<int>((draw >> 1) % 8) - 1);
    if (!text.starts_with("[") && text != "-") {
        return std::to_string(static_cast<int>((draw >> 1) % 3) - 1); // a mode
    }
    // [enabled, number]: modifier codes, display modes and layouts are small.
    return std::string("[") + ((draw & 1U) != 0 ? "true" : "false") + ", " + number + "]";
}

} // namespace

SettingsWriter::SettingsWriter(std::string prefs) : prefs_(std::move(prefs)) {
    const std::unique_ptr<FILE, int (*)(FILE*)> list(popen((prefs_ + " list").c_str(), "r"),
                                                     pclose);
    std::array<char, 512> line{};
    while (list && std::fgets(line.data(), line.size(), list.get()) != nullptr) {
        std::istringstream fields(line.data());
        std::string name;
        std::string origin;
        std::string value;
        fields >> name >> origin >> std::ws;
        std::getline(fields, value);
        if (!name.empty()) {
            keys_.emplace_back(name, value);
        }
    }
}

std::string SettingsWriter::change(std::uint32_t draw) {
    const auto& [key, text] = keys_[draw % keys_.size()];
    draw /= static_cast<std::uint32_t>(keys_.size());
    std::vector<std::string> command = {prefs_, "set", key, validValue(text, draw / 10)};
    if (draw % 10 == 0) {
        command = {"dconf", "reset", "-f", kFolder};
    } else if (draw % 10 < 3) {
        command = {prefs_, "reset", key};
    } else if (draw % 10 < 6) {
        command = {"dconf", "write", kFolder + key,
                   kWrongShapes[(draw / 10) % kWrongShapes.size()]};
    }
    const int status = run(command);
    std::string said = command[0] == prefs_ ? "vantro-prefs" : command[0];
    for (std::size_t i = 1; i < command.size(); ++i) {
        said += " '" + command[i] + "'";
    }
    return said + (status == 0 ? "" : " (exit " + std::to_string(status) + ")");
}

} // namespace vantro::soak
