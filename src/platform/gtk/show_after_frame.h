#pragma once

// Holds a popup's showing back while the window it belongs to has a frame
// request on its way to the window manager. Mapping and drawing the popup
// right after the request would have the X server and the window manager
// share the moment with it, and the window would reach its frame later; the
// popup is placed by that frame anyway. It shows at the window's next
// ConfigureNotify, or after a short wait when the window manager sends none.

#include <gtk/gtk.h>

#include <functional>
#include <utility>

namespace vantro::gtk {

class ShowAfterFrame {
  public:
    explicit ShowAfterFrame(std::function<void()> show) : show_(std::move(show)) {}
    ~ShowAfterFrame();
    ShowAfterFrame(const ShowAfterFrame&) = delete;
    ShowAfterFrame& operator=(const ShowAfterFrame&) = delete;

    // Shows once, at `owner`'s next configure event or after kLongestWaitMs.
    // A wait already running keeps its owner and its time.
    void wait(GtkWindow* owner);
    // Ends the wait without showing.
    void cancel();
    [[nodiscard]] bool waiting() const { return timeout_ != 0; }

    static constexpr guint kLongestWaitMs = 50;

  private:
    static gboolean ownerConfigured(GtkWidget* widget, GdkEvent* event, gpointer self);
    static gboolean waitedLongEnough(gpointer self);
    void showNow();

    // Cleared by GObject when the window is freed; its handlers go with it.
    GtkWindow* owner_ = nullptr;
    gulong configured_ = 0;
    guint timeout_ = 0;
    std::function<void()> show_;
};

} // namespace vantro::gtk
