#include "platform/gtk/gtk_platform.h"

#include "platform/gtk/event_conversion.h"
#include "platform/gtk/event_tracking.h"
#include "platform/gtk/feedback_popup.h"
#include "platform/gtk/host_process.h"
#include "platform/gtk/monitors.h"
#include "platform/gtk/pane_application.h"
#include "platform/gtk/title_bar_menu.h"
#include "platform/gtk/window_frame.h"
#include "platform/gtk/window_proxy.h"

#include <gdk/gdkx.h>

#include <array>

namespace vantro::gtk {

namespace {

const char* cursorName(platform::Cursor cursor) {
    switch (cursor) {
    case platform::Cursor::crosshair:
        return "crosshair";
    case platform::Cursor::resizeLeftRight:
        return "ew-resize";
    case platform::Cursor::resizeUpDown:
        return "ns-resize";
    case platform::Cursor::arrow:
        break;
    }
    return "default";
}

} // namespace

GtkPlatform& currentGtkPlatform() {
    return static_cast<GtkPlatform&>(platform::currentPlatform());
}

GtkPlatform::GtkPlatform(GdkDisplay* display, std::string bundlePath)
    : display_(display), bundlePath_(std::move(bundlePath)), hostIdentifier_(hostIdentifier()),
      javaProcess_(gtk::isJavaProcess()), space_(Rect()),
      mainMenu_(std::make_unique<platform::MenuObject>(titleBarMainMenu())),
      windowsMenu_(std::make_unique<platform::MenuObject>(titleBarWindowMenu(*mainMenu_->menu()))) {
    if (display_ != nullptr) {
        g_signal_connect(display_, "monitor-added", G_CALLBACK(monitorsChanged), this);
        g_signal_connect(display_, "monitor-removed", G_CALLBACK(monitorsChanged), this);
        GdkScreen* screen = gdk_display_get_default_screen(display_);
        g_signal_connect(screen, "monitors-changed", G_CALLBACK(screenChanged), this);
        g_signal_connect(screen, "size-changed", G_CALLBACK(screenChanged), this);
    }
}

GtkPlatform::~GtkPlatform() {
    if (retiredIdle_ != 0) {
        g_source_remove(retiredIdle_);
    }
    for (GdkCursor* cursor : cursors_) {
        if (cursor != nullptr) {
            g_object_unref(cursor);
        }
    }
    if (display_ != nullptr) {
        g_signal_handlers_disconnect_by_data(display_, this);
        GdkScreen* screen = gdk_display_get_default_screen(display_);
        g_signal_handlers_disconnect_by_data(screen, this);
        if (watchingRoot_) {
            gdk_window_remove_filter(gdk_screen_get_root_window(screen), rootPropertyChanged, this);
        }
    }
}

void GtkPlatform::monitorsChanged(GdkDisplay* /*display*/, GdkMonitor* /*monitor*/, gpointer self) {
    static_cast<GtkPlatform*>(self)->screensStale_ = true;
}

void GtkPlatform::screenChanged(GdkScreen* /*screen*/, gpointer self) {
    static_cast<GtkPlatform*>(self)->screensStale_ = true;
}

// The work area comes from the root window's properties (_NET_WORKAREA,
// _GTK_WORKAREAS_Dn, the current desktop) or from the panels' struts, which
// the window manager folds into them, and a new or removed panel changes the
// client list. Any change of a root property but the two that every focus
// change and restacking rewrite marks the screens stale: an unknown one
// costs one read more, never a stale work area.
GdkFilterReturn GtkPlatform::rootPropertyChanged(GdkXEvent* xevent, GdkEvent* /*event*/,
                                                 gpointer self) {
    const auto* event = static_cast<XEvent*>(xevent);
    if (event->type != PropertyNotify) {
        return GDK_FILTER_CONTINUE;
    }
    auto& platform = *static_cast<GtkPlatform*>(self);
    static const Atom active =
        gdk_x11_get_xatom_by_name_for_display(platform.display_, "_NET_ACTIVE_WINDOW");
    static const Atom stacking =
        gdk_x11_get_xatom_by_name_for_display(platform.display_, "_NET_CLIENT_LIST_STACKING");
    if (event->xproperty.atom != active && event->xproperty.atom != stacking) {
        platform.screensStale_ = true;
    }
    return GDK_FILTER_CONTINUE;
}

// GDK selects only structure events on the root window; property changes
// are added to whatever this client selects there already.
void GtkPlatform::watchRootProperties() const {
    if (watchingRoot_ || display_ == nullptr || !GDK_IS_X11_DISPLAY(display_)) {
        return;
    }
    watchingRoot_ = true;
    GdkWindow* root = gdk_screen_get_root_window(gdk_display_get_default_screen(display_));
    Display* xdisplay = GDK_DISPLAY_XDISPLAY(display_);
    XWindowAttributes attributes{};
    gdk_x11_display_error_trap_push(display_);
    if (XGetWindowAttributes(xdisplay, GDK_WINDOW_XID(root), &attributes) != 0) {
        XSelectInput(xdisplay, GDK_WINDOW_XID(root),
                     attributes.your_event_mask | PropertyChangeMask);
    }
    gdk_x11_display_error_trap_pop_ignored(display_);
    gdk_window_add_filter(root, rootPropertyChanged, const_cast<GtkPlatform*>(this));
}

void GtkPlatform::refreshScreens() const {
    if (!screensStale_) {
        return;
    }
    // Watched before the read, so that a change during it marks it stale.
    watchRootProperties();
    screensStale_ = false;
    const std::vector<X11Monitor> monitors = x11Monitors(display_);
    screens_ = screensInCoreCoordinates(monitors);
    space_ = coordinateSpaceOf(monitors);
}

Point GtkPlatform::mouseLocation() const {
    if (dragPointer_) {
        return *dragPointer_;
    }
    if (display_ == nullptr) {
        return {};
    }
    GdkDevice* pointer = gdk_seat_get_pointer(gdk_display_get_default_seat(display_));
    int x = 0;
    int y = 0;
    gdk_device_get_position(pointer, nullptr, &x, &y);
    return space_.toCore(Point{static_cast<double>(x), static_cast<double>(y)});
}

std::optional<platform::Event> GtkPlatform::nextEventMatchingMask(platform::EventMask mask) {
    if (trackedWindow_ == nullptr) {
        return std::nullopt;
    }
    const Rect frame = windowFrame(trackedWindow_, space_).value_or(Rect());
    std::optional<platform::Event> converted;
    const auto wanted = [&](const GdkEvent& event) {
        converted = eventFromGdk(event, space_, frame);
        return converted && (mask & platform::eventMaskFor(converted->type)) != 0;
    };
    GdkEvent* event = trackNextEvent(GTK_WIDGET(trackedWindow_), wanted);
    if (event == nullptr) {
        return std::nullopt;
    }
    gdk_event_free(event);
    currentEvent_ = converted;
    return converted;
}

// Each cursor is made once, on first use: a drag sets one at every step.
void GtkPlatform::setCursor(platform::Cursor cursor) {
    if (trackedWindow_ == nullptr) {
        return;
    }
    GdkWindow* window = gtk_widget_get_window(GTK_WIDGET(trackedWindow_));
    if (window == nullptr) {
        return;
    }
    if (cursor == platform::Cursor::arrow) {
        gdk_window_set_cursor(window, nullptr);
        return;
    }
    GdkCursor*& made = cursors_.at(static_cast<std::size_t>(cursor));
    if (made == nullptr) {
        made = gdk_cursor_new_from_name(display_, cursorName(cursor));
    }
    gdk_window_set_cursor(window, made);
}

void GtkPlatform::performAfterDelay(const void* target, runtime::Selector selector, double delay,
                                    std::function<void()> action) {
    scheduler_.performAfterDelay(target, selector, delay, std::move(action));
}

void GtkPlatform::cancelPerforms(const void* target, runtime::Selector selector) {
    scheduler_.cancelPerforms(target, selector);
}

void GtkPlatform::cancelAllPerforms(const void* target) {
    scheduler_.cancelAllPerforms(target);
}

platform::AnimationId GtkPlatform::animate(double duration, std::function<void(double)> step,
                                           std::function<void()> done) {
    return scheduler_.animate(duration, std::move(step), [this, done = std::move(done)] {
        if (done) {
            done();
        }
        freeRetiredWhenIdle();
    });
}

void GtkPlatform::cancelAnimation(platform::AnimationId id) {
    scheduler_.cancelAnimation(id);
    freeRetiredWhenIdle();
}

void GtkPlatform::retire(std::unique_ptr<runtime::Object> object) {
    retired_.push_back(std::move(object));
    freeRetiredWhenIdle();
}

// Freed from an idle call, never from inside the animation's end or a
// cancel: the plug-in may be working with the object right there.
void GtkPlatform::freeRetiredWhenIdle() {
    if (retired_.empty() || retiredIdle_ != 0) {
        return;
    }
    retiredIdle_ = g_idle_add(
        [](gpointer self) -> gboolean {
            auto& platform = *static_cast<GtkPlatform*>(self);
            platform.retiredIdle_ = 0;
            if (platform.scheduler_.runningAnimationCount() == 0) {
                // Taken out first: freeing one cancels its delayed calls.
                std::vector<std::unique_ptr<runtime::Object>> freed = std::move(platform.retired_);
                platform.retired_.clear();
            }
            return G_SOURCE_REMOVE;
        },
        this);
}

runtime::Object* GtkPlatform::mainMenu() const {
    return mainMenu_.get();
}

runtime::Object* GtkPlatform::windowsMenu() const {
    return windowsMenu_.get();
}

std::unique_ptr<platform::FeedbackSurface>
GtkPlatform::createFeedbackSurface(platform::FeedbackKind kind) {
    // The space is asked at each placing: a popup made before the monitors
    // were first read, or kept across a change of them, is placed right.
    return std::make_unique<FeedbackPopup>(
        kind, [this] { return space(); },
        [this](std::string_view name) { return pathForImageResource(name); },
        [this](runtime::Object* window) -> GtkWindow* {
            auto* proxy = dynamic_cast<WindowProxy*>(window);
            return proxy != nullptr && proxy->window != nullptr && proxy->pendingFrame(now())
                       ? proxy->window
                       : nullptr;
        });
}

std::optional<std::string> GtkPlatform::pathForImageResource(std::string_view name) const {
    for (const char* extension : {".svg", ".png"}) {
        std::string path = bundlePath_ + "/Contents/Resources/" + std::string(name) + extension;
        if (g_file_test(path.c_str(), G_FILE_TEST_IS_REGULAR)) {
            return path;
        }
    }
    return std::nullopt;
}

bool GtkPlatform::fileExistsAtPath(std::string_view path) const {
    return g_file_test(std::string(path).c_str(), G_FILE_TEST_EXISTS);
}

std::string GtkPlatform::userDataDirectory() const {
    return gtk::userDataDirectory();
}

bool GtkPlatform::openPreferencePane(std::string_view path) {
    return launchPaneApplication(display_, std::string(path));
}

} // namespace vantro::gtk
