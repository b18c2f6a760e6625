#include "installer_window.h"

#include "installer/outcome_sheet.h"
#include "installer/package_ownership.h"
#include "installer/window_texts.h"

#include <cstdio>

namespace vantro::installer_app {

namespace {

using installer::InstallChoices;
using installer::InstallFlow;

constexpr const char* kLayoutFile = "/vantro-installer.ui";
constexpr const char* kLoaderModulePage = "/SIMBL.html";
constexpr unsigned kRetryDelayMs = 1000;

GtkWidget* outlet(GtkBuilder* builder, const char* name) {
    return GTK_WIDGET(gtk_builder_get_object(builder, name));
}

bool ticked(GtkBuilder* builder, const char* name) {
    return gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(outlet(builder, name))) != FALSE;
}

// The chosen row of a two-row location choice.
int chosenRow(GtkBuilder* builder, const std::string& choice) {
    return ticked(builder, (choice + "Row1").c_str()) ? 1 : 0;
}

void selectRow(GtkBuilder* builder, const std::string& choice, int row) {
    gtk_toggle_button_set_active(
        GTK_TOGGLE_BUTTON(outlet(builder, (choice + "Row" + std::to_string(row)).c_str())), TRUE);
}

void setToolTip(GtkBuilder* builder, const char* name, const std::string& text) {
    gtk_widget_set_tooltip_text(outlet(builder, name), text.c_str());
}

// A press of the first button that no control took (on the window's
// background, a label, a margin) moves the window, as on its title bar.
gboolean moveByBackground(GtkWidget* window, GdkEventButton* event, gpointer /*data*/) {
    if (event->type != GDK_BUTTON_PRESS || event->button != GDK_BUTTON_PRIMARY) {
        return FALSE;
    }
    gtk_window_begin_move_drag(GTK_WINDOW(window), static_cast<int>(event->button),
                               static_cast<int>(event->x_root), static_cast<int>(event->y_root),
                               event->time);
    return TRUE;
}

} // namespace

InstallerWindow::InstallerWindow(GtkApplication* application, const std::string& resources,
                                 installer::InstallerServices& services,
                                 SettingsPaneControl& settingsPane)
    : application_(application), resources_(resources), services_(services),
      settingsPane_(settingsPane), carried_(installer::CarriedParts::in(resources)) {
    GError* error = nullptr;
    builder_ = gtk_builder_new();
    if (gtk_builder_add_from_file(builder_, (resources_ + kLayoutFile).c_str(), &error) == 0) {
        std::fprintf(stderr, "vantro-installer: cannot read the window layout: %s\n",
                     error->message);
        g_error_free(error);
        return;
    }
    window_ = GTK_WINDOW(outlet(builder_, "installerWindowOut"));
    gtk_window_set_application(window_, application_);
    flow_ = std::make_unique<InstallFlow>(
        installer::InstallLocations::in(installer::LibraryFolders::ofThisUser()), carried_,
        services_);
    awakeFromNib();
    g_signal_connect(outlet(builder_, "prefPaneCheckOut"), "toggled",
                     G_CALLBACK(prefPaneCheckAction), this);
    g_signal_connect(outlet(builder_, "pluginCheckOut"), "toggled", G_CALLBACK(pluginCheckAction),
                     this);
    g_signal_connect(outlet(builder_, "simblRequiredButtonOut"), "clicked",
                     G_CALLBACK(simblWebsiteAction), this);
    g_signal_connect(outlet(builder_, "installButtonOut"), "clicked",
                     G_CALLBACK(installButtonAction), this);
}

InstallerWindow::~InstallerWindow() {
    if (sheet_ != nullptr) {
        gtk_widget_destroy(sheet_);
    }
    if (window_ != nullptr) {
        gtk_widget_destroy(GTK_WIDGET(window_));
    }
    g_object_unref(builder_);
}

