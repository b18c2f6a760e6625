// Generated sequences of what a user does to windows, played on the fake
// platform with the plug-in's hooks installed, and the invariants that must
// hold after every action. A failing sequence is shrunk and printed with the
// seed that replays it (RC_PARAMS="seed=...").

#include "platform/fake/fake_platform.h"
#include "platform/fake/fake_window.h"
#include "platform/screen_lookup.h"
#include "platform/window.h"
#include "plugin/core/window_state.h"
#include "plugin/feedback/dimension_overlay.h"
#include "plugin/feedback/hud_alert.h"
#include "plugin/feedback/resize_indicator.h"
#include "settings/memory_backend.h"
#include "settings/vantro_user_defaults.h"
#include "support/geometry_printers.h"
#include "support/plugin_host.h"

#include <gtest/gtest.h>
#include <rapidcheck.h>
#include <rapidcheck/gtest.h>
#include <rapidcheck/state.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vantro::model {
namespace {

using namespace platform;
using fake::FakePlatform;
using fake::FakeWindow;
using runtime::Selector;
using settings::PlistValue;

constexpr std::size_t kMaxWindows = 4;
constexpr std::size_t kMaxScreens = 3;
constexpr Screen kPrimary{Rect(0, 0, 1440, 900), Rect(0, 0, 1440, 878)};

constexpr std::array<ModifierFlags, 5> kKeys = {kShiftKeyMask, kControlKeyMask, kAlternateKeyMask,
                                                kCommandKeyMask, kFunctionKeyMask};

// The maximize layouts: proposed share of the visible frame and placement.
enum class Place { start, end, centre };
struct Layout {
    const char* key;
    double widthShare; // 0 for the whole width, else the divisor
    double heightShare;
    Place x;
    Place y; // start = bottom, end = top
};
constexpr std::array<Layout, 19> kLayouts = {{
    {"VantroMaximizeWholeScreen", 0, 0, Place::centre, Place::end},
    {"VantroMaximizeLeftHalf", 2, 0, Place::start, Place::end},
    {"VantroMaximizeRightHalf", 2, 0, Place::end, Place::end},
    {"VantroMaximizeTopHalf", 0, 2, Place::start, Place::end},
    {"VantroMaximizeBottomHalf", 0, 2, Place::start, Place::start},
    {"VantroMaximizeVerticalLeftThird", 3, 0, Place::start, Place::end},
    {"VantroMaximizeVerticalMiddleThird", 3, 0, Place::centre, Place::end},
    {"VantroMaximizeVerticalRightThird", 3, 0, Place::end, Place::end},
    {"VantroMaximizeHorizontalTopThird", 0, 3, Place::start, Place::end},
    {"VantroMaximizeHorizontalMiddleThird", 0, 3, Place::start, Place::centre},
    {"VantroMaximizeHorizontalBottomThird", 0, 3, Place::start, Place::start},
    {"VantroMaximizeLeftTwoThirds", 1.5, 0, Place::start, Place::end},
    {"VantroMaximizeRightTwoThirds", 1.5, 0, Place::end, Place::end},
    {"VantroMaximizeTopTwoThirds", 0, 1.5, Place::start, Place::end},
    {"VantroMaximizeBottomTwoThirds", 0, 1.5, Place::start, Place::start},
    {"VantroMaximizeTopLeftQuarter", 2, 2, Place::start, Place::end},
    {"VantroMaximizeTopRightQuarter", 2, 2, Place::end, Place::end},
    {"VantroMaximizeBottomLeftQuarter", 2, 2, Place::start, Place::start},
    {"VantroMaximizeBottomRightQuarter", 2, 2, Place::end, Place::start},
}};

std::string text(const Rect& rect) {
    return ::testing::PrintToString(rect);
}

double share(double length, double divisor) {
    return divisor == 0 ? length : singlePrecisionFloor(length / divisor);
}
double place(Place where, double start, double length, double size) {
    switch (where) {
    case Place::start:
        return start;
    case Place::end:
        return (length - size) + start;
    case Place::centre:
        return singlePrecisionFloor((0.5 * length + start) + (-0.5 * size));
    }
    return start;
}

// The settings another process may change, with values of their shape.
constexpr std::array<const char*, 6> kChangedSettings = {"VantroAnimateZooms",
                                                         "VantroShowZoomHudAlert",
                                                         "VantroShowDimensionsAfterZooms",
                                                         "VantroShowResizeHudAlert",
                                                         "VantroShowDimensionsDuringResizing",
                                                         "VantroPluginEnabled"};

struct WindowModel {
    bool open = true; // else hidden
    Rect frame;
    Size minSize;
    Size maxSize;
};

// What the generated actions may refer to.
struct Model {
    std::vector<std::optional<WindowModel>> windows; // nullopt once closed
    std::vector<Screen> screens{kPrimary};
};

// The last plug-in zoom of a window, as the user saw it.
struct ZoomSeen {
    std::string command;
    Rect before;
    Rect after;
    Rect visibleFrame;
};

struct System : vantro::testing::PluginSession {
    System() {
        settings.store().subscribeToChanges();
        platform.screenList = {kPrimary};
    }

