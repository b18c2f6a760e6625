// vantro-install-helper: the installer's hands with administrator rights.
// The installer starts it through /usr/bin/pkexec once per run, at the
// first operation that needs rights, and keeps it until it quits. It greets
// once it runs, then answers requests on its standard input (see
// installer/helper_protocol.h) until that closes. A request names an
// operation on one of Vantro's parts; every path comes from the location
// table, and every part copied is this installer's own, found beside this
// program (see installer/privileged_operations.h). Anything that is not a
// request gets a refusal and ends the helper. What it does and refuses goes
// to the system log (and its standard error), control characters escaped.

#include "installer/helper_protocol.h"
#include "installer/install_locations.h"
#include "installer/package_ownership.h"
#include "installer/privileged_operations.h"
#include "installer/scripted_authorization.h"

#include <sys/resource.h>
#include <sys/stat.h>
#include <syslog.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

using namespace vantro::installer;

constexpr int kExitGarbage = 2;

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

bool answer(const HelperAnswer& reply) {
    return writeAll(encodedAnswer(reply) + "\n");
}

// The caller chooses the limits and signal dispositions the helper starts
// with (timers too), and its terminal can signal it: a file size, CPU or
// stack limit, an alarm, or a ^C or ^Z at the right moment, would end or
// stop it halfway through an operation. The limits are lifted and those
// signals ignored; only root can still end it.
void shieldFromCaller() {
    for (const int signal : {SIGINT, SIGQUIT, SIGHUP, SIGTSTP, SIGTTIN, SIGTTOU, SIGPIPE, SIGXFSZ,
                             SIGXCPU, SIGALRM, SIGVTALRM, SIGPROF}) {
        std::signal(signal, SIG_IGN);
    }
    // Without CAP_SYS_RESOURCE (in some containers) a hard limit stays; an
    // operation that meets it then fails whole (SIGXFSZ is ignored).
    for (const int resource : {RLIMIT_FSIZE, RLIMIT_CPU, RLIMIT_STACK, RLIMIT_AS, RLIMIT_DATA}) {
        rlimit limit{RLIM_INFINITY, RLIM_INFINITY};
        if (setrlimit(resource, &limit) != 0 && getrlimit(resource, &limit) == 0) {
            limit.rlim_cur = limit.rlim_max;
            setrlimit(resource, &limit);
        }
    }
    // Enough descriptors for the deepest walk, whatever the caller left.
    constexpr rlim_t kDescriptors = 1024;
    const rlimit descriptors{kDescriptors, kDescriptors};
    setrlimit(RLIMIT_NOFILE, &descriptors);
}

// The user pkexec ran us for; none when started otherwise (then only
// root's files are copied).
std::optional<uid_t> askingUser() {
    const char* text = std::getenv("PKEXEC_UID"); // NOLINT(concurrency-mt-unsafe)
    if (text == nullptr) {
        return std::nullopt;
    }
    const std::string_view digits(text);
    uid_t uid = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), uid);
    if (error != std::errc() || end != digits.data() + digits.size() || digits.empty()) {
        return std::nullopt;
    }
    return uid;
}

// The parts this installer carries: in "Resources" beside this program.
std::string resourcesFolder() {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : self.parent_path().string() + "/Resources";
}

HelperAnswer answerTo(const HelperRequest& request, const PrivilegedOperations& operations) {
    const std::string& location = operations.locations().rootLocationOf(request.part);
    if (const auto package = owningPackage(location)) {
        return {HelperAnswer::Kind::refused,
                location + " belongs to the package " + *package + "; it is left alone"};
    }
    return performed(operations, request);
}

} // namespace

int main() {
    shieldFromCaller();
    // Everything created gets an explicit mode as well; this keeps a
    // caller's umask from widening anything in between.
    umask(022);
    openlog("vantro-install-helper", LOG_PID | LOG_PERROR, LOG_AUTHPRIV);
    const PrivilegedOperations operations(InstallLocations::in(LibraryFolders{}),
                                          CarriedParts::in(resourcesFolder()), askingUser());
    if (!writeAll(kHelperGreeting)) {
        return 1;
    }
    // Each byte is looked at once: the search for the end of a request goes
    // on from where the last one stopped, and the buffer never holds more
    // than one request's worth.
    std::string pending;
    size_t searched = 0;
    char chunk[kMaxHelperRequestBytes];
    while (true) {
        const ssize_t got = read(STDIN_FILENO, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            if (!pending.empty()) {
                syslog(LOG_WARNING, "ignored a request cut short: %s",
                       escapedForLog(pending).c_str());
                return kExitGarbage;
            }
            return 0;
        }
        pending.append(chunk, static_cast<size_t>(got));
        size_t end = 0;
        while ((end = pending.find('\n', searched)) != std::string::npos) {
            const std::string line = pending.substr(0, end);
            pending.erase(0, end + 1);
            searched = 0;
            const auto request = decodedRequest(line);
            if (!request) {
                syslog(LOG_WARNING, "refused and ended on something that is not a request: %s",
                       escapedForLog(line).c_str());
                answer({HelperAnswer::Kind::refused, "not a request"});
                return kExitGarbage;
            }
            const HelperAnswer reply = answerTo(*request, operations);
            if (reply.kind == HelperAnswer::Kind::done) {
                syslog(LOG_INFO, "%s: done", encodedRequest(*request).c_str());
            } else {
                syslog(LOG_WARNING, "%s: %s: %s", encodedRequest(*request).c_str(),
                       reply.kind == HelperAnswer::Kind::refused ? "refused" : "failed",
                       escapedForLog(reply.why).c_str());
            }
            if (!answer(reply)) {
                return 1;
            }
        }
        searched = pending.size();
        if (pending.size() > kMaxHelperRequestBytes) {
            syslog(LOG_WARNING, "refused and ended on a request longer than %zu bytes: %s",
                   kMaxHelperRequestBytes, escapedForLog(pending, 64).c_str());
            answer({HelperAnswer::Kind::refused, "request too long"});
            return kExitGarbage;
        }
    }
}