void InstallerWindow::awakeFromNib() {
    const installer::InstallLocations& locations = flow_->locations();
    // The window can be dragged by its background as GTK windows are by
    // their title bar; it opens centred (the layout says so).
    gtk_widget_add_events(GTK_WIDGET(window_), GDK_BUTTON_PRESS_MASK);
    g_signal_connect(window_, "button-press-event", G_CALLBACK(moveByBackground), nullptr);
    if (!installer::loaderModuleInstallLocation(locations).empty()) {
        gtk_label_set_text(GTK_LABEL(outlet(builder_, "simblStatusOut")), "");
        gtk_widget_hide(outlet(builder_, "simblRequiredButtonOut"));
    }
    selectRow(builder_, "prefPaneLocationRadioOut",
              installer::locationRowOf(installer::prefPaneInstallLocation(locations), locations));
    selectRow(builder_, "pluginLocationRadioOut",
              installer::locationRowOf(installer::pluginInstallLocation(locations), locations));
    const std::string paneTip = installer::prefPaneToolTip(locations);
    setToolTip(builder_, "prefPaneCheckOut", paneTip);
    setToolTip(builder_, "prefPaneLocationRadioOut", paneTip);
    const std::string pluginTip = installer::pluginToolTip(locations);
    setToolTip(builder_, "pluginCheckOut", pluginTip);
    setToolTip(builder_, "pluginLocationRadioOut", pluginTip);
    refreshInstallButtonTitle();
    showPackageStatus();
    // The loader reaches running applications (a login item brings the
    // plug-in into those running at login), so no restart is needed.
    gtk_widget_hide(outlet(builder_, "relaunchAppsWarningTextOut"));
}

void InstallerWindow::showPackageStatus() {
    GtkWidget* status = outlet(builder_, "packageStatusOut");
    const std::optional<std::string> package = flow_->packageManagedInstall();
    gtk_label_set_text(GTK_LABEL(status),
                       package ? installer::packageManagedNote(*package).c_str() : "");
    gtk_widget_set_visible(status, package ? TRUE : FALSE);
}

bool InstallerWindow::anythingInstalled() const {
    const installer::InstallLocations& locations = flow_->locations();
    return installer::prefPaneInstallLocation(locations) != installer::kPrefPaneNotFound ||
           installer::pluginInstallLocation(locations) != installer::kPluginNotFound;
}

void InstallerWindow::refreshInstallButtonTitle() {
    const installer::ActionButton button = installer::actionButton(
        ticked(builder_, "prefPaneCheckOut"), flow_->versions(), anythingInstalled());
    GtkWidget* action = outlet(builder_, "installButtonOut");
    gtk_button_set_label(GTK_BUTTON(action), button.title.c_str());
    gtk_widget_set_tooltip_text(action, button.toolTip.c_str());
}

InstallChoices InstallerWindow::choices() const {
    return {.install = ticked(builder_, "prefPaneCheckOut"),
            .plugin = ticked(builder_, "pluginCheckOut"),
            .prefPaneRow = chosenRow(builder_, "prefPaneLocationRadioOut"),
            .pluginRow = chosenRow(builder_, "pluginLocationRadioOut"),
            .loginItem = ticked(builder_, "addVantroLoaderToLoginItemsOut")};
}

void InstallerWindow::present() {
    if (!flow_->versions().internalPrefPane) {
        showMissingPartAlert("System Preferences Pane");
    } else if (!flow_->versions().internalPlugin) {
        showMissingPartAlert("SIMBL Plugin");
    } else {
        gtk_window_present(window_);
    }
}

std::vector<GtkWindow*> InstallerWindow::windows() const {
    std::vector<GtkWindow*> open;
    if (sheet_ != nullptr) {
        open.push_back(GTK_WINDOW(sheet_));
    }
    if (window_ != nullptr) {
        open.push_back(window_);
    }
    return open;
}

