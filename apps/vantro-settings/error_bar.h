#pragma once

// The bar at the top of the settings window that reports a setting that
// could not be saved. It stays until the user closes it or a later change
// is saved. Named "VantroSettingsError", its text "VantroSettingsError/message".

#include <gtk/gtk.h>
#include <string_view>

namespace vantro::settings_app {

class ErrorBar {
  public:
    ErrorBar();
    ErrorBar(const ErrorBar&) = delete;
    ErrorBar& operator=(const ErrorBar&) = delete;

    // Owned by the container it is added to.
    [[nodiscard]] GtkWidget* widget() const { return bar_; }
    void report(std::string_view message);
    void clear();

  private:
    static void responded(GtkInfoBar* bar, int response, gpointer self);

    GtkWidget* bar_ = nullptr;
    GtkLabel* message_ = nullptr;
};

} // namespace vantro::settings_app
