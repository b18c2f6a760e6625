// vantro-install-helper: the installer's hands with administrator rights.
// The installer starts it through pkexec once per run, at the first file
// operation that needs rights, and keeps it until it quits. It greets once
// it runs, then answers requests on its standard input (see
// installer/helper_protocol.h) until that closes. It runs only what the
// privileged scope allows and refuses the rest with the reason, which it
// also sends to the system log.

#include "installer/helper_protocol.h"
#include "installer/install_locations.h"
#include "installer/privileged_scope.h"
#include "installer/tasks.h"

#include <syslog.h>
#include <unistd.h>

#include <cerrno>
#include <string>

namespace {

using namespace vantro::installer;

bool writeAll(std::string_view data) {
    while (!data.empty()) {
        const ssize_t written = write(STDOUT_FILENO, data.data(), data.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        data.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

std::string described(const ToolRun& run) {
    std::string text = run.tool;
    for (const std::string& argument : run.arguments) {
        text += " '" + argument + "'";
    }
    return text;
}

std::string answerTo(const ToolRun& run, const PrivilegedScope& scope) {
    const std::string refusal = scope.refusalOf(run);
    if (!refusal.empty()) {
        syslog(LOG_WARNING, "refused %s: %s", described(run).c_str(), refusal.c_str());
        return encodedRefusal(refusal);
    }
    syslog(LOG_INFO, "running %s", described(run).c_str());
    const PrivilegedRunResult result = runCollectingOutput(run);
    if (!result.started) {
        return encodedFailure("cannot start " + run.tool);
    }
    return encodedExit(result.exitStatus, result.output);
}

} // namespace

int main() {
    openlog("vantro-install-helper", LOG_PID, LOG_AUTHPRIV);
    // Only the system-wide locations: a user's own library needs no rights.
    LibraryFolders folders;
    const PrivilegedScope scope = PrivilegedScope::ofSystem(InstallLocations::in(folders));
    if (!writeAll(kHelperGreeting)) {
        return 1;
    }
    std::string buffer;
    char chunk[4096];
    while (true) {
        const ssize_t got = read(STDIN_FILENO, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            return 0;
        }
        buffer.append(chunk, static_cast<size_t>(got));
        while (const auto run = takeRequest(buffer)) {
            if (!writeAll(answerTo(*run, scope))) {
                return 1;
            }
        }
    }
}