    // The settings application: another store on the same domain.
    settings::VantroUserDefaults otherProcess{std::make_unique<settings::MemoryBackend>(data),
                                              settings::BroadcastObject::prefPane,
                                              settings::kDomain};
    std::vector<std::unique_ptr<FakeWindow>> windows;
    std::vector<std::optional<ZoomSeen>> lastZoom;
    std::map<std::string, PlistValue, std::less<>> written;

    // Lets every animation and delayed action of the plug-in finish.
    void settle() { platform.clock.advance(1.5); }
};

const Rect& visibleFrameFor(const Rect& frame, const std::vector<Screen>& screens) {
    const int index = screenHoldingMostOf(frame, screens);
    return screens[index < 0 ? 0 : static_cast<std::size_t>(index)].visibleFrame;
}

// A zoom's size: held to the visible frame, then to the window's maximum,
// then to its minimum, which wins.
Size heldToLimits(Size size, const WindowModel& window, const Rect& v) {
    return {
        std::max(std::min({size.width, v.size.width, window.maxSize.width}), window.minSize.width),
        std::max(std::min({size.height, v.size.height, window.maxSize.height}),
                 window.minSize.height)};
}

Rect layoutFrame(const Layout& layout, const Rect& v, const WindowModel& window) {
    const Size allowed = heldToLimits(
        {share(v.size.width, layout.widthShare), share(v.size.height, layout.heightShare)}, window,
        v);
    return {place(layout.x, v.minX(), v.size.width, allowed.width),
            place(layout.y, v.minY(), v.size.height, allowed.height), allowed.width,
            allowed.height};
}

bool touchesEdgeOf(const Rect& frame, const Rect& v) {
    return std::fabs(frame.minX() - v.minX()) <= 1 || std::fabs(frame.maxX() - v.maxX()) <= 1 ||
           std::fabs(frame.minY() - v.minY()) <= 1 || std::fabs(frame.maxY() - v.maxY()) <= 1;
}

bool onSomeScreen(const Rect& frame, const std::vector<Screen>& screens) {
    return std::any_of(screens.begin(), screens.end(),
                       [&](const Screen& s) { return intersectionArea(frame, s.frame) > 0; });
}

// The pointer cannot leave the monitors: the nearest point on one.
Point onScreen(Point p, const std::vector<Screen>& screens) {
    Point best = p;
    double bestDistance = std::numeric_limits<double>::infinity();
    for (const Screen& screen : screens) {
        const Point q{std::clamp(p.x, screen.frame.minX(), screen.frame.maxX() - 1),
                      std::clamp(p.y, screen.frame.minY(), screen.frame.maxY() - 1)};
        const double distance = std::hypot(q.x - p.x, q.y - p.y);
        if (distance < bestDistance) {
            best = q;
            bestDistance = distance;
        }
    }
    return best;
}

// `slack` below the minimum is allowed where a ratio floors one length.
void checkSize(const Rect& frame, const WindowModel& window) {
    RC_ASSERT(frame.size.width >= window.minSize.width - 0.5);
    RC_ASSERT(frame.size.height >= window.minSize.height - 0.5);
    RC_ASSERT(frame.size.width <= window.maxSize.width + 0.5);
    RC_ASSERT(frame.size.height <= window.maxSize.height + 0.5);
}

// What holds after every action: state only for open windows, no popup over
// a window that is gone or hidden, every setting written still read back.
void checkEverywhere(const Model& model, System& system) {
    std::size_t withState = 0;
    for (std::size_t i = 0; i < system.windows.size(); ++i) {
        if (!system.windows[i]) {
            continue;
        }
        const bool hasState = core::vantroFakeIvars().entryFor(system.windows[i].get()) != nullptr;
        if (!model.windows[i]->open) {
            RC_ASSERT(!hasState);
        }
        withState += hasState ? 1 : 0;
    }
    RC_ASSERT(core::vantroFakeIvars().entryCount() == withState);
    // The popups are the process's, shared by every window and every case:
    // each shown only over a window that is open.
    const auto shownOver = [&](const runtime::Object* over) {
        const auto owner = std::find_if(system.windows.begin(), system.windows.end(),
                                        [&](const auto& w) { return w && w.get() == over; });
        RC_ASSERT(owner != system.windows.end());
        RC_ASSERT(model.windows[static_cast<std::size_t>(owner - system.windows.begin())]->open);
    };
    const platform::FeedbackSurface* indicator = feedback::topLeftResizeIndicator().surface();
    for (const platform::FeedbackSurface* surface :
         {&feedback::hudAlertWindow().surface(), &feedback::dimensionsBox().surface(), indicator}) {
        if (surface != nullptr && surface->isVisible()) {
            shownOver(surface->orderedAbove());
        }
    }
    if (feedback::dimensionsBox().isAttached()) {
        shownOver(feedback::dimensionsBox().attachedTo());
    }
    if (feedback::topLeftResizeIndicator().isShown()) {
        shownOver(feedback::topLeftResizeIndicator().shownOver());
    }
    for (const auto& [key, value] : system.written) {
        const PlistValue* read = system.settings.store().objectForKey(key);
        RC_ASSERT(read != nullptr);
        RC_ASSERT(*read == value);
    }
}

using Command = rc::state::Command<Model, System>;

std::vector<std::size_t> indicesOf(const Model& model, bool open) {
    std::vector<std::size_t> found;
    for (std::size_t i = 0; i < model.windows.size(); ++i) {
        if (model.windows[i] && model.windows[i]->open == open) {
            found.push_back(i);
        }
    }
    return found;
}

ModifierFlags anyKeys() {
    ModifierFlags flags = 0;
    for (const ModifierFlags key : kKeys) {
        if (*rc::gen::inRange(0, 3) == 0) {
            flags |= key;
        }
    }
    return flags;
}

struct OpenWindow final : Command {
    WindowModel window;
    explicit OpenWindow(const Model& model) {
        const Screen& screen = *rc::gen::elementOf(model.screens);
        const double width = *rc::gen::inRange(120, 1200);
        const double height = *rc::gen::inRange(90, 900);
        window.frame = Rect(screen.frame.minX() + *rc::gen::inRange(0, 400),
                            screen.frame.minY() + *rc::gen::inRange(0, 300), width, height);
        const bool limited = *rc::gen::inRange(0, 3) == 0;
        // Every toolkit window has some minimum size.
        window.minSize = limited ? Size{static_cast<double>(*rc::gen::inRange(100, 120)),
                                        static_cast<double>(*rc::gen::inRange(80, 90))}
                                 : Size{40, 30};
        window.maxSize = limited ? Size{static_cast<double>(*rc::gen::inRange(1200, 2400)),
                                        static_cast<double>(*rc::gen::inRange(900, 1600))}
                                 : Size{1.0e7, 1.0e7};
    }
    void checkPreconditions(const Model& model) const override {
        RC_PRE((model.windows.size() < 2 * kMaxWindows &&
                indicesOf(model, true).size() < kMaxWindows));
        RC_PRE(onSomeScreen(window.frame, model.screens));
    }
    void apply(Model& model) const override { model.windows.emplace_back(window); }
    void run(const Model& model, System& system) const override {
        auto created = std::make_unique<FakeWindow>(system.platform);
        created->frame = window.frame;
        created->minSize = window.minSize;
        created->maxSize = window.maxSize;
        system.windows.push_back(std::move(created));
        system.lastZoom.emplace_back();
        Model next = model;
        apply(next);
        checkEverywhere(next, system);
    }
    void show(std::ostream& os) const override {
        os << "open " << text(window.frame) << " min " << window.minSize.width << "x"
           << window.minSize.height << " max " << window.maxSize.width << "x"
           << window.maxSize.height;
    }
};

// Hidden (ordered out), shown again, or closed: hidden first, as the toolkit
// unmaps a window before destroying it, unless destroyed outright.
struct ChangeVisibility final : Command {
    enum Kind { hide, reveal, close, destroy } kind;
    std::size_t index = 0;
    explicit ChangeVisibility(const Model& model) {
        kind = *rc::gen::elementOf(std::vector<Kind>{hide, reveal, close, destroy});
        const auto candidates = indicesOf(model, kind != reveal);
        index = candidates.empty() ? 0 : *rc::gen::elementOf(candidates);
    }
    void checkPreconditions(const Model& model) const override {
        RC_PRE((index < model.windows.size() && model.windows[index].has_value()));
        RC_PRE(model.windows[index]->open == (kind != reveal));
    }
    void apply(Model& model) const override {
        if (kind == close || kind == destroy) {
            model.windows[index].reset();
        } else {
            model.windows[index]->open = kind == reveal;
        }
    }
    // What the toolkit does to the window.
    static void change(System& system, std::size_t index, Kind kind) {
        FakeWindow* window = system.windows[index].get();
        if (kind != destroy && kind != reveal) {
            orderOut(window, nullptr);
        }
        window->visible = kind == reveal;
        if (kind == close || kind == destroy) {
            system.windows[index].reset();
        }
        system.lastZoom[index].reset();
    }
    void run(const Model& model, System& system) const override {
        change(system, index, kind);
        system.settle();
        Model next = model;
        apply(next);
        checkEverywhere(next, system);
    }
    void show(std::ostream& os) const override {
        static constexpr std::array<const char*, 4> kNames = {"hide", "show", "close", "destroy"};
        os << kNames[kind] << " window " << index;
    }
};

// A zoom asked for by a title-button click with held keys, or a menu command
// or shortcut naming a maximize layout; optionally sent again while the
// first one's animation still runs.
struct Zoom final : Command {
    std::size_t index = 0;
    ModifierFlags keys = 0;
    std::optional<std::size_t> layout; // a menu command, else a click
    std::optional<double> againAfter;  // seconds into the animation
    // A move of the window that settles while the animation runs: the
    // window manager placing a window that has just opened.
    std::optional<double> moveSettlesAfter;
    explicit Zoom(const Model& model) {
        const auto candidates = indicesOf(model, true);
        index = candidates.empty() ? 0 : *rc::gen::elementOf(candidates);
        keys = anyKeys();
        if (*rc::gen::arbitrary<bool>()) {
            layout = *rc::gen::inRange<std::size_t>(0, kLayouts.size());
        }
        if (*rc::gen::inRange(0, 4) == 0) {
            againAfter = *rc::gen::inRange(1, 20) / 100.0;
        } else if (*rc::gen::inRange(0, 4) == 0) {
            moveSettlesAfter = *rc::gen::inRange(1, 20) / 100.0;
        }
    }
    void checkPreconditions(const Model& model) const override {
        RC_PRE(
            (index < model.windows.size() && model.windows[index] && model.windows[index]->open));
    }
    void apply(Model& /*model*/) const override {}
    [[nodiscard]] std::string name() const {
        return layout ? kLayouts[*layout].key : "click " + std::to_string(keys);
    }
    static void send(FakeWindow* window, System& system, ModifierFlags keys,
                     std::optional<std::size_t> layout) {
        system.platform.holdModifiers(keys);
        if (layout) {
            runtime::send<void>(window, Selector::named("vantroZoomWithFeature:"),
                                std::string_view(kLayouts[*layout].key));
        } else {
            platform::zoom(window, nullptr);
        }
    }
    void send(FakeWindow* window, System& system) const { send(window, system, keys, layout); }
    void run(const Model& model, System& system) const override {
        FakeWindow* window = system.windows[index].get();
        const WindowModel& limits = *model.windows[index];
        const Rect before = window->frame;
        const Rect v = visibleFrameFor(before, system.platform.screenList);
        const std::size_t hostZooms = window->countOf("zoom:");
        send(window, system);
        // The frame the last sending zooms from: sent again, the first zoom
        // is undone to a frame held to the visible frame, which may then lie
        // mostly on another monitor.
        Rect from = before;
        if (againAfter) {
            system.platform.clock.advance(*againAfter);
            send(window, system);
            system.settle();
            from = window->frame;
            send(window, system);
        }
        const Rect& vFrom = visibleFrameFor(from, system.platform.screenList);
        std::optional<Rect> midway;
        if (moveSettlesAfter) {
            system.platform.clock.advance(*moveSettlesAfter);
            midway = window->frame;
            runtime::send<void>(window, platform::sel::setFrameAfterMove(), *midway);
        }
        system.settle();
        const Rect after = window->frame;
        // An animation passes between where the window was and where it goes.
        const auto between = [](double start, double now, double to) {
            return std::min(start, to) <= now && now <= std::max(start, to);
        };
        RC_ASSERT(
            (!midway || (between(before.minX(), midway->minX(), after.minX()) &&
                         between(before.minY(), midway->minY(), after.minY()) &&
                         between(before.size.width, midway->size.width, after.size.width) &&
                         between(before.size.height, midway->size.height, after.size.height))));
        RC_LOG() << "zoom " << text(before) << " -> " << text(after) << "\n";
        std::optional<ZoomSeen>& last = system.lastZoom[index];
        if (window->countOf("zoom:") != hostZooms) {
            // The host's own zoom, which a window manager holds to the limits.
            // The plug-in's history stays: an untouched frame can still be undone.
            window->frame.size = heldToLimits(window->frame.size, limits, Rect(0, 0, 1.0e7, 1.0e7));
            // A move settling away from the plug-in's zoom ends its history.
            if (midway && last && *midway != last->after) {
                last.reset();
            }
            return checkEverywhere(model, system);
        }
        // Repeating the same command on an untouched window returns it to the
        // frame it had before, unless that was already the target.
        const bool untouched =
            last && last->after == before && last->visibleFrame == v && last->before != before;
        const bool undo = untouched && last->command == name();
        // A click's feature is the one its keys select: unknown here.
        const bool mayUndo = untouched && last->command.starts_with("click");
        if (undo) {
            RC_ASSERT(after ==
                      Rect(last->before.origin, heldToLimits(last->before.size, limits, v)));
        } else if (layout) {
            RC_ASSERT((after == layoutFrame(kLayouts[*layout], vFrom, limits) ||
                       (mayUndo && after == Rect(last->before.origin,
                                                 heldToLimits(last->before.size, limits, v)))));
        } else {
            const bool isLayout =
                std::any_of(kLayouts.begin(), kLayouts.end(), [&](const Layout& l) {
                    return after == layoutFrame(l, vFrom, limits);
                });
            const bool isUndo =
                last && last->after == before &&
                after == Rect(last->before.origin, heldToLimits(last->before.size, limits, v));
            RC_ASSERT((isLayout || isUndo || after == from));
        }
        checkSize(after, limits);
        // Off every monitor only when returning to where it was.
        RC_ASSERT((onSomeScreen(after, system.platform.screenList) ||
                   (last && after.origin == last->before.origin)));
        // Sent again during the animation, the command undid the zoom at once
        // and the third sending zoomed from where that left the window.
        last = ZoomSeen{name(), from, after, vFrom};
        // A move settling during the animation leaves the zoom's history:
        // the same command at once undoes it.
        if (moveSettlesAfter && !untouched && after != before) {
            send(window, system);
            system.settle();
            RC_LOG() << "again -> " << text(window->frame) << "\n";
            RC_ASSERT(window->frame == Rect(before.origin, heldToLimits(before.size, limits, v)));
            last = ZoomSeen{name(), after, window->frame, v};
        }
        checkEverywhere(model, system);
    }
    void show(std::ostream& os) const override {
        os << "zoom window " << index << " by " << name() << " keys " << keys;
        if (againAfter) {
            os << " again after " << *againAfter << " s";
        }
        if (moveSettlesAfter) {
            os << ", a move settling after " << *moveSettlesAfter << " s";
        }
    }
};

// A zoom, or the same one twice (an undo, which shows the HUD), animated or
// not, then the window hidden, closed (hidden first) or destroyed 0.01 to
// 0.6 s later: in mid-animation, with the tab and the HUD up over it.
struct CloseWhileZooming final : Command {
    std::size_t index = 0;
    ModifierFlags keys = 0;
    std::optional<std::size_t> layout;
    bool undo = false;
    bool animated = true;
    double after = 0;
    ChangeVisibility::Kind kind = ChangeVisibility::close;
    explicit CloseWhileZooming(const Model& model)
        : undo(*rc::gen::arbitrary<bool>()), animated(*rc::gen::inRange(0, 4) != 0),
          after(*rc::gen::inRange(1, 61) / 100.0) {
        const auto candidates = indicesOf(model, true);
        index = candidates.empty() ? 0 : *rc::gen::elementOf(candidates);
        keys = anyKeys();
        if (*rc::gen::arbitrary<bool>()) {
            layout = *rc::gen::inRange<std::size_t>(0, kLayouts.size());
        }
        kind = *rc::gen::elementOf(std::vector<ChangeVisibility::Kind>{
            ChangeVisibility::hide, ChangeVisibility::close, ChangeVisibility::destroy});
    }
    void checkPreconditions(const Model& model) const override {
        RC_PRE(
            (index < model.windows.size() && model.windows[index] && model.windows[index]->open));
    }
    void apply(Model& model) const override {
        if (kind == ChangeVisibility::hide) {
            model.windows[index]->open = false;
        } else {
            model.windows[index].reset();
        }
    }
    void run(const Model& model, System& system) const override {
        const PlistValue animation = vantro::testing::settingPair(animated, -1);
        RC_ASSERT(system.otherProcess.setObject(&animation, "VantroAnimateZooms").ok());
        system.written["VantroAnimateZooms"] = animation;
        FakeWindow* window = system.windows[index].get();
        const std::size_t hostZooms = window->countOf("zoom:");
        Zoom::send(window, system, keys, layout);
        if (undo) {
            system.settle();
            Zoom::send(window, system, keys, layout);
        }
        if (window->countOf("zoom:") != hostZooms) { // as a window manager holds the host's zoom
            window->frame.size =
                heldToLimits(window->frame.size, *model.windows[index], Rect(0, 0, 1.0e7, 1.0e7));
        }
        system.platform.clock.advance(after);
        ChangeVisibility::change(system, index, kind);
        Model next = model;
        apply(next);
        checkEverywhere(next, system); // at once, and once the animation would have ended
        system.settle();
        checkEverywhere(next, system);
    }
    void show(std::ostream& os) const override {
        static constexpr std::array<const char*, 4> kNames = {"hide", "show", "close", "destroy"};
        os << (undo ? "zoom twice window " : "zoom window ") << index << " by "
           << (layout ? kLayouts[*layout].key : "click") << " keys " << keys
           << (animated ? " animated, " : ", ") << kNames[kind] << " after " << after << " s";
    }
};

// A drag of an edge or corner: pointer moves with keys pressed and released
// along the way, and key changes with the pointer still.
struct Drag final : Command {
    enum Grip { right, bottom, bottomRight, left, top, topLeft } grip = right;
    struct Step {
        double dx;
        double dy;
        ModifierFlags keys;
    };
    std::size_t index = 0;
    std::vector<Step> steps;
    explicit Drag(const Model& model) {
        const auto candidates = indicesOf(model, true);
        index = candidates.empty() ? 0 : *rc::gen::elementOf(candidates);
        grip =
            *rc::gen::elementOf(std::vector<Grip>{right, bottom, bottomRight, left, top, topLeft});
        const int count = *rc::gen::inRange(1, 8);
        ModifierFlags keys = 0;
        for (int i = 0; i < count; ++i) {
            const bool still = *rc::gen::inRange(0, 3) == 0;
            if (*rc::gen::inRange(0, 2) == 0) {
                keys = anyKeys() & ~kFunctionKeyMask;
            }
            // A pointer movement moves by at least a pixel.
            const double dx = still ? 0.0 : *rc::gen::inRange(-300, 300) * 1.0;
            const double dy = still ? 0.0 : *rc::gen::inRange(-300, 300) * 1.0;
            steps.push_back({dx, dy == 0 && dx == 0 && !still ? 1.0 : dy, keys});
        }
    }
    void checkPreconditions(const Model& model) const override {
        RC_PRE(
            (index < model.windows.size() && model.windows[index] && model.windows[index]->open));
    }
    void apply(Model& /*model*/) const override {}

