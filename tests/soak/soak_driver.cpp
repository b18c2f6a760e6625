// soak_driver: drives a running vantro-test-app (with the plug-in loaded)
// through a long run of random actions over its own X connection, checking
// after every action that the application is still running and after
// every batch that it answers a ping and holds no grab; samples its
// resident memory after a warm-up and at the end, each time with one
// window left and nothing open, and fails when the application died, hung
// or grew beyond the tolerance. Prints the seed first, so that a failing
// run can be repeated with --seed.
//
// Usage: soak_driver --pid PID [--actions N] [--seed S] [--warmup W]
//            [--batch B] [--max-windows M] [--tolerance-kib K]
//            [--tolerance-share F] [--ping-timeout-ms T]
// Exit status: 0 the run passed, 1 it failed, 2 bad usage or no display.

#include "desktop_probe.h"
#include "input_synth.h"
#include "memory_verdict.h"
#include "process_watch.h"
#include "soak_actions.h"

#include <X11/Xlib.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <thread>

namespace {

using namespace vantro::soak;
using std::chrono::milliseconds;
using Clock = std::chrono::steady_clock;

constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;
constexpr milliseconds kBeforeSample{1500}; // animations, idle work and frees settle
constexpr int kFirstWindowWaitTenths = 300;

struct Options {
    pid_t pid = 0;
    long actions = 1000;
    std::uint32_t seed = 0;
    bool seedGiven = false;
    long warmup = -1; // a tenth of the actions unless given
    long batch = 100;
    std::size_t maxWindows = 4;
    MemoryTolerance tolerance{8192, 0.05};
    milliseconds pingTimeout{10000};
};

int usage() {
    std::fputs("usage: soak_driver --pid PID [--actions N] [--seed S] [--warmup W] [--batch B]\n"
               "           [--max-windows M] [--tolerance-kib K] [--tolerance-share F]\n"
               "           [--ping-timeout-ms T]\n",
               stderr);
    return kExitUsage;
}

std::optional<long> number(const char* text) {
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(text, &end, 10);
    if (errno != 0 || end == text || *end != '\0' || value < 0) {
        return std::nullopt;
    }
    return value;
}

std::optional<Options> parse(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string_view name = argv[i];
        if (i + 1 >= argc) {
            return std::nullopt;
        }
        const char* text = argv[++i];
        if (name == "--tolerance-share") {
            char* end = nullptr;
            options.tolerance.share = std::strtod(text, &end);
            if (end == text || *end != '\0' || options.tolerance.share < 0) {
                return std::nullopt;
            }
            continue;
        }
        const std::optional<long> value = number(text);
        if (!value) {
            return std::nullopt;
        }
        if (name == "--pid") {
            options.pid = static_cast<pid_t>(*value);
        } else if (name == "--actions") {
            options.actions = *value;
        } else if (name == "--seed") {
            options.seed = static_cast<std::uint32_t>(*value);
            options.seedGiven = true;
        } else if (name == "--warmup") {
            options.warmup = *value;
        } else if (name == "--batch") {
            options.batch = std::max(1L, *value);
        } else if (name == "--max-windows") {
            options.maxWindows = static_cast<std::size_t>(std::max(1L, *value));
        } else if (name == "--tolerance-kib") {
            options.tolerance.floorKib = *value;
        } else if (name == "--ping-timeout-ms") {
            options.pingTimeout = milliseconds(*value);
        } else {
            return std::nullopt;
        }
    }
    if (options.pid <= 0) {
        return std::nullopt;
    }
    if (options.warmup < 0) {
        options.warmup = options.actions / 10;
    }
    options.warmup = std::min(options.warmup, options.actions);
    return options;
}

// Windows come and go under the driver's feet: a request on one that has
// just been destroyed is expected and ignored.
int ignoreXError(Display* /*display*/, XErrorEvent* /*error*/) {
    return 0;
}

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

class SoakRun {
  public:
    SoakRun(const Options& options, DesktopProbe& desktop, InputSynth& input)
        : options_(options), random_(options.seed), desktop_(desktop),
          runner_(desktop, input, random_, options.pid) {}

    int run() {
        if (!waitForFirstWindow()) {
            return fail("no test window of process " + std::to_string(options_.pid) + " appeared");
        }
        const Clock::time_point start = Clock::now();
        if (options_.warmup == 0 && !sampleBaseline()) {
            return kExitFailed;
        }
        for (long done = 0; done < options_.actions; ++done) {
            const ActionKind kind =
                chooseAction(random_, runner_.windows().size(), options_.maxWindows);
            runner_.perform(kind);
            if (!vantro::soak::processIsRunning(options_.pid)) {
                return fail("the application exited during action " + std::to_string(done + 1) +
                            " (" + std::string(actionName(kind)) + ")");
            }
            const long finished = done + 1;
            if (finished % options_.batch == 0 || finished == options_.actions) {
                if (!checkBatch(finished, start)) {
                    return kExitFailed;
                }
            }
            if (finished == options_.warmup && !sampleBaseline()) {
                return kExitFailed;
            }
        }
        const double seconds = secondsSince(start);
        const std::optional<std::int64_t> end = sampleSettled();
        if (!end) {
            return fail("the application exited before the last memory sample");
        }
        return report(seconds, *end);
    }

