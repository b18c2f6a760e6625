#pragma once

// In-memory host windows. Their runtime class is "GtkWindow" (and any
// subclass a test asks for), with host methods that read and change the
// fields below, so a plug-in hook installed on the class runs exactly as it
// would over a real window. Every host action is recorded for tests.

#include "platform/geometry.h"
#include "runtime/class.h"
#include "runtime/object.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vantro::platform::fake {

class FakePlatform;

// What a host method did, in the order it happened.
struct HostAction {
    // The interned selector's name, which lives as long as the process, so
    // recording an action costs the host nothing.
    std::string_view selector;
    Rect frame;           // the frame after the action
    bool animate = false; // for setFrame:display:animate:
};

// A title-bar button of class "GtkTitleButton". Its host mouse handlers
// record the events they were given, as the toolkit's own handling would
// receive them.
class FakeTitleButton : public runtime::Object {
  public:
    FakeTitleButton();
    bool enabled = true;
    runtime::Object* window = nullptr;
    Rect frame{60, 460, 16, 16}; // in window coordinates
    bool highlighted = false;
    std::vector<bool> highlightsSet;           // every highlight: in order
    std::vector<std::string_view> hostHandled; // "mouseDown:", "rightMouseDown:"
};

// Menus of class "GtkMenu" get host methods: "update" counts its calls, and
// pop-ups through the class are recorded.
struct MenuPopUp {
    runtime::Object* menu;
    Point locationInWindow;
    runtime::Object* view;
};
std::vector<MenuPopUp>& menuPopUps();
std::size_t& menuUpdates();
// Adds the host methods to the menu class (once).
void addHostMenuMethods();
class FakeWindow : public runtime::Object {
  public:
    // A window of class "GtkWindow", or of the named subclass of it (created
    // on first use).
    explicit FakeWindow(FakePlatform& platform, std::string_view className = "GtkWindow");
    // As the backend does for a destroyed window: the plug-in forgets it and
    // no delayed call outlives it.
    ~FakeWindow() override;
    FakeWindow(const FakeWindow&) = delete;
    FakeWindow& operator=(const FakeWindow&) = delete;

    // The runtime class for `name`: "GtkWindow" itself, or a subclass of it.
    static runtime::Class* windowClass(std::string_view name = "GtkWindow");

    FakePlatform& platform;
    Rect frame{100, 100, 640, 480};
    Size minSize{0, 0};
    Size maxSize{1.0e7, 1.0e7};
    Size resizeIncrements{1, 1};
    Size aspectRatio{0, 0};
    double titleBarHeight = 22;
    unsigned styleMask = 15; // titled, closable, miniaturizable, resizable
    bool sheet = false;
    FakeWindow* parent = nullptr;
    std::vector<runtime::Object*> children;
    bool visible = true;
    bool keyWindow = true;
    bool showsResizeIndicator = true;
    bool inFullScreen = false;
    bool inLiveResize = false;
    long number = 0;
    runtime::Object* delegateObject = nullptr;
    FakeTitleButton zoomButton;
    FakeTitleButton closeButton;
    // The frame the host's own zoom toggles back to.
    Rect userFrame;
    bool zoomedByHost = false;

    std::vector<HostAction> actions;
    // Host actions whose selector is `selector`.
    [[nodiscard]] std::size_t countOf(std::string_view selector) const;
};

// A delegate that answers windowWillResize:toSize: by passing the proposed
// size through `adjust`.
class FakeResizeDelegate : public runtime::Object {
  public:
    explicit FakeResizeDelegate(std::function<Size(Size)> adjust);
    std::function<Size(Size)> adjust;
};

} // namespace vantro::platform::fake
