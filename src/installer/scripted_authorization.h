#pragma once

// An authorization whose answer a test chooses: "yes" grants the rights
// without a dialog and has the operations done in this process, by the
// same code and with the same checks as the helper, as the installer's own
// user; "no" is a refusal and "cancel" a dismissed dialog, which fail
// every request.

#include "installer/authorization.h"
#include "installer/privileged_operations.h"

#include <optional>
#include <string_view>

namespace vantro::installer {

class ScriptedAuthorization : public Authorization {
  public:
    enum class Answer { yes, no, cancel };

    ScriptedAuthorization(Answer answer, PrivilegedOperations operations)
        : answer_(answer), operations_(std::move(operations)) {}

    // "yes", "no" or "cancel"; none for anything else.
    static std::optional<Answer> answerNamed(std::string_view name);

    bool obtain() override;
    HelperAnswer run(const HelperRequest& request) override;

    // What a test says from now on; rights already held are dropped.
    void answerFromNow(Answer answer) {
        answer_ = answer;
        held_ = false;
    }
    [[nodiscard]] int timesAsked() const { return timesAsked_; }
    [[nodiscard]] int requests() const { return requests_; }

  private:
    Answer answer_;
    PrivilegedOperations operations_;
    bool held_ = false;
    int timesAsked_ = 0;
    int requests_ = 0;
};

// The helper's answer to `request`, done by `operations`.
HelperAnswer performed(const PrivilegedOperations& operations, const HelperRequest& request);

} // namespace vantro::installer
