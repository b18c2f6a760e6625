#include "plugin/feedback/dimension_text.h"

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
    void addNumber(double value) {
        char digits[64];
        std::snprintf(digits, sizeof digits, "%1.0f", value);
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
