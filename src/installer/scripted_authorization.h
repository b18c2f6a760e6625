#pragma once

// An authorization whose answer a test chooses: "yes" grants the rights
// without a dialog, and the runs are judged by the privileged scope and run
// as the installer's own user, exactly as the helper would; "no" is a
// refusal and "cancel" a dismissed dialog, which fail every request.

#include "installer/authorization.h"
#include "installer/privileged_scope.h"

#include <optional>
#include <string_view>

namespace vantro::installer {

class ScriptedAuthorization : public Authorization {
  public:
    enum class Answer { yes, no, cancel };

    ScriptedAuthorization(Answer answer, PrivilegedScope scope)
        : answer_(answer), scope_(std::move(scope)) {}

    // "yes", "no" or "cancel"; none for anything else.
    static std::optional<Answer> answerNamed(std::string_view name);

    bool obtain() override;
    PrivilegedRunResult run(const ToolRun& run) override;

    [[nodiscard]] int timesAsked() const { return timesAsked_; }

  private:
    Answer answer_;
    PrivilegedScope scope_;
    bool held_ = false;
    int timesAsked_ = 0;
};

} // namespace vantro::installer
