#include "switch_chooser_controls.h"

#include "row_choices.h"

#include <string>

namespace vantro::settings_app {

namespace {

constexpr int kRowSpacing = 12;
constexpr int kRowMargin = 6;

// GTK 3's chooser steps through its choices on a scroll over it, so a user
// scrolling the page would change settings on the way; the page scrolls
// instead.
gboolean scrollThePage(GtkWidget* chooser, GdkEvent* /*event*/, gpointer /*data*/) {
    g_signal_stop_emission_by_name(chooser, "scroll-event");
    return FALSE;
}

} // namespace

SwitchChooserControls::SwitchChooserControls(const SettingRow& row, UserChange onChange)
    : RowControls(row, std::move(onChange)) {
    widget_ = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, kRowSpacing);
    nameAfterKey(widget_, row, "/row");
    gtk_widget_set_margin_top(widget_, kRowMargin);
    gtk_widget_set_margin_bottom(widget_, kRowMargin);
    gtk_widget_set_margin_start(widget_, kRowSpacing);
    gtk_widget_set_margin_end(widget_, kRowSpacing);

    GtkWidget* title = gtk_label_new(std::string(row.title).c_str());
    nameAfterKey(title, row, "/title");
    gtk_label_set_xalign(GTK_LABEL(title), 0);
    gtk_label_set_line_wrap(GTK_LABEL(title), TRUE);
    gtk_widget_set_hexpand(title, TRUE);
    gtk_box_pack_start(GTK_BOX(widget_), title, TRUE, TRUE, 0);

    const bool hasSwitch = rowHasSwitch(row);
    if (!row.choices.empty()) {
        GtkWidget* chooser = gtk_combo_box_text_new();
        nameAfterKey(chooser, row, hasSwitch ? "/choice" : "");
        for (const Choice& choice : row.choices) {
            gtk_combo_box_text_append(GTK_COMBO_BOX_TEXT(chooser),
                                      std::to_string(choice.code).c_str(), choice.label.c_str());
        }
        gtk_widget_set_valign(chooser, GTK_ALIGN_CENTER);
        gtk_box_pack_start(GTK_BOX(widget_), chooser, FALSE, FALSE, 0);
        chooser_ = GTK_COMBO_BOX(chooser);
        g_signal_connect(chooser, "changed", G_CALLBACK(choiceChanged), this);
        g_signal_connect(chooser, "scroll-event", G_CALLBACK(scrollThePage), nullptr);
    }
    if (hasSwitch) {
        GtkWidget* toggle = gtk_switch_new();
        nameAfterKey(toggle, row, "");
        gtk_widget_set_valign(toggle, GTK_ALIGN_CENTER);
        gtk_box_pack_start(GTK_BOX(widget_), toggle, FALSE, FALSE, 0);
        switch_ = GTK_SWITCH(toggle);
        // notify::active is what a click, a key press and
        // gtk_switch_set_active all end in.
        g_signal_connect(toggle, "notify::active", G_CALLBACK(switchToggled), this);
    }
}

void SwitchChooserControls::display(const RowState& state) {
    if (switch_ != nullptr) {
        gtk_switch_set_active(switch_, state.enabled ? TRUE : FALSE);
    }
    if (chooser_ != nullptr) {
        gtk_combo_box_set_active(chooser_, choiceIndexForCode(row_, state.code));
    }
}

void SwitchChooserControls::switchToggled(GtkSwitch* toggle, GParamSpec* /*property*/,
                                          gpointer self) {
    auto* controls = static_cast<SwitchChooserControls*>(self);
    RowState state = controls->shown();
    state.enabled = gtk_switch_get_active(toggle) != FALSE;
    controls->report(state);
}

void SwitchChooserControls::choiceChanged(GtkComboBox* chooser, gpointer self) {
    auto* controls = static_cast<SwitchChooserControls*>(self);
    const int index = gtk_combo_box_get_active(chooser);
    if (index < 0) {
        return;
    }
    RowState state = controls->shown();
    state.code = controls->row_.choices[static_cast<std::size_t>(index)].code;
    controls->report(state);
}

} // namespace vantro::settings_app
