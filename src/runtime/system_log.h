#pragma once

// The system log: syslog(3) with the ident "Vantro" (the journal collects it)
// and the same line on standard error. Tests replace the sink to read what was
// logged.

#include <functional>
#include <string_view>

namespace vantro::runtime {

using LogSink = std::function<void(std::string_view line)>;

void systemLog(std::string_view line);

// printf-style formatting, then systemLog.
void systemLogFormat(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Replaces where lines go; an empty sink restores syslog and stderr. Answers
// the sink that was in place.
LogSink setSystemLogSink(LogSink sink);

} // namespace vantro::runtime