    // The frame the host proposes with the mouse at `mouse`: the gripped
    // edges follow it, the others stay, within the window's limits.
    [[nodiscard]] Rect proposal(const Rect& start, Point mouse, const WindowModel& limits) const {
        double minX = start.minX();
        double maxX = start.maxX();
        double minY = start.minY();
        double maxY = start.maxY();
        const auto clamp = [](double length, double low, double high) {
            return std::clamp(length, low, high);
        };
        if (grip == right || grip == bottomRight) {
            maxX = minX + clamp(mouse.x - minX, limits.minSize.width, limits.maxSize.width);
        }
        if (grip == left || grip == topLeft) {
            minX = maxX - clamp(maxX - mouse.x, limits.minSize.width, limits.maxSize.width);
        }
        if (grip == bottom || grip == bottomRight) {
            minY = maxY - clamp(maxY - mouse.y, limits.minSize.height, limits.maxSize.height);
        }
        if (grip == top || grip == topLeft) {
            maxY = minY + clamp(mouse.y - minY, limits.minSize.height, limits.maxSize.height);
        }
        return {minX, minY, std::max(maxX - minX, 1.0), std::max(maxY - minY, 1.0)};
    }
    [[nodiscard]] Point gripPoint(const Rect& frame) const {
        const double x = (grip == left || grip == topLeft)        ? frame.minX()
                         : (grip == right || grip == bottomRight) ? frame.maxX()
                                                                  : frame.midX();
        const double y = (grip == top || grip == topLeft)          ? frame.maxY()
                         : (grip == bottom || grip == bottomRight) ? frame.minY()
                                                                   : frame.midY();
        return {x, y};
    }

