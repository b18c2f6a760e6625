#pragma once

// The runtime objects that stand for GTK's windows and their maximize title
// buttons. Each GtkWindow met gets one WindowProxy, kept on the window
// (g_object_set_qdata) and freed with it; its runtime class is named after
// the window's GType, below "GtkWindow", so a method the plug-in replaces on
// "GtkWindow" acts on every kind of window and a subclass can be told apart.

#include "platform/geometry.h"
#include "platform/gtk/size_hints.h"
#include "runtime/class.h"
#include "runtime/object.h"

#include <gtk/gtk.h>

#include <cstdint>
#include <optional>

namespace vantro::gtk {

class WindowProxy;

// The maximize button of a client-side title bar, of class "GtkTitleButton".
class TitleButtonProxy final : public runtime::Object {
  public:
    explicit TitleButtonProxy(WindowProxy& window);
    WindowProxy& window;
    // The GtkButton found in the title bar; null while the window has none.
    GtkWidget* button = nullptr;
};

class WindowProxy final : public runtime::Object {
  public:
    WindowProxy(GtkWindow* window, runtime::Class* cls);
    ~WindowProxy() override;
    WindowProxy(const WindowProxy&) = delete;
    WindowProxy& operator=(const WindowProxy&) = delete;

    // Null once the GtkWindow is gone: a proxy may outlive its window while
    // an animation that names it still runs.
    GtkWindow* window;
    TitleButtonProxy zoomButton;
    bool inLiveResize = false;
    // A resize drag run by the window manager is being watched: frames the
    // plug-in sets meanwhile are the window's own and are not asked for.
    bool observingDrag = false;
    // The frame last asked for, answered as the frame until the window
    // manager has applied it: the toolkit's frame changes when it is set, and
    // the plug-in reads it back at once.
    std::optional<Rect> requestedFrame;
    // The size limits as last read; dropped when the window's hints or
    // frame extents change.
    std::optional<WindowSizeLimits> sizeLimits;
    // The frame before the standard zoom maximized the window: where it
    // returns when that zoom is undone.
    std::optional<Rect> frameBeforeMaximize;
    // The animated frame change running on the window, which holds a
    // reference to it; any later frame asked for stops it.
    std::optional<std::uint64_t> frameAnimation;

    void requestFrame(const Rect& frame, double now) {
        requestedFrame = frame;
        requestedAt_ = now;
    }
    // The frame asked for while it may still be on its way. A window manager
    // that changed the request (held it to a work area, a grid of its own)
    // never shows that frame: after a second the window's real frame counts,
    // and changes of it are the user's again.
    const std::optional<Rect>& pendingFrame(double now) {
        if (requestedFrame && now - requestedAt_ >= kRequestedFrameLifetime) {
            requestedFrame.reset();
        }
        return requestedFrame;
    }

  private:
    static constexpr double kRequestedFrameLifetime = 1.0;
    double requestedAt_ = 0;
};

// The proxy of `window`, made on first sight; null for null.
WindowProxy* proxyFor(GtkWindow* window);
// The proxy if the window has one already.
WindowProxy* existingProxyFor(GtkWindow* window);

// The runtime class for a GType at or below GtkWindow, made with its
// ancestors on first use; "GtkWindow" itself for GtkWindow. Null for a type
// that is not a window.
runtime::Class* classForGType(GType type);
// Makes the classes of GtkWindow and of every window type already
// registered, so that the plug-in's class choice sees them at load.
void defineKnownWindowClasses();

} // namespace vantro::gtk
