#pragma once

// A row of a title, a chooser when the row has choices, and a switch when
// the shape has an enabled flag. The chooser stays usable while the switch
// is off: the plug-in reads the default zoom behaviour's layout either way,
// and a modifier chosen first and switched on later is a common order.

#include "row_controls.h"

namespace vantro::settings_app {

class SwitchChooserControls final : public RowControls {
  public:
    SwitchChooserControls(const SettingRow& row, UserChange onChange);

  private:
    void display(const RowState& state) override;
    static void switchToggled(GtkSwitch* toggle, GParamSpec* property, gpointer self);
    static void choiceChanged(GtkComboBox* chooser, gpointer self);

    GtkSwitch* switch_ = nullptr;
    GtkComboBox* chooser_ = nullptr;
};

} // namespace vantro::settings_app
