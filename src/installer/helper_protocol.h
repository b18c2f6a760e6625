#pragma once

// What the installer and its privileged helper say to each other over the
// helper's standard input and output. The helper greets with "ready\n" once
// it runs with rights. A request is the tool and its arguments, each ended
// by a NUL byte, the request ended by one more (an empty field, which no
// valid run has). The answer is one line, "exited STATUS LENGTH\n" followed
// by LENGTH bytes of the tool's standard output, or "refused WHY\n" when the
// run is outside what the helper does, or "failed WHY\n" when the tool could
// not be started.

#include "installer/authorization.h"
#include "installer/tool_run.h"

#include <optional>
#include <string>
#include <string_view>

namespace vantro::installer {

inline constexpr std::string_view kHelperGreeting = "ready\n";

std::string encodedRequest(const ToolRun& run);

// Takes one whole request off the front of `buffer`; none while the buffer
// holds only part of one. A request with no tool decodes as a run with an
// empty tool, which every scope refuses.
std::optional<ToolRun> takeRequest(std::string& buffer);

std::string encodedRefusal(std::string_view why);
std::string encodedFailure(std::string_view why);
std::string encodedExit(int status, std::string_view output);

// The first line of an answer, without its newline, read as the result
// header; the output length is what still follows. None when malformed.
struct AnswerHeader {
    enum class Kind { exited, refused, failed } kind;
    int status = 0;
    size_t outputLength = 0;
    std::string why;
};
std::optional<AnswerHeader> parsedAnswerHeader(std::string_view line);

} // namespace vantro::installer
