#include "helper_authorization.h"

#include "installer/helper_protocol.h"

#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

namespace vantro::installer_app {

namespace {

using installer::HelperAnswer;

// Found by absolute path, never through PATH: the program that asks for
// the administrator password must be the system's.
constexpr const char* kPkexec = "/usr/bin/pkexec";

// pkexec's exit statuses when it does not run the program.
constexpr int kPkexecDismissed = 126;
constexpr int kPkexecNotAuthorized = 127;

bool sendAll(int socket, std::string_view data) {
    while (!data.empty()) {
        // No SIGPIPE when the helper is gone: the send fails instead.
        const ssize_t sent = send(socket, data.data(), data.size(), MSG_NOSIGNAL);
        if (sent < 0 && errno == EINTR) {
            continue;
        }
        if (sent <= 0) {
            return false;
        }
        data.remove_prefix(static_cast<size_t>(sent));
    }
    return true;
}

} // namespace

HelperAuthorization::~HelperAuthorization() {
    stopHelper();
}

bool HelperAuthorization::readLine(std::string& line) {
    char chunk[256];
    size_t end = 0;
    while ((end = received_.find('\n')) == std::string::npos) {
        const ssize_t got = read(socket_, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0 || received_.size() > installer::kMaxHelperAnswerBytes) {
            return false;
        }
        received_.append(chunk, static_cast<size_t>(got));
    }
    line = received_.substr(0, end);
    received_.erase(0, end + 1);
    return true;
}

std::string HelperAuthorization::stopHelper() {
    if (socket_ >= 0) {
        close(socket_);
        socket_ = -1;
    }
    received_.clear();
    if (pid_ == 0) {
        return {};
    }
    int status = 0;
    while (waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
    }
    g_spawn_close_pid(pid_);
    pid_ = 0;
    if (WIFEXITED(status) && WEXITSTATUS(status) == kPkexecDismissed) {
        return "The user cancelled the request.";
    }
    if (WIFEXITED(status) && WEXITSTATUS(status) == kPkexecNotAuthorized) {
        return "Not authorized.";
    }
    return "The installer's helper ended (wait status " + std::to_string(status) + ").";
}

bool HelperAuthorization::obtain() {
    if (socket_ >= 0) {
        return true;
    }
    int ends[2];
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) {
        installer::logAuthorizationRefusal("Cannot talk to the installer's helper.");
        return false;
    }
    std::vector<gchar*> argv;
    if (geteuid() != 0) {
        argv.push_back(const_cast<gchar*>(kPkexec));
    }
    argv.push_back(helper_.data());
    argv.push_back(nullptr);
    GError* error = nullptr;
    const gboolean started =
        g_spawn_async_with_fds(nullptr, argv.data(), nullptr, G_SPAWN_DO_NOT_REAP_CHILD, nullptr,
                               nullptr, &pid_, ends[1], ends[1], -1, &error);
    close(ends[1]);
    if (started == FALSE) {
        close(ends[0]);
        pid_ = 0;
        installer::logAuthorizationRefusal(error->message);
        g_error_free(error);
        return false;
    }
    socket_ = ends[0];
    // Blocks while the password dialog is up: the install runs on a worker
    // thread, so the window stays drawn.
    std::string greeting;
    if (readLine(greeting) && greeting + "\n" == installer::kHelperGreeting) {
        return true;
    }
    installer::logAuthorizationRefusal(stopHelper());
    return false;
}

HelperAnswer HelperAuthorization::run(const installer::HelperRequest& request) {
    if (socket_ < 0) {
        return {HelperAnswer::Kind::refused, "no rights are held"};
    }
    std::string line;
    if (!sendAll(socket_, installer::encodedRequest(request) + "\n") || !readLine(line)) {
        return {HelperAnswer::Kind::failed,
                "the helper with administrator rights is gone: " + stopHelper()};
    }
    const auto answer = installer::decodedAnswer(line);
    if (!answer) {
        stopHelper();
        return {HelperAnswer::Kind::failed,
                "the helper answered '" + installer::escapedForLog(line) + "'"};
    }
    return *answer;
}

} // namespace vantro::installer_app
