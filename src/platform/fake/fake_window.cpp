#include "platform/fake/fake_window.h"

#include "platform/menu_model.h"
#include "platform/title_button.h"

#include "platform/fake/fake_platform.h"
#include "platform/screen_lookup.h"
#include "platform/window.h"

#include <algorithm>

namespace vantro::platform::fake {

using runtime::Class;
using runtime::Object;
using runtime::Selector;

namespace {

// Host methods are only ever installed on classes whose instances are
// FakeWindows, but a test may create a bare instance of the class: such an
// object answers zero values instead of being misread.
FakeWindow* asWindow(Object* self) {
    return dynamic_cast<FakeWindow*>(self);
}

void record(FakeWindow& window, Selector selector, bool animate = false) {
    window.actions.push_back(HostAction{selector.name(), window.frame, animate});
}

Rect frameOf(Object* self, Selector) {
    FakeWindow* w = asWindow(self);
    return w != nullptr ? w->frame : Rect();
}
Size minSizeOf(Object* self, Selector) {
    FakeWindow* w = asWindow(self);
    return w != nullptr ? w->minSize : Size();
}
Size maxSizeOf(Object* self, Selector) {
    FakeWindow* w = asWindow(self);
    return w != nullptr ? w->maxSize : Size();
}
Size incrementsOf(Object* self, Selector) {
    FakeWindow* w = asWindow(self);
    return w != nullptr ? w->resizeIncrements : Size();
}
Size aspectRatioOf(Object* self, Selector) {
    FakeWindow* w = asWindow(self);
    return w != nullptr ? w->aspectRatio : Size();
}
int screenOf(Object* self, Selector) {
    FakeWindow* w = asWindow(self);
    return w != nullptr ? screenHoldingMostOf(w->frame, w->platform.screens()) : -1;
}
unsigned styleMaskOf(Object* self, Selector) {
    FakeWindow* w = asWindow(self);
    return w != nullptr ? w->styleMask : 0;
}
Rect contentViewFrameOf(Object* self, Selector) {
    FakeWindow* w = asWindow(self);
    if (w == nullptr) {
        return {};
    }
    return {0, 0, w->frame.size.width, std::max(0.0, w->frame.size.height - w->titleBarHeight)};
}
bool isSheetOf(Object* self, Selector) {
    FakeWindow* w = asWindow(self);
    return w != nullptr && w->sheet;
}
Object* parentOf(Object* self, Selector) {
    FakeWindow* w = asWindow(self);
    return w != nullptr ? w->parent : nullptr;
}
std::vector<Object*> childrenOf(Object* self, Selector) {
    FakeWindow* w = asWindow(self);
    return w != nullptr ? w->children : std::vector<Object*>();
}
bool isVisibleOf(Object* self, Selector) {
    FakeWindow* w = asWindow(self);
    return w != nullptr && w->visible;
}
bool showsIndicatorOf(Object* self, Selector) {
    FakeWindow* w = asWindow(self);
    return w != nullptr && w->showsResizeIndicator;
}
Object* standardButtonOf(Object* self, Selector, int kind) {
    FakeWindow* w = asWindow(self);
    return (w != nullptr && kind == kZoomButtonKind) ? &w->zoomButton : nullptr;
}
long windowNumberOf(Object* self, Selector) {
    FakeWindow* w = asWindow(self);
    return w != nullptr ? w->number : 0;
}
bool inFullScreenOf(Object* self, Selector) {
    FakeWindow* w = asWindow(self);
    return w != nullptr && w->inFullScreen;
}
bool inLiveResizeOf(Object* self, Selector) {
    FakeWindow* w = asWindow(self);
    return w != nullptr && w->inLiveResize;
}
Object* delegateOf(Object* self, Selector) {
    FakeWindow* w = asWindow(self);
    return w != nullptr ? w->delegateObject : nullptr;
}

void setFrameDisplay(Object* self, Selector cmd, Rect rect, bool /*display*/) {
    if (FakeWindow* w = asWindow(self)) {
        w->frame = rect;
        record(*w, cmd);
    }
}
void setFrameDisplayAnimate(Object* self, Selector cmd, Rect rect, bool /*display*/, bool animate) {
    if (FakeWindow* w = asWindow(self)) {
        w->frame = rect;
        record(*w, cmd, animate);
    }
}
void setFrameOrigin(Object* self, Selector cmd, Point origin) {
    if (FakeWindow* w = asWindow(self)) {
        w->frame.origin = origin;
        record(*w, cmd);
    }
}
void setFrameFromRect(Object* self, Selector cmd, Rect rect) {
    if (FakeWindow* w = asWindow(self)) {
        w->frame = rect;
        record(*w, cmd);
    }
}

// The host's standard zoom: toggles between the visible frame of the
// window's screen and the frame it had before.
void hostZoom(Object* self, Selector cmd, Object* /*sender*/) {
    FakeWindow* w = asWindow(self);
    if (w == nullptr) {
        return;
    }
    if (w->zoomedByHost) {
        w->frame = w->userFrame;
        w->zoomedByHost = false;
    } else {
        const auto& screens = w->platform.screens();
        const int index = screenHoldingMostOf(w->frame, screens);
        if (index >= 0) {
            w->userFrame = w->frame;
            w->frame = screens[static_cast<std::size_t>(index)].visibleFrame;
            w->zoomedByHost = true;
        }
    }
    record(*w, cmd);
}
void hostPerformZoom(Object* self, Selector cmd, Object* sender) {
    if (FakeWindow* w = asWindow(self)) {
        record(*w, cmd);
        zoom(self, sender);
    }
}
void hostOrderOut(Object* self, Selector cmd, Object* /*sender*/) {
    if (FakeWindow* w = asWindow(self)) {
        w->visible = false;
        record(*w, cmd);
    }
}
void hostResignKey(Object* self, Selector cmd) {
    if (FakeWindow* w = asWindow(self)) {
        w->keyWindow = false;
        record(*w, cmd);
    }
}
void hostStartLiveResize(Object* self, Selector cmd) {
    if (FakeWindow* w = asWindow(self)) {
        w->inLiveResize = true;
        record(*w, cmd);
    }
}
void hostEndLiveResize(Object* self, Selector cmd) {
    if (FakeWindow* w = asWindow(self)) {
        w->inLiveResize = false;
        record(*w, cmd);
    }
}

bool buttonIsEnabled(Object* self, Selector) {
    auto* button = dynamic_cast<FakeTitleButton*>(self);
    return button != nullptr && button->enabled;
}
Object* buttonWindowOf(Object* self, Selector) {
    auto* button = dynamic_cast<FakeTitleButton*>(self);
    return button != nullptr ? button->window : nullptr;
}
Rect buttonFrameOf(Object* self, Selector) {
    auto* button = dynamic_cast<FakeTitleButton*>(self);
    return button != nullptr ? button->frame : Rect();
}
void buttonHighlight(Object* self, Selector, bool on) {
    if (auto* button = dynamic_cast<FakeTitleButton*>(self)) {
        button->highlighted = on;
        button->highlightsSet.push_back(on);
    }
}
void buttonHostHandles(Object* self, Selector cmd, Event /*event*/) {
    if (auto* button = dynamic_cast<FakeTitleButton*>(self)) {
        button->hostHandled.push_back(cmd.name());
    }
}
void menuPopUp(Object* /*self*/, Selector, Object* menu, Event event, Object* view) {
    menuPopUps().push_back({menu, event.locationInWindow, view});
}
void menuHostUpdate(Object* /*self*/, Selector) {
    ++menuUpdates();
}

Size delegateWillResize(Object* self, Selector, Object* /*window*/, Size proposed) {
    auto* delegate = dynamic_cast<FakeResizeDelegate*>(self);
    return delegate != nullptr && delegate->adjust ? delegate->adjust(proposed) : proposed;
}

Class* makeRootWindowClass() {
    Class* cls = runtime::defineClass(kWindowClassName, nullptr);
    cls->setOwner("org.gtk.Gtk");
    using runtime::addMethod;
    addMethod(cls, "frame", &frameOf);
    addMethod(cls, "minSize", &minSizeOf);
    addMethod(cls, "maxSize", &maxSizeOf);
    addMethod(cls, "resizeIncrements", &incrementsOf);
    addMethod(cls, "aspectRatio", &aspectRatioOf);
    addMethod(cls, "screen", &screenOf);
    addMethod(cls, "styleMask", &styleMaskOf);
    addMethod(cls, "contentViewFrame", &contentViewFrameOf);
    addMethod(cls, "isSheet", &isSheetOf);
    addMethod(cls, "parentWindow", &parentOf);
    addMethod(cls, "childWindows", &childrenOf);
    addMethod(cls, "isVisible", &isVisibleOf);
    addMethod(cls, "showsResizeIndicator", &showsIndicatorOf);
    addMethod(cls, "standardWindowButton:", &standardButtonOf);
    addMethod(cls, "windowNumber", &windowNumberOf);
    addMethod(cls, "_inFullScreen", &inFullScreenOf);
    addMethod(cls, "delegate", &delegateOf);
    addMethod(cls, "inLiveResize", &inLiveResizeOf);
    addMethod(cls, "setFrame:display:", &setFrameDisplay);
    addMethod(cls, "setFrame:display:animate:", &setFrameDisplayAnimate);
    addMethod(cls, "setFrameOrigin:", &setFrameOrigin);
    addMethod(cls, "_setFrame:", &setFrameFromRect);
    addMethod(cls, "_setFrameAfterMove:", &setFrameFromRect);
    addMethod(cls, "_windowMovedToRect:", &setFrameFromRect);
    addMethod(cls, "zoom:", &hostZoom);
    addMethod(cls, "performZoom:", &hostPerformZoom);
    addMethod(cls, "orderOut:", &hostOrderOut);
    addMethod(cls, "resignKeyWindow", &hostResignKey);
    addMethod(cls, "_startLiveResize", &hostStartLiveResize);
    addMethod(cls, "_endLiveResize", &hostEndLiveResize);
    return cls;
}

Class* titleButtonClass() {
    static Class* cls = [] {
        Class* c = runtime::defineClass(kTitleButtonClassName, nullptr);
        c->setOwner("org.gtk.Gtk");
        runtime::addMethod(c, "isEnabled", &buttonIsEnabled);
        runtime::addMethod(c, "window", &buttonWindowOf);
        runtime::addMethod(c, "frame", &buttonFrameOf);
        runtime::addMethod(c, "highlight:", &buttonHighlight);
        runtime::addMethod(c, "mouseDown:", &buttonHostHandles);
        runtime::addMethod(c, "rightMouseDown:", &buttonHostHandles);
        return c;
    }();
    return cls;
}

Class* resizeDelegateClass() {
    static Class* cls = [] {
        Class* c = runtime::defineClass("FakeResizeDelegate", nullptr);
        runtime::addMethod(c, "windowWillResize:toSize:", &delegateWillResize);
        return c;
    }();
    return cls;
}

} // namespace

FakeTitleButton::FakeTitleButton() : Object(titleButtonClass()) {}

std::vector<MenuPopUp>& menuPopUps() {
    static auto* popUps = new std::vector<MenuPopUp>();
    return *popUps;
}

std::size_t& menuUpdates() {
    static std::size_t updates = 0;
    return updates;
}

void addHostMenuMethods() {
    static const bool added = [] {
        Class* cls = menuClass();
        runtime::addClassMethod(cls, "popUpContextMenu:withEvent:forView:", &menuPopUp);
        runtime::addMethod(cls, "update", &menuHostUpdate);
        return true;
    }();
    (void)added;
}

FakeResizeDelegate::FakeResizeDelegate(std::function<Size(Size)> adjustSize)
    : Object(resizeDelegateClass()), adjust(std::move(adjustSize)) {}

Class* FakeWindow::windowClass(std::string_view name) {
    static Class* root = makeRootWindowClass();
    if (name == kWindowClassName) {
        return root;
    }
    if (Class* existing = runtime::classNamed(name)) {
        return existing;
    }
    Class* subclass = runtime::defineClass(name, root);
    subclass->setOwner("org.gtk.Gtk");
    return subclass;
}

FakeWindow::FakeWindow(FakePlatform& owner, std::string_view className)
    : Object(windowClass(className)), platform(owner), number(owner.nextWindowNumber()) {
    zoomButton.window = this;
    closeButton.window = this;
    closeButton.frame = Rect(8, 460, 16, 16);
}

FakeWindow::~FakeWindow() {
    ::vantro::platform::windowWillGo(this);
    platform.cancelAllPerforms(this);
}

std::size_t FakeWindow::countOf(std::string_view selector) const {
    return static_cast<std::size_t>(
        std::count_if(actions.begin(), actions.end(),
                      [&](const HostAction& a) { return a.selector == selector; }));
}

} // namespace vantro::platform::fake
