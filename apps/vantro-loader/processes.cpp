#include "processes.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <iterator>
#include <sstream>

namespace vantro::loader_app::processes {

namespace {

std::string procPath(pid_t pid, std::string_view entry) {
    return "/proc/" + std::to_string(pid) + "/" + std::string(entry);
}

std::string readWhole(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::string readLink(const std::string& path) {
    std::string target(256, '\0');
    while (true) {
        const ssize_t length = readlink(path.c_str(), target.data(), target.size());
        if (length < 0) {
            return {};
        }
        if (static_cast<size_t>(length) < target.size()) {
            target.resize(static_cast<size_t>(length));
            return target;
        }
        target.resize(target.size() * 2);
    }
}

std::vector<std::string> splitAtNul(const std::string& text) {
    std::vector<std::string> parts;
    std::istringstream stream(text);
    for (std::string part; std::getline(stream, part, '\0');) {
        parts.push_back(part);
    }
    return parts;
}

} // namespace

std::vector<pid_t> allProcessIds() {
    std::vector<pid_t> pids;
    DIR* proc = opendir("/proc");
    if (proc == nullptr) {
        return pids;
    }
    // Only this thread reads the directory stream.
    while (const dirent* entry = readdir(proc)) { // NOLINT(concurrency-mt-unsafe)
        char* end = nullptr;
        const long pid = std::strtol(entry->d_name, &end, 10);
        if (pid > 0 && end != nullptr && *end == '\0') {
            pids.push_back(static_cast<pid_t>(pid));
        }
    }
    closedir(proc);
    return pids;
}

bool ownedByCurrentUser(pid_t pid) {
    struct stat status {};
    return stat(procPath(pid, "").c_str(), &status) == 0 && status.st_uid == getuid();
}

std::string commandName(pid_t pid) {
    std::string name = readWhole(procPath(pid, "comm"));
    if (!name.empty() && name.back() == '\n') {
        name.pop_back();
    }
    return name;
}

std::string executablePath(pid_t pid) {
    constexpr std::string_view kDeleted = " (deleted)";
    std::string path = readLink(procPath(pid, "exe"));
    if (path.ends_with(kDeleted)) {
        path.resize(path.size() - kDeleted.size());
    }
    return path;
}

std::vector<std::string> commandLine(pid_t pid) {
    return splitAtNul(readWhole(procPath(pid, "cmdline")));
}

std::string workingDirectory(pid_t pid) {
    return readLink(procPath(pid, "cwd"));
}

std::optional<std::string> environmentVariable(pid_t pid, std::string_view name) {
    const std::string prefix = std::string(name) + "=";
    for (const std::string& entry : splitAtNul(readWhole(procPath(pid, "environ")))) {
        if (entry.starts_with(prefix)) {
            return entry.substr(prefix.size());
        }
    }
    return std::nullopt;
}

bool mapsLibrary(pid_t pid, std::string_view libraryName) {
    std::ifstream maps(procPath(pid, "maps"));
    for (std::string line; std::getline(maps, line);) {
        if (line.find(libraryName) != std::string::npos) {
            return true;
        }
    }
    return false;
}

} // namespace vantro::loader_app::processes
