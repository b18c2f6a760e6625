#include "settings_window.h"

#include "row_writer.h"
#include "setting_groups.h"

#include <string>

namespace vantro::settings_app {

namespace {

constexpr int kDefaultWidth = 600;
constexpr int kDefaultHeight = 760;
constexpr int kPageMargin = 18;
constexpr int kGroupSpacing = 6;
constexpr int kPageSpacing = 18;

GtkWidget* groupHeading(const SettingGroup& group) {
    GtkWidget* heading = gtk_label_new(nullptr);
    g_autofree char* markup =
        g_markup_printf_escaped("<b>%s</b>", std::string(group.title).c_str());
    gtk_label_set_markup(GTK_LABEL(heading), markup);
    gtk_label_set_xalign(GTK_LABEL(heading), 0);
    return heading;
}

GtkWidget* groupNote(const SettingGroup& group) {
    GtkWidget* note = gtk_label_new(std::string(group.note).c_str());
    gtk_label_set_xalign(GTK_LABEL(note), 0);
    gtk_label_set_line_wrap(GTK_LABEL(note), TRUE);
    gtk_style_context_add_class(gtk_widget_get_style_context(note), GTK_STYLE_CLASS_DIM_LABEL);
    return note;
}

void nameGroupPart(GtkWidget* widget, const SettingGroup& group, std::string_view part) {
    const std::string name = "group:" + std::string(group.title) + std::string(part);
    gtk_widget_set_name(widget, name.c_str());
}

} // namespace

SettingsWindow::SettingsWindow(GtkApplication* application, settings::VantroUserDefaults& store)
    : store_(store) {
    GtkWidget* window = gtk_application_window_new(application);
    gtk_widget_set_name(window, "VantroSettings");
    gtk_window_set_title(GTK_WINDOW(window), "Vantro Settings");
    gtk_window_set_default_size(GTK_WINDOW(window), kDefaultWidth, kDefaultHeight);
    window_ = GTK_WINDOW(window);
    g_signal_connect(window, "destroy", G_CALLBACK(destroyed), this);

    GtkWidget* page = gtk_box_new(GTK_ORIENTATION_VERTICAL, 0);
    gtk_widget_set_name(page, "VantroSettings/page");
    gtk_box_pack_start(GTK_BOX(page), errorBar_.widget(), FALSE, FALSE, 0);
    GtkWidget* scroller = gtk_scrolled_window_new(nullptr, nullptr);
    gtk_widget_set_name(scroller, "VantroSettings/scroller");
    gtk_scrolled_window_set_policy(GTK_SCROLLED_WINDOW(scroller), GTK_POLICY_NEVER,
                                   GTK_POLICY_AUTOMATIC);
    gtk_container_add(GTK_CONTAINER(scroller), buildGroups());
    gtk_box_pack_start(GTK_BOX(page), scroller, TRUE, TRUE, 0);
    gtk_container_add(GTK_CONTAINER(window), page);

    showStoredValues();
    gtk_widget_show_all(window);
}

GtkWidget* SettingsWindow::buildGroups() {
    GtkWidget* content = gtk_box_new(GTK_ORIENTATION_VERTICAL, kPageSpacing);
    gtk_widget_set_name(content, "VantroSettings/groups");
    gtk_container_set_border_width(GTK_CONTAINER(content), kPageMargin);
    GtkWidget* foldedGroups = nullptr;
    for (const SettingGroup& group : settingGroups()) {
        if (!group.folded) {
            gtk_box_pack_start(GTK_BOX(content), buildGroup(group), FALSE, FALSE, 0);
            continue;
        }
        if (foldedGroups == nullptr) {
            GtkWidget* expander = gtk_expander_new("Keys for the zoom menu's other commands");
            gtk_widget_set_name(expander, "VantroSettings/more");
            foldedGroups = gtk_box_new(GTK_ORIENTATION_VERTICAL, kPageSpacing);
            gtk_widget_set_name(foldedGroups, "VantroSettings/more-groups");
            gtk_widget_set_margin_top(foldedGroups, kGroupSpacing);
            gtk_container_add(GTK_CONTAINER(expander), foldedGroups);
            gtk_box_pack_start(GTK_BOX(content), expander, FALSE, FALSE, 0);
        }
        gtk_box_pack_start(GTK_BOX(foldedGroups), buildGroup(group), FALSE, FALSE, 0);
    }
    return content;
}

GtkWidget* SettingsWindow::buildGroup(const SettingGroup& group) {
    GtkWidget* box = gtk_box_new(GTK_ORIENTATION_VERTICAL, kGroupSpacing);
    nameGroupPart(box, group, "");
    GtkWidget* heading = groupHeading(group);
    nameGroupPart(heading, group, "/title");
    gtk_box_pack_start(GTK_BOX(box), heading, FALSE, FALSE, 0);
    if (!group.note.empty()) {
        GtkWidget* note = groupNote(group);
        nameGroupPart(note, group, "/note");
        gtk_box_pack_start(GTK_BOX(box), note, FALSE, FALSE, 0);
    }
    GtkWidget* frame = gtk_frame_new(nullptr);
    nameGroupPart(frame, group, "/frame");
    GtkWidget* list = gtk_list_box_new();
    nameGroupPart(list, group, "/rows");
    gtk_list_box_set_selection_mode(GTK_LIST_BOX(list), GTK_SELECTION_NONE);
    for (const SettingRow& row : group.rows) {
        // By index: rows_ grows while the rows are built.
        const std::size_t index = rows_.size();
        rows_.push_back({&row, makeRowControls(row, [this, index](const RowState& state) {
                             userChanged(rows_[index], state);
                         })});
        gtk_container_add(GTK_CONTAINER(list), rows_.back().controls->widget());
        // The list only lines the rows up; its rows are no targets themselves.
        GtkWidget* listRow = gtk_widget_get_parent(rows_.back().controls->widget());
        gtk_list_box_row_set_activatable(GTK_LIST_BOX_ROW(listRow), FALSE);
        nameAfterKey(listRow, row, "/list-row");
    }
    gtk_container_add(GTK_CONTAINER(frame), list);
    gtk_box_pack_start(GTK_BOX(box), frame, FALSE, FALSE, 0);
    return box;
}

void SettingsWindow::showStoredValues() {
    if (window_ == nullptr) {
        return;
    }
    for (Row& each : rows_) {
        each.controls->show(stateFromValue(*each.row, store_.objectForKey(each.row->key)));
    }
}

void SettingsWindow::userChanged(Row& changed, const RowState& state) {
    const WriteOutcome outcome = writeRowState(store_, *changed.row, state);
    // On failure this puts the widget back to the stored value.
    changed.controls->show(outcome.shown);
    if (outcome.error.empty()) {
        errorBar_.clear();
    } else {
        errorBar_.report(outcome.error);
    }
}

void SettingsWindow::destroyed(GtkWidget* /*widget*/, gpointer self) {
    static_cast<SettingsWindow*>(self)->window_ = nullptr;
}

} // namespace vantro::settings_app
