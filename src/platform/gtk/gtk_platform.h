#pragma once

// The platform inside a GTK 3 application on X11: GDK's monitors as the
// screens, the event the bridge is handling, modal tracking on a nested main
// loop, delayed calls and animations on the main loop, cairo popups as the
// feedback surfaces, and the facts of the host process and of the bundle the
// plug-in was loaded from.

#include "platform/gtk/coordinate_space.h"
#include "platform/gtk/main_loop_scheduler.h"
#include "platform/menu_model.h"
#include "platform/platform.h"

#include <gtk/gtk.h>

#include <array>

namespace vantro::gtk {

class GtkPlatform final : public platform::Platform {
  public:
    // `bundlePath` is the plug-in bundle's folder ("…/Vantro.bundle").
    GtkPlatform(GdkDisplay* display, std::string bundlePath);
    ~GtkPlatform() override;
    GtkPlatform(const GtkPlatform&) = delete;
    GtkPlatform& operator=(const GtkPlatform&) = delete;

    // --- For the bridge.
    // Reads the monitors again if they may have changed since the last
    // read: GDK reported a monitor change, or the root window's work area,
    // current desktop or client list changed (a panel came, went or moved).
    // Called before every user action; costs nothing when nothing changed.
    void refreshScreens() const;
    [[nodiscard]] const CoordinateSpace& space() const {
        refreshScreens();
        return space_;
    }
    [[nodiscard]] GdkDisplay* display() const { return display_; }
    // The event the bridge is handling; none when it is done.
    void setCurrentEvent(std::optional<platform::Event> event) { currentEvent_ = event; }
    // The window whose press the bridge is handling: modal tracking reads
    // its events relative to it, and cursors are set on it. Null when done.
    void setTrackedWindow(GtkWindow* window) { trackedWindow_ = window; }
    // Keeps `object` until no animation runs, then frees it: a window proxy
    // whose window is gone may still be named by a running animation.
    void retire(std::unique_ptr<runtime::Object> object);

    // Where the pointer counts as being during an edge drag (core
    // coordinates); none outside drags, where the real pointer counts.
    void setDragPointer(std::optional<Point> pointer) { dragPointer_ = pointer; }
    // The sides the bridge's edge drag holds; the bottom-right corner outside one.
    void setDragEdges(unsigned edges) { dragEdges_ = edges; }
    [[nodiscard]] unsigned liveResizeEdges() const override { return dragEdges_; }

    // --- Platform.
    [[nodiscard]] const std::vector<Screen>& screens() const override {
        refreshScreens();
        return screens_;
    }
    [[nodiscard]] std::optional<platform::Event> currentEvent() const override {
        return currentEvent_;
    }
    [[nodiscard]] Point mouseLocation() const override;
    std::optional<platform::Event> nextEventMatchingMask(platform::EventMask mask) override;
    void setCursor(platform::Cursor cursor) override;
    [[nodiscard]] double now() const override { return MainLoopScheduler::now(); }
    void performAfterDelay(const void* target, runtime::Selector selector, double delay,
                           std::function<void()> action) override;
    void cancelPerforms(const void* target, runtime::Selector selector) override;
    void cancelAllPerforms(const void* target) override;
    platform::AnimationId animate(double duration, std::function<void(double)> step,
                                  std::function<void()> done) override;
    void cancelAnimation(platform::AnimationId id) override;
    [[nodiscard]] runtime::Object* mainMenu() const override;
    [[nodiscard]] runtime::Object* windowsMenu() const override;
    std::unique_ptr<platform::FeedbackSurface>
    createFeedbackSurface(platform::FeedbackKind kind) override;
    [[nodiscard]] const std::optional<std::string>& hostBundleIdentifier() const override {
        return hostIdentifier_;
    }
    [[nodiscard]] bool isJavaProcess() const override { return javaProcess_; }
    [[nodiscard]] const std::string& pluginBundlePath() const override { return bundlePath_; }
    [[nodiscard]] std::optional<std::string>
    pathForImageResource(std::string_view name) const override;
    [[nodiscard]] bool fileExistsAtPath(std::string_view path) const override;
    [[nodiscard]] std::string userDataDirectory() const override;
    bool openPreferencePane(std::string_view path) override;
    // GTK 3 behaves as the toolkit generation whose live-resize features and
    // view animations the plug-in uses.
    [[nodiscard]] double appKitVersionNumber() const override { return 1038; }

  private:
    static void monitorsChanged(GdkDisplay* display, GdkMonitor* monitor, gpointer self);
    static void screenChanged(GdkScreen* screen, gpointer self);
    static GdkFilterReturn rootPropertyChanged(GdkXEvent* xevent, GdkEvent* event, gpointer self);
    void watchRootProperties() const;
    void freeRetiredWhenIdle();

    GdkDisplay* display_;
    std::string bundlePath_;
    std::optional<std::string> hostIdentifier_;
    bool javaProcess_;
    // Read on first use and again after a change: see refreshScreens.
    mutable std::vector<Screen> screens_;
    mutable CoordinateSpace space_;
    mutable bool screensStale_ = true;
    mutable bool watchingRoot_ = false;
    std::optional<platform::Event> currentEvent_;
    MainLoopScheduler scheduler_;
    GtkWindow* trackedWindow_ = nullptr;
    std::optional<Point> dragPointer_;
    // Made on first use, by platform::Cursor's value.
    std::array<GdkCursor*, 4> cursors_{};
    unsigned dragEdges_ = platform::kResizeRightEdge | platform::kResizeBottomEdge;
    std::vector<std::unique_ptr<runtime::Object>> retired_;
    guint retiredIdle_ = 0;
    std::unique_ptr<platform::MenuObject> mainMenu_;
    std::unique_ptr<platform::MenuObject> windowsMenu_;
};

// The current platform, which the GTK backend's host methods know to be a
// GtkPlatform: only the bundle's GTK entry installs them.
GtkPlatform& currentGtkPlatform();

} // namespace vantro::gtk
