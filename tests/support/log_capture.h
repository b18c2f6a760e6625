#pragma once

// Collects what is written to the system log while it is alive.

#include "runtime/system_log.h"

#include <string>
#include <vector>

namespace vantro::testing {

class LogCapture {
  public:
    LogCapture() {
        previous_ =
            runtime::setSystemLogSink([this](std::string_view line) { lines_.emplace_back(line); });
    }
    ~LogCapture() { runtime::setSystemLogSink(std::move(previous_)); }
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    [[nodiscard]] const std::vector<std::string>& lines() const { return lines_; }
    void clear() { lines_.clear(); }

  private:
    runtime::LogSink previous_;
    std::vector<std::string> lines_;
};

} // namespace vantro::testing
