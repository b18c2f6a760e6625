#pragma once

// The services the plug-in uses that no hook replaces: screens, the current
// event and modal tracking, cursors, the clock with delayed calls and
// animations, feedback surfaces, and facts about the process and the plug-in
// bundle. Windows, menus and title buttons are runtime objects instead (see
// window.h), because the plug-in replaces their methods.
//
// One backend is current per process: the GTK backend inside a host
// application, the fake backend in unit tests.

#include "platform/event.h"
#include "platform/feedback_surface.h"
#include "platform/geometry.h"
#include "runtime/object.h"
#include "runtime/selector.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantro::platform {

enum class Cursor { arrow, crosshair, resizeLeftRight, resizeUpDown };

// The sides of a window that a resize drag holds. Top and bottom are as the
// user sees them (the top is the high y).
enum ResizeEdge : unsigned {
    kResizeLeftEdge = 1U << 0,
    kResizeRightEdge = 1U << 1,
    kResizeTopEdge = 1U << 2,
    kResizeBottomEdge = 1U << 3,
};

using AnimationId = std::uint64_t;

class Platform {
  public:
    virtual ~Platform() = default;

    // --- Screens: the first is the main screen, whose bottom-left corner is
    // the origin of all coordinates.
    [[nodiscard]] virtual const std::vector<Screen>& screens() const = 0;

    // --- Events.
    // The event being handled; none outside event handling.
    [[nodiscard]] virtual std::optional<Event> currentEvent() const = 0;
    [[nodiscard]] virtual Point mouseLocation() const = 0;
    // Modal tracking: the next event of one of the masked types, or none when
    // the event source ends (the pointer grab was lost, the script ran out).
    virtual std::optional<Event> nextEventMatchingMask(EventMask mask) = 0;
    virtual void setCursor(Cursor cursor) = 0;
    // The sides the resize drag being handled holds: a host that resizes
    // only from the bottom-right corner answers those two.
    [[nodiscard]] virtual unsigned liveResizeEdges() const {
        return kResizeRightEdge | kResizeBottomEdge;
    }

    // --- Time, delayed calls and animation, all on the main loop.
    [[nodiscard]] virtual double now() const = 0;
    // Runs `action` after `delay` seconds. Calls are keyed by target and
    // selector so that cancelPerforms can remove them, as the platform's
    // performSelector:afterDelay: and its cancel are.
    virtual void performAfterDelay(const void* target, runtime::Selector selector, double delay,
                                   std::function<void()> action) = 0;
    virtual void cancelPerforms(const void* target, runtime::Selector selector) = 0;
    // Every delayed call keyed by `target`, whatever its selector. A backend
    // calls it when a window is destroyed, so that no call outlives it.
    virtual void cancelAllPerforms(const void* target) = 0;
    // Calls `step` with progress from 0 to 1 over `duration` seconds, then
    // `done`. Answers an id for cancelAnimation.
    virtual AnimationId animate(double duration, std::function<void(double progress)> step,
                                std::function<void()> done) = 0;
    virtual void cancelAnimation(AnimationId id) = 0;

    // --- Menus: the application's main menu and its Windows menu, as
    // runtime menu objects; null when the application has none.
    [[nodiscard]] virtual runtime::Object* mainMenu() const = 0;
    [[nodiscard]] virtual runtime::Object* windowsMenu() const = 0;

    // --- Feedback surfaces.
    virtual std::unique_ptr<FeedbackSurface> createFeedbackSurface(FeedbackKind kind) = 0;

    // --- Process and bundle facts.
    // The host's identifier (application id, else program name); none when
    // the host has neither.
    [[nodiscard]] virtual const std::optional<std::string>& hostBundleIdentifier() const = 0;
    // Whether the host is a Java process, where the plug-in declines to load.
    [[nodiscard]] virtual bool isJavaProcess() const = 0;
    // Asked on every gated step: a reference, so that asking costs nothing.
    [[nodiscard]] virtual const std::string& pluginBundlePath() const = 0;
    [[nodiscard]] virtual std::optional<std::string>
    pathForImageResource(std::string_view name) const = 0;
    [[nodiscard]] virtual bool fileExistsAtPath(std::string_view path) const = 0;
    // The user's data folder ($XDG_DATA_HOME, by default ~/.local/share).
    [[nodiscard]] virtual std::string userDataDirectory() const = 0;
    // Starts the settings application of the preference pane at `path` and
    // brings its window to the front; false when it could not be started.
    virtual bool openPreferencePane(std::string_view path) = 0;
    // The toolkit version in the numbering the plug-in's behaviour is keyed
    // on: 949 or less is the oldest generation, above 1038 the newest.
    [[nodiscard]] virtual double appKitVersionNumber() const = 0;
};

// Called by a backend just before a window object is freed, so that whatever
// keeps the window's address (its state, a feedback surface shown over it, an
// animation that moves it) lets go of it. Handlers run in the order added.
void addWindowGoneHandler(std::function<void(runtime::Object* window)> handler);
void windowWillGo(runtime::Object* window);

// The current backend. Using it before one is installed is a programming
// error: it stops the process in debug builds.
Platform& currentPlatform();
bool hasCurrentPlatform();
// Installs `platform` (not owned) and answers the previous one.
Platform* setCurrentPlatform(Platform* platform);

} // namespace vantro::platform
