#pragma once

// The installer window's controller: sets the window up from what is
// installed, keeps the check boxes' rules and the action button's title,
// runs the install or removal, and leads on through its sheets.

#include "installer/install_flow.h"
#include "settings_pane_control.h"

#include <gtk/gtk.h>

#include <memory>
#include <string>
#include <vector>

namespace vantro::installer_app {

class InstallerWindow {
  public:
    // `resources` is the folder carrying the window layout and the parts.
    // The window is not shown until `present`.
    InstallerWindow(GtkApplication* application, const std::string& resources,
                    installer::InstallerServices& services, SettingsPaneControl& settingsPane);
    ~InstallerWindow();
    InstallerWindow(const InstallerWindow&) = delete;
    InstallerWindow& operator=(const InstallerWindow&) = delete;

    // False when the layout could not be read; the error is on stderr.
    [[nodiscard]] bool loaded() const { return window_ != nullptr; }
    // Shows the window, or, when a carried part is missing, the alert that
    // ends the installer.
    void present();
    // The window and its open sheets, for the test hooks.
    [[nodiscard]] std::vector<GtkWindow*> windows() const;

  private:
    void awakeFromNib();
    void refreshInstallButtonTitle();
    // Says so when a package installed Vantro for every user.
    void showPackageStatus();
    [[nodiscard]] installer::InstallChoices choices() const;
    [[nodiscard]] bool anythingInstalled() const;

    static void prefPaneCheckAction(GtkToggleButton* box, InstallerWindow* self);
    static void pluginCheckAction(GtkToggleButton* box, InstallerWindow* self);
    static void simblWebsiteAction(GtkButton* button, InstallerWindow* self);
    static void installButtonAction(GtkButton* button, InstallerWindow* self);
    void doInstallAction();
    void finishInstallAction();

    GtkWidget* showSheet(const char* name, const std::string& message,
                         const std::string& informative, const std::string& defaultButton,
                         const std::string& alternateButton, GCallback handler);
    static void didEndNoPassAlertSheet(GtkDialog* sheet, int response, InstallerWindow* self);
    static void didEndFinishedAlertSheet(GtkDialog* sheet, int response, InstallerWindow* self);
    void showMissingPartAlert(const char* part);
    void quit();

    GtkApplication* application_;
    std::string resources_;
    installer::InstallerServices& services_;
    SettingsPaneControl& settingsPane_;
    installer::CarriedParts carried_;
    std::unique_ptr<installer::InstallFlow> flow_;
    GtkBuilder* builder_ = nullptr;
    GtkWindow* window_ = nullptr;
    GtkWidget* sheet_ = nullptr;
    bool sheetReportsSuccess_ = false;
    installer::InstallChoices running_;
};

} // namespace vantro::installer_app
