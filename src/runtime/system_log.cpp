#include "runtime/system_log.h"

#include <cstdarg>
#include <cstdio>
#include <string>
#include <syslog.h>
#include <vector>

namespace vantro::runtime {

namespace {

LogSink& currentSink() {
    static auto* sink = new LogSink();
    return *sink;
}

void writeToSyslogAndStderr(std::string_view line) {
    static const bool opened = [] {
        openlog("Vantro", LOG_PID, LOG_USER);
        return true;
    }();
    (void)opened;
    const std::string text(line);
    syslog(LOG_NOTICE, "%s", text.c_str());
    std::fprintf(stderr, "Vantro: %s\n", text.c_str());
}

} // namespace

void systemLog(std::string_view line) {
    if (const LogSink& sink = currentSink()) {
        sink(line);
        return;
    }
    writeToSyslogAndStderr(line);
}

void systemLogFormat(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    const int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (length < 0) {
        va_end(args);
        return;
    }
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1);
    std::vsnprintf(buffer.data(), buffer.size(), format, args);
    va_end(args);
    systemLog(std::string_view(buffer.data(), static_cast<std::size_t>(length)));
}

LogSink setSystemLogSink(LogSink sink) {
    LogSink previous = std::move(currentSink());
    currentSink() = std::move(sink);
    return previous;
}

} // namespace vantro::runtime
