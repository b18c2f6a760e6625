// soak_driver: plays seeded generated steps (step.h) on a running GTK 3 application with
// the plug-in, checking player.h's invariants after each step, that the process runs, and
// after every batch that no grab is left, a ping is answered and no popup lingers. The
// resident memory after the warm-up and at the end must stay within the tolerance. A
// failure prints the steps so far and the line that replays them.
// Exit status: 0 passed, 1 failed, 2 bad usage or no display.

#include "player.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <map>
#include <thread>

namespace {

using namespace vantro::soak;
using Clock = std::chrono::steady_clock;

struct Options {
    pid_t pid = 0;
    std::string settings;
    std::string title = "Vantro Test Window";
    long steps = 500;
    std::uint32_t seed = std::random_device{}();
    long warmup = -1; // a tenth of the steps unless given
    long batch = 100;
    long maxWindows = 4;
    // Growth always allowed (allocator and cache noise), or a share of the
    // warm-up figure where that is larger.
    long toleranceKib = 8192;
    double toleranceShare = 0.05;
};

std::optional<Options> parse(int argc, char** argv) {
    Options o;
    double seed = o.seed;
    const std::map<std::string, std::function<void(const char*)>> setters = {
        {"--pid", [&](const char* v) { o.pid = static_cast<pid_t>(std::atol(v)); }},
        {"--settings", [&](const char* v) { o.settings = v; }},
        {"--title", [&](const char* v) { o.title = v; }},
        {"--steps", [&](const char* v) { o.steps = std::atol(v); }},
        {"--seed", [&](const char* v) { seed = std::atof(v); }},
        {"--warmup", [&](const char* v) { o.warmup = std::atol(v); }},
        {"--batch", [&](const char* v) { o.batch = std::max(1L, std::atol(v)); }},
        {"--max-windows", [&](const char* v) { o.maxWindows = std::max(1L, std::atol(v)); }},
        {"--tolerance-kib", [&](const char* v) { o.toleranceKib = std::atol(v); }},
        {"--tolerance-share", [&](const char* v) { o.toleranceShare = std::atof(v); }},
    };
    for (int i = 1; i < argc; i += 2) {
        const auto setter = setters.find(argv[i]);
        if (setter == setters.end() || i + 1 >= argc) {
            return std::nullopt;
        }
        setter->second(argv[i + 1]);
    }
    o.seed = static_cast<std::uint32_t>(seed);
    o.warmup = std::min(o.warmup < 0 ? o.steps / 10 : o.warmup, o.steps);
    return o.pid > 0 && !o.settings.empty() ? std::optional(o) : std::nullopt;
}

// The resident set in KiB; -1 once the process has gone (a zombie has none).
std::int64_t residentKib(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/status");
    std::int64_t kib = -1;
    for (std::string label; in >> label && label != "VmRSS:";) {
    }
    in >> kib;
    return kib;
}

// Memory is compared in one state: one window, nothing open, quiet.
std::int64_t settledKib(Player& player, pid_t pid) {
    player.showHiddenWindows();
    player.closeDownToOne();
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    return residentKib(pid);
}

std::optional<std::string> checkBatch(Player& player, const Options& o, long done, double seconds) {
    if (!player.escapeModalState()) {
        return "a grab is still held after Escape and every key released";
    }
    if (auto broken = player.checkPopupsGone("the last step")) {
        return broken;
    }
    const std::vector<Window> shown = player.windows();
    if (shown.empty() || !player.desktop().answersPing(shown.front(), std::chrono::seconds(10))) {
        return "the application did not answer a ping in 10 s";
    }
    std::printf("soak: %ld/%ld steps, %.1f s, %zu windows, RSS %" PRId64 " KiB\n", done, o.steps,
                seconds, shown.size(), residentKib(o.pid));
    std::fflush(stdout);
    return std::nullopt;
}

int run(const Options& o, Player& player) {
    std::vector<std::string> played;
    const auto fail = [&](const std::string& why) {
        std::printf("soak: FAIL at step %zu: %s\nsoak: the steps so far (seed %" PRIu32 "):\n",
                    played.size(), why.c_str(), o.seed);
        for (std::size_t i = 0; i < played.size(); ++i) {
            std::printf("soak:   %zu. %s\n", i + 1, played[i].c_str());
        }
        // The warm-up (windows closed down to one) and the batch ends are part of the run.
        std::printf("soak: replay: tools/soak --seed %" PRIu32
                    " --steps %zu --warmup %ld --batch %ld\n",
                    o.seed, played.size(), o.warmup, o.batch);
        return 1;
    };
    for (int i = 0; i < 300 && player.windows().empty(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    std::mt19937 random(o.seed);
    const Clock::time_point start = Clock::now();
    const auto seconds = [&start] {
        return std::chrono::duration<double>(Clock::now() - start).count();
    };
    std::int64_t baselineKib = o.warmup == 0 ? settledKib(player, o.pid) : 0;
    for (long done = 1; done <= o.steps; ++done) {
        Step step = drawStep(random);
        player.showHiddenWindows();
        step.kind =
            fitKind(step.kind, player.windows().size(), static_cast<std::size_t>(o.maxWindows));
        std::string said;
        std::optional<std::string> broken = player.play(step, said);
        played.push_back(said);
        if (residentKib(o.pid) < 0) {
            broken = "the application exited";
        }
        if (!broken) {
            broken = player.checkFrames();
        }
        if (!broken && (done % o.batch == 0 || done == o.steps)) {
            broken = checkBatch(player, o, done, seconds());
        }
        if (broken) {
            return fail(*broken);
        }
        if (done == o.warmup) {
            baselineKib = settledKib(player, o.pid);
            std::printf("soak: RSS after the warm-up: %" PRId64 " KiB\n", baselineKib);
        }
    }
    const double took = seconds();
    const std::int64_t endKib = settledKib(player, o.pid);
    const auto allowed = std::max<std::int64_t>(
        o.toleranceKib,
        static_cast<std::int64_t>(static_cast<double>(baselineKib) * o.toleranceShare));
    std::printf("soak: seed %" PRIu32 ": %ld steps in %.1f s; RSS after warm-up %" PRId64
                " KiB, at the end %" PRId64 " KiB, growth %" PRId64 " KiB, allowed %" PRId64
                " KiB\n",
                o.seed, o.steps, took, baselineKib, endKib, endKib - baselineKib, allowed);
    if (endKib < 0) {
        return fail("the application exited before the last memory sample");
    }
    return endKib - baselineKib <= allowed ? 0
                                           : fail("the resident memory grew beyond the tolerance");
}

// A request on a window just destroyed is expected and ignored.
int ignoreXError(Display* /*display*/, XErrorEvent* /*error*/) {
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const std::optional<Options> options = parse(argc, argv);
    if (!options) {
        std::fputs(
            "usage: soak_driver --pid PID --settings COMMAND [--steps N] [--seed S] [--warmup W]\n"
            "           [--batch B] [--max-windows M] [--title T] [--tolerance-kib K]\n"
            "           [--tolerance-share F]\n",
            stderr);
        return 2;
    }
    std::printf("soak: seed %" PRIu32 ", %ld steps\n", options->seed, options->steps);
    std::fflush(stdout);
    Display* display = XOpenDisplay(nullptr);
    int unused = 0;
    if (display == nullptr ||
        XTestQueryExtension(display, &unused, &unused, &unused, &unused) == 0) {
        std::fputs("soak_driver: no display, or no XTest on it\n", stderr);
        return 2;
    }
    XSetErrorHandler(ignoreXError);
    DesktopProbe desktop(display);
    Player player(display, desktop, options->settings, options->pid, options->title);
    const int status = run(*options, player);
    player.escapeModalState(); // nothing left held
    XCloseDisplay(display);
    return status;
}
