#include "installer/package_ownership.h"

#include <glib.h>
#include <sys/wait.h>

namespace vantro::installer {

namespace {

constexpr const char* kPackageQueryTool = "/usr/bin/dpkg-query";

} // namespace

std::optional<std::string> owningPackage(const std::string& path) {
    // The query takes patterns; the locations are plain absolute paths,
    // which it matches exactly.
    if (!path.starts_with('/') || path.find_first_of("*?[]\\") != std::string::npos ||
        !g_file_test(kPackageQueryTool, G_FILE_TEST_IS_EXECUTABLE)) {
        return std::nullopt;
    }
    gchar* argv[] = {const_cast<gchar*>(kPackageQueryTool), const_cast<gchar*>("-S"),
                     const_cast<gchar*>(path.c_str()), nullptr};
    gchar* envp[] = {nullptr};
    gchar* output = nullptr;
    int status = 0;
    if (g_spawn_sync(nullptr, argv, envp, G_SPAWN_STDERR_TO_DEV_NULL, nullptr, nullptr, &output,
                     nullptr, &status, nullptr) == FALSE) {
        return std::nullopt;
    }
    // "vantro: /usr/local/share/..." (or "vantro:amd64: ...").
    const std::string answer = output != nullptr ? output : "";
    g_free(output);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        return std::nullopt;
    }
    const size_t end = answer.find_first_of(":,");
    if (end == 0 || end == std::string::npos) {
        return std::nullopt;
    }
    return answer.substr(0, end);
}

std::string packageManagedNote(const std::string& package) {
    return "Vantro is installed for every user by the package \"" + package +
           "\". The installer leaves that copy alone; to remove it, use the package manager "
           "(sudo apt remove " +
           package + ").";
}

} // namespace vantro::installer
