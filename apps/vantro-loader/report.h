#pragma once

// What the loader tells: with --verbose a line on standard output for each
// thing it did; always a line on standard error for what kept it from
// reaching the applications. Success without --verbose prints nothing.

#include <cstdio>
#include <string_view>

namespace vantro::loader_app {

class Report {
  public:
    explicit Report(bool verbose) : verbose_(verbose) {}

    void did(std::string_view line) const {
        if (verbose_) {
            std::printf("%.*s\n", static_cast<int>(line.size()), line.data());
            std::fflush(stdout);
        }
    }

    void problem(std::string_view line) const {
        std::fprintf(stderr, "vantro-loader: %.*s\n", static_cast<int>(line.size()), line.data());
    }

  private:
    bool verbose_;
};

} // namespace vantro::loader_app
