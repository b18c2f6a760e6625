#include "platform/gtk/show_after_frame.h"

namespace vantro::gtk {

ShowAfterFrame::~ShowAfterFrame() {
    cancel();
}

void ShowAfterFrame::wait(GtkWindow* owner) {
    if (waiting()) {
        return;
    }
    owner_ = owner;
    g_object_add_weak_pointer(G_OBJECT(owner_), reinterpret_cast<gpointer*>(&owner_));
    configured_ = g_signal_connect(owner_, "configure-event", G_CALLBACK(ownerConfigured), this);
    timeout_ = g_timeout_add(kLongestWaitMs, waitedLongEnough, this);
}

void ShowAfterFrame::cancel() {
    if (owner_ != nullptr) {
        g_signal_handler_disconnect(owner_, configured_);
        g_object_remove_weak_pointer(G_OBJECT(owner_), reinterpret_cast<gpointer*>(&owner_));
        owner_ = nullptr;
    }
    configured_ = 0;
    if (timeout_ != 0) {
        g_source_remove(timeout_);
        timeout_ = 0;
    }
}

void ShowAfterFrame::showNow() {
    cancel();
    show_();
}

gboolean ShowAfterFrame::ownerConfigured(GtkWidget* /*widget*/, GdkEvent* /*event*/,
                                         gpointer self) {
    static_cast<ShowAfterFrame*>(self)->showNow();
    return FALSE;
}

gboolean ShowAfterFrame::waitedLongEnough(gpointer self) {
    auto& waiting = *static_cast<ShowAfterFrame*>(self);
    waiting.timeout_ = 0; // the source ends with this call
    waiting.showNow();
    return G_SOURCE_REMOVE;
}

} // namespace vantro::gtk
