#include "row_controls.h"

#include "list_editor.h"
#include "switch_chooser_controls.h"

#include <string>

namespace vantro::settings_app {

void RowControls::show(const RowState& state) {
    shown_ = state;
    showing_ = true;
    display(state);
    showing_ = false;
}

void RowControls::report(const RowState& state) const {
    // Setting a switch or chooser emits the same signals a click does: the
    // window must not store what it was only showing, or a change announced
    // by another process would be written straight back.
    if (showing_) {
        return;
    }
    onChange_(state);
}

std::unique_ptr<RowControls> makeRowControls(const SettingRow& row,
                                             RowControls::UserChange onChange) {
    if (row.shape == settings::Shape::stringList) {
        return std::make_unique<ListEditor>(row, std::move(onChange));
    }
    return std::make_unique<SwitchChooserControls>(row, std::move(onChange));
}

void nameAfterKey(GtkWidget* widget, const SettingRow& row, std::string_view suffix) {
    const std::string name = std::string(row.key) + std::string(suffix);
    gtk_widget_set_name(widget, name.c_str());
}

} // namespace vantro::settings_app