void InstallerWindow::showMissingPartAlert(const char* part) {
    GtkWidget* alert =
        gtk_message_dialog_new(nullptr, GTK_DIALOG_MODAL, GTK_MESSAGE_ERROR, GTK_BUTTONS_NONE,
                               "\nInternal Vantro %s Missing", part);
    gtk_widget_set_name(alert, "missingPartAlert");
    gtk_widget_set_name(gtk_dialog_add_button(GTK_DIALOG(alert), "Quit Installer", GTK_RESPONSE_OK),
                        "defaultButton");
    gtk_window_set_application(GTK_WINDOW(alert), application_);
    sheet_ = alert;
    g_signal_connect_swapped(alert, "response",
                             G_CALLBACK(+[](InstallerWindow* self) { self->quit(); }), this);
    gtk_window_present(GTK_WINDOW(alert));
}

void InstallerWindow::prefPaneCheckAction(GtkToggleButton* box, InstallerWindow* self) {
    const bool on = gtk_toggle_button_get_active(box) != FALSE;
    GtkBuilder* builder = self->builder_;
    gtk_widget_set_sensitive(outlet(builder, "prefPaneLocationRadioOut"), on);
    gtk_widget_set_sensitive(outlet(builder, "pluginCheckOut"), on);
    if (ticked(builder, "pluginCheckOut")) {
        gtk_widget_set_sensitive(outlet(builder, "pluginLocationRadioOut"), on);
    }
    gtk_widget_set_sensitive(outlet(builder, "addVantroLoaderToLoginItemsOut"), on);
    self->refreshInstallButtonTitle();
}

void InstallerWindow::pluginCheckAction(GtkToggleButton* box, InstallerWindow* self) {
    gtk_widget_set_sensitive(outlet(self->builder_, "pluginLocationRadioOut"),
                             gtk_toggle_button_get_active(box));
}

void InstallerWindow::simblWebsiteAction(GtkButton* /*button*/, InstallerWindow* self) {
    gchar* uri =
        g_filename_to_uri((self->resources_ + kLoaderModulePage).c_str(), nullptr, nullptr);
    if (uri != nullptr) {
        gtk_show_uri_on_window(self->window_, uri, GDK_CURRENT_TIME, nullptr);
        g_free(uri);
    }
}

void InstallerWindow::installButtonAction(GtkButton* button, InstallerWindow* self) {
    const std::string title = gtk_button_get_label(button);
    if (title == installer::kQuitInstallerTitle) {
        self->quit();
        return;
    }
    if (self->settingsPane_.isRunning()) {
        self->showSheet("noPassSheet", "\nPlease quit System Preferences and try again.",
                        installer::filled("\nCannot %@install Vantro while System Preferences is "
                                          "running.\n",
                                          {title.starts_with("Uninstall") ? "un" : ""}),
                        "Quit System Preferences & Try Again", "Cancel",
                        G_CALLBACK(didEndNoPassAlertSheet));
        return;
    }
    self->doInstallAction();
}

void InstallerWindow::didEndNoPassAlertSheet(GtkDialog* sheet, int response,
                                             InstallerWindow* self) {
    gtk_widget_destroy(GTK_WIDGET(sheet));
    self->sheet_ = nullptr;
    if (response != GTK_RESPONSE_ACCEPT) {
        return;
    }
    self->settingsPane_.tellToQuit();
    g_timeout_add(
        kRetryDelayMs,
        +[](gpointer data) -> gboolean {
            auto* window = static_cast<InstallerWindow*>(data);
            installButtonAction(GTK_BUTTON(outlet(window->builder_, "installButtonOut")), window);
            return G_SOURCE_REMOVE;
        },
        self);
}

// The copies and removals run on a worker thread so that the window keeps
// drawing (and the progress indicator spinning) while they block; the
// window takes no input meanwhile, so nothing else changes the choices.
void InstallerWindow::doInstallAction() {
    running_ = choices();
    gtk_spinner_start(GTK_SPINNER(outlet(builder_, "installProgessSpinnerOut")));
    gtk_widget_set_sensitive(GTK_WIDGET(window_), FALSE);
    GTask* task = g_task_new(
        nullptr, nullptr,
        +[](GObject* /*source*/, GAsyncResult* /*result*/, gpointer data) {
            static_cast<InstallerWindow*>(data)->finishInstallAction();
        },
        this);
    g_task_set_task_data(task, this, nullptr);
    g_task_run_in_thread(
        task, +[](GTask* work, gpointer /*source*/, gpointer data, GCancellable* /*cancellable*/) {
            auto* self = static_cast<InstallerWindow*>(data);
            if (self->running_.install) {
                self->flow_->installVantro(self->running_);
            } else {
                self->flow_->uninstallVantro();
            }
            g_task_return_boolean(work, TRUE);
        });
    g_object_unref(task);
}

