#pragma once

// A string list as a list of entries, with a field and an "Add" button to
// append one and a "Remove" button for the selected one. Each add or
// remove is reported as the whole new list.

#include "row_controls.h"

#include <string>
#include <vector>

namespace vantro::settings_app {

class ListEditor final : public RowControls {
  public:
    ListEditor(const SettingRow& row, UserChange onChange);

  private:
    void display(const RowState& state) override;
    void updateButtons();
    [[nodiscard]] std::string selectedItem() const;
    static void addClicked(GtkButton* button, gpointer self);
    static void removeClicked(GtkButton* button, gpointer self);
    static void entryActivated(GtkEntry* entry, gpointer self);
    static void entryChanged(GtkEditable* entry, gpointer self);
    static void rowSelected(GtkListBox* list, GtkListBoxRow* row, gpointer self);

    GtkListBox* list_ = nullptr;
    GtkEntry* entry_ = nullptr;
    GtkWidget* add_ = nullptr;
    GtkWidget* remove_ = nullptr;
    // What the list widget holds, so that an unchanged list is not rebuilt
    // (which would drop the user's selection).
    std::vector<std::string> listed_;
};

} // namespace vantro::settings_app
