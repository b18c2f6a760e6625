#include "installer/scripted_authorization.h"

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

HelperAnswer ScriptedAuthorization::run(const HelperRequest& request) {
    ++requests_;
    if (!held_) {
        return {HelperAnswer::Kind::refused, "no rights are held"};
    }
    return performed(operations_, request);
}

HelperAnswer performed(const PrivilegedOperations& operations, const HelperRequest& request) {
    using Operation = HelperRequest::Operation;
    OperationResult result;
    switch (request.operation) {
    case Operation::install:
        result = operations.install(request.part);
        break;
    case Operation::remove:
        result = operations.remove(request.part);
        break;
    case Operation::registerModule:
    case Operation::unregisterModule:
        result = operations.registerLoaderModule(request.operation == Operation::registerModule);
        break;
    }
    using Kind = OperationResult::Kind;
    return {result.kind == Kind::done      ? HelperAnswer::Kind::done
            : result.kind == Kind::refused ? HelperAnswer::Kind::refused
                                           : HelperAnswer::Kind::failed,
            result.why};
}

} // namespace vantro::installer