void InstallerWindow::finishInstallAction() {
    gtk_spinner_stop(GTK_SPINNER(outlet(builder_, "installProgessSpinnerOut")));
    gtk_widget_set_sensitive(GTK_WIDGET(window_), TRUE);
    showPackageStatus();
    const installer::OutcomeSheet outcome = installer::outcomeSheet(
        running_, flow_->locations(), flow_->versions(), flow_->loaderModuleReady());
    if (outcome.success) {
        services_.writeSetting("VantroLaunchedFromInstaller", true);
    }
    sheetReportsSuccess_ = outcome.success;
    showSheet("outcomeSheet", outcome.message, outcome.informativeText, outcome.defaultButton,
              outcome.alternateButton, G_CALLBACK(didEndFinishedAlertSheet));
}

GtkWidget* InstallerWindow::showSheet(const char* name, const std::string& message,
                                      const std::string& informative,
                                      const std::string& defaultButton,
                                      const std::string& alternateButton, GCallback handler) {
    GtkWidget* sheet = gtk_message_dialog_new(
        window_, static_cast<GtkDialogFlags>(GTK_DIALOG_MODAL | GTK_DIALOG_DESTROY_WITH_PARENT),
        GTK_MESSAGE_INFO, GTK_BUTTONS_NONE, "%s", message.c_str());
    gtk_message_dialog_format_secondary_text(GTK_MESSAGE_DIALOG(sheet), "%s", informative.c_str());
    gtk_widget_set_name(sheet, name);
    gtk_widget_set_name(
        gtk_dialog_add_button(GTK_DIALOG(sheet), alternateButton.c_str(), GTK_RESPONSE_CANCEL),
        "alternateButton");
    gtk_widget_set_name(
        gtk_dialog_add_button(GTK_DIALOG(sheet), defaultButton.c_str(), GTK_RESPONSE_ACCEPT),
        "defaultButton");
    gtk_dialog_set_default_response(GTK_DIALOG(sheet), GTK_RESPONSE_ACCEPT);
    g_signal_connect(sheet, "response", handler, this);
    sheet_ = sheet;
    gtk_window_present(GTK_WINDOW(sheet));
    return sheet;
}

void InstallerWindow::didEndFinishedAlertSheet(GtkDialog* sheet, int response,
                                               InstallerWindow* self) {
    gtk_widget_destroy(GTK_WIDGET(sheet));
    self->sheet_ = nullptr;
    // Closing the sheet without a button keeps the window, as "Continue"
    // and "Reattempt" do: nothing is lost by staying.
    const bool defaultChosen = response == GTK_RESPONSE_ACCEPT;
    const bool alternateChosen = response == GTK_RESPONSE_CANCEL;
    if (self->sheetReportsSuccess_) {
        if (defaultChosen) {
            if (self->running_.install) {
                const std::string pane =
                    installer::prefPaneInstallLocation(self->flow_->locations());
                if (pane != installer::kPrefPaneNotFound) {
                    self->settingsPane_.launch(pane);
                }
            }
            self->quit();
            return;
        }
        self->services_.writeSetting("VantroLaunchedFromInstaller", false);
        self->refreshInstallButtonTitle();
        return;
    }
    if (alternateChosen) {
        self->quit();
        return;
    }
    self->refreshInstallButtonTitle();
}

void InstallerWindow::quit() {
    g_application_quit(G_APPLICATION(application_));
}

} // namespace vantro::installer_app