  private:
    int fail(const std::string& why) {
        std::printf("soak: FAIL: %s (seed %" PRIu32 ")\n", why.c_str(), options_.seed);
        for (const std::string& action : runner_.recentActions()) {
            std::printf("soak:   recent action: %s\n", action.c_str());
        }
        std::fflush(stdout);
        return kExitFailed;
    }

    bool waitForFirstWindow() {
        for (int i = 0; i < kFirstWindowWaitTenths; ++i) {
            if (!runner_.windows().empty()) {
                return true;
            }
            std::this_thread::sleep_for(milliseconds(100));
        }
        return false;
    }

    bool checkBatch(long finished, Clock::time_point start) {
        if (!runner_.escapeModalState()) {
            fail("a grab is still held after Escape and every key released");
            return false;
        }
        runner_.restoreHiddenWindows();
        const std::vector<Window> shown = runner_.windows();
        if (shown.empty()) {
            fail("the application shows no test window");
            return false;
        }
        if (!desktop_.answersPing(shown.front(), options_.pingTimeout)) {
            fail("the application did not answer a ping in " +
                 std::to_string(options_.pingTimeout.count()) + " ms");
            return false;
        }
        const std::optional<std::int64_t> rss = residentKib(options_.pid);
        std::printf("soak: %ld/%ld actions, %.1f s, %zu windows, RSS %" PRId64 " KiB\n", finished,
                    options_.actions, secondsSince(start), shown.size(), rss.value_or(-1));
        std::fflush(stdout);
        return true;
    }

    // Memory is compared in one state: one window, nothing open, quiet.
    std::optional<std::int64_t> sampleSettled() {
        runner_.restoreHiddenWindows();
        runner_.closeDownToOne();
        runner_.escapeModalState();
        std::this_thread::sleep_for(kBeforeSample);
        if (!vantro::soak::processIsRunning(options_.pid)) {
            return std::nullopt;
        }
        return residentKib(options_.pid);
    }

    bool sampleBaseline() {
        const std::optional<std::int64_t> rss = sampleSettled();
        if (!rss) {
            fail("the application exited during the warm-up");
            return false;
        }
        baselineKib_ = *rss;
        std::printf("soak: RSS after the warm-up of %ld actions: %" PRId64 " KiB\n",
                    options_.warmup, *rss);
        std::fflush(stdout);
        return true;
    }

    int report(double seconds, std::int64_t endKib) {
        const MemoryVerdict verdict = judgeMemory(baselineKib_, endKib, options_.tolerance);
        std::printf("soak: actions by kind:");
        for (std::size_t i = 0; i < kActionKindCount; ++i) {
            std::printf("%s %zu %s", i == 0 ? "" : ",", runner_.counts()[i],
                        std::string(actionName(static_cast<ActionKind>(i))).c_str());
        }
        std::printf("; menus opened %zu (a command chosen in %zu); windows placed back %zu, "
                    "restored %zu\n",
                    runner_.menusOpened(), runner_.menuChoicesMade(), runner_.windowsPlacedBack(),
                    runner_.windowsRestored());
        const double percent = baselineKib_ > 0 ? 100.0 * static_cast<double>(verdict.growthKib) /
                                                      static_cast<double>(baselineKib_)
                                                : 0.0;
        std::printf("soak: seed %" PRIu32 ": %ld actions in %.1f s; RSS after warm-up %" PRId64
                    " KiB, at the end %" PRId64 " KiB, growth %" PRId64
                    " KiB (%.2f %%), allowed %" PRId64 " KiB: %s\n",
                    options_.seed, options_.actions, seconds, baselineKib_, endKib,
                    verdict.growthKib, percent, verdict.allowedKib, verdict.flat ? "flat" : "GREW");
        std::fflush(stdout);
        return verdict.flat ? 0 : kExitFailed;
    }

    const Options& options_;
    std::mt19937 random_;
    DesktopProbe& desktop_;
    ActionRunner runner_;
    std::int64_t baselineKib_ = 0;
};

} // namespace

int main(int argc, char** argv) {
    std::optional<Options> options = parse(argc, argv);
    if (!options) {
        return usage();
    }
    if (!options->seedGiven) {
        options->seed = std::random_device{}();
    }
    std::printf("soak: seed %" PRIu32 " (repeat with --seed %" PRIu32 "), %ld actions\n",
                options->seed, options->seed, options->actions);
    std::fflush(stdout);
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fputs("soak_driver: cannot open the display\n", stderr);
        return kExitUsage;
    }
    XSetErrorHandler(ignoreXError);
    if (!InputSynth::available(display)) {
        std::fputs("soak_driver: the X server has no XTest extension\n", stderr);
        XCloseDisplay(display);
        return kExitUsage;
    }
    DesktopProbe desktop(display);
    InputSynth input(display);
    SoakRun run(*options, desktop, input);
    const int status = run.run();
    input.releaseEverything();
    XCloseDisplay(display);
    return status;
}
