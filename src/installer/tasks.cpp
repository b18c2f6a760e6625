#include "installer/tasks.h"

#include <glib.h>

namespace vantro::installer {

namespace {

struct SpawnOutcome {
    bool started = false;
    int waitStatus = 0;
    std::string output;
};

SpawnOutcome spawnAndWait(const std::string& tool, const std::vector<std::string>& arguments,
                          GSpawnFlags streams) {
    std::vector<gchar*> argv;
    argv.push_back(const_cast<gchar*>(tool.c_str()));
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<gchar*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    const bool collect = (streams & G_SPAWN_STDOUT_TO_DEV_NULL) == 0;
    gchar* output = nullptr;
    SpawnOutcome outcome;
    outcome.started =
        g_spawn_sync(nullptr, argv.data(), nullptr,
                     static_cast<GSpawnFlags>(G_SPAWN_SEARCH_PATH | streams), nullptr, nullptr,
                     collect ? &output : nullptr, nullptr, &outcome.waitStatus, nullptr) != FALSE;
    if (output != nullptr) {
        outcome.output = output;
        g_free(output);
    }
    return outcome;
}

} // namespace

void launchAndWaitUntilExit(const std::string& tool, const std::vector<std::string>& arguments) {
    spawnAndWait(tool, arguments,
                 static_cast<GSpawnFlags>(G_SPAWN_STDOUT_TO_DEV_NULL | G_SPAWN_STDERR_TO_DEV_NULL));
}

std::string outputOfLaunching(const std::string& tool, const std::vector<std::string>& arguments) {
    return spawnAndWait(tool, arguments, G_SPAWN_STDERR_TO_DEV_NULL).output;
}

bool launchSucceeded(const std::string& tool, const std::vector<std::string>& arguments,
                     std::string* output) {
    SpawnOutcome outcome = spawnAndWait(tool, arguments, G_SPAWN_DEFAULT);
    if (output != nullptr) {
        *output = std::move(outcome.output);
    }
    return outcome.started && g_spawn_check_wait_status(outcome.waitStatus, nullptr) != FALSE;
}

} // namespace vantro::installer
