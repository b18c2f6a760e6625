#include "installer/scripted_authorization.h"

#include "installer/tasks.h"

#include <cstdio>

namespace vantro::installer {

std::optional<ScriptedAuthorization::Answer>
ScriptedAuthorization::answerNamed(std::string_view name) {
    if (name == "yes") {
        return Answer::yes;
    }
    if (name == "no") {
        return Answer::no;
    }
    if (name == "cancel") {
        return Answer::cancel;
    }
    return std::nullopt;
}

bool ScriptedAuthorization::obtain() {
    if (held_) {
        return true;
    }
    ++timesAsked_;
    switch (answer_) {
    case Answer::yes:
        held_ = true;
        return true;
    case Answer::no:
        logAuthorizationRefusal("Not authorized.");
        return false;
    case Answer::cancel:
        logAuthorizationRefusal("The user cancelled the request.");
        return false;
    }
    return false;
}

PrivilegedRunResult ScriptedAuthorization::run(const ToolRun& run) {
    if (!held_) {
        return {};
    }
    const std::string refusal = scope_.refusalOf(run);
    if (!refusal.empty()) {
        std::fprintf(stderr, "vantro-installer: refused with rights: %s\n", refusal.c_str());
        return {};
    }
    return runCollectingOutput(run);
}

} // namespace vantro::installer
