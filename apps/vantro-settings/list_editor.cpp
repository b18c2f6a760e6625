#include "list_editor.h"

#include "list_edits.h"

namespace vantro::settings_app {

namespace {

constexpr int kSpacing = 6;
constexpr int kMargin = 12;
constexpr int kListHeight = 120;

GtkWidget* itemRow(const SettingRow& row, const std::string& item) {
    GtkWidget* label = gtk_label_new(item.c_str());
    gtk_label_set_xalign(GTK_LABEL(label), 0);
    gtk_widget_set_margin_start(label, kSpacing);
    gtk_widget_set_margin_end(label, kSpacing);
    gtk_widget_set_margin_top(label, kSpacing / 2);
    gtk_widget_set_margin_bottom(label, kSpacing / 2);
    nameAfterKey(label, row, "/item");
    GtkWidget* listRow = gtk_list_box_row_new();
    nameAfterKey(listRow, row, "/item-row");
    gtk_container_add(GTK_CONTAINER(listRow), label);
    return listRow;
}

std::string rowText(GtkListBoxRow* row) {
    GtkWidget* label = gtk_bin_get_child(GTK_BIN(row));
    return GTK_IS_LABEL(label) ? gtk_label_get_text(GTK_LABEL(label)) : "";
}

} // namespace

ListEditor::ListEditor(const SettingRow& row, UserChange onChange)
    : RowControls(row, std::move(onChange)) {
    widget_ = gtk_box_new(GTK_ORIENTATION_VERTICAL, kSpacing);
    nameAfterKey(widget_, row, "/row");
    gtk_widget_set_margin_top(widget_, kSpacing);
    gtk_widget_set_margin_bottom(widget_, kMargin);
    gtk_widget_set_margin_start(widget_, kMargin);
    gtk_widget_set_margin_end(widget_, kMargin);

    GtkWidget* title = gtk_label_new(std::string(row.title).c_str());
    nameAfterKey(title, row, "/title");
    gtk_label_set_xalign(GTK_LABEL(title), 0);
    gtk_box_pack_start(GTK_BOX(widget_), title, FALSE, FALSE, 0);

    GtkWidget* scroller = gtk_scrolled_window_new(nullptr, nullptr);
    nameAfterKey(scroller, row, "/scroller");
    gtk_scrolled_window_set_policy(GTK_SCROLLED_WINDOW(scroller), GTK_POLICY_NEVER,
                                   GTK_POLICY_AUTOMATIC);
    gtk_scrolled_window_set_shadow_type(GTK_SCROLLED_WINDOW(scroller), GTK_SHADOW_IN);
    gtk_widget_set_size_request(scroller, -1, kListHeight);
    GtkWidget* list = gtk_list_box_new();
    nameAfterKey(list, row, "");
    gtk_list_box_set_selection_mode(GTK_LIST_BOX(list), GTK_SELECTION_SINGLE);
    GtkWidget* empty = gtk_label_new("No application is excluded.");
    nameAfterKey(empty, row, "/empty");
    gtk_widget_show(empty);
    gtk_list_box_set_placeholder(GTK_LIST_BOX(list), empty);
    gtk_container_add(GTK_CONTAINER(scroller), list);
    gtk_box_pack_start(GTK_BOX(widget_), scroller, TRUE, TRUE, 0);
    list_ = GTK_LIST_BOX(list);
    g_signal_connect(list, "row-selected", G_CALLBACK(rowSelected), this);

    GtkWidget* controls = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, kSpacing);
    nameAfterKey(controls, row, "/controls");
    GtkWidget* entry = gtk_entry_new();
    nameAfterKey(entry, row, "/entry");
    gtk_entry_set_placeholder_text(GTK_ENTRY(entry), "Application id, e.g. org.gnome.Nautilus");
    gtk_widget_set_hexpand(entry, TRUE);
    entry_ = GTK_ENTRY(entry);
    g_signal_connect(entry, "activate", G_CALLBACK(entryActivated), this);
    g_signal_connect(entry, "changed", G_CALLBACK(entryChanged), this);
    add_ = gtk_button_new_with_mnemonic("_Add");
    nameAfterKey(add_, row, "/add");
    g_signal_connect(add_, "clicked", G_CALLBACK(addClicked), this);
    remove_ = gtk_button_new_with_mnemonic("_Remove");
    nameAfterKey(remove_, row, "/remove");
    g_signal_connect(remove_, "clicked", G_CALLBACK(removeClicked), this);
    gtk_box_pack_start(GTK_BOX(controls), entry, TRUE, TRUE, 0);
    gtk_box_pack_start(GTK_BOX(controls), add_, FALSE, FALSE, 0);
    gtk_box_pack_start(GTK_BOX(controls), remove_, FALSE, FALSE, 0);
    gtk_box_pack_start(GTK_BOX(widget_), controls, FALSE, FALSE, 0);
    updateButtons();
}

void ListEditor::display(const RowState& state) {
    if (state.items != listed_) {
        const std::string selected = selectedItem();
        gtk_container_foreach(
            GTK_CONTAINER(list_), [](GtkWidget* child, gpointer) { gtk_widget_destroy(child); },
            nullptr);
        for (const std::string& item : state.items) {
            GtkWidget* listRow = itemRow(row_, item);
            gtk_widget_show_all(listRow);
            gtk_list_box_insert(list_, listRow, -1);
            if (item == selected) {
                gtk_list_box_select_row(list_, GTK_LIST_BOX_ROW(listRow));
            }
        }
        listed_ = state.items;
    }
    updateButtons();
}

void ListEditor::updateButtons() {
    const bool addable = withItemAdded(shown(), gtk_entry_get_text(entry_)).has_value();
    gtk_widget_set_sensitive(add_, addable ? TRUE : FALSE);
    gtk_widget_set_sensitive(remove_, gtk_list_box_get_selected_row(list_) != nullptr);
}

std::string ListEditor::selectedItem() const {
    GtkListBoxRow* selected = gtk_list_box_get_selected_row(list_);
    return selected != nullptr ? rowText(selected) : "";
}

void ListEditor::addClicked(GtkButton* /*button*/, gpointer self) {
    auto* editor = static_cast<ListEditor*>(self);
    const std::string text = gtk_entry_get_text(editor->entry_);
    const std::optional<RowState> added = withItemAdded(editor->shown(), text);
    if (!added) {
        return;
    }
    editor->report(*added);
    // The window shows what was stored: the field empties only when the
    // entry made it into the list.
    if (editor->shown().items == added->items) {
        gtk_entry_set_text(editor->entry_, "");
    }
}

void ListEditor::removeClicked(GtkButton* /*button*/, gpointer self) {
    auto* editor = static_cast<ListEditor*>(self);
    const std::optional<RowState> removed =
        withItemRemoved(editor->shown(), editor->selectedItem());
    if (removed) {
        editor->report(*removed);
    }
}

void ListEditor::entryActivated(GtkEntry* /*entry*/, gpointer self) {
    addClicked(nullptr, self);
}

void ListEditor::entryChanged(GtkEditable* /*entry*/, gpointer self) {
    static_cast<ListEditor*>(self)->updateButtons();
}

void ListEditor::rowSelected(GtkListBox* /*list*/, GtkListBoxRow* /*row*/, gpointer self) {
    static_cast<ListEditor*>(self)->updateButtons();
}

} // namespace vantro::settings_app
