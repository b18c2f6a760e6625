#include "helper_authorization.h"

#include "installer/helper_protocol.h"

#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <vector>

namespace vantro::installer_app {

namespace {

using installer::AnswerHeader;
using installer::PrivilegedRunResult;

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

bool HelperAuthorization::readBytes(size_t count, std::string& bytes) {
    char chunk[4096];
    while (received_.size() < count) {
        const ssize_t got = read(socket_, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            return false;
        }
        received_.append(chunk, static_cast<size_t>(got));
    }
    bytes = received_.substr(0, count);
    received_.erase(0, count);
    return true;
}

bool HelperAuthorization::readLine(std::string& line) {
    char chunk[256];
    size_t end = 0;
    while ((end = received_.find('\n')) == std::string::npos) {
        const ssize_t got = read(socket_, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
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
        argv.push_back(const_cast<gchar*>("pkexec"));
    }
    argv.push_back(helper_.data());
    argv.push_back(nullptr);
    GError* error = nullptr;
    const gboolean started = g_spawn_async_with_fds(
        nullptr, argv.data(), nullptr,
        static_cast<GSpawnFlags>(G_SPAWN_DO_NOT_REAP_CHILD | G_SPAWN_SEARCH_PATH), nullptr, nullptr,
        &pid_, ends[1], ends[1], -1, &error);
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

PrivilegedRunResult HelperAuthorization::run(const installer::ToolRun& run) {
    if (socket_ < 0) {
        return {};
    }
    std::string line;
    if (!sendAll(socket_, installer::encodedRequest(run)) || !readLine(line)) {
        std::fprintf(stderr, "vantro-installer: the helper with administrator rights is gone: %s\n",
                     stopHelper().c_str());
        return {};
    }
    const auto header = installer::parsedAnswerHeader(line);
    if (!header) {
        std::fprintf(stderr, "vantro-installer: the helper answered '%s'\n", line.c_str());
        stopHelper();
        return {};
    }
    if (header->kind != AnswerHeader::Kind::exited) {
        std::fprintf(stderr, "vantro-installer: %s %s: %s\n", run.tool.c_str(),
                     header->kind == AnswerHeader::Kind::refused ? "refused" : "failed",
                     header->why.c_str());
        return {};
    }
    PrivilegedRunResult result;
    result.started = true;
    result.exitStatus = header->status;
    result.succeeded = header->status == 0;
    if (!readBytes(header->outputLength, result.output)) {
        stopHelper();
        result.succeeded = false;
    }
    return result;
}

} // namespace vantro::installer_app
