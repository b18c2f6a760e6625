#include "request_targets.h"

#include "loader/load_request.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace vantro::loader_app {

std::optional<pid_t> pidInLoadRequestName(std::string_view busName) {
    if (!busName.starts_with(loader::kLoadRequestBusNamePrefix)) {
        return std::nullopt;
    }
    const std::string_view digits = busName.substr(loader::kLoadRequestBusNamePrefix.size());
    // The module writes the id in decimal without a sign or leading zeros.
    if (digits.empty() || digits.front() == '0' ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    long long pid = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), pid);
    if (error != std::errc() || end != digits.data() + digits.size() ||
        pid > std::numeric_limits<pid_t>::max()) {
        return std::nullopt;
    }
    return static_cast<pid_t>(pid);
}

bool isInstallerProcess(std::string_view executablePath, std::string_view commandName) {
    constexpr size_t kCommandNameLength = 15;
    const std::string_view installerCommand = kInstallerExecutable.substr(0, kCommandNameLength);
    const size_t slash = executablePath.rfind('/');
    const std::string_view executable =
        slash == std::string_view::npos ? executablePath : executablePath.substr(slash + 1);
    if (executable == kInstallerExecutable) {
        return true;
    }
    // The command name is the executable's own, cut, for a program: it tells
    // no more ("vantro-installer-helper" is cut to the installer's). It
    // decides for a script, whose executable is its interpreter, and when
    // the executable cannot be read.
    if (!executable.empty() && commandName == executable.substr(0, kCommandNameLength)) {
        return false;
    }
    return commandName == installerCommand;
}

LoadRequestChoice chooseLoadRequestTargets(const std::vector<std::string>& busNames,
                                           const std::function<bool(pid_t)>& isInstaller) {
    std::vector<LoadRequestTarget> named;
    for (const std::string& name : busNames) {
        if (const auto pid = pidInLoadRequestName(name)) {
            named.push_back({name, *pid});
        }
    }
    std::sort(named.begin(), named.end(),
              [](const auto& a, const auto& b) { return a.pid < b.pid; });
    named.erase(std::unique(named.begin(), named.end()), named.end());

    LoadRequestChoice choice;
    for (LoadRequestTarget& target : named) {
        auto& list = isInstaller(target.pid) ? choice.installers : choice.toAsk;
        list.push_back(std::move(target));
    }
    return choice;
}

bool everyExpectedNamed(const std::set<pid_t>& expected, const LoadRequestChoice& chosen) {
    std::set<pid_t> named;
    for (const auto* list : {&chosen.toAsk, &chosen.installers}) {
        for (const LoadRequestTarget& target : *list) {
            named.insert(target.pid);
        }
    }
    return std::includes(named.begin(), named.end(), expected.begin(), expected.end());
}

} // namespace vantro::loader_app
