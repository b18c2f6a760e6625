#include "plugin/feedback/dimension_text.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace vantro::feedback {

namespace {

constexpr double kLongFormWidth = 400;

// Appends a run, reusing the storage of the run already in that slot.
class RunWriter {
  public:
    explicit RunWriter(std::vector<platform::TextRun>& runs) : runs_(runs) {}
    ~RunWriter() { runs_.resize(used_); }
    RunWriter(const RunWriter&) = delete;
    RunWriter& operator=(const RunWriter&) = delete;

    void add(const char* text, bool larger) {
        if (used_ == runs_.size()) {
            runs_.emplace_back();
        }
        runs_[used_].text.assign(text);
        runs_[used_].larger = larger;
        ++used_;
    }
    // As "%1.0f" prints it. The tab is rewritten on every drag step, so
    // whole numbers within 2^53 (every length a screen has) take a fast
    // path; rounding to nearest with ties to even is printf's rounding too.
    void addNumber(double value) {
        char digits[400];
        constexpr double kExactLimit = 9007199254740992.0; // 2^53
        if (std::fabs(value) < kExactLimit) {
            const double whole = std::nearbyint(value);
            char* end = digits;
            if (whole == 0 && std::signbit(value)) {
                *end++ = '-';
            }
            end = std::to_chars(end, digits + sizeof digits - 1, static_cast<std::int64_t>(whole))
                      .ptr;
            *end = '\0';
        } else {
            std::snprintf(digits, sizeof digits, "%1.0f", value);
        }
        add(digits, true);
    }

  private:
    std::vector<platform::TextRun>& runs_;
    std::size_t used_ = 0;
};

void addLimitMark(RunWriter& out, double value, double minimum, double maximum) {
    if (value == maximum) {
        out.add(" (Max)", false);
    } else if (value == minimum) {
        out.add(" (Min)", false);
    }
}

} // namespace

void composeDimensionText(Size size, double contentHeight, Size minSize, Size maxSize,
                          std::vector<platform::TextRun>& runs) {
    RunWriter out(runs);
    const bool longForm = size.width > kLongFormWidth;
    if (longForm) {
        out.add("Window Size: ", false);
    }
    out.addNumber(size.width);
    addLimitMark(out, size.width, minSize.width, maxSize.width);
    out.add(" x ", true);
    out.addNumber(size.height);
    addLimitMark(out, size.height, minSize.height, maxSize.height);
    out.add(" \u2013 ", true);
    if (longForm) {
        out.add("Content Height: ", false);
    }
    out.addNumber(contentHeight);
}

} // namespace vantro::feedback