    void run(const Model& model, System& system) const override {
        FakeWindow* window = system.windows[index].get();
        const WindowModel& limits = *model.windows[index];
        // With the plug-in off the host's drag is not the plug-in's to check.
        const bool checked = system.settings.store().boolForKey("VantroPluginEnabled");
        Point mouse = gripPoint(window->frame);
        static constexpr std::array<unsigned, 6> kEdges = {
            kResizeRightEdge, kResizeBottomEdge, kResizeRightEdge | kResizeBottomEdge,
            kResizeLeftEdge,  kResizeTopEdge,    kResizeLeftEdge | kResizeTopEdge};
        system.platform.resizeEdges = kEdges[grip];
        system.setEvent(EventType::leftMouseDown, mouse, 0, 1);
        runtime::send<void>(window, sel::startLiveResize());
        ModifierFlags held = 0;
        bool featured = false;
        const bool startsOnScreen =
            std::any_of(system.platform.screenList.begin(), system.platform.screenList.end(),
                        [&](const Screen& s) {
                            return intersectionArea(window->frame, s.frame) ==
                                   window->frame.size.width * window->frame.size.height;
                        });
        std::optional<Rect> pinnedFrom;
        std::optional<double> ratio;
        for (const Step& step : steps) {
            const Rect before = window->frame;
            const bool still = step.dx == 0 && step.dy == 0;
            mouse =
                onScreen(Point{mouse.x + step.dx, mouse.y + step.dy}, system.platform.screenList);
            // Keys changed with the pointer still reach the window as a
            // modifier event, never as a motion.
            system.setEvent(still ? EventType::flagsChanged : EventType::leftMouseDragged, mouse,
                            step.keys);
            const Rect proposed = still ? before : proposal(before, mouse, limits);
            setFrameDisplay(window, proposed, true);
            const Rect after = window->frame;
            RC_LOG() << "drag step " << text(before) << " -> " << text(after) << "\n";
            held = checked ? held : step.keys;
            if (still && step.keys != held) {
                RC_ASSERT(after == before); // keys alone move nothing
            }
            // Until a feature key is first held the drag of a window wholly
            // on a monitor is the host's own.
            featured = featured || (checked && step.keys != 0) || !startsOnScreen;
            RC_ASSERT((featured || after == proposed));
            if (checked) {
                checkSize(after, limits);
            }
            // Centred: on a monitor's centre along the axes the grip moves.
            if (checked && startsOnScreen && !still && (step.keys & kAlternateKeyMask) != 0) {
                const bool alongX = grip != top && grip != bottom;
                const bool alongY = grip != left && grip != right;
                RC_ASSERT(
                    std::any_of(system.platform.screenList.begin(),
                                system.platform.screenList.end(), [&](const Screen& s) {
                                    const Rect& sv = s.visibleFrame;
                                    return (!alongX || std::fabs(after.midX() - sv.midX()) <= 1) &&
                                           (!alongY || std::fabs(after.midY() - sv.midY()) <= 1);
                                }));
            }
            // Plain or centred, past the step that changed the anchoring, a
            // side's drag leaves the other sides where they were.
            if (checked && !still && step.keys == held && (step.keys & ~kAlternateKeyMask) == 0) {
                RC_ASSERT((grip != left && grip != right) ||
                          (after.minY() == before.minY() && after.maxY() == before.maxY()));
                RC_ASSERT((grip != top && grip != bottom) ||
                          (after.minX() == before.minX() && after.maxX() == before.maxX()));
            }
            // With the pointer on the window's own monitor, the window stays on one.
            const int own = screenHoldingMostOf(before, system.platform.screenList);
            if (checked && own >= 0 &&
                intersectionArea(
                    before, system.platform.screenList[static_cast<std::size_t>(own)].frame) > 0 &&
                intersectionArea(Rect(mouse.x, mouse.y, 1, 1),
                                 system.platform.screenList[static_cast<std::size_t>(own)].frame) >
                    0) {
                RC_ASSERT(onSomeScreen(after, system.platform.screenList));
            }
            // Pinned alone: the bottom-right corner stays where it was.
            if (checked && step.keys == kCommandKeyMask) {
                const Rect& from = pinnedFrom ? *pinnedFrom : before;
                RC_ASSERT(after.maxX() == from.maxX());
                RC_ASSERT(after.minY() == from.minY());
                pinnedFrom = from;
            } else {
                pinnedFrom.reset();
            }
            // The ratio alone, away from the limits and the visible frame's
            // edges: kept within a pixel while the key stays down (which
            // ratio is the plug-in's to choose).
            if (checked && step.keys == kControlKeyMask) {
                const Rect& v = visibleFrameFor(after, system.platform.screenList);
                const bool free = !touchesEdgeOf(after, v) &&
                                  after.size.width > limits.minSize.width + 1 &&
                                  after.size.width < limits.maxSize.width - 1 &&
                                  after.size.height > limits.minSize.height + 1 &&
                                  after.size.height < limits.maxSize.height - 1;
                if (free && ratio) {
                    const double r = *ratio;
                    // Within a pixel of the plug-in's ratio, which this one
                    // approximates within a pixel.
                    RC_ASSERT((std::fabs(after.size.width - r * after.size.height) <= 2.0 ||
                               std::fabs(after.size.height - after.size.width / r) <= 2.0));
                } else if (free && after.size.width >= 200 && after.size.height >= 200) {
                    // A ratio read off a small frame is too coarse to hold others to.
                    ratio = after.size.width / after.size.height;
                }
            } else {
                ratio.reset();
            }
            held = step.keys;
        }
        system.setEvent(EventType::leftMouseUp, mouse, 0, 1);
        runtime::send<void>(window, sel::endLiveResize());
        // The arrow is back once a drag ends, whatever its features showed.
        const std::vector<Cursor>& cursors = system.platform.cursorsSet;
        RC_ASSERT((cursors.empty() || cursors.back() == Cursor::arrow));
        system.lastZoom[index].reset();
        system.settle();
        // A drag ends the window's zoom history.
        RC_ASSERT(core::vantroFakeIvars().entryFor(window) == nullptr);
        checkEverywhere(model, system);
    }
    void show(std::ostream& os) const override {
        static constexpr std::array<const char*, 6> kNames = {"right", "bottom", "bottom-right",
                                                              "left",  "top",    "top-left"};
        os << "drag window " << index << " by " << kNames[grip] << ":";
        for (const Step& step : steps) {
            os << " (" << step.dx << "," << step.dy << " keys " << step.keys << ")";
        }
    }
};

// Monitors plugged in, unplugged or moved around the primary one (which
// stays at the origin), and work areas changing (a panel appears).
struct ChangeScreens final : Command {
    enum Kind { add, remove, move, workArea } kind = add;
    std::size_t index = 0;
    Screen screen;
    explicit ChangeScreens(const Model& model) {
        kind = *rc::gen::elementOf(std::vector<Kind>{add, remove, move, workArea});
        index = *rc::gen::inRange<std::size_t>(0, model.screens.size());
        static constexpr std::array<Size, 4> kSizes = {Size{1920, 1080}, Size{1280, 1024},
                                                       Size{1024, 768}, Size{2560, 1440}};
        const Size size = *rc::gen::elementOf(kSizes);
        // Right of, left of, above or below the primary, slid along it.
        const double slide = *rc::gen::inRange(-200, 200);
        switch (*rc::gen::inRange(0, 4)) {
        case 0:
            screen.frame = Rect(kPrimary.frame.maxX(), slide, size.width, size.height);
            break;
        case 1:
            screen.frame = Rect(-size.width, slide, size.width, size.height);
            break;
        case 2:
            screen.frame = Rect(slide, kPrimary.frame.maxY(), size.width, size.height);
            break;
        default:
            screen.frame = Rect(slide, -size.height, size.width, size.height);
            break;
        }
        screen.visibleFrame = screen.frame;
        if (kind == workArea) {
            screen.visibleFrame = Rect(0, *rc::gen::inRange(0, 60), 0, *rc::gen::inRange(0, 40));
        }
    }
    void checkPreconditions(const Model& model) const override {
        RC_PRE(index < model.screens.size());
        RC_PRE((kind != add || model.screens.size() < kMaxScreens));
        RC_PRE((kind == workArea || kind == add || index > 0));
        if (kind == add || kind == move) {
            for (std::size_t i = 0; i < model.screens.size(); ++i) {
                RC_PRE(((kind == move && i == index) ||
                        intersectionArea(model.screens[i].frame, screen.frame) == 0));
            }
        }
    }
    void apply(Model& model) const override {
        switch (kind) {
        case add:
            model.screens.push_back(screen);
            break;
        case remove:
            model.screens.erase(model.screens.begin() + static_cast<std::ptrdiff_t>(index));
            break;
        case move:
            model.screens[index] = screen;
            break;
        case workArea: {
            // A panel along the bottom and the top (insets in the y and height).
            Screen& changed = model.screens[index];
            const double bottom = screen.visibleFrame.minY();
            const double top = screen.visibleFrame.size.height;
            changed.visibleFrame =
                Rect(changed.frame.minX(), changed.frame.minY() + bottom, changed.frame.size.width,
                     changed.frame.size.height - bottom - top);
            break;
        }
        }
    }
    void run(const Model& model, System& system) const override {
        Model next = model;
        apply(next);
        system.platform.screenList = next.screens;
        // As a window manager does, windows whose top-left corner is on no
        // monitor any more move to the primary one.
        for (std::size_t i = 0; i < system.windows.size(); ++i) {
            FakeWindow* window = system.windows[i].get();
            if (window == nullptr) {
                continue;
            }
            const Point corner{window->frame.minX(), window->frame.maxY() - 1};
            if (!onSomeScreen(Rect(corner.x, corner.y, 1, 1), system.platform.screenList)) {
                const Rect& v = next.screens.front().visibleFrame;
                window->frame.size = heldToLimits(window->frame.size, *model.windows[i], v);
                window->frame.origin = Point{v.minX(), v.maxY() - window->frame.size.height};
                system.lastZoom[i].reset();
            }
        }
        checkEverywhere(next, system);
    }
    void show(std::ostream& os) const override {
        static constexpr std::array<const char*, 4> kNames = {"add", "remove", "move", "work area"};
        os << kNames[kind] << " screen " << index;
        if (kind == workArea) {
            os << " insets bottom " << screen.visibleFrame.minY() << " top "
               << screen.visibleFrame.size.height;
        } else if (kind != remove) {
            os << " " << text(screen.frame);
        }
    }
};

// A setting written by the settings application, arriving by announcement.
struct ChangeSetting final : Command {
    std::string key;
    PlistValue value;
    explicit ChangeSetting(const Model& /*model*/)
        : key(*rc::gen::elementOf(kChangedSettings)),
          value(key == "VantroPluginEnabled"
                    ? PlistValue::boolean(*rc::gen::inRange(0, 4) != 0)
                    : vantro::testing::settingPair(*rc::gen::arbitrary<bool>(),
                                                   *rc::gen::inRange(-1, 4))) {}
    void apply(Model& /*model*/) const override {}
    void run(const Model& model, System& system) const override {
        RC_ASSERT(system.otherProcess.setObject(&value, key).ok());
        system.written[key] = value;
        checkEverywhere(model, system);
    }
    void show(std::ostream& os) const override { os << "set " << key; }
};

RC_GTEST_PROP(UserActions, InvariantsHoldAfterEveryAction, ()) {
    System system;
    rc::state::check(Model{}, system,
                     rc::state::gen::execOneOfWithArgs<OpenWindow, OpenWindow, ChangeVisibility,
                                                       Zoom, Zoom, Zoom, Drag, Drag, ChangeScreens,
                                                       ChangeSetting, CloseWhileZooming>());
}

} // namespace
} // namespace vantro::model
