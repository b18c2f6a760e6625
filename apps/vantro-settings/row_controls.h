#pragma once

// The widgets of one row. They show a state without reporting it, and
// report each change the user makes as the row's new state; the window
// decides what is stored and shows that afterwards.
//
// Widget names, for tests and tools: the widget holding the row's value is
// named after the settings key (the switch; the chooser when the row has no
// switch; the list of a string list); the row's other parts add a suffix
// naming the part: "/choice" (a chooser beside a switch), "/title",
// "/entry", "/add", "/remove", "/item" (a list's entries), "/row".

#include "row_state.h"
#include "setting_row.h"

#include <functional>
#include <gtk/gtk.h>
#include <memory>

namespace vantro::settings_app {

class RowControls {
  public:
    using UserChange = std::function<void(const RowState&)>;

    virtual ~RowControls() = default;
    RowControls(const RowControls&) = delete;
    RowControls& operator=(const RowControls&) = delete;

    // The row's widget, title included, owned by the container it is added to.
    [[nodiscard]] GtkWidget* widget() const { return widget_; }
    [[nodiscard]] const RowState& shown() const { return shown_; }
    // Updates the widgets; the signals this emits are not the user's, so
    // nothing is reported for them.
    void show(const RowState& state);

  protected:
    RowControls(const SettingRow& row, UserChange onChange)
        : row_(row), onChange_(std::move(onChange)) {}
    // Sets the widgets to the state; called with reporting held off.
    virtual void display(const RowState& state) = 0;
    // For the widgets' signal handlers: reports the state unless it is
    // show() setting the widgets.
    void report(const RowState& state) const;

    const SettingRow& row_;
    GtkWidget* widget_ = nullptr;

  private:
    UserChange onChange_;
    RowState shown_;
    bool showing_ = false;
};

// A switch and chooser row, or a list editor for string lists.
std::unique_ptr<RowControls> makeRowControls(const SettingRow& row,
                                             RowControls::UserChange onChange);

// Names a widget after the row's key with a suffix ("" for the key itself).
void nameAfterKey(GtkWidget* widget, const SettingRow& row, std::string_view suffix);

} // namespace vantro::settings_app
