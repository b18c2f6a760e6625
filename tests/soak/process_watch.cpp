#include "process_watch.h"

#include <cerrno>
#include <charconv>
#include <csignal>
#include <fstream>
#include <sstream>
#include <string>

namespace vantro::soak {

namespace {

std::optional<std::string> readProcFile(pid_t pid, const char* name) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/" + name);
    if (!in) {
        return std::nullopt;
    }
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

std::optional<std::int64_t> parseResidentKib(std::string_view status) {
    constexpr std::string_view kLabel = "VmRSS:";
    std::size_t at = status.find(kLabel);
    // The label starts a line.
    while (at != std::string_view::npos && at != 0 && status[at - 1] != '\n') {
        at = status.find(kLabel, at + 1);
    }
    if (at == std::string_view::npos) {
        return std::nullopt;
    }
    std::string_view rest = status.substr(at + kLabel.size());
    const std::size_t digits = rest.find_first_not_of(" \t");
    if (digits == std::string_view::npos) {
        return std::nullopt;
    }
    rest.remove_prefix(digits);
    std::int64_t kib = 0;
    const auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), kib);
    if (error != std::errc() || end == rest.data() || kib < 0) {
        return std::nullopt;
    }
    const std::string_view unit = std::string_view(end, rest.data() + rest.size() - end);
    if (!unit.starts_with(" kB")) {
        return std::nullopt;
    }
    return kib;
}

std::optional<std::int64_t> residentKib(pid_t pid) {
    const std::optional<std::string> status = readProcFile(pid, "status");
    return status ? parseResidentKib(*status) : std::nullopt;
}

bool processIsRunning(pid_t pid) {
    if (kill(pid, 0) != 0 && errno == ESRCH) {
        return false;
    }
    const std::optional<std::string> stat = readProcFile(pid, "stat");
    if (!stat) {
        return false;
    }
    // "PID (comm) S ...": the state follows the last ')', since the
    // command name may itself hold parentheses.
    const std::size_t close = stat->rfind(')');
    if (close == std::string::npos || close + 2 >= stat->size()) {
        return false;
    }
    const char state = (*stat)[close + 2];
    return state != 'Z' && state != 'X';
}

} // namespace vantro::soak
