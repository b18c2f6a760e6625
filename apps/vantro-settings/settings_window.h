#pragma once

// The window "Vantro Settings": every settings key as a row, grouped as
// settingGroups() lists them. A change the user makes is stored at once; a
// change announced by anyone (this window included) is shown without being
// stored again.

#include "error_bar.h"
#include "row_controls.h"
#include "settings/vantro_user_defaults.h"

#include <gtk/gtk.h>
#include <memory>
#include <vector>

namespace vantro::settings_app {

class SettingsWindow {
  public:
    SettingsWindow(GtkApplication* application, settings::VantroUserDefaults& store);
    SettingsWindow(const SettingsWindow&) = delete;
    SettingsWindow& operator=(const SettingsWindow&) = delete;

    // Null once the window is closed; this object outlives it (the widgets'
    // signal handlers point here), so it is kept until the application ends.
    [[nodiscard]] GtkWindow* window() const { return window_; }
    // Shows every row's value as the store now answers it. Writes nothing.
    void showStoredValues();

  private:
    struct Row {
        const SettingRow* row;
        std::unique_ptr<RowControls> controls;
    };

    GtkWidget* buildGroups();
    GtkWidget* buildGroup(const SettingGroup& group);
    void userChanged(Row& changed, const RowState& state);
    static void destroyed(GtkWidget* widget, gpointer self);

    settings::VantroUserDefaults& store_;
    GtkWindow* window_ = nullptr;
    ErrorBar errorBar_;
    std::vector<Row> rows_;
};

} // namespace vantro::settings_app
